#pragma once
// The binary scene file: magic, limits, and the result codes of Scene::Load.
// docs/scene-format.md describes the byte layout.

#include <cstddef>
#include <cstdint>

constexpr char kSceneMagic[3] = {'D', 'M', 'E'};
constexpr char kSceneVersion = 'd';
constexpr size_t kSceneHeaderSize = 18;
// Largest polyline count of a shape, point count of a polyline and vertex
// count of a mesh; the limit itself is accepted.
constexpr uint32_t kSceneMaxCount = 0x100000;

// Type letters of primitive records.
constexpr uint8_t kLetterBox = 'B';
constexpr uint8_t kLetterCylinder = 'C';
constexpr uint8_t kLetterCube = 'D';
constexpr uint8_t kLetterPoint = 'P';
constexpr uint8_t kLetterSphere = 'S';

// Light kind byte of an omni light; every other value is directional.
constexpr uint8_t kLightOmni = 'O';

// Bits 0 to 5 of a material's map flags announce a map for that slot.
constexpr uint8_t kMapFlagSlotMask = 0x3F;

enum SceneLoadResult : int {
    LoadOk = 1,
    LoadCannotOpen = 2,        // the file cannot be opened (or is a folder)
    LoadCannotClose = 3,       // every record was read, but closing failed
    LoadBadMagic = 4,          // the first three bytes are not "DME"
    LoadBadVersion = 5,        // the fourth byte is not 'd'
    LoadTooLarge = 6,          // a polyline, point or vertex count above kSceneMaxCount
    LoadTruncated = 7,         // the file ends inside a record, or a count needs more
                               // bytes than the file has left
    LoadBadPrimitive = 8,      // a primitive type letter other than B, C, D, P, S
    LoadBadMaterialIndex = 9,  // a mesh names a material the scene does not have
    LoadBadUvChannel = 10,     // a map the mesh's material is drawn with names a UV
                               // channel the mesh does not have
    LoadBadVertexCount = 11,   // a mesh vertex count that is not a multiple of 3
    LoadBadNumber = 12,        // a NaN or infinite position, size or radius (normals
                               // and texture coordinates load, drawn as zero)
};

// "LoadOk", "LoadTruncated" ...; "LoadUnknown" for any other value.
const char* LoadResultName(int code);

// Whether the renderer reads a mesh texture-coordinate channel for the map of
// `slot` of a material with these map flags: 1 draws the base map, 5 the base
// and overlay maps, 8 the opacity map, 9 the opacity and base maps. The
// reflection map of 32 is sphere-mapped and every other value is drawn
// untextured, so their channel bytes are never used.
bool MapFlagsReadUvChannel(uint8_t mapFlags, int slot);
