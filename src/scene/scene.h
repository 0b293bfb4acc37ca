#pragma once
// The in-memory level: materials, lights, named primitives, collision
// outlines and meshes, in file order.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/name_hash.h"
#include "core/outline.h"
#include "core/vector.h"
#include "scene/primitives.h"

constexpr uint8_t kNoMap = 0xFF;
constexpr int kMapSlotCount = 6;
enum MapSlot : int {
    MapSlotBase = 0,
    MapSlotOverlay = 2,
    MapSlotOpacity = 3,
    MapSlotReflection = 5,
};
// The map flags values the renderer draws textured; every other value is
// drawn untextured.
enum MapFlags : uint8_t {
    MapFlagsNone = 0,
    MapFlagsBase = 1,
    MapFlagsBaseAndOverlay = 5,
    MapFlagsOpacity = 8,
    MapFlagsOpacityAndBase = 9,
    MapFlagsReflection = 32,
};

struct MaterialMap {
    uint8_t uvChannel = 0;
    uint8_t fileByte = 0;
    uint32_t texture = 0;  // GL texture name, filled by the level loader
    uint32_t nameHash = 0;
    std::string name;  // texture file name
};

struct Material {
    float scrollSpeed = 0.0f;
    float scrollOffset = 0.0f;
    uint8_t scrollAxis = 0;  // 'X', 'Y' or 0
    uint8_t mapSlot[kMapSlotCount] = {kNoMap, kNoMap, kNoMap, kNoMap, kNoMap, kNoMap};
    uint8_t twoSided = 0;
    uint8_t colour[3] = {0, 0, 0};
    uint8_t secondColour[3] = {0, 0, 0};
    uint8_t fileBytes[4] = {0, 0, 0, 0};
    uint8_t mapFlags = 0;
    uint32_t nameHash = 0;
    std::string name;
    std::vector<MaterialMap> maps;  // ascending slot order

    bool Scrolls() const { return scrollAxis == 'X' || scrollAxis == 'Y'; }
    // The map of a slot, or nullptr when the slot has none.
    const MaterialMap* SlotMap(int slot) const {
        const uint8_t index = mapSlot[slot];
        return index < maps.size() ? &maps[index] : nullptr;
    }
};

struct Light {
    Vector position{0, 0, 0};  // omni: position; directional: direction
    float attenuationStart = 0.0f;
    float attenuationEnd = 0.0f;
    float fileFloat = 0.0f;
    float intensity = 0.0f;
    float colour[3] = {0, 0, 0};
    uint8_t kind = 0;  // 'O' for omni, anything else directional
    uint8_t fileBytes[2] = {0, 0};
    uint32_t nameHash = 0;
    std::string name;

    bool IsOmni() const { return kind == 'O'; }
};

struct PrimitiveEntry {
    std::unique_ptr<DHelper> object;
    uint8_t typeCode = 0;
    uint32_t nameHash = 0;
    std::string name;
};

struct UvChannel {
    uint32_t buffer = 0;             // GL buffer when uploaded, else 0
    std::vector<float> coordinates;  // 2 x N, empty after upload
};

struct Mesh {
    uint32_t positionBuffer = 0;
    uint32_t normalBuffer = 0;
    Box boundingBox;
    Sphere boundingSphere;
    std::vector<float> positions;  // 3 x N, empty after upload
    std::vector<float> normals;    // 3 x N, empty after upload
    uint32_t vertexCount = 0;
    uint8_t uvChannelCount = 0;
    uint8_t fileByte = 0;
    uint8_t materialIndex = 0;
    uint8_t kindLetter = 0;
    uint8_t fileBytes[2] = {0, 0};
    uint32_t nameHash = 0;
    std::string name;
    uint8_t transparent = 0;
    std::vector<UvChannel> uvChannels;
};

struct TransparentEntry {
    float key;
    uint32_t meshIndex;
};

struct SceneHeaderCounts {
    uint8_t materials = 0;
    uint8_t lights = 0;
    uint32_t primitives = 0;
    uint32_t shapes = 0;
    uint32_t meshes = 0;
};

class Scene {
public:
    Scene() = default;
    ~Scene() { Clear(); }
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    // Must be called before Load; the game passes false.
    void SetUseBufferObjects(bool use) { useBufferObjects = use; }
    // Appends the records of a scene file; returns a load result code.
    int Load(const std::string& filePath);
    // Releases everything; the scene can then load another file.
    void Clear();
    void BuildTransparentList();
    void UploadBuffers();
    void AdvanceScrolling(double frameTime);
    // The collision outlines as the physics reads them.
    OutlineView Outlines() const { return {&shapes, &revision}; }

    std::vector<Material> materials;
    std::vector<Light> lights;
    std::vector<PrimitiveEntry> primitives;
    std::vector<Shape> shapes;
    std::vector<Mesh> meshes;
    uint32_t pathHash = 0;
    std::string path;
    SceneHeaderCounts headerCounts;
    bool loaded = false;
    // Changes with every Load and Clear, so that what was derived from the
    // records can tell it is out of date.
    uint32_t revision = 0;
    bool useBufferObjects = false;
    std::vector<TransparentEntry> transparentList;
};
