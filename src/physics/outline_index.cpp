#include "physics/outline_index.h"

#include <algorithm>
#include <cmath>

namespace {

// An edge whose box covers more cells than this is kept on one list that
// every query reads, instead of being filed in each cell.
constexpr int64_t kMostCellsPerEdge = 64;
// Padding of the query boxes. The tests they bound round at about 1e-16 of
// their operands; these margins are many orders of magnitude wider.
constexpr double kRelativePad = 1e-6;
constexpr double kAbsolutePad = 1e-3;
// The angle-sum test takes a point outside a triangle when two vertices are
// seen from it at more than pi - 0.0005 rad. Such a point lies within
// 0.00025 of the longest side's length from that side; 0.004 is sixteen times that.
constexpr double kTrianglePad = 0.004;

double Magnitude(const Vector2& v) {
    return std::max(std::fabs(v.x), std::fabs(v.y));
}

OutlineBox PaddedBox(double minX, double minY, double maxX, double maxY, double pad) {
    return {minX - pad, minY - pad, maxX + pad, maxY + pad};
}

bool IsFinite(const Vector2& v) {
    return std::isfinite(v.x) && std::isfinite(v.y);
}

bool IsFinite(const OutlineBox& box) {
    return std::isfinite(box.minX) && std::isfinite(box.minY) && std::isfinite(box.maxX) &&
           std::isfinite(box.maxY);
}

}  // namespace

OutlineBox BallReachBox(const Vector2& centre, double reach) {
    const double pad = kAbsolutePad + kRelativePad * (Magnitude(centre) + std::fabs(reach));
    return PaddedBox(centre.x - reach, centre.y - reach, centre.x + reach, centre.y + reach, pad);
}

OutlineBox SegmentBox(const Vector2& p0, const Vector2& p1) {
    const double pad = kAbsolutePad + kRelativePad * (Magnitude(p0) + Magnitude(p1));
    return PaddedBox(std::min(p0.x, p1.x), std::min(p0.y, p1.y), std::max(p0.x, p1.x),
                     std::max(p0.y, p1.y), pad);
}

OutlineBox TriangleBox(const Vector2& a, const Vector2& b, const Vector2& c) {
    const double minX = std::min({a.x, b.x, c.x});
    const double minY = std::min({a.y, b.y, c.y});
    const double maxX = std::max({a.x, b.x, c.x});
    const double maxY = std::max({a.y, b.y, c.y});
    const double size = std::max(maxX - minX, maxY - minY);
    const double pad = kAbsolutePad + kTrianglePad * size +
                       kRelativePad * std::max({Magnitude(a), Magnitude(b), Magnitude(c)});
    return PaddedBox(minX, minY, maxX, maxY, pad);
}

void OutlineIndex::Clear() {
    edges_.clear();
    points_.clear();
    shapeFirstPolyline_.clear();
    polylineFirstPoint_.clear();
    edgeCells_ = CellItems();
    pointCells_ = CellItems();
    wideEdges_.clear();
    result_.clear();
    columns_ = rows_ = 0;
    answered_ = 0;
    revision_ = 0;
    shapesData_ = nullptr;
    shapeCount_ = lastPolylineCount_ = lastPointCount_ = 0;
    built_ = false;
}

bool OutlineIndex::Matches(const OutlineView& outlines) const {
    if (!built_ || outlines.Empty())
        return false;
    const std::vector<Shape>& shapes = *outlines.shapes;
    if (*outlines.revision != revision_ || shapes.size() != shapeCount_ ||
        shapes.data() != shapesData_)
        return false;
    if (shapeCount_ == 0)
        return true;
    const Shape& last = shapes.back();
    if (last.polylines.size() != lastPolylineCount_)
        return false;
    return last.polylines.empty() || last.polylines.back().points.size() == lastPointCount_;
}

void OutlineIndex::Build(const OutlineView& outlines) {
    Clear();
    if (outlines.Empty())
        return;
    const ElementTotals totals = NumberElements(*outlines.shapes);
    RememberSource(outlines);
    built_ = true;
    // A point at infinity or NaN has no cell; such a level is always scanned whole.
    if (!totals.finite || points_.empty())
        return;
    LayOutGrid(totals.edgeLength);
    FileEdges();
    FilePoints();
    // No query ever gathers more than this, so queries never allocate.
    result_.reserve(std::max(edgeCells_.items.size() + wideEdges_.size(), points_.size()) + 1);
}

