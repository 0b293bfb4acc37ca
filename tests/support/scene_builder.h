#pragma once
// Builders of in-memory scene records for tests. Each fills the counts and
// name hashes the way Scene::Load does, so a record written with
// WriteSceneFile and loaded back compares equal to the one built here.

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "scene/scene.h"

// One map per set bit among bits 0 to 5, named "<material>_<slot>.png", on UV
// channel 0.
Material MakeMaterial(const std::string& name, uint8_t mapFlags = 0);
Light MakeOmniLight(const std::string& name, Vector position, float attenuationStart,
                    float attenuationEnd);
Light MakeDirectionalLight(const std::string& name, Vector direction);
PrimitiveEntry MakePrimitive(const std::string& name, std::unique_ptr<DHelper> object);
Polyline MakePolyline(bool closed, std::vector<Vector> points);
Shape MakeShape(const std::string& name, std::vector<Polyline> polylines);
// `triangleCount` triangles of made-up data in a box from `low` to `low` + 10
// on each axis, with `uvChannels` channels of coordinates.
Mesh MakeMesh(const std::string& name, uint8_t materialIndex, uint32_t triangleCount,
              uint8_t uvChannels = 0, Vector low = {0, 0, 0});

// Writes the scene to `path` and fails the current test when it cannot.
void WriteSceneOrFail(const Scene& scene, const std::string& path);
// The scene file bytes of `scene`; fails the current test when it cannot be encoded.
std::vector<uint8_t> EncodeSceneOrFail(const Scene& scene);

// Field-by-field comparison of the file-held records of two scenes (the five
// lists with every stored and derived field, and the transparent list);
// reports each difference as a test failure.
void ExpectScenesEqual(const Scene& expected, const Scene& actual);

// Writes `built` to `path` with the scene writer and loads it into `into`, as
// the game loads a level file; returns the load result code (LoadOk = 1).
int WriteAndLoadScene(const Scene& built, const std::string& path, Scene& into);

// Builds small levels in memory: collision outlines given by plane points
// (x, z) at scene y = 0, and named primitives, appended to a scene's lists.
//
//   Scene scene;
//   SceneBuilder(scene)
//       .AddOutline("floor").AddPolyline({{-100, 0}, {100, 0}})
//       .AddOutline("DEATH").AddPolyline({{0, -50}, {50, -50}, {50, -80}}, true)
//       .AddCylinder("END2", {200, 0, 0}, 10, 30);
class SceneBuilder {
public:
    explicit SceneBuilder(Scene& scene) : scene_(scene) {}

    // Starts a new outline; the following AddPolyline calls add to it.
    SceneBuilder& AddOutline(const std::string& name);
    // A polyline of plane points (x, z) on the current outline.
    SceneBuilder& AddPolyline(std::initializer_list<Vector2> planePoints, bool closed = false);

    SceneBuilder& AddBox(const std::string& name, Vector cornerA, Vector cornerB);
    SceneBuilder& AddCube(const std::string& name, Vector centre, float halfSize);
    SceneBuilder& AddCylinder(const std::string& name, Vector endCentre, float height,
                              float radius);
    SceneBuilder& AddPoint(const std::string& name, Vector position);
    SceneBuilder& AddSphere(const std::string& name, Vector centre, float radius);

private:
    Scene& scene_;
};
