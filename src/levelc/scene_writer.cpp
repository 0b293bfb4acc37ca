#include "levelc/scene_writer.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

#include "scene/scene.h"
#include "scene/scene_file.h"

namespace {

constexpr size_t kMaxNameLength = 255;

class ByteWriter {
public:
    explicit ByteWriter(std::vector<uint8_t>& bytes) : bytes_(bytes) {}

    void U8(uint8_t value) { bytes_.push_back(value); }
    void U32(uint32_t value) {
        for (int shift = 0; shift < 32; shift += 8)
            bytes_.push_back(static_cast<uint8_t>(value >> shift));
    }
    void F32(float value) {
        uint32_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        U32(bits);
    }
    void Vec(const Vector& v) {
        F32(v.x);
        F32(v.y);
        F32(v.z);
    }
    void Floats(const float* values, size_t count) {
        bytes_.reserve(bytes_.size() + count * 4);
        for (size_t i = 0; i < count; ++i)
            F32(values[i]);
    }
    void Bytes(const uint8_t* values, size_t count) {
        bytes_.insert(bytes_.end(), values, values + count);
    }
    // Written as stored, embedded NUL bytes included.
    void Name(const std::string& name) {
        U8(static_cast<uint8_t>(name.size()));
        bytes_.insert(bytes_.end(), name.begin(), name.end());
    }

private:
    std::vector<uint8_t>& bytes_;
};

bool Fail(std::string* error, const std::string& message) {
    if (error)
        *error = message;
    return false;
}

bool NameFits(const std::string& name, const char* what, std::string* error) {
    if (name.size() <= kMaxNameLength)
        return true;
    return Fail(error, std::string(what) + " name \"" + name.substr(0, 32) +
                           "...\" is longer than " + std::to_string(kMaxNameLength) + " bytes");
}

// A stored byte from a float scaled by `scale` (255 for colours, 100 for
// intensities), rounded to the nearest so loaded values write back unchanged.
bool ScaledByte(float value, float scale, uint8_t& out) {
    const float scaled = std::round(value * scale);
    if (!(scaled >= 0.0f && scaled <= 255.0f))
        return false;
    out = static_cast<uint8_t>(scaled);
    return true;
}

int MapCount(uint8_t mapFlags) {
    int count = 0;
    for (int slot = 0; slot < kMapSlotCount; ++slot)
        count += (mapFlags >> slot) & 1;
    return count;
}

bool WriteMaterial(ByteWriter& out, const Material& material, std::string* error) {
    if (!NameFits(material.name, "material", error))
        return false;
    if (MapCount(material.mapFlags) != static_cast<int>(material.maps.size()))
        return Fail(error, "material \"" + material.name + "\" has " +
                               std::to_string(material.maps.size()) +
                               " maps but its map flags announce " +
                               std::to_string(MapCount(material.mapFlags)));
    out.Name(material.name);
    out.U8(material.twoSided);
    out.Bytes(material.colour, 3);
    out.Bytes(material.secondColour, 3);
    out.Bytes(material.fileBytes, 4);
    out.U8(material.mapFlags);
    for (const MaterialMap& map : material.maps) {
        if (!NameFits(map.name, "map", error))
            return false;
        out.Name(map.name);
        out.U8(map.uvChannel);
        out.U8(map.fileByte);
    }
    return true;
}

bool WriteLight(ByteWriter& out, const Light& light, std::string* error) {
    if (!NameFits(light.name, "light", error))
        return false;
    uint8_t colour[3];
    uint8_t intensity = 0;
    for (int i = 0; i < 3; ++i) {
        if (!ScaledByte(light.colour[i], 255.0f, colour[i]))
            return Fail(error, "light \"" + light.name + "\" has a colour outside 0 to 1");
    }
    if (!ScaledByte(light.intensity, 100.0f, intensity))
        return Fail(error, "light \"" + light.name + "\" has an intensity outside 0 to 2.55");
    out.Name(light.name);
    out.U8(light.kind);
    out.Vec(light.position);
    out.Bytes(colour, 3);
    out.U8(intensity);
    if (light.IsOmni()) {
        out.U8(light.fileBytes[0]);
        out.F32(light.fileFloat);
        out.U8(light.fileBytes[1]);
        out.F32(light.attenuationStart);
        out.F32(light.attenuationEnd);
    }
    return true;
}

bool WritePrimitive(ByteWriter& out, const PrimitiveEntry& entry, std::string* error) {
    if (!NameFits(entry.name, "primitive", error))
        return false;
    const DHelper* object = entry.object.get();
    if (const auto* box = dynamic_cast<const Box*>(object)) {
        out.U8(kLetterBox);
        out.Name(entry.name);
        out.Vec(box->a);
        out.Vec(box->b);
    } else if (const auto* cylinder = dynamic_cast<const Cylinder*>(object)) {
        out.U8(kLetterCylinder);
        out.Name(entry.name);
        out.Vec(cylinder->centre);
        out.F32(cylinder->height);
        out.F32(cylinder->radius);
    } else if (const auto* cube = dynamic_cast<const Cube*>(object)) {
        out.U8(kLetterCube);
        out.Name(entry.name);
        out.Vec(cube->centre);
        out.F32(cube->halfSize * 2.0f);
    } else if (const auto* point = dynamic_cast<const Point*>(object)) {
        out.U8(kLetterPoint);
        out.Name(entry.name);
        out.Vec(point->position);
    } else if (const auto* sphere = dynamic_cast<const Sphere*>(object)) {
        out.U8(kLetterSphere);
        out.Name(entry.name);
        out.Vec(sphere->centre);
        out.F32(sphere->radius);
    } else {
        return Fail(error, "primitive \"" + entry.name + "\" has no object a scene file can hold");
    }
    return true;
}

bool WriteShape(ByteWriter& out, const Shape& shape, std::string* error) {
    if (!NameFits(shape.name, "shape", error))
        return false;
    out.Name(shape.name);
    out.Vec(shape.firstVector);
    out.Vec(shape.secondVector);
    out.U32(static_cast<uint32_t>(shape.polylines.size()));
    for (const Polyline& polyline : shape.polylines) {
        out.U8(polyline.closed);
        out.U32(static_cast<uint32_t>(polyline.points.size()));
        for (const Vector& point : polyline.points)
            out.Vec(point);
    }
    return true;
}

bool WriteMesh(ByteWriter& out, const Mesh& mesh, std::string* error) {
    if (!NameFits(mesh.name, "mesh", error))
        return false;
    const std::string what = "mesh \"" + mesh.name + "\"";
    if (mesh.positionBuffer != 0 || mesh.normalBuffer != 0)
        return Fail(error, what + " holds its data in GL buffers");
    if (mesh.positions.size() % 3 != 0 || mesh.normals.size() != mesh.positions.size())
        return Fail(error, what + " needs three position and three normal floats per vertex");
    const size_t n = mesh.positions.size() / 3;
    if (mesh.uvChannels.size() > 255)
        return Fail(error, what + " has more than 255 UV channels");
    for (const UvChannel& channel : mesh.uvChannels) {
        if (channel.buffer != 0 || channel.coordinates.size() != 2 * n)
            return Fail(error, what + " needs two coordinates per vertex in every UV channel");
    }
    out.U8(mesh.kindLetter);
    out.Name(mesh.name);
    out.U8(mesh.fileBytes[0]);
    out.U8(mesh.fileBytes[1]);
    out.U8(mesh.materialIndex);
    out.Vec(mesh.boundingBox.a);
    out.Vec(mesh.boundingBox.b);
    out.Vec(mesh.boundingSphere.centre);
    out.F32(mesh.boundingSphere.radius);
    out.U8(mesh.fileByte);
    out.U32(static_cast<uint32_t>(n));
    out.Floats(mesh.positions.data(), mesh.positions.size());
    out.Floats(mesh.normals.data(), mesh.normals.size());
    out.U8(static_cast<uint8_t>(mesh.uvChannels.size()));
    for (const UvChannel& channel : mesh.uvChannels)
        out.Floats(channel.coordinates.data(), channel.coordinates.size());
    return true;
}

template <typename Record, typename WriteFunction>
bool WriteAll(ByteWriter& out, const std::vector<Record>& records, WriteFunction write,
              std::string* error) {
    for (const Record& record : records) {
        if (!write(out, record, error))
            return false;
    }
    return true;
}

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};

}  // namespace

