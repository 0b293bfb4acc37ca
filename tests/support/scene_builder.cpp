#include "support/scene_builder.h"

#include <gtest/gtest.h>

#include "levelc/scene_writer.h"

Material MakeMaterial(const std::string& name, uint8_t mapFlags) {
    Material material;
    material.name = name;
    material.nameHash = NameHash(name);
    material.colour[0] = 200;
    material.colour[1] = 100;
    material.colour[2] = 50;
    material.mapFlags = mapFlags;
    uint8_t next = 0;
    for (int slot = 0; slot < kMapSlotCount; ++slot) {
        if (!(mapFlags & (1u << slot)))
            continue;
        material.mapSlot[slot] = next++;
        MaterialMap map;
        map.name = name + "_" + std::to_string(slot) + ".png";
        map.nameHash = NameHash(map.name);
        material.maps.push_back(map);
    }
    return material;
}

Light MakeOmniLight(const std::string& name, Vector position, float attenuationStart,
                    float attenuationEnd) {
    Light light;
    light.name = name;
    light.nameHash = NameHash(name);
    light.kind = 'O';
    light.position = position;
    light.attenuationStart = attenuationStart;
    light.attenuationEnd = attenuationEnd;
    light.intensity = 100 * 0.01f;
    light.colour[0] = 255 * 0.003921569f;
    light.colour[1] = 128 * 0.003921569f;
    light.colour[2] = 0.0f;
    return light;
}

Light MakeDirectionalLight(const std::string& name, Vector direction) {
    Light light;
    light.name = name;
    light.nameHash = NameHash(name);
    light.kind = 'D';
    light.position = direction;
    light.intensity = 50 * 0.01f;
    light.colour[0] = light.colour[1] = light.colour[2] = 255 * 0.003921569f;
    return light;
}

PrimitiveEntry MakePrimitive(const std::string& name, std::unique_ptr<DHelper> object) {
    PrimitiveEntry entry;
    entry.typeCode = static_cast<uint8_t>(object->TypeCode());
    entry.object = std::move(object);
    entry.name = name;
    entry.nameHash = NameHash(name);
    return entry;
}

Polyline MakePolyline(bool closed, std::vector<Vector> points) {
    Polyline polyline;
    polyline.closed = closed ? 1 : 0;
    polyline.pointCount = static_cast<uint32_t>(points.size());
    polyline.points = std::move(points);
    return polyline;
}

Shape MakeShape(const std::string& name, std::vector<Polyline> polylines) {
    Shape shape;
    shape.name = name;
    shape.nameHash = NameHash(name);
    shape.firstVector = {1, 2, 3};
    shape.secondVector = {-4, -5, -6};
    shape.polylineCount = static_cast<uint32_t>(polylines.size());
    shape.polylines = std::move(polylines);
    return shape;
}

Mesh MakeMesh(const std::string& name, uint8_t materialIndex, uint32_t triangleCount,
              uint8_t uvChannels, Vector low) {
    Mesh mesh;
    mesh.name = name;
    mesh.nameHash = NameHash(name);
    mesh.kindLetter = 'M';
    mesh.materialIndex = materialIndex;
    mesh.boundingBox = Box(low, Vector{low.x + 10, low.y + 10, low.z + 10});
    mesh.boundingSphere = Sphere(Vector{low.x + 5, low.y + 5, low.z + 5}, 8.66f);
    mesh.vertexCount = triangleCount * 3;
    for (uint32_t v = 0; v < mesh.vertexCount; ++v) {
        const float f = static_cast<float>(v);
        mesh.positions.insert(mesh.positions.end(),
                              {low.x + f * 0.25f, low.y + 10 - f * 0.125f, low.z + (v % 3) * 5.0f});
        mesh.normals.insert(mesh.normals.end(), {0.0f, (v % 2) ? 1.0f : -1.0f, 0.0f});
    }
    mesh.uvChannelCount = uvChannels;
    mesh.uvChannels.resize(uvChannels);
    for (uint8_t c = 0; c < uvChannels; ++c) {
        for (uint32_t v = 0; v < mesh.vertexCount; ++v)
            mesh.uvChannels[c].coordinates.insert(mesh.uvChannels[c].coordinates.end(),
                                                  {v * 0.5f + c, 1.0f - v * 0.25f});
    }
    return mesh;
}

