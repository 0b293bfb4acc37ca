#pragma once
// A level carries no description file of its own: its gameplay objects are
// scene primitives whose names begin with a keyword (START, QUARN, SOUND,
// MAGNET, BHOLE, CP, END), followed by an optional number.

#include <cstdint>
#include <string>

class DHelper;
class LevelTriggers;
class PhysicsWorld;
class Scene;
class SoundSubsystem;
class TextureManager;
struct PhysicsParameters;

enum class LevelObjectKind {
    None,
    Start,  // START (prefix) or QUARN (whole name)
    Sound,
    Magnet,
    BlackHole,
    Checkpoint,
    End,
};

struct LevelObjectName {
    LevelObjectKind kind = LevelObjectKind::None;
    int32_t number = 0;  // -1 for START, QUARN and END without a number
};

// The keyword a primitive name starts with and the number after it, read as
// atol reads it (0 when the rest does not start with a number).
LevelObjectName ParseLevelObjectName(const std::string& name);

// Leading blanks, an optional sign and decimal digits, as atol reads them,
// held within the 32-bit range; 0 when there are no digits.
int32_t ReadLeadingNumber(const char* text);

// The first five numbers of a primitive as its record holds them: its first
// point (a point's position, a sphere's or cube's centre, a cylinder's top
// centre, a box's first corner), then its sizes.
struct PrimitiveValues {
    float v[5] = {0, 0, 0, 0, 0};
};
PrimitiveValues ReadPrimitiveValues(const DHelper& primitive);

// Gets every map of every textured material from the manager, as
// "Textures/" + the map's file name with backslashes read as folder
// separators. A texture that fails stays 0.
void LoadLevelTextures(Scene& scene, TextureManager& textures);

// Turns the scene's named primitives into start points, sound areas (with
// their level sounds), checkpoints and end zones in `triggers`, and magnets
// and black holes in the world. `sound` may be null.
void InterpretLevelDescription(const Scene& scene, LevelTriggers& triggers, PhysicsWorld& world,
                               const PhysicsParameters& parameters, SoundSubsystem* sound);
