#include "levelc/level_compiler.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <map>
#include <memory>

#include "levelc/level_geometry.h"
#include "levelc/scene_writer.h"
#include "scene/scene.h"
#include "scene/scene_file.h"

namespace {

constexpr uint32_t kMaxVertexCount = 1048576;
constexpr size_t kMaxRecords8 = 255;  // materials and lights are counted in a byte
constexpr uint8_t kDefaultGrey = 192;
constexpr uint8_t kGeneratedMeshKind = 'M';

std::string Quote(const std::string& text) {
    return "'" + text + "'";
}

std::string Upper(const std::string& text) {
    std::string upper = text;
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

Vector ToVector(const Vector3d& v) {
    return {static_cast<float>(v.x), static_cast<float>(v.y), static_cast<float>(v.z)};
}

// The number of a level-object name suffix as the game reads it (leading
// digits with an optional sign); whole is false when text is left over.
long SuffixNumber(const std::string& suffix, bool& whole) {
    size_t i = 0;
    if (i < suffix.size() && (suffix[i] == '+' || suffix[i] == '-'))
        ++i;
    const size_t digits = i;
    while (i < suffix.size() && std::isdigit(static_cast<unsigned char>(suffix[i])))
        ++i;
    whole = i == suffix.size() && i > digits;
    return i > digits ? std::strtol(suffix.substr(0, i).c_str(), nullptr, 10) : 0;
}

const char* KindWord(PrimitiveKind kind) {
    switch (kind) {
        case PrimitiveKind::Point:
            return "point";
        case PrimitiveKind::Box:
            return "box";
        case PrimitiveKind::Cube:
            return "cube";
        case PrimitiveKind::Cylinder:
            return "cylinder";
        case PrimitiveKind::Sphere:
            return "sphere";
    }
    return "";
}

// Warns about names the game reads differently from what the designer most
// likely meant. The keywords are tested in the game's order.
void CheckPrimitiveName(const SourcePrimitive& primitive, const std::string& file,
                        Diagnostics& diagnostics) {
    static const char* const kKeywords[] = {"START", "QUARN", "SOUND", "MAGNET",
                                            "BHOLE", "CP",    "END"};
    const std::string& name = primitive.name;
    auto warn = [&](const std::string& text) {
        diagnostics.Warning(file, primitive.line, Quote(name) + ": " + text);
    };
    const char* keyword = nullptr;
    for (const char* candidate : kKeywords) {
        const std::string word = candidate;
        if (word == "QUARN" ? name == word : StartsWith(name, word)) {
            keyword = candidate;
            break;
        }
    }
    if (!keyword) {
        for (const char* candidate : kKeywords) {
            if (StartsWith(Upper(name), candidate)) {
                if (std::string(candidate) == "QUARN" && StartsWith(name, candidate))
                    warn("only the whole name QUARN is a start point; this primitive does nothing");
                else
                    warn(std::string("names are case-sensitive: this is not a ") + candidate +
                         " object and does nothing");
                return;
            }
        }
        return;
    }
    const std::string word = keyword;
    const std::string suffix = name.substr(word.size());
    const bool numbered = word == "START" || word == "SOUND" || word == "CP" || word == "END";
    if (numbered && !(suffix.empty() && (word == "START" || word == "END"))) {
        bool whole = false;
        const long number = SuffixNumber(suffix, whole);
        if (!whole)
            warn("the game reads the number of this " + word + " as " + std::to_string(number));
    }
    if (word == "END" && primitive.kind != PrimitiveKind::Box &&
        primitive.kind != PrimitiveKind::Cylinder)
        warn(std::string("an END ") + KindWord(primitive.kind) +
             " never ends the level; use a box or a cylinder");
    if (word == "CP" && primitive.kind != PrimitiveKind::Cylinder)
        warn("a checkpoint takes its area from a cylinder");
    if (word == "SOUND" && primitive.kind != PrimitiveKind::Sphere)
        warn("a sound area takes its radius from a sphere");
}

std::unique_ptr<DHelper> MakePrimitive(const SourcePrimitive& p) {
    const float x = static_cast<float>(p.x);
    const float y = static_cast<float>(p.y);
    switch (p.kind) {
        case PrimitiveKind::Point:
            return std::make_unique<Point>(Vector{x, static_cast<float>(p.depth), y});
        case PrimitiveKind::Box: {
            // The end-zone test takes the first corner as the minimum one.
            const float half = static_cast<float>(p.depth * 0.5);
            const Vector a{static_cast<float>(std::min(p.x, p.x2)), -half,
                           static_cast<float>(std::min(p.y, p.y2))};
            const Vector b{static_cast<float>(std::max(p.x, p.x2)), half,
                           static_cast<float>(std::max(p.y, p.y2))};
            return std::make_unique<Box>(a, b);
        }
        case PrimitiveKind::Cube:
            return std::make_unique<Cube>(Vector{x, 0.0f, y}, static_cast<float>(p.size * 0.5));
        case PrimitiveKind::Cylinder: {
            // Centred on the play plane: from depth +h/2 down to -h/2.
            const float height = static_cast<float>(p.depth);
            return std::make_unique<Cylinder>(Vector{x, height * 0.5f, y}, height,
                                              static_cast<float>(p.size));
        }
        case PrimitiveKind::Sphere:
            return std::make_unique<Sphere>(Vector{x, 0.0f, y}, static_cast<float>(p.size));
    }
    return nullptr;
}

bool DrawableMapFlags(uint8_t flags) {
    return flags == 0 || flags == 1 || flags == 5 || flags == 32 || flags == 8 || flags == 9;
}

class Compiler {
public:
    Compiler(const LevelSource& source, Scene& scene, Diagnostics& diagnostics)
        : source_(source), scene_(scene), diagnostics_(diagnostics) {}

    void Run();

private:
    void Error(int line, const std::string& text) { diagnostics_.Error(source_.file, line, text); }
    void Warning(int line, const std::string& text) {
        diagnostics_.Warning(source_.file, line, text);
    }

    void AddMaterial(const SourceMaterial& source);
    void AddLight(const SourceLight& source);
    void AddPrimitive(const SourcePrimitive& source);
    void AddShape(const SourceOutline& outline);
    // The material index for a block, -1 when unknown (reported).
    int MaterialIndex(const SourceExtrusion& extrusion);
    void OrderMeshesFrontToBack();
    void AddMesh(const std::string& name, int line, const SourceExtrusion& extrusion,
                 const std::vector<SourceTriangle>& triangles);

    const LevelSource& source_;
    Scene& scene_;
    Diagnostics& diagnostics_;
    std::map<std::string, int> materialIndex_;  // designer name -> position
    std::vector<const SourceMaterial*> materialSources_;
};

void Compiler::Run() {
    for (const SourceMaterial& material : source_.materials)
        AddMaterial(material);
    for (const SourceLight& light : source_.lights)
        AddLight(light);
    for (const SourcePrimitive& primitive : source_.primitives)
        AddPrimitive(primitive);
    for (const SourceOutline& outline : source_.outlines)
        AddShape(outline);
    for (const SourceOutline& outline : source_.outlines)
        if (!outline.hidden)
            AddMesh(outline.name, outline.line, outline.extrusion, {});
    for (const SourceMesh& mesh : source_.meshes)
        AddMesh(mesh.name, mesh.line, mesh.extrusion, mesh.triangles);
    OrderMeshesFrontToBack();

    scene_.headerCounts.materials =
        static_cast<uint8_t>(std::min(scene_.materials.size(), kMaxRecords8));
    scene_.headerCounts.lights = static_cast<uint8_t>(std::min(scene_.lights.size(), kMaxRecords8));
    scene_.headerCounts.primitives = static_cast<uint32_t>(scene_.primitives.size());
    scene_.headerCounts.shapes = static_cast<uint32_t>(scene_.shapes.size());
    scene_.headerCounts.meshes = static_cast<uint32_t>(scene_.meshes.size());
}

void Compiler::AddMaterial(const SourceMaterial& source) {
    if (materialIndex_.count(source.name)) {
        Error(source.line, "material " + Quote(source.name) + " is already defined at line " +
                               std::to_string(materialSources_[materialIndex_[source.name]]->line));
        return;
    }
    if (scene_.materials.size() >= kMaxRecords8) {
        Error(source.line, "more than 255 materials");
        return;
    }
    Material material;
    if (source.scrollAxis) {
        material.name = ScrollingMaterialName(source.scrollAxis, source.scrollSpeed, source.name);
        material.scrollAxis = static_cast<uint8_t>(source.scrollAxis);
        material.scrollSpeed = source.scrollSpeed;
        if (material.name.size() > 255) {
            Error(source.line, "the scrolling material's name is longer than 255 bytes");
            return;
        }
    } else {
        if (source.name.size() >= 4 && StartsWith(source.name, "MOV") &&
            (source.name[3] == 'X' || source.name[3] == 'Y')) {
            Error(source.line, "a material named " + Quote(source.name) +
                                   " would scroll; give it another name and a 'scroll' line");
            return;
        }
        material.name = source.name;
    }
    material.nameHash = NameHash(material.name);
    material.twoSided = source.twoSided ? 1 : 0;
    for (int i = 0; i < 3; ++i) {
        material.colour[i] = source.colour[i];
        material.secondColour[i] =
            source.hasSecondColour ? source.secondColour[i] : source.colour[i];
    }
    std::vector<SourceMap> maps = source.maps;
    std::stable_sort(maps.begin(), maps.end(),
                     [](const SourceMap& a, const SourceMap& b) { return a.slot < b.slot; });
    for (const SourceMap& map : maps) {
        material.mapFlags = static_cast<uint8_t>(material.mapFlags | (1u << map.slot));
        material.mapSlot[map.slot] = static_cast<uint8_t>(material.maps.size());
        MaterialMap record;
        record.uvChannel = static_cast<uint8_t>(map.uvChannel);
        record.name = map.file;
        record.nameHash = NameHash(map.file);
        material.maps.push_back(record);
    }
    if (!DrawableMapFlags(material.mapFlags))
        Warning(source.line,
                "material " + Quote(source.name) + " has map flags " +
                    std::to_string(material.mapFlags) +
                    ", which are drawn untextured (textured sets: base; base and overlay; "
                    "reflection; opacity; base and opacity)");
    materialIndex_[source.name] = static_cast<int>(scene_.materials.size());
    materialSources_.push_back(&source);
    scene_.materials.push_back(std::move(material));
}

void Compiler::AddLight(const SourceLight& source) {
    if (scene_.lights.size() >= kMaxRecords8) {
        Error(source.line, "more than 255 lights");
        return;
    }
    Light light;
    light.name = source.name;
    light.nameHash = NameHash(source.name);
    light.kind = source.omni ? 'O' : 'D';
    light.position = ToVector({source.position.x, source.position.depth, source.position.y});
    for (int i = 0; i < 3; ++i)
        light.colour[i] = static_cast<float>(source.colour[i]) * 0.003921569f;
    light.intensity = static_cast<float>(source.intensity) * 0.01f;
    if (source.omni) {
        light.attenuationStart = static_cast<float>(source.attenuationStart);
        light.attenuationEnd = static_cast<float>(source.attenuationEnd);
    }
    if (source.colour[0] == 0 && source.colour[1] == 0 && source.colour[2] == 0)
        Warning(source.line, "light " + Quote(source.name) + " is black and never lights the ball");
    scene_.lights.push_back(std::move(light));
}

void Compiler::AddPrimitive(const SourcePrimitive& source) {
    CheckPrimitiveName(source, source_.file, diagnostics_);
    PrimitiveEntry entry;
    entry.object = MakePrimitive(source);
    entry.typeCode = static_cast<uint8_t>(entry.object->TypeCode());
    entry.name = source.name;
    entry.nameHash = NameHash(source.name);
    scene_.primitives.push_back(std::move(entry));
}

void Compiler::AddShape(const SourceOutline& outline) {
    if (!StartsWith(outline.name, "DEATH") && StartsWith(Upper(outline.name), "DEATH"))
        Warning(outline.line, "outline " + Quote(outline.name) +
                                  " is not deadly: only names beginning with DEATH are");
    Shape shape;
    shape.name = outline.name;
    shape.nameHash = NameHash(outline.name);
    bool first = true;
    for (const SourcePolyline& source : outline.extrusion.polylines) {
        Polyline polyline;
        polyline.closed = source.Closed() ? 1 : 0;
        for (const SourcePoint2& p : source.points) {
            const Vector point{static_cast<float>(p.x), 0.0f, static_cast<float>(p.y)};
            polyline.points.push_back(point);
            // The two stored vectors carry the outline's bounding corners.
            if (first) {
                shape.firstVector = shape.secondVector = point;
                first = false;
            }
            shape.firstVector = {std::min(shape.firstVector.x, point.x), 0.0f,
                                 std::min(shape.firstVector.z, point.z)};
            shape.secondVector = {std::max(shape.secondVector.x, point.x), 0.0f,
                                  std::max(shape.secondVector.z, point.z)};
        }
        polyline.pointCount = static_cast<uint32_t>(polyline.points.size());
        shape.polylines.push_back(std::move(polyline));
    }
    shape.polylineCount = static_cast<uint32_t>(shape.polylines.size());
    scene_.shapes.push_back(std::move(shape));
}

int Compiler::MaterialIndex(const SourceExtrusion& extrusion) {
    const std::string name = extrusion.material.empty() ? kDefaultMaterialName : extrusion.material;
    const auto found = materialIndex_.find(name);
    if (found != materialIndex_.end())
        return found->second;
    if (!extrusion.material.empty()) {
        Error(extrusion.materialLine, "unknown material " + Quote(name));
        return -1;
    }
    if (scene_.materials.size() >= kMaxRecords8) {
        Error(0, "no room for the default material after 255 materials");
        return -1;
    }
    Material material;
    material.name = kDefaultMaterialName;
    material.nameHash = NameHash(material.name);
    for (int i = 0; i < 3; ++i)
        material.colour[i] = material.secondColour[i] = kDefaultGrey;
    const int index = static_cast<int>(scene_.materials.size());
    materialIndex_[name] = index;
    materialSources_.push_back(nullptr);
    scene_.materials.push_back(std::move(material));
    return index;
}

// The game draws opaque meshes in file order. Nearest first lets the depth
// test turn away what lies behind them before it is textured, which is most
// of a backdrop. Transparent meshes, drawn after the opaque ones in an order
// of their own, follow in source order.
void Compiler::OrderMeshesFrontToBack() {
    auto transparent = [this](const Mesh& mesh) {
        return scene_.materials[mesh.materialIndex].mapSlot[MapSlotOpacity] != kNoMap;
    };
    auto nearDepth = [](const Mesh& mesh) {
        return std::min(mesh.boundingBox.a.y, mesh.boundingBox.b.y);
    };
    std::stable_sort(scene_.meshes.begin(), scene_.meshes.end(),
                     [&](const Mesh& first, const Mesh& second) {
                         const bool firstTransparent = transparent(first);
                         if (firstTransparent != transparent(second))
                             return !firstTransparent;
                         return !firstTransparent && nearDepth(first) < nearDepth(second);
                     });
}

void Compiler::AddMesh(const std::string& name, int line, const SourceExtrusion& extrusion,
                       const std::vector<SourceTriangle>& triangles) {
    const int materialIndex = MaterialIndex(extrusion);
    if (materialIndex < 0)
        return;
    MeshGeometry geometry;
    BuildExtrusionGeometry(extrusion, source_.file, geometry, diagnostics_);
    BuildTriangleGeometry(triangles, source_.file, geometry, diagnostics_);
    if (geometry.vertices.empty()) {
        Warning(line, Quote(name) + " gives no visible triangles");
        return;
    }
    if (geometry.vertices.size() > kMaxVertexCount) {
        Error(line, Quote(name) + " makes " + std::to_string(geometry.vertices.size()) +
                        " vertices, more than a mesh holds (1048576)");
        return;
    }
    const Material& material = scene_.materials[materialIndex];
    const SourceMaterial* materialSource = materialSources_[materialIndex];

    Mesh mesh;
    mesh.name = name;
    mesh.nameHash = NameHash(name);
    mesh.kindLetter = kGeneratedMeshKind;
    mesh.materialIndex = static_cast<uint8_t>(materialIndex);
    mesh.vertexCount = static_cast<uint32_t>(geometry.vertices.size());
    mesh.positions.reserve(geometry.vertices.size() * 3);
    mesh.normals.reserve(geometry.vertices.size() * 3);
    for (const GeometryVertex& vertex : geometry.vertices) {
        const Vector p = ToVector(vertex.position);
        const Vector n = ToVector(vertex.normal);
        mesh.positions.insert(mesh.positions.end(), {p.x, p.y, p.z});
        mesh.normals.insert(mesh.normals.end(), {n.x, n.y, n.z});
    }
    // Every channel a map of the material names gets coordinates.
    int channels = 1;
    for (const MaterialMap& map : material.maps)
        channels = std::max(channels, map.uvChannel + 1);
    for (int channel = 0; channel < channels; ++channel) {
        double scale = materialSource ? materialSource->uvScale : SourceMaterial().uvScale;
        if (materialSource && channel < static_cast<int>(materialSource->channelUvScale.size()) &&
            materialSource->channelUvScale[channel] > 0.0)
            scale = materialSource->channelUvScale[channel];
        UvChannel uv;
        uv.coordinates = UvCoordinates(geometry, scale);
        mesh.uvChannels.push_back(std::move(uv));
    }
    mesh.uvChannelCount = static_cast<uint8_t>(channels);

    const GeometryBounds bounds = ComputeBounds(geometry);
    mesh.boundingBox = Box(ToVector(bounds.min), ToVector(bounds.max));
    mesh.boundingSphere = Sphere(ToVector(bounds.centre), static_cast<float>(bounds.radius));
    scene_.meshes.push_back(std::move(mesh));
}

}  // namespace

std::string ScrollingMaterialName(char axis, float speed, const std::string& name) {
    char digits[64];
    const std::to_chars_result result = std::to_chars(digits, digits + sizeof digits, speed);
    std::string text = std::string("MOV") + axis + "--" + std::string(digits, result.ptr);
    if (!name.empty())
        text += " " + name;
    return text;
}

bool CompileLevel(const LevelSource& source, Scene& scene, Diagnostics& diagnostics) {
    const int errorsBefore = diagnostics.ErrorCount();
    Compiler compiler(source, scene, diagnostics);
    compiler.Run();
    if (diagnostics.ErrorCount() != errorsBefore)
        return false;
    scene.BuildTransparentList();
    return true;
}

bool BuildLevelFile(const std::string& sourcePath, const std::string& outPath,
                    Diagnostics& diagnostics) {
    LevelSource source;
    if (!ReadLevelSourceFile(sourcePath, source, diagnostics))
        return false;
    Scene scene;
    if (!CompileLevel(source, scene, diagnostics))
        return false;
    std::vector<uint8_t> bytes;
    std::string error;
    if (!EncodeScene(scene, bytes, &error)) {
        diagnostics.Error(sourcePath, 0, "cannot encode the scene: " + error);
        return false;
    }
    // Written beside the target and checked there, then moved over it.
    const std::string temporary = outPath + ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::remove(temporary.c_str());
            diagnostics.Error(outPath, 0, "cannot write the scene file");
            return false;
        }
    }
    Scene check;
    const int result = check.Load(temporary);
    if (result != LoadOk) {
        std::remove(temporary.c_str());
        diagnostics.Error(outPath, 0,
                          "the written scene does not load back (result " + std::to_string(result) +
                              " " + LoadResultName(result) + ")");
        return false;
    }
    if (std::rename(temporary.c_str(), outPath.c_str()) != 0) {
        std::remove(temporary.c_str());
        diagnostics.Error(outPath, 0, "cannot replace the scene file");
        return false;
    }
    return true;
}
