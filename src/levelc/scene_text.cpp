#include "levelc/scene_text.h"

#include <cstdarg>
#include <cstdio>

#include "scene/scene.h"

namespace {

class TextOut {
public:
    void Line(const char* format, ...) __attribute__((format(printf, 2, 3))) {
        char buffer[512];
        va_list args;
        va_start(args, format);
        std::vsnprintf(buffer, sizeof buffer, format, args);
        va_end(args);
        text_ += buffer;
    }
    void Quoted(const std::string& name) {
        text_ += '"';
        for (const char c : name) {
            const unsigned char byte = static_cast<unsigned char>(c);
            if (c == '"' || c == '\\') {
                text_ += '\\';
                text_ += c;
            } else if (byte < 0x20 || byte >= 0x7F) {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\x%02X", byte);
                text_ += escape;
            } else {
                text_ += c;
            }
        }
        text_ += '"';
    }
    void Vec(const Vector& v) { Line("(%.9g %.9g %.9g)", v.x, v.y, v.z); }
    void Named(const char* kind, size_t index, const std::string& name, uint32_t hash) {
        Line("%s %zu ", kind, index);
        Quoted(name);
        Line(" hash %u", hash);
    }
    void End() { text_ += '\n'; }
    std::string Take() { return std::move(text_); }

private:
    std::string text_;
};

void DescribeMaterial(TextOut& out, size_t index, const Material& m) {
    out.Named("material", index, m.name, m.nameHash);
    out.Line(" two-sided %u colour %u %u %u second-colour %u %u %u file-bytes %u %u %u %u",
             m.twoSided, m.colour[0], m.colour[1], m.colour[2], m.secondColour[0],
             m.secondColour[1], m.secondColour[2], m.fileBytes[0], m.fileBytes[1], m.fileBytes[2],
             m.fileBytes[3]);
    out.Line(" map-flags 0x%02X slots", m.mapFlags);
    for (const uint8_t slot : m.mapSlot) {
        if (slot == kNoMap)
            out.Line(" -");
        else
            out.Line(" %u", slot);
    }
    if (m.scrollAxis != 0)
        out.Line(" scroll %c speed %.9g offset %.9g", m.scrollAxis, m.scrollSpeed, m.scrollOffset);
    else
        out.Line(" scroll none");
    out.End();
    for (size_t i = 0; i < m.maps.size(); ++i) {
        const MaterialMap& map = m.maps[i];
        out.Line("  ");
        out.Named("map", i, map.name, map.nameHash);
        out.Line(" uv-channel %u file-byte %u texture %u", map.uvChannel, map.fileByte,
                 map.texture);
        out.End();
    }
}

void DescribeLight(TextOut& out, size_t index, const Light& light) {
    out.Named("light", index, light.name, light.nameHash);
    if (light.IsOmni())
        out.Line(" kind omni position ");
    else
        out.Line(" kind directional (0x%02X) direction ", light.kind);
    out.Vec(light.position);
    out.Line(" colour %.9g %.9g %.9g intensity %.9g", light.colour[0], light.colour[1],
             light.colour[2], light.intensity);
    if (light.IsOmni())
        out.Line(" attenuation %.9g to %.9g file-float %.9g file-bytes %u %u",
                 light.attenuationStart, light.attenuationEnd, light.fileFloat, light.fileBytes[0],
                 light.fileBytes[1]);
    out.End();
}

void DescribePrimitive(TextOut& out, size_t index, const PrimitiveEntry& entry) {
    out.Named("primitive", index, entry.name, entry.nameHash);
    out.Line(" type %u", entry.typeCode);
    const DHelper* object = entry.object.get();
    if (const auto* box = dynamic_cast<const Box*>(object)) {
        out.Line(" box ");
        out.Vec(box->a);
        out.Line(" ");
        out.Vec(box->b);
    } else if (const auto* cylinder = dynamic_cast<const Cylinder*>(object)) {
        out.Line(" cylinder ");
        out.Vec(cylinder->centre);
        out.Line(" height %.9g radius %.9g", cylinder->height, cylinder->radius);
    } else if (const auto* cube = dynamic_cast<const Cube*>(object)) {
        out.Line(" cube ");
        out.Vec(cube->centre);
        out.Line(" half-size %.9g", cube->halfSize);
    } else if (const auto* point = dynamic_cast<const Point*>(object)) {
        out.Line(" point ");
        out.Vec(point->position);
    } else if (const auto* sphere = dynamic_cast<const Sphere*>(object)) {
        out.Line(" sphere ");
        out.Vec(sphere->centre);
        out.Line(" radius %.9g", sphere->radius);
    } else if (const auto* circle = dynamic_cast<const Circle*>(object)) {
        out.Line(" circle (%.9g %.9g) radius %.9g", circle->centre.x, circle->centre.y,
                 circle->radius);
    } else {
        out.Line(" no object");
    }
    out.End();
}

void DescribeShape(TextOut& out, size_t index, const Shape& shape, bool points) {
    out.Named("shape", index, shape.name, shape.nameHash);
    out.Line(" first ");
    out.Vec(shape.firstVector);
    out.Line(" second ");
    out.Vec(shape.secondVector);
    out.Line(" polylines %u", shape.polylineCount);
    out.End();
    for (size_t i = 0; i < shape.polylines.size(); ++i) {
        const Polyline& polyline = shape.polylines[i];
        out.Line("  polyline %zu %s points %u", i, polyline.closed ? "closed" : "open",
                 polyline.pointCount);
        out.End();
        if (!points)
            continue;
        for (size_t p = 0; p < polyline.points.size(); ++p) {
            out.Line("    point %zu ", p);
            out.Vec(polyline.points[p]);
            out.End();
        }
    }
}

void DescribeMesh(TextOut& out, size_t index, const Mesh& mesh, bool vertices) {
    out.Named("mesh", index, mesh.name, mesh.nameHash);
    out.Line(" kind 0x%02X file-bytes %u %u material %u box ", mesh.kindLetter, mesh.fileBytes[0],
             mesh.fileBytes[1], mesh.materialIndex);
    out.Vec(mesh.boundingBox.a);
    out.Line(" ");
    out.Vec(mesh.boundingBox.b);
    out.Line(" sphere ");
    out.Vec(mesh.boundingSphere.centre);
    out.Line(" radius %.9g file-byte %u vertices %u uv-channels %u transparent %u",
             mesh.boundingSphere.radius, mesh.fileByte, mesh.vertexCount, mesh.uvChannelCount,
             mesh.transparent);
    if (mesh.positionBuffer != 0)
        out.Line(" buffers %u %u", mesh.positionBuffer, mesh.normalBuffer);
    out.End();
    if (!vertices || mesh.positions.size() < size_t{mesh.vertexCount} * 3 ||
        mesh.normals.size() < size_t{mesh.vertexCount} * 3)
        return;
    for (size_t v = 0; v < mesh.vertexCount; ++v) {
        const float* p = &mesh.positions[v * 3];
        const float* n = &mesh.normals[v * 3];
        out.Line("  vertex %zu position (%.9g %.9g %.9g) normal (%.9g %.9g %.9g)", v, p[0], p[1],
                 p[2], n[0], n[1], n[2]);
        for (const UvChannel& channel : mesh.uvChannels) {
            if (channel.coordinates.size() >= v * 2 + 2)
                out.Line(" uv (%.9g %.9g)", channel.coordinates[v * 2],
                         channel.coordinates[v * 2 + 1]);
        }
        out.End();
    }
}

}  // namespace

std::string DescribeScene(const Scene& scene, const SceneTextOptions& options) {
    TextOut out;
    const SceneHeaderCounts& counts = scene.headerCounts;
    out.Line("header materials %u lights %u primitives %u shapes %u meshes %u", counts.materials,
             counts.lights, counts.primitives, counts.shapes, counts.meshes);
    out.End();
    for (size_t i = 0; i < scene.materials.size(); ++i)
        DescribeMaterial(out, i, scene.materials[i]);
    for (size_t i = 0; i < scene.lights.size(); ++i)
        DescribeLight(out, i, scene.lights[i]);
    for (size_t i = 0; i < scene.primitives.size(); ++i)
        DescribePrimitive(out, i, scene.primitives[i]);
    for (size_t i = 0; i < scene.shapes.size(); ++i)
        DescribeShape(out, i, scene.shapes[i], options.points);
    for (size_t i = 0; i < scene.meshes.size(); ++i)
        DescribeMesh(out, i, scene.meshes[i], options.vertices);
    for (const TransparentEntry& entry : scene.transparentList) {
        out.Line("transparent mesh %u key %.9g", entry.meshIndex, entry.key);
        out.End();
    }
    return out.Take();
}
