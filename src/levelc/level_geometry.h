#pragma once
// Mesh geometry generated from a level source: walls extruded from outlines
// along the depth axis, front caps of filled outlines, bands along open lines
// and closed loops, and the designer's own triangles. Everything is in scene
// coordinates: plane (x, y) at depth d is scene (x, d, y), and the camera
// looks from -y, so fronts face -y.

#include <vector>

#include "core/vector.h"
#include "levelc/level_source.h"

struct GeometryVertex {
    Vector3d position;
    Vector3d normal;  // unit length
    // Texture coordinates in level units (divided by the channel's scale), or
    // the designer's own (used as they are) when explicitUv is set.
    double s = 0.0;
    double t = 0.0;
    bool explicitUv = false;
};

// A triangle list: every three vertices are one triangle, wound
// counter-clockwise seen from the side its normal points to.
struct MeshGeometry {
    std::vector<GeometryVertex> vertices;
};

struct GeometryBounds {
    Vector3d min{0, 0, 0};
    Vector3d max{0, 0, 0};
    Vector3d centre{0, 0, 0};
    double radius = 0.0;
};

// Ear clipping of a simple polygon given in either winding. Appends index
// triples wound counter-clockwise in the plane. False when no ear can be
// found (a self-intersecting polygon); the triples found so far stay.
bool TriangulatePolygon(const std::vector<SourcePoint2>& polygon, std::vector<int>& triangles);

// Signed area of a polygon: positive when it runs counter-clockwise.
double SignedArea(const std::vector<SourcePoint2>& polygon);

// Appends the geometry of every polyline of an outline or mesh block.
// Problems that do not stop compiling (a self-intersecting filled outline)
// become warnings.
void BuildExtrusionGeometry(const SourceExtrusion& extrusion, const std::string& file,
                            MeshGeometry& geometry, Diagnostics& diagnostics);

// Appends the designer's triangles with their own winding and flat normals;
// degenerate ones are dropped with a warning.
void BuildTriangleGeometry(const std::vector<SourceTriangle>& triangles, const std::string& file,
                           MeshGeometry& geometry, Diagnostics& diagnostics);

GeometryBounds ComputeBounds(const MeshGeometry& geometry);

// One UV channel: (s, t) / scale per vertex, or the explicit coordinates.
std::vector<float> UvCoordinates(const MeshGeometry& geometry, double scale);
