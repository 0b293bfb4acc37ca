// Scene::Load: the binary scene file read front to back into the scene's
// lists. Every read is checked against the bytes the file has left, so a
// damaged or truncated file ends loading with a result code and never yields
// a record built from bytes that were not read.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <limits>
#include <memory>

#include "scene/scene.h"
#include "scene/scene_file.h"

namespace {

static_assert(sizeof(Vector) == 3 * sizeof(float), "points are read as packed floats");

// Smallest encoded size of each record, to bound what a header count can
// make the loader reserve.
constexpr uint64_t kMinMaterialBytes = 13;
constexpr uint64_t kMinLightBytes = 18;
constexpr uint64_t kMinPrimitiveBytes = 14;
constexpr uint64_t kMinShapeBytes = 29;
constexpr uint64_t kMinPolylineBytes = 5;
constexpr uint64_t kMinMeshBytes = 52;
constexpr uint64_t kUnknownSize = std::numeric_limits<uint64_t>::max();

constexpr float kColourScale = 0.003921569f;  // byte / 255
constexpr float kPercent = 0.01f;
constexpr float kDefaultScrollSpeed = 1.0f;

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<FILE, FileCloser>;

void LittleEndianToHost(float* values, size_t count) {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    for (size_t i = 0; i < count; ++i) {
        uint32_t bits;
        std::memcpy(&bits, &values[i], 4);
        bits = __builtin_bswap32(bits);
        std::memcpy(&values[i], &bits, 4);
    }
#else
    (void)values;
    (void)count;
#endif
}

// Decodes little-endian fields from a block already read from the file.
class Decoder {
public:
    explicit Decoder(const uint8_t* bytes) : at_(bytes) {}

    uint8_t U8() { return *at_++; }
    uint32_t U32() {
        const uint32_t value = static_cast<uint32_t>(at_[0]) | static_cast<uint32_t>(at_[1]) << 8 |
                               static_cast<uint32_t>(at_[2]) << 16 |
                               static_cast<uint32_t>(at_[3]) << 24;
        at_ += 4;
        return value;
    }
    float F32() {
        const uint32_t bits = U32();
        float value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    Vector Vec() {
        const float x = F32();
        const float y = F32();
        const float z = F32();
        return {x, y, z};
    }

private:
    const uint8_t* at_;
};

// Sequential reads from the open file, each one refused when the file has
// fewer bytes left than it needs.
class FileReader {
public:
    FileReader(FILE* file, uint64_t size) : file_(file), remaining_(size) {}

    uint64_t Remaining() const { return remaining_; }
    bool Has(uint64_t count) const { return count <= remaining_; }