void WriteSceneOrFail(const Scene& scene, const std::string& path) {
    std::string error;
    const bool written = WriteSceneFile(scene, path, &error);
    EXPECT_TRUE(written) << error;
}

std::vector<uint8_t> EncodeSceneOrFail(const Scene& scene) {
    std::vector<uint8_t> bytes;
    std::string error;
    const bool encoded = EncodeScene(scene, bytes, &error);
    EXPECT_TRUE(encoded) << error;
    return bytes;
}

namespace {

void ExpectVectorEq(const Vector& e, const Vector& a, const std::string& what) {
    EXPECT_EQ(e.x, a.x) << what;
    EXPECT_EQ(e.y, a.y) << what;
    EXPECT_EQ(e.z, a.z) << what;
}

void ExpectMaterialEq(const Material& e, const Material& a, const std::string& what) {
    EXPECT_EQ(e.name, a.name) << what;
    EXPECT_EQ(e.nameHash, a.nameHash) << what;
    EXPECT_EQ(e.scrollSpeed, a.scrollSpeed) << what;
    EXPECT_EQ(e.scrollOffset, a.scrollOffset) << what;
    EXPECT_EQ(e.scrollAxis, a.scrollAxis) << what;
    for (int i = 0; i < kMapSlotCount; ++i)
        EXPECT_EQ(e.mapSlot[i], a.mapSlot[i]) << what << " slot " << i;
    EXPECT_EQ(e.twoSided, a.twoSided) << what;
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(e.colour[i], a.colour[i]) << what;
        EXPECT_EQ(e.secondColour[i], a.secondColour[i]) << what;
    }
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(e.fileBytes[i], a.fileBytes[i]) << what;
    EXPECT_EQ(e.mapFlags, a.mapFlags) << what;
    ASSERT_EQ(e.maps.size(), a.maps.size()) << what;
    for (size_t i = 0; i < e.maps.size(); ++i) {
        const std::string map = what + " map " + std::to_string(i);
        EXPECT_EQ(e.maps[i].name, a.maps[i].name) << map;
        EXPECT_EQ(e.maps[i].nameHash, a.maps[i].nameHash) << map;
        EXPECT_EQ(e.maps[i].uvChannel, a.maps[i].uvChannel) << map;
        EXPECT_EQ(e.maps[i].fileByte, a.maps[i].fileByte) << map;
        EXPECT_EQ(e.maps[i].texture, a.maps[i].texture) << map;
    }
}

void ExpectLightEq(const Light& e, const Light& a, const std::string& what) {
    EXPECT_EQ(e.name, a.name) << what;
    EXPECT_EQ(e.nameHash, a.nameHash) << what;
    EXPECT_EQ(e.kind, a.kind) << what;
    ExpectVectorEq(e.position, a.position, what);
    EXPECT_EQ(e.intensity, a.intensity) << what;
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(e.colour[i], a.colour[i]) << what;
    if (e.IsOmni()) {
        EXPECT_EQ(e.attenuationStart, a.attenuationStart) << what;
        EXPECT_EQ(e.attenuationEnd, a.attenuationEnd) << what;
        EXPECT_EQ(e.fileFloat, a.fileFloat) << what;
        EXPECT_EQ(e.fileBytes[0], a.fileBytes[0]) << what;
        EXPECT_EQ(e.fileBytes[1], a.fileBytes[1]) << what;
    }
}

