#pragma once
// A level as its designer writes it: a line-based text source read into plain
// records, before any mesh is generated. Coordinates are level units in the
// play plane (x right, y up) plus an optional depth away from the camera; the
// compiler maps plane (x, y) and depth d to scene (x, d, y).

#include <cstdint>
#include <string>
#include <vector>

// One message about a source line, printed as "FILE:LINE: text" (errors) or
// "FILE:LINE: warning: text".
struct Diagnostic {
    std::string file;
    int line = 0;  // 0 when the message is about the file as a whole
    bool warning = false;
    std::string message;

    std::string Text() const;
};

struct Diagnostics {
    std::vector<Diagnostic> messages;

    void Error(const std::string& file, int line, const std::string& message);
    void Warning(const std::string& file, int line, const std::string& message);
    bool HasErrors() const;
    int ErrorCount() const;
};

struct SourcePoint2 {
    double x = 0.0;
    double y = 0.0;
};

// A point with its depth: scene (x, depth, y).
struct SourcePoint3 {
    double x = 0.0;
    double y = 0.0;
    double depth = 0.0;
};

struct SourceMap {
    int slot = 0;  // material map slot 0 to 5
    std::string file;
    int uvChannel = 0;
    int line = 0;
};

struct SourceMaterial {
    std::string name;
    int line = 0;
    uint8_t colour[3] = {255, 255, 255};
    bool hasSecondColour = false;
    uint8_t secondColour[3] = {255, 255, 255};
    bool twoSided = false;
    std::vector<SourceMap> maps;  // in source order
    char scrollAxis = 0;          // 'X', 'Y' or 0
    float scrollSpeed = 0.0f;
    double uvScale = 128.0;              // level units per texture repeat
    std::vector<double> channelUvScale;  // per channel; 0 means uvScale
};

struct SourceLight {
    std::string name;
    int line = 0;
    bool omni = true;
    SourcePoint3 position;  // omni: position; directional: direction
    bool hasPosition = false;
    uint8_t colour[3] = {255, 255, 255};
    int intensity = 100;  // percent, 0 to 255
    double attenuationStart = 1000000.0;
    double attenuationEnd = 2000000.0;
};

enum class PolylineKind {
    Solid,  // closed and filled: a front cap and outer walls
    Loop,   // closed, drawn as a band along the line
    Line,   // open, drawn as a band along the line
};

struct SourcePolyline {
    PolylineKind kind = PolylineKind::Line;
    int line = 0;
    std::vector<SourcePoint2> points;

    bool Closed() const { return kind != PolylineKind::Line; }
};

struct SourceTriangle {
    SourcePoint3 corners[3];
    bool hasUv = false;
    double uv[3][2] = {{0, 0}, {0, 0}, {0, 0}};
    int line = 0;
};

constexpr double kDefaultWallDepth = 100.0;
constexpr double kDefaultBandThickness = 6.0;

// Geometry settings shared by outlines and decoration meshes.
struct SourceExtrusion {
    std::string material;  // empty: the default material
    int materialLine = 0;
    double depth = kDefaultWallDepth;
    double offset = 0.0;  // depth of the middle of the walls
    double thickness = kDefaultBandThickness;
    std::vector<SourcePolyline> polylines;
};

struct SourceOutline {
    std::string name;
    int line = 0;
    bool hidden = false;  // collision only, no mesh
    SourceExtrusion extrusion;
};

struct SourceMesh {
    std::string name;
    int line = 0;
    SourceExtrusion extrusion;
    std::vector<SourceTriangle> triangles;
};

enum class PrimitiveKind { Point, Box, Cube, Cylinder, Sphere };

struct SourcePrimitive {
    std::string name;
    int line = 0;
    PrimitiveKind kind = PrimitiveKind::Point;
    double x = 0.0, y = 0.0;    // point, centre or first corner
    double x2 = 0.0, y2 = 0.0;  // box: second corner
    double size = 0.0;          // cube: edge; cylinder, sphere: radius
    double depth = 0.0;         // point: depth; box: extent; cylinder: height
};

constexpr double kDefaultBoxDepth = 100.0;
constexpr double kDefaultCylinderHeight = 100.0;

struct LevelSource {
    std::string file;  // the name messages give
    std::vector<SourceMaterial> materials;
    std::vector<SourceLight> lights;
    std::vector<SourcePrimitive> primitives;
    std::vector<SourceOutline> outlines;
    std::vector<SourceMesh> meshes;
};

// Reads a level source text. Every problem is added to diagnostics with its
// line; the result is false when any of them is an error.
bool ParseLevelSource(const std::string& text, const std::string& fileName, LevelSource& source,
                      Diagnostics& diagnostics);
// Reads the file, then parses it as above.
bool ReadLevelSourceFile(const std::string& path, LevelSource& source, Diagnostics& diagnostics);
