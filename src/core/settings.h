#pragma once
// settings.ini (in the current directory, or where start-up put it), read in
// typed groups, every key with its default. Nothing is cached: each group is
// read at its own moment (the video settings when the window object is built,
// the keys and the play flags at every new game, the physics and camera
// values at every level load, the sound settings when the sound starts) and
// the values are handed on from there.

#include <string>

#include "platform/pad_controls.h"

// The Physics settings the world and the level loader read, in this order.
struct PhysicsParameters {
    float ropePush = 10.25f;
    float ropeIn = 10.25f;
    float ropeOut = 10.25f;
    float gravity = -0.689f;
    float bhMaxForce = -2.0f;
    float bhRadius = 100.0f;
    float magnetMaxForce = -2.0f;
    float magnetRadius = 100.0f;
};

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
    // Keys besides the mouse buttons, which always fire and let go; 0: none.
    int fire = 0;
    int letGo = 0;
};

// Up to two pad controls (PadControl numbers, PadNone for none) for one action.
struct PadControlPair {
    int first = PadNone;
    int second = PadNone;
};

// The pad's controls of the game's actions; the right stick aims. settings.ini
// names each action's controls in its section Pad, "righttrigger a".
struct PadBindings {
    PadControlPair fire{PadRightTrigger, PadA};
    PadControlPair letGo{PadLeftTrigger, PadB};
    PadControlPair up{PadLeftStickUp, PadDpadUp};  // reel in
    PadControlPair down{PadLeftStickDown, PadDpadDown};
    PadControlPair left{PadLeftStickLeft, PadDpadLeft};
    PadControlPair right{PadLeftStickRight, PadDpadRight};
    PadControlPair lock{PadNone, PadNone};
    PadControlPair pause{PadStart, PadNone};
    PadControlPair reset{PadBack, PadNone};
    // The right stick aims once pushed further than this part of its reach.
    float deadZone = 0.25f;
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

struct VideoSettings {
    int width = 640;
    int height = 480;
    int bitsPerPixel = 32;
    bool fullscreen = false;
    bool texcomp = true;
    float anisoFilter = 0.0f;
};

// The Video keys the game reads at every new game.
struct PlaySettings {
    bool showFps = false;
    bool frameLimit = false;
    bool aimLine = true;  // the line from the ball to where the hook would catch
};

// Section Records, read at every new game.
struct RecordSettings {
    bool ghost = true;  // show the level's best run as a ghost
    int keepRuns = 0;   // keep the replays of this many last runs per level too
};

struct SoundSettings {
    bool effects = true;
    bool music = true;
    int musicVolume = 1;
    int effectVolume = 1;
};

VideoSettings ReadVideoSettings();
PlaySettings ReadPlaySettings();
KeyBindings ReadKeyBindings();
PadBindings ReadPadBindings();
PhysicsSettings ReadPhysicsSettings();
CameraSettings ReadCameraSettings();
SoundSettings ReadSoundSettings();
RecordSettings ReadRecordSettings();

// Writes the key and pad bindings into settings.ini, every other line of the
// file kept as it stands; the file is replaced atomically. False, with the
// reason in error, when it cannot be written: the file is then unchanged.
bool WriteControlSettings(const KeyBindings& keys, const PadBindings& pad, std::string& error);

// The current directory followed by "/settings.ini", unless start-up chose
// another settings file (platform/ini.h).
std::string SettingsPath();

// One key, as the private-profile rules read it (platform/ini.h).
std::string ReadSetting(const char* section, const char* key, const char* defaultValue);
int ReadSettingInt(const char* section, const char* key, const char* defaultValue);      // atoi
float ReadSettingFloat(const char* section, const char* key, const char* defaultValue);  // atof
bool ReadSettingBool(const char* section, const char* key, const char* defaultValue);  // atoi != 0