void ExpectPrimitiveEq(const PrimitiveEntry& e, const PrimitiveEntry& a, const std::string& what) {
    EXPECT_EQ(e.name, a.name) << what;
    EXPECT_EQ(e.nameHash, a.nameHash) << what;
    EXPECT_EQ(e.typeCode, a.typeCode) << what;
    ASSERT_TRUE(e.object && a.object) << what;
    ASSERT_EQ(e.object->TypeCode(), a.object->TypeCode()) << what;
    if (const auto* box = dynamic_cast<const Box*>(e.object.get())) {
        const auto& other = static_cast<const Box&>(*a.object);
        ExpectVectorEq(box->a, other.a, what);
        ExpectVectorEq(box->b, other.b, what);
    } else if (const auto* cylinder = dynamic_cast<const Cylinder*>(e.object.get())) {
        const auto& other = static_cast<const Cylinder&>(*a.object);
        ExpectVectorEq(cylinder->centre, other.centre, what);
        EXPECT_EQ(cylinder->height, other.height) << what;
        EXPECT_EQ(cylinder->radius, other.radius) << what;
    } else if (const auto* cube = dynamic_cast<const Cube*>(e.object.get())) {
        const auto& other = static_cast<const Cube&>(*a.object);
        ExpectVectorEq(cube->centre, other.centre, what);
        EXPECT_EQ(cube->halfSize, other.halfSize) << what;
    } else if (const auto* point = dynamic_cast<const Point*>(e.object.get())) {
        ExpectVectorEq(point->position, static_cast<const Point&>(*a.object).position, what);
    } else if (const auto* sphere = dynamic_cast<const Sphere*>(e.object.get())) {
        const auto& other = static_cast<const Sphere&>(*a.object);
        ExpectVectorEq(sphere->centre, other.centre, what);
        EXPECT_EQ(sphere->radius, other.radius) << what;
    } else {
        ADD_FAILURE() << what << ": no comparable primitive";
    }
}

void ExpectShapeEq(const Shape& e, const Shape& a, const std::string& what) {
    EXPECT_EQ(e.name, a.name) << what;
    EXPECT_EQ(e.nameHash, a.nameHash) << what;
    ExpectVectorEq(e.firstVector, a.firstVector, what);
    ExpectVectorEq(e.secondVector, a.secondVector, what);
    EXPECT_EQ(e.polylineCount, a.polylineCount) << what;
    ASSERT_EQ(e.polylines.size(), a.polylines.size()) << what;
    for (size_t i = 0; i < e.polylines.size(); ++i) {
        const std::string line = what + " polyline " + std::to_string(i);
        EXPECT_EQ(e.polylines[i].closed, a.polylines[i].closed) << line;
        EXPECT_EQ(e.polylines[i].pointCount, a.polylines[i].pointCount) << line;
        ASSERT_EQ(e.polylines[i].points.size(), a.polylines[i].points.size()) << line;
        for (size_t p = 0; p < e.polylines[i].points.size(); ++p)
            ExpectVectorEq(e.polylines[i].points[p], a.polylines[i].points[p], line);
    }
}

void ExpectMeshEq(const Mesh& e, const Mesh& a, const std::string& what) {
    EXPECT_EQ(e.name, a.name) << what;
    EXPECT_EQ(e.nameHash, a.nameHash) << what;
    EXPECT_EQ(e.kindLetter, a.kindLetter) << what;
    EXPECT_EQ(e.fileBytes[0], a.fileBytes[0]) << what;
    EXPECT_EQ(e.fileBytes[1], a.fileBytes[1]) << what;
    EXPECT_EQ(e.fileByte, a.fileByte) << what;
    EXPECT_EQ(e.materialIndex, a.materialIndex) << what;
    ExpectVectorEq(e.boundingBox.a, a.boundingBox.a, what);
    ExpectVectorEq(e.boundingBox.b, a.boundingBox.b, what);
    ExpectVectorEq(e.boundingSphere.centre, a.boundingSphere.centre, what);
    EXPECT_EQ(e.boundingSphere.radius, a.boundingSphere.radius) << what;
    EXPECT_EQ(e.vertexCount, a.vertexCount) << what;
    EXPECT_EQ(e.uvChannelCount, a.uvChannelCount) << what;
    EXPECT_EQ(e.transparent, a.transparent) << what;
    EXPECT_EQ(e.positions, a.positions) << what;
    EXPECT_EQ(e.normals, a.normals) << what;
    ASSERT_EQ(e.uvChannels.size(), a.uvChannels.size()) << what;
    for (size_t c = 0; c < e.uvChannels.size(); ++c)
        EXPECT_EQ(e.uvChannels[c].coordinates, a.uvChannels[c].coordinates) << what;
}

