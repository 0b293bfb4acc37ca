#pragma once
// A scene's records as readable text, one line per record and one indented
// line per map, polyline point and mesh vertex: what `quarn-scene dump`
// prints. Floats are written with nine significant digits, so every value
// reads back exactly; names are quoted, other bytes than printable ASCII as
// \xNN.

#include <string>

class Scene;

struct SceneTextOptions {
    bool points = true;    // one line per polyline point
    bool vertices = true;  // one line per mesh vertex
};

std::string DescribeScene(const Scene& scene, const SceneTextOptions& options = {});