OutlineIndex::ElementTotals OutlineIndex::NumberElements(const std::vector<Shape>& shapes) {
    ElementTotals totals;
    for (size_t s = 0; s < shapes.size(); ++s) {
        const Shape& shape = shapes[s];
        const bool deadly = IsDeadlyOutline(shape.name);
        shapeFirstPolyline_.push_back(static_cast<uint32_t>(polylineFirstPoint_.size()));
        for (size_t l = 0; l < shape.polylines.size(); ++l) {
            const Polyline& polyline = shape.polylines[l];
            polylineFirstPoint_.push_back(static_cast<uint32_t>(points_.size()));
            const size_t n = polyline.points.size();
            for (size_t p = 0; p < n; ++p) {
                const Vector2 v = PlanePoint(polyline.points[p]);
                totals.finite = totals.finite && IsFinite(v);
                points_.push_back(
                    {static_cast<int32_t>(s), static_cast<int32_t>(l), static_cast<int32_t>(p), v});
            }
            const size_t edgeCount = n == 0 ? 0 : (polyline.closed ? n : n - 1);
            for (size_t k = 0; k < edgeCount; ++k) {
                const Vector2 a = PlanePoint(polyline.points[k]);
                const Vector2 b = PlanePoint(polyline.points[k + 1 < n ? k + 1 : 0]);
                totals.edgeLength += Distance(a, b);
                edges_.push_back({static_cast<int32_t>(s), static_cast<int32_t>(l),
                                  static_cast<int32_t>(k), deadly, a, b});
            }
        }
    }
    shapeFirstPolyline_.push_back(static_cast<uint32_t>(polylineFirstPoint_.size()));
    polylineFirstPoint_.push_back(static_cast<uint32_t>(points_.size()));
    return totals;
}

void OutlineIndex::RememberSource(const OutlineView& outlines) {
    const std::vector<Shape>& shapes = *outlines.shapes;
    revision_ = *outlines.revision;
    shapesData_ = shapes.data();
    shapeCount_ = shapes.size();
    if (!shapes.empty()) {
        const Shape& last = shapes.back();
        lastPolylineCount_ = last.polylines.size();
        lastPointCount_ = last.polylines.empty() ? 0 : last.polylines.back().points.size();
    }
}

void OutlineIndex::LayOutGrid(double edgeLength) {
    double minX = points_[0].position.x, maxX = minX;
    double minY = points_[0].position.y, maxY = minY;
    for (const OutlinePoint& point : points_) {
        minX = std::min(minX, point.position.x);
        maxX = std::max(maxX, point.position.x);
        minY = std::min(minY, point.position.y);
        maxY = std::max(maxY, point.position.y);
    }
    const double width = maxX - minX;
    const double height = maxY - minY;
    const double elements = static_cast<double>(edges_.size() + points_.size());
    // Cells about as wide as an edge is long, and not many more cells than
    // elements.
    const double meanEdge = edges_.empty() ? 0.0 : edgeLength / static_cast<double>(edges_.size());
    double cell = std::max({meanEdge, std::sqrt(width * height / elements), 1e-3});
    const double mostCells = 4.0 * elements + 64.0;
    while ((std::floor(width / cell) + 1.0) * (std::floor(height / cell) + 1.0) > mostCells)
        cell *= 2.0;
    cellSize_ = cell;
    originX_ = minX;
    originY_ = minY;
    columns_ = static_cast<int32_t>(std::floor(width / cell)) + 1;
    rows_ = static_cast<int32_t>(std::floor(height / cell)) + 1;
}

// Both filings count first and then fill in ascending element order, so that
// every cell's list comes out ascending.
void OutlineIndex::FileEdges() {
    const size_t cellCount = static_cast<size_t>(columns_) * static_cast<size_t>(rows_);
    std::vector<uint32_t>& start = edgeCells_.start;
    start.assign(cellCount + 1, 0);
    std::vector<CellRange> ranges(edges_.size());
    std::vector<uint8_t> wide(edges_.size(), 0);
    for (size_t e = 0; e < edges_.size(); ++e) {
        CellRange& range = ranges[e];
        Cells(SegmentBox(edges_[e].a, edges_[e].b), range);
        const int64_t covered = static_cast<int64_t>(range.x1 - range.x0 + 1) *
                                static_cast<int64_t>(range.y1 - range.y0 + 1);
        if (covered > kMostCellsPerEdge) {
            wide[e] = 1;
            wideEdges_.push_back(static_cast<uint32_t>(e));
            continue;
        }
        ForEachCell(range, [&start](size_t c) { ++start[c + 1]; });
    }
    for (size_t c = 0; c < cellCount; ++c)
        start[c + 1] += start[c];
    edgeCells_.items.resize(start[cellCount]);
    std::vector<uint32_t> fill(start.begin(), start.end() - 1);
    for (size_t e = 0; e < edges_.size(); ++e) {
        if (wide[e])
            continue;
        ForEachCell(ranges[e],
                    [&](size_t c) { edgeCells_.items[fill[c]++] = static_cast<uint32_t>(e); });
    }
}

