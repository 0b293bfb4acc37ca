#pragma once
// A level seen from the camera's side as one picture, for designers: the
// collision outlines (deadly ones in their own colour), the start points,
// end zones and checkpoints, the reach of the magnets, black holes and sound
// areas, a 100-unit grid with the size of one screen, and optionally the
// path of the ball from a quarn-sim trace.

#include <string>
#include <vector>

#include "core/vector.h"

class Scene;

// One screen of the play plane seen from the camera: its 45-degree view from
// 700 units away on a 4:3 window, in level units.
constexpr double kScreenHeightUnits = 2.0 * 700.0 * 0.41421356;
constexpr double kScreenWidthUnits = kScreenHeightUnits * 4.0 / 3.0;

struct OverviewOptions {
    double pixelsPerUnit = 0.0;  // 0: fit the level into maxSide pixels
    int maxSide = 1600;
    float magnetRadius = 100.0f;
    float blackHoleRadius = 100.0f;
    std::string fontFile;  // empty: no labels
};

// One level's run from a trace: the ball's positions and the points where
// the hook caught, in order.
struct OverviewPath {
    std::vector<Vector2> ball;
    std::vector<Vector2> catches;
};

// Reads the steps of the first level of a quarn-sim trace (up to its second
// "load" line). False when the text holds no step line.
bool ReadTracePath(const std::string& traceText, OverviewPath& path);

// Draws the scene (and the path when it holds points) and writes a PNG.
// False with `error` set when the picture cannot be written.
bool WriteOverview(const Scene& scene, const OverviewPath& path, const OverviewOptions& options,
                   const std::string& pngPath, std::string& error);
