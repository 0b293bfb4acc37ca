#pragma once
// The settings the game reads from settings.ini, each group at its own
// moment: the keys at every new game, the physics and camera values at every
// level load. Every value has its default.

#include <cstdint>

#include "physics/physics_world.h"

// DirectInput scan codes of the game's actions; only the low 8 bits count.
struct KeyBindings {
    int left = 30;       // A
    int right = 32;      // D
    int up = 17;         // W
    int down = 31;       // S
    int lock = 57;       // Space
    int nextSong = 66;   // F8
    int prevSong = 63;   // F5
    int stopSong = 64;   // F6
    int playSong = 65;   // F7
    int startGame = 28;  // Enter
    int reset = 88;      // F12
};

struct PhysicsSettings {
    PhysicsParameters world;  // the block handed to the physics world
    float minLength = 15.0f;
    float maxLength = 350.0f;
    float shootPower = 10.0f;
    float hookMass = 1.0f;
    float ballMass = 2.0f;
    float timeBetweenShoot = 0.01f;
};

struct CameraSettings {
    float maxSpeedRadius = 500.0f;
    float minSpeedRadius = 1.0f;
    float maxSpeed = 30.0f;
    float z = -700.0f;
};

KeyBindings ReadKeyBindings();
PhysicsSettings ReadPhysicsSettings();
CameraSettings ReadCameraSettings();