bool EncodeScene(const Scene& scene, std::vector<uint8_t>& bytes, std::string* error) {
    if (scene.materials.size() > 255 || scene.lights.size() > 255)
        return Fail(error, "a scene file holds at most 255 materials and 255 lights");
    ByteWriter out(bytes);
    out.Bytes(reinterpret_cast<const uint8_t*>(kSceneMagic), sizeof kSceneMagic);
    out.U8(kSceneVersion);
    out.U8(static_cast<uint8_t>(scene.materials.size()));
    out.U8(static_cast<uint8_t>(scene.lights.size()));
    out.U32(static_cast<uint32_t>(scene.primitives.size()));
    out.U32(static_cast<uint32_t>(scene.shapes.size()));
    out.U32(static_cast<uint32_t>(scene.meshes.size()));
    return WriteAll(out, scene.materials, WriteMaterial, error) &&
           WriteAll(out, scene.lights, WriteLight, error) &&
           WriteAll(out, scene.primitives, WritePrimitive, error) &&
           WriteAll(out, scene.shapes, WriteShape, error) &&
           WriteAll(out, scene.meshes, WriteMesh, error);
}

bool WriteSceneFile(const Scene& scene, const std::string& path, std::string* error) {
    std::vector<uint8_t> bytes;
    if (!EncodeScene(scene, bytes, error))
        return false;
    const std::string temporary = path + ".part";
    {
        std::unique_ptr<FILE, FileCloser> file(std::fopen(temporary.c_str(), "wb"));
        if (!file)
            return Fail(error, "cannot create " + temporary);
        const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
        if (std::fclose(file.release()) != 0 || !written) {
            std::remove(temporary.c_str());
            return Fail(error, "cannot write " + temporary);
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return Fail(error, "cannot replace " + path);
    }
    return true;
}
