#pragma once
// Writes a scene's records in the scene file layout (docs/scene-format.md),
// the inverse of Scene::Load. Counts come from the lists and arrays: the
// header counts from the five lists, a shape's polyline count from its
// polylines, a polyline's point count from its points, a mesh's vertex count
// from its positions and its channel count from its channels. Derived fields
// (name hashes, map slot indexes, scroll values, GL names, the transparent
// flag) are not stored.
//
// The writer encodes what it is given, also records that Scene::Load will
// refuse (a material index beyond the list, a vertex count that is no
// multiple of 3, counts over the limit), so tests can build damaged files. It
// fails only when the layout cannot hold the scene.

#include <cstdint>
#include <string>
#include <vector>

class Scene;

// Appends the encoded scene to `bytes`. On failure returns false and, when
// `error` is given, says which record could not be encoded.
bool EncodeScene(const Scene& scene, std::vector<uint8_t>& bytes, std::string* error = nullptr);

// Encodes the scene and writes it to `path` through a temporary file beside
// it, so an existing file is replaced only by a complete one.
bool WriteSceneFile(const Scene& scene, const std::string& path, std::string* error = nullptr);