template <typename Record, typename Compare>
void ExpectListEq(const std::vector<Record>& e, const std::vector<Record>& a, const char* kind,
                  Compare compare) {
    ASSERT_EQ(e.size(), a.size()) << kind << " count";
    for (size_t i = 0; i < e.size(); ++i)
        compare(e[i], a[i], std::string(kind) + " " + std::to_string(i));
}

}  // namespace

void ExpectScenesEqual(const Scene& expected, const Scene& actual) {
    ExpectListEq(expected.materials, actual.materials, "material", ExpectMaterialEq);
    ExpectListEq(expected.lights, actual.lights, "light", ExpectLightEq);
    ExpectListEq(expected.primitives, actual.primitives, "primitive", ExpectPrimitiveEq);
    ExpectListEq(expected.shapes, actual.shapes, "shape", ExpectShapeEq);
    ExpectListEq(expected.meshes, actual.meshes, "mesh", ExpectMeshEq);
    ASSERT_EQ(expected.transparentList.size(), actual.transparentList.size());
    for (size_t i = 0; i < expected.transparentList.size(); ++i) {
        EXPECT_EQ(expected.transparentList[i].meshIndex, actual.transparentList[i].meshIndex);
        EXPECT_EQ(expected.transparentList[i].key, actual.transparentList[i].key);
    }
}

int WriteAndLoadScene(const Scene& built, const std::string& path, Scene& into) {
    WriteSceneOrFail(built, path);
    return into.Load(path);
}

SceneBuilder& SceneBuilder::AddOutline(const std::string& name) {
    scene_.shapes.push_back(MakeShape(name, {}));
    return *this;
}

SceneBuilder& SceneBuilder::AddPolyline(std::initializer_list<Vector2> planePoints, bool closed) {
    if (scene_.shapes.empty())
        AddOutline("outline");
    std::vector<Vector> points;
    for (const Vector2& p : planePoints)
        points.push_back({static_cast<float>(p.x), 0.0f, static_cast<float>(p.y)});
    Shape& shape = scene_.shapes.back();
    shape.polylines.push_back(MakePolyline(closed, std::move(points)));
    shape.polylineCount = static_cast<uint32_t>(shape.polylines.size());
    return *this;
}

SceneBuilder& SceneBuilder::AddBox(const std::string& name, Vector cornerA, Vector cornerB) {
    scene_.primitives.push_back(MakePrimitive(name, std::make_unique<Box>(cornerA, cornerB)));
    return *this;
}

SceneBuilder& SceneBuilder::AddCube(const std::string& name, Vector centre, float halfSize) {
    scene_.primitives.push_back(MakePrimitive(name, std::make_unique<Cube>(centre, halfSize)));
    return *this;
}

SceneBuilder& SceneBuilder::AddCylinder(const std::string& name, Vector endCentre, float height,
                                        float radius) {
    scene_.primitives.push_back(
        MakePrimitive(name, std::make_unique<Cylinder>(endCentre, height, radius)));
    return *this;
}

SceneBuilder& SceneBuilder::AddPoint(const std::string& name, Vector position) {
    scene_.primitives.push_back(MakePrimitive(name, std::make_unique<Point>(position)));
    return *this;
}

SceneBuilder& SceneBuilder::AddSphere(const std::string& name, Vector centre, float radius) {
    scene_.primitives.push_back(MakePrimitive(name, std::make_unique<Sphere>(centre, radius)));
    return *this;
}
