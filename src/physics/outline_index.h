#pragma once
// A uniform grid over the collision outlines of a scene: every edge and every
// point, numbered in scene order (outline, polyline, edge or point
// ascending). A query returns the numbers of the elements near a box in that
// same order, so a scan over them meets the candidates in the order a scan
// over the whole scene would.
//
// The grid holds copies of the plane points. It is out of date once the
// outlines are reloaded or cleared, or their list changes size; a caller that
// edits outlines in place must call Build again.

#include <cstdint>
#include <string>
#include <vector>

#include "core/outline.h"
#include "core/vector.h"

struct OutlineBox {
    double minX, minY, maxX, maxY;

    bool Overlaps(const OutlineBox& other) const {
        return minX <= other.maxX && other.minX <= maxX && minY <= other.maxY && other.minY <= maxY;
    }
};

// The boxes a candidate must meet for the tests of the physics step to be
// able to succeed, padded well beyond the rounding of those tests.
// The ball meets an edge only within reach of its centre.
OutlineBox BallReachBox(const Vector2& centre, double reach);
// The hook's path this step crosses an edge only inside the path's box.
OutlineBox SegmentBox(const Vector2& p0, const Vector2& p1);
// The angle-sum test accepts points a little outside the triangle (its
// tolerance is 0.001 rad); the padding grows with the triangle.
OutlineBox TriangleBox(const Vector2& a, const Vector2& b, const Vector2& c);

struct OutlineEdge {
    int32_t outline, polyline, edge;
    bool deadly;
    Vector2 a, b;
};

struct OutlinePoint {
    int32_t outline, polyline, point;
    Vector2 position;
};

class OutlineIndex {
public:
    void Build(const OutlineView& outlines);
    void Clear();
    // Whether the index was built from these outlines as they are now.
    bool Matches(const OutlineView& outlines) const;

    // The numbers of the edges (points) whose box meets `box`, ascending.
    // Returns nullptr when the grid cannot answer more cheaply than a whole
    // scan (a box that is not finite or covers much of the level); the
    // caller then scans every outline. The answer lives in a list the next
    // query reuses: the queries change nothing else, so read-only callers
    // (a prediction beside the live step) may ask between steps.
    const std::vector<uint32_t>* EdgesNear(const OutlineBox& box) const;
    const std::vector<uint32_t>* PointsNear(const OutlineBox& box) const;
    // Adds the number of the scene point (outline, polyline, point) to the
    // last PointsNear result, keeping it ascending; ignored when there is no
    // such point.
    void AddPoint(int32_t outline, int32_t polyline, int32_t point) const;

    const OutlineEdge& Edge(uint32_t i) const { return edges_[i]; }
    const OutlinePoint& Point(uint32_t i) const { return points_[i]; }
    size_t EdgeCount() const { return edges_.size(); }
    size_t PointCount() const { return points_.size(); }
    double CellSize() const { return cellSize_; }
    // Queries answered from the grid since the last Build, rather than
    // handed back for a whole scan.
    size_t AnsweredQueries() const { return answered_; }

private:
    struct CellRange {
        int32_t x0, y0, x1, y1;
    };
    // Cell c holds items[start[c] .. start[c + 1]), ascending.
    struct CellItems {
        std::vector<uint32_t> start, items;
    };
    struct ElementTotals {
        bool finite = true;  // every point has finite coordinates
        double edgeLength = 0.0;
    };

    // Numbers every edge and point in scene order.
    ElementTotals NumberElements(const std::vector<Shape>& shapes);
    // What Matches compares later.
    void RememberSource(const OutlineView& outlines);
    // The grid's origin, cell size and extent over the numbered points.
    void LayOutGrid(double edgeLength);
    void FileEdges();
    void FilePoints();
    bool Cells(const OutlineBox& box, CellRange& range) const;
    int32_t CellX(double x) const;
    int32_t CellY(double y) const;
    size_t PointCell(const Vector2& point) const;
    // Calls visit(cell number) for every cell of the range, row by row.
    template <typename Visit>
    void ForEachCell(const CellRange& range, Visit visit) const;
    // Gathers into result_ the items of the cells `box` covers that `keep`
    // accepts; false when the grid cannot answer for the box.
    template <typename Keep>
    bool GatherFromCells(const OutlineBox& box, const CellItems& cells, Keep keep) const;

    std::vector<OutlineEdge> edges_;
    std::vector<OutlinePoint> points_;
    std::vector<uint32_t> shapeFirstPolyline_;  // per outline, plus one past the end
    std::vector<uint32_t> polylineFirstPoint_;  // per polyline in scene order, plus the end
    CellItems edgeCells_, pointCells_;
    std::vector<uint32_t> wideEdges_;       // edges spanning too many cells to file
    mutable std::vector<uint32_t> result_;  // reused by every query
    double originX_ = 0.0, originY_ = 0.0, cellSize_ = 1.0;
    int32_t columns_ = 0, rows_ = 0;
    mutable size_t answered_ = 0;
    // What Matches compares.
    uint32_t revision_ = 0;
    const void* shapesData_ = nullptr;
    size_t shapeCount_ = 0;
    size_t lastPolylineCount_ = 0;
    size_t lastPointCount_ = 0;
    bool built_ = false;
};