    bool Bytes(void* out, size_t count) {
        if (!Has(count) || std::fread(out, 1, count, file_) != count) {
            remaining_ = 0;
            return false;
        }
        if (remaining_ != kUnknownSize)
            remaining_ -= count;
        return true;
    }
    bool Name(std::string& name) {
        uint8_t length = 0;
        char text[256];
        if (!Bytes(&length, 1) || !Bytes(text, length))
            return false;
        // A stored name ends at its first NUL byte.
        name.assign(text, std::find(text, text + length, '\0'));
        return true;
    }
    bool Floats(float* out, size_t count) {
        if (!Bytes(out, count * sizeof(float)))
            return false;
        LittleEndianToHost(out, count);
        return true;
    }

private:
    FILE* file_;
    uint64_t remaining_;
};

bool Finite(float value) {
    return std::isfinite(value);
}
bool Finite(const Vector& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}
bool AllFinite(const float* values, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        if (!std::isfinite(values[i]))
            return false;
    }
    return true;
}

// Normals and texture coordinates only shade and texture a mesh: a value that
// is not finite is drawn as zero instead of refusing the level.
void ZeroNonFinite(std::vector<float>& values) {
    for (float& value : values) {
        if (!std::isfinite(value))
            value = 0.0f;
    }
}

// Room for the records a header announces, no more than the bytes left can
// hold: reserving is only a hint, the reads decide.
size_t ReserveCount(uint64_t count, const FileReader& in, uint64_t minRecordBytes) {
    constexpr uint64_t kMostReserved = 1 << 16;
    const uint64_t fits = in.Remaining() / minRecordBytes;
    return static_cast<size_t>(std::min({count, fits, kMostReserved}));
}

// The speed from index 6 of a scrolling material's name, read like "%f":
// leading blanks, sign, digits, fraction, exponent, up to the first character
// that does not fit. Text that is no number (or not a finite one) scrolls at
// the default speed, as a name without a speed does.
float ParseScrollSpeed(const char* text) {
    char* end = nullptr;
    const float speed = std::strtof(text, &end);
    if (end == text || !std::isfinite(speed))
        return kDefaultScrollSpeed;
    return speed;
}

// "MOVX" and "MOVY" names scroll along that axis; from index 6 on they may
// carry the speed.
void ApplyScrollName(Material& material) {
    const std::string& name = material.name;
    material.scrollAxis = 0;
    material.scrollSpeed = 0.0f;
    material.scrollOffset = 0.0f;
    if (name.size() < 4 || name.compare(0, 3, "MOV") != 0)
        return;
    if (name[3] != 'X' && name[3] != 'Y')
        return;
    material.scrollAxis = static_cast<uint8_t>(name[3]);
    material.scrollSpeed =
        name.size() >= 7 ? ParseScrollSpeed(name.c_str() + 6) : kDefaultScrollSpeed;
}

int ReadMaterial(FileReader& in, Material& material) {
    if (!in.Name(material.name))
        return LoadTruncated;
    material.nameHash = NameHash(material.name);
    ApplyScrollName(material);

    uint8_t block[12];
    if (!in.Bytes(block, sizeof block))
        return LoadTruncated;
    Decoder d(block);
    material.twoSided = d.U8();
    for (uint8_t& c : material.colour)
        c = d.U8();
    for (uint8_t& c : material.secondColour)
        c = d.U8();
    for (uint8_t& b : material.fileBytes)
        b = d.U8();
    material.mapFlags = d.U8();

    uint8_t next = 0;
    for (int slot = 0; slot < kMapSlotCount; ++slot) {
        material.mapSlot[slot] = kNoMap;
        if (material.mapFlags & (1u << slot))
            material.mapSlot[slot] = next++;
    }
    material.maps.reserve(next);
    for (uint8_t i = 0; i < next; ++i) {
        MaterialMap map;
        uint8_t tail[2];
        if (!in.Name(map.name) || !in.Bytes(tail, sizeof tail))
            return LoadTruncated;
        map.nameHash = NameHash(map.name);
        map.uvChannel = tail[0];
        map.fileByte = tail[1];
        material.maps.push_back(std::move(map));
    }
    return LoadOk;
}

int ReadLight(FileReader& in, Light& light) {
    if (!in.Name(light.name))
        return LoadTruncated;
    light.nameHash = NameHash(light.name);

    uint8_t block[17];
    if (!in.Bytes(block, sizeof block))
        return LoadTruncated;
    Decoder d(block);
    light.kind = d.U8();
    light.position = d.Vec();
    for (float& c : light.colour)
        c = d.U8() * kColourScale;
    light.intensity = d.U8() * kPercent;
    if (!Finite(light.position))
        return LoadBadNumber;
    if (!light.IsOmni())
        return LoadOk;

    uint8_t omni[14];
    if (!in.Bytes(omni, sizeof omni))
        return LoadTruncated;
    Decoder o(omni);
    light.fileBytes[0] = o.U8();
    light.fileFloat = o.F32();
    light.fileBytes[1] = o.U8();
    light.attenuationStart = o.F32();
    light.attenuationEnd = o.F32();
    if (!Finite(light.attenuationStart) || !Finite(light.attenuationEnd))
        return LoadBadNumber;
    return LoadOk;
}

int PrimitiveParameterCount(uint8_t letter) {
    switch (letter) {
        case kLetterBox:
            return 6;
        case kLetterCylinder:
            return 5;
        case kLetterCube:
        case kLetterSphere:
            return 4;
        case kLetterPoint:
            return 3;
        default:
            return 0;
    }
}

std::unique_ptr<DHelper> BuildPrimitive(uint8_t letter, const float* p) {
    const Vector at{p[0], p[1], p[2]};
    switch (letter) {
        case kLetterBox:
            return std::make_unique<Box>(at, Vector{p[3], p[4], p[5]});
        case kLetterCylinder:
            return std::make_unique<Cylinder>(at, p[3], p[4]);
        case kLetterCube:
            return std::make_unique<Cube>(at, p[3] * 0.5f);
        case kLetterPoint:
            return std::make_unique<Point>(at);
        case kLetterSphere:
            return std::make_unique<Sphere>(at, p[3]);
        default:
            return nullptr;
    }
}

int ReadPrimitive(FileReader& in, PrimitiveEntry& entry) {
    uint8_t letter = 0;
    if (!in.Bytes(&letter, 1) || !in.Name(entry.name))
        return LoadTruncated;
    entry.nameHash = NameHash(entry.name);
    const int count = PrimitiveParameterCount(letter);
    if (count == 0)
        return LoadBadPrimitive;  // no known length: nothing after it can be read

    uint8_t block[6 * 4];
    float parameters[6];
    if (!in.Bytes(block, count * 4))
        return LoadTruncated;
    Decoder d(block);
    for (int i = 0; i < count; ++i) {
        parameters[i] = d.F32();
        if (!Finite(parameters[i]))
            return LoadBadNumber;
    }
    entry.object = BuildPrimitive(letter, parameters);
    entry.typeCode = static_cast<uint8_t>(entry.object->TypeCode());
    return LoadOk;
}

int ReadPolyline(FileReader& in, Polyline& polyline) {
    uint8_t block[5];
    if (!in.Bytes(block, sizeof block))
        return LoadTruncated;
    Decoder d(block);
    polyline.closed = d.U8();
    polyline.pointCount = d.U32();
    if (polyline.pointCount > kSceneMaxCount)
        return LoadTooLarge;
    if (!in.Has(uint64_t{polyline.pointCount} * sizeof(Vector)))
        return LoadTruncated;
    polyline.points.resize(polyline.pointCount);
    float* values = reinterpret_cast<float*>(polyline.points.data());
    if (!in.Floats(values, polyline.points.size() * 3))
        return LoadTruncated;
    if (!AllFinite(values, polyline.points.size() * 3))
        return LoadBadNumber;
    return LoadOk;
}

int ReadShape(FileReader& in, Shape& shape) {
    if (!in.Name(shape.name))
        return LoadTruncated;
    shape.nameHash = NameHash(shape.name);
    uint8_t block[28];
    if (!in.Bytes(block, sizeof block))
        return LoadTruncated;
    Decoder d(block);
    shape.firstVector = d.Vec();
    shape.secondVector = d.Vec();
    shape.polylineCount = d.U32();
    if (shape.polylineCount > kSceneMaxCount)
        return LoadTooLarge;
    if (!in.Has(uint64_t{shape.polylineCount} * kMinPolylineBytes))
        return LoadTruncated;
    shape.polylines.resize(shape.polylineCount);
    for (Polyline& polyline : shape.polylines) {
        const int result = ReadPolyline(in, polyline);
        if (result != LoadOk)
            return result;
    }
    return LoadOk;
}

bool ReadArray(FileReader& in, std::vector<float>& values, size_t count) {
    values.resize(count);
    return in.Floats(values.data(), count);
}

// Every map the renderer draws with texture coordinates must name a channel
// the mesh has.
bool MaterialChannelsFit(const Material& material, uint8_t channelCount) {
    for (int slot = 0; slot < kMapSlotCount; ++slot) {
        const MaterialMap* map = material.SlotMap(slot);
        if (map && MapFlagsReadUvChannel(material.mapFlags, slot) && map->uvChannel >= channelCount)
            return false;
    }
    return true;
}

int ReadMesh(FileReader& in, const std::vector<Material>& materials, Mesh& mesh) {
    if (!in.Bytes(&mesh.kindLetter, 1) || !in.Name(mesh.name))
        return LoadTruncated;
    mesh.nameHash = NameHash(mesh.name);

    uint8_t block[48];
    if (!in.Bytes(block, sizeof block))
        return LoadTruncated;
    Decoder d(block);
    mesh.fileBytes[0] = d.U8();
    mesh.fileBytes[1] = d.U8();
    mesh.materialIndex = d.U8();
    mesh.boundingBox.a = d.Vec();
    mesh.boundingBox.b = d.Vec();
    mesh.boundingSphere.centre = d.Vec();
    mesh.boundingSphere.radius = d.F32();
    mesh.fileByte = d.U8();
    mesh.vertexCount = d.U32();

    if (mesh.materialIndex >= materials.size())
        return LoadBadMaterialIndex;
    if (!Finite(mesh.boundingBox.a) || !Finite(mesh.boundingBox.b) ||
        !Finite(mesh.boundingSphere.centre) || !Finite(mesh.boundingSphere.radius))
        return LoadBadNumber;
    const uint32_t n = mesh.vertexCount;
    if (n > kSceneMaxCount)
        return LoadTooLarge;
    if (n % 3 != 0)
        return LoadBadVertexCount;
    if (!in.Has(uint64_t{n} * 24 + 1))
        return LoadTruncated;
    if (!ReadArray(in, mesh.positions, size_t{n} * 3) ||
        !ReadArray(in, mesh.normals, size_t{n} * 3))
        return LoadTruncated;
    if (!AllFinite(mesh.positions.data(), mesh.positions.size()))
        return LoadBadNumber;
    ZeroNonFinite(mesh.normals);

    if (!in.Bytes(&mesh.uvChannelCount, 1))
        return LoadTruncated;
    if (!in.Has(uint64_t{mesh.uvChannelCount} * n * 8))
        return LoadTruncated;
    mesh.uvChannels.resize(mesh.uvChannelCount);
    for (UvChannel& channel : mesh.uvChannels) {
        if (!ReadArray(in, channel.coordinates, size_t{n} * 2))
            return LoadTruncated;
        ZeroNonFinite(channel.coordinates);
    }
    if (!MaterialChannelsFit(materials[mesh.materialIndex], mesh.uvChannelCount))
        return LoadBadUvChannel;
    return LoadOk;
}

// Reads `count` records of one kind, appending each one that was read whole.
template <typename Record, typename ReadFunction>
int ReadRecords(FileReader& in, std::vector<Record>& list, uint32_t count, uint64_t minBytes,
                ReadFunction read) {
    list.reserve(list.size() + ReserveCount(count, in, minBytes));
    for (uint32_t i = 0; i < count; ++i) {
        Record record;
        const int result = read(in, record);
        if (result != LoadOk)
            return result;
        list.push_back(std::move(record));
    }
    return LoadOk;
}

int ReadHeader(FileReader& in, SceneHeaderCounts& counts) {
    uint8_t header[kSceneHeaderSize];
    if (!in.Bytes(header, 4))
        return LoadTruncated;
    if (std::memcmp(header, kSceneMagic, sizeof kSceneMagic) != 0)
        return LoadBadMagic;
    if (header[3] != kSceneVersion)
        return LoadBadVersion;
    if (!in.Bytes(header + 4, kSceneHeaderSize - 4))
        return LoadTruncated;
    Decoder d(header + 4);
    counts.materials = d.U8();
    counts.lights = d.U8();
    counts.primitives = d.U32();
    counts.shapes = d.U32();
    counts.meshes = d.U32();
    return LoadOk;
}

// The file size when it is a regular file, else no bound but the reads' own.
bool InspectPath(const std::string& path, uint64_t& size) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (std::filesystem::is_directory(status))
        return false;
    size = kUnknownSize;
    if (std::filesystem::is_regular_file(status)) {
        const uintmax_t bytes = std::filesystem::file_size(path, error);
        if (!error)
            size = bytes;
    }
    return true;
}

}  // namespace