void OutlineIndex::FilePoints() {
    const size_t cellCount = static_cast<size_t>(columns_) * static_cast<size_t>(rows_);
    std::vector<uint32_t>& start = pointCells_.start;
    start.assign(cellCount + 1, 0);
    for (const OutlinePoint& point : points_)
        ++start[PointCell(point.position) + 1];
    for (size_t c = 0; c < cellCount; ++c)
        start[c + 1] += start[c];
    pointCells_.items.resize(start[cellCount]);
    std::vector<uint32_t> fill(start.begin(), start.end() - 1);
    for (size_t p = 0; p < points_.size(); ++p)
        pointCells_.items[fill[PointCell(points_[p].position)]++] = static_cast<uint32_t>(p);
}

size_t OutlineIndex::PointCell(const Vector2& point) const {
    return static_cast<size_t>(CellY(point.y)) * columns_ + CellX(point.x);
}

template <typename Visit>
void OutlineIndex::ForEachCell(const CellRange& range, Visit visit) const {
    for (int32_t y = range.y0; y <= range.y1; ++y)
        for (int32_t x = range.x0; x <= range.x1; ++x)
            visit(static_cast<size_t>(y) * columns_ + x);
}

int32_t OutlineIndex::CellX(double x) const {
    const double c = std::floor((x - originX_) / cellSize_);
    return c < 0.0 ? 0 : (c >= columns_ ? columns_ - 1 : static_cast<int32_t>(c));
}

int32_t OutlineIndex::CellY(double y) const {
    const double c = std::floor((y - originY_) / cellSize_);
    return c < 0.0 ? 0 : (c >= rows_ ? rows_ - 1 : static_cast<int32_t>(c));
}

bool OutlineIndex::Cells(const OutlineBox& box, CellRange& range) const {
    if (columns_ == 0 || !IsFinite(box))
        return false;
    range = {CellX(box.minX), CellY(box.minY), CellX(box.maxX), CellY(box.maxY)};
    const int64_t covered = static_cast<int64_t>(range.x1 - range.x0 + 1) *
                            static_cast<int64_t>(range.y1 - range.y0 + 1);
    // Past a quarter of the grid, reading the cells costs about a whole scan.
    return covered * 4 <= static_cast<int64_t>(columns_) * rows_;
}

template <typename Keep>
bool OutlineIndex::GatherFromCells(const OutlineBox& box, const CellItems& cells, Keep keep) const {
    CellRange range;
    if (!Cells(box, range))
        return false;
    ++answered_;
    result_.clear();
    ForEachCell(range, [&](size_t c) {
        for (uint32_t i = cells.start[c]; i < cells.start[c + 1]; ++i) {
            if (keep(cells.items[i]))
                result_.push_back(cells.items[i]);
        }
    });
    return true;
}

const std::vector<uint32_t>* OutlineIndex::EdgesNear(const OutlineBox& box) const {
    auto meets = [&](uint32_t e) { return SegmentBox(edges_[e].a, edges_[e].b).Overlaps(box); };
    if (!GatherFromCells(box, edgeCells_, meets))
        return nullptr;
    for (uint32_t e : wideEdges_) {
        if (meets(e))
            result_.push_back(e);
    }
    // An edge filed in several cells is gathered once from each.
    std::sort(result_.begin(), result_.end());
    result_.erase(std::unique(result_.begin(), result_.end()), result_.end());
    return &result_;
}

const std::vector<uint32_t>* OutlineIndex::PointsNear(const OutlineBox& box) const {
    auto inside = [&](uint32_t p) {
        const Vector2& v = points_[p].position;
        return box.minX <= v.x && v.x <= box.maxX && box.minY <= v.y && v.y <= box.maxY;
    };
    if (!GatherFromCells(box, pointCells_, inside))
        return nullptr;
    std::sort(result_.begin(), result_.end());
    return &result_;
}

void OutlineIndex::AddPoint(int32_t outline, int32_t polyline, int32_t point) const {
    if (outline < 0 || polyline < 0 || point < 0 ||
        static_cast<size_t>(outline) + 1 >= shapeFirstPolyline_.size())
        return;
    const uint32_t line = shapeFirstPolyline_[outline] + static_cast<uint32_t>(polyline);
    if (line >= shapeFirstPolyline_[outline + 1])
        return;
    const uint32_t p = polylineFirstPoint_[line] + static_cast<uint32_t>(point);
    if (p >= polylineFirstPoint_[line + 1])
        return;
    const auto at = std::lower_bound(result_.begin(), result_.end(), p);
    if (at == result_.end() || *at != p)
        result_.insert(at, p);
}
