#pragma once
// Turns a parsed level source into scene records: materials, lights, named
// primitives, collision outlines and the meshes generated from outlines and
// decoration blocks, as a scene file would hold them.

#include <string>

#include "levelc/level_source.h"

class Scene;

// Appends the level's records to the scene (normally empty). Problems are
// added to diagnostics with their source lines; the result is false when any
// of them is an error, and the scene must then not be used.
bool CompileLevel(const LevelSource& source, Scene& scene, Diagnostics& diagnostics);

// Reads the level source at sourcePath, compiles it and writes the scene file
// outPath, loading it back to check it. An existing outPath is replaced only
// by a file that loads; on any error nothing is written.
bool BuildLevelFile(const std::string& sourcePath, const std::string& outPath,
                    Diagnostics& diagnostics);

// The material name the scene reader takes as scrolling along axis ('X' or
// 'Y') at speed: "MOVX--0.5", followed by a blank and the designer's name
// when there is one.
std::string ScrollingMaterialName(char axis, float speed, const std::string& name);

// Name of the material outlines and meshes without a 'material' line use.
constexpr const char* kDefaultMaterialName = "default";