int Scene::Load(const std::string& filePath) {
    ++revision;
    loaded = false;
    path = filePath;
    pathHash = NameHash(path);

    uint64_t size = kUnknownSize;
    if (!InspectPath(path, size))
        return LoadCannotOpen;
    FileHandle file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return LoadCannotOpen;
    FileReader in(file.get(), size);

    int result = ReadHeader(in, headerCounts);
    if (result != LoadOk)
        return result;
    const SceneHeaderCounts counts = headerCounts;
    result = ReadRecords(in, materials, counts.materials, kMinMaterialBytes, ReadMaterial);
    if (result == LoadOk)
        result = ReadRecords(in, lights, counts.lights, kMinLightBytes, ReadLight);
    if (result == LoadOk)
        result = ReadRecords(in, primitives, counts.primitives, kMinPrimitiveBytes, ReadPrimitive);
    if (result == LoadOk)
        result = ReadRecords(in, shapes, counts.shapes, kMinShapeBytes, ReadShape);
    if (result == LoadOk) {
        result = ReadRecords(
            in, meshes, counts.meshes, kMinMeshBytes,
            [this](FileReader& reader, Mesh& mesh) { return ReadMesh(reader, materials, mesh); });
    }
    if (result != LoadOk)
        return result;
    if (std::fclose(file.release()) != 0)
        return LoadCannotClose;

    BuildTransparentList();
    if (useBufferObjects)
        UploadBuffers();
    loaded = true;
    return LoadOk;
}
