#pragma once
// Builders of in-memory scene records for tests. Each fills the counts and
// name hashes the way Scene::Load does, so a record written with
// WriteSceneFile and loaded back compares equal to the one built here.

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
