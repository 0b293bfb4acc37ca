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
    edgeStart_.clear();
    edgeItems_.clear();
    pointStart_.clear();
    pointItems_.clear();
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
    const std::vector<Shape>& shapes = *outlines.shapes;
    bool finite = true;
    double edgeLength = 0.0;
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
                finite = finite && IsFinite(v);
                points_.push_back(
                    {static_cast<int32_t>(s), static_cast<int32_t>(l), static_cast<int32_t>(p), v});
            }
            const size_t edgeCount = n == 0 ? 0 : (polyline.closed ? n : n - 1);
            for (size_t k = 0; k < edgeCount; ++k) {
                const Vector2 a = PlanePoint(polyline.points[k]);
                const Vector2 b = PlanePoint(polyline.points[k + 1 < n ? k + 1 : 0]);
                edgeLength += Distance(a, b);
                edges_.push_back({static_cast<int32_t>(s), static_cast<int32_t>(l),
                                  static_cast<int32_t>(k), deadly, a, b});
            }
        }
    }
    shapeFirstPolyline_.push_back(static_cast<uint32_t>(polylineFirstPoint_.size()));
    polylineFirstPoint_.push_back(static_cast<uint32_t>(points_.size()));

    revision_ = *outlines.revision;
    shapesData_ = shapes.data();
    shapeCount_ = shapes.size();
    if (!shapes.empty()) {
        const Shape& last = shapes.back();
        lastPolylineCount_ = last.polylines.size();
        lastPointCount_ = last.polylines.empty() ? 0 : last.polylines.back().points.size();
    }
    built_ = true;
    // A point at infinity or NaN has no cell; such a level is always scanned whole.
    if (!finite || points_.empty())
        return;

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
    const size_t cellCount = static_cast<size_t>(columns_) * static_cast<size_t>(rows_);

    // Counting pass, then filling in ascending element order, so that every
    // cell's list comes out ascending.
    edgeStart_.assign(cellCount + 1, 0);
    pointStart_.assign(cellCount + 1, 0);
    std::vector<uint8_t> wide(edges_.size(), 0);
    for (size_t e = 0; e < edges_.size(); ++e) {
        const OutlineEdge& edge = edges_[e];
        CellRange range;
        Cells(SegmentBox(edge.a, edge.b), range);
        const int64_t covered = static_cast<int64_t>(range.x1 - range.x0 + 1) *
                                static_cast<int64_t>(range.y1 - range.y0 + 1);
        if (covered > kMostCellsPerEdge) {
            wide[e] = 1;
            wideEdges_.push_back(static_cast<uint32_t>(e));
            continue;
        }
        for (int32_t y = range.y0; y <= range.y1; ++y)
            for (int32_t x = range.x0; x <= range.x1; ++x)
                ++edgeStart_[static_cast<size_t>(y) * columns_ + x + 1];
    }
    for (const OutlinePoint& point : points_)
        ++pointStart_[static_cast<size_t>(CellY(point.position.y)) * columns_ +
                      CellX(point.position.x) + 1];
    for (size_t c = 0; c < cellCount; ++c) {
        edgeStart_[c + 1] += edgeStart_[c];
        pointStart_[c + 1] += pointStart_[c];
    }
    edgeItems_.resize(edgeStart_[cellCount]);
    pointItems_.resize(pointStart_[cellCount]);
    std::vector<uint32_t> fill(edgeStart_.begin(), edgeStart_.end() - 1);
    for (size_t e = 0; e < edges_.size(); ++e) {
        if (wide[e])
            continue;
        CellRange range;
        Cells(SegmentBox(edges_[e].a, edges_[e].b), range);
        for (int32_t y = range.y0; y <= range.y1; ++y)
            for (int32_t x = range.x0; x <= range.x1; ++x)
                edgeItems_[fill[static_cast<size_t>(y) * columns_ + x]++] =
                    static_cast<uint32_t>(e);
    }
    fill.assign(pointStart_.begin(), pointStart_.end() - 1);
    for (size_t p = 0; p < points_.size(); ++p) {
        const size_t c = static_cast<size_t>(CellY(points_[p].position.y)) * columns_ +
                         CellX(points_[p].position.x);
        pointItems_[fill[c]++] = static_cast<uint32_t>(p);
    }
    // No query ever gathers more than this, so queries never allocate.
    result_.reserve(std::max(edgeItems_.size() + wideEdges_.size(), points_.size()) + 1);
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

const std::vector<uint32_t>* OutlineIndex::EdgesNear(const OutlineBox& box) {
    CellRange range;
    if (!Cells(box, range))
        return nullptr;
    ++answered_;
    result_.clear();
    for (int32_t y = range.y0; y <= range.y1; ++y) {
        for (int32_t x = range.x0; x <= range.x1; ++x) {
            const size_t c = static_cast<size_t>(y) * columns_ + x;
            for (uint32_t i = edgeStart_[c]; i < edgeStart_[c + 1]; ++i) {
                const uint32_t e = edgeItems_[i];
                if (SegmentBox(edges_[e].a, edges_[e].b).Overlaps(box))
                    result_.push_back(e);
            }
        }
    }
    for (uint32_t e : wideEdges_) {
        if (SegmentBox(edges_[e].a, edges_[e].b).Overlaps(box))
            result_.push_back(e);
    }
    std::sort(result_.begin(), result_.end());
    result_.erase(std::unique(result_.begin(), result_.end()), result_.end());
    return &result_;
}

const std::vector<uint32_t>* OutlineIndex::PointsNear(const OutlineBox& box) {
    CellRange range;
    if (!Cells(box, range))
        return nullptr;
    ++answered_;
    result_.clear();
    for (int32_t y = range.y0; y <= range.y1; ++y) {
        for (int32_t x = range.x0; x <= range.x1; ++x) {
            const size_t c = static_cast<size_t>(y) * columns_ + x;
            for (uint32_t i = pointStart_[c]; i < pointStart_[c + 1]; ++i) {
                const uint32_t p = pointItems_[i];
                const Vector2& v = points_[p].position;
                if (box.minX <= v.x && v.x <= box.maxX && box.minY <= v.y && v.y <= box.maxY)
                    result_.push_back(p);
            }
        }
    }
    std::sort(result_.begin(), result_.end());
    return &result_;
}

void OutlineIndex::AddPoint(int32_t outline, int32_t polyline, int32_t point) {
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
