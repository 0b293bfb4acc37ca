#include "game/level_description.h"

#include <cctype>
#include <cstring>

#include "audio/sound_subsystem.h"
#include "core/data_path.h"
#include "game/level_triggers.h"
#include "physics/physics_world.h"
#include "resources/texture_manager.h"
#include "scene/scene.h"

namespace {

constexpr char kTextureFolder[] = "Textures/";

enum class Match { Prefix, WholeName };

struct Keyword {
    const char* text;
    Match match;
    LevelObjectKind kind;
    int32_t numberWhenBare;  // the number of a name that is exactly the keyword
};

// Tested in this order; the first that matches decides.
constexpr Keyword kKeywords[] = {
    {"START", Match::Prefix, LevelObjectKind::Start, -1},
    {"QUARN", Match::WholeName, LevelObjectKind::Start, -1},
    {"SOUND", Match::Prefix, LevelObjectKind::Sound, 0},
    {"MAGNET", Match::Prefix, LevelObjectKind::Magnet, 0},
    {"BHOLE", Match::Prefix, LevelObjectKind::BlackHole, 0},
    {"CP", Match::Prefix, LevelObjectKind::Checkpoint, 0},
    {"END", Match::Prefix, LevelObjectKind::End, -1},
};

bool Matches(const std::string& name, const Keyword& keyword) {
    if (keyword.match == Match::WholeName)
        return name == keyword.text;
    return name.compare(0, std::strlen(keyword.text), keyword.text) == 0;
}

}  // namespace

int32_t ReadLeadingNumber(const char* text) {
    while (std::isspace(static_cast<unsigned char>(*text)))
        ++text;
    bool negative = false;
    if (*text == '+' || *text == '-') {
        negative = *text == '-';
        ++text;
    }
    // Accumulate as a negative number so that INT32_MIN is reachable; clamp
    // on overflow like a 32-bit atol.
    int64_t value = 0;
    constexpr int64_t kLimit = static_cast<int64_t>(INT32_MAX) + 1;
    while (std::isdigit(static_cast<unsigned char>(*text))) {
        value = value * 10 - (*text - '0');
        if (value < -kLimit)
            value = -kLimit;
        ++text;
    }
    if (negative)
        return static_cast<int32_t>(value);
    return value < -static_cast<int64_t>(INT32_MAX) ? INT32_MAX : static_cast<int32_t>(-value);
}

LevelObjectName ParseLevelObjectName(const std::string& name) {
    LevelObjectName result;
    for (const Keyword& keyword : kKeywords) {
        if (!Matches(name, keyword))
            continue;
        result.kind = keyword.kind;
        const size_t length = std::strlen(keyword.text);
        result.number = name.size() == length ? keyword.numberWhenBare
                                              : ReadLeadingNumber(name.c_str() + length);
        return result;
    }
    return result;
}

PrimitiveValues ReadPrimitiveValues(const DHelper& primitive) {
    PrimitiveValues values;
    float* v = values.v;
    switch (primitive.TypeCode()) {
        case TypeBox: {
            const Box& box = static_cast<const Box&>(primitive);
            v[0] = box.a.x, v[1] = box.a.y, v[2] = box.a.z, v[3] = box.b.x, v[4] = box.b.y;
            break;
        }
        case TypeCircle: {
            const Circle& circle = static_cast<const Circle&>(primitive);
            v[0] = circle.centre.x, v[1] = circle.centre.y, v[2] = circle.radius;
            break;
        }
        case TypeCube: {
            const Cube& cube = static_cast<const Cube&>(primitive);
            v[0] = cube.centre.x, v[1] = cube.centre.y, v[2] = cube.centre.z, v[3] = cube.halfSize;
            break;
        }
        case TypeCylinder: {
            const Cylinder& cylinder = static_cast<const Cylinder&>(primitive);
            v[0] = cylinder.centre.x, v[1] = cylinder.centre.y, v[2] = cylinder.centre.z;
            v[3] = cylinder.height, v[4] = cylinder.radius;
            break;
        }
        case TypePoint: {
            const Point& point = static_cast<const Point&>(primitive);
            v[0] = point.position.x, v[1] = point.position.y, v[2] = point.position.z;
            break;
        }
        case TypeSphere: {
            const Sphere& sphere = static_cast<const Sphere&>(primitive);
            v[0] = sphere.centre.x, v[1] = sphere.centre.y, v[2] = sphere.centre.z;
            v[3] = sphere.radius;
            break;
        }
        default:
            break;
    }
    return values;
}

void LoadLevelTextures(Scene& scene, TextureManager& textures) {
    for (Material& material : scene.materials) {
        if (material.mapFlags == 0)
            continue;
        for (int slot = 0; slot < kMapSlotCount; ++slot) {
            const uint8_t index = material.mapSlot[slot];
            if (index == kNoMap || index >= material.maps.size())
                continue;
            MaterialMap& map = material.maps[index];
            textures.Get(kTextureFolder + DataFilePath(map.name), map.texture);
        }
    }
}

void InterpretLevelDescription(const Scene& scene, LevelTriggers& triggers, PhysicsWorld& world,
                               const PhysicsParameters& parameters, SoundSubsystem* sound) {
    for (const PrimitiveEntry& entry : scene.primitives) {
        if (!entry.object)
            continue;
        const LevelObjectName object = ParseLevelObjectName(entry.name);
        const PrimitiveValues values = ReadPrimitiveValues(*entry.object);
        const float* v = values.v;
        switch (object.kind) {
            case LevelObjectKind::Start:
                triggers.AddStartPoint(v[0], v[1], v[2], object.number);
                break;
            case LevelObjectKind::Sound: {
                const int32_t id = triggers.AddSoundTrigger(object.number, v[0], v[2], v[3]);
                if (sound)
                    sound->AddLevelSound(id, object.number, entry.name.c_str());
                break;
            }
            case LevelObjectKind::Magnet:
                world.AddFieldObject(entry.name, v[0], v[2], 1, parameters.magnetMaxForce,
                                     parameters.magnetRadius, FieldRadial);
                break;
            case LevelObjectKind::BlackHole:
                world.AddFieldObject(entry.name, v[0], v[2], 0, parameters.bhMaxForce,
                                     parameters.bhRadius, FieldRadial);
                break;
            case LevelObjectKind::Checkpoint:
                triggers.AddCheckpoint(object.number, v[0], v[1], v[2], v[3], v[4]);
                break;
            case LevelObjectKind::End:
                triggers.AddEndZone(entry, object.number);  // boxes and cylinders only
                break;
            case LevelObjectKind::None:
                break;
        }
    }
}
