#include "overview.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <sstream>

#include "game/level_description.h"
#include "platform/text_raster.h"
#include "resources/image.h"
#include "scene/scene.h"

namespace {

constexpr double kGrid = 100.0;
constexpr double kMargin = 24.0;
constexpr double kBallRadius = 5.0;
constexpr double kPi = 3.14159265358979323846;

struct Colour {
    float r, g, b;
};

const Colour kBackground{22, 24, 30};
const Colour kGridLine{38, 42, 52};
const Colour kGridMajor{58, 64, 78};
const Colour kWall{205, 205, 215};
const Colour kDeadly{255, 70, 40};
const Colour kEnd{80, 235, 120};
const Colour kStart{90, 170, 255};
const Colour kCheckpoint{60, 220, 230};
const Colour kMagnet{90, 150, 255};
const Colour kBlackHole{190, 100, 255};
const Colour kSound{255, 205, 70};
const Colour kPath{255, 150, 40};
const Colour kCatch{255, 250, 150};
const Colour kScreen{130, 130, 150};
const Colour kText{230, 230, 235};

struct Bounds {
    double minX = 1e30, minY = 1e30, maxX = -1e30, maxY = -1e30;

    void Add(double x, double y, double r = 0.0) {
        minX = std::min(minX, x - r);
        minY = std::min(minY, y - r);
        maxX = std::max(maxX, x + r);
        maxY = std::max(maxY, y + r);
    }
    bool Empty() const { return minX > maxX; }
};

class Picture {
public:
    Picture(int width, int height, const Colour& fill)
        : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height * 3) {
        for (size_t i = 0; i < pixels_.size(); i += 3) {
            pixels_[i] = fill.r;
            pixels_[i + 1] = fill.g;
            pixels_[i + 2] = fill.b;
        }
    }

    int Width() const { return width_; }
    int Height() const { return height_; }

    void Blend(int x, int y, const Colour& c, float alpha) {
        if (x < 0 || y < 0 || x >= width_ || y >= height_ || alpha <= 0.0f)
            return;
        float* p = &pixels_[(static_cast<size_t>(y) * width_ + x) * 3];
        const float a = std::min(alpha, 1.0f);
        p[0] += (c.r - p[0]) * a;
        p[1] += (c.g - p[1]) * a;
        p[2] += (c.b - p[2]) * a;
    }

    // A segment `width` pixels wide with soft edges; `dash` > 0 leaves gaps.
    void Line(double x0, double y0, double x1, double y1, double width, const Colour& c,
              float alpha = 1.0f, double dash = 0.0) {
        const double half = width * 0.5;
        const int left = static_cast<int>(std::floor(std::min(x0, x1) - half - 1));
        const int right = static_cast<int>(std::ceil(std::max(x0, x1) + half + 1));
        const int top = static_cast<int>(std::floor(std::min(y0, y1) - half - 1));
        const int bottom = static_cast<int>(std::ceil(std::max(y0, y1) + half + 1));
        const double dx = x1 - x0, dy = y1 - y0;
        const double length2 = dx * dx + dy * dy;
        for (int y = std::max(top, 0); y <= std::min(bottom, height_ - 1); ++y)
            for (int x = std::max(left, 0); x <= std::min(right, width_ - 1); ++x) {
                const double px = x + 0.5 - x0, py = y + 0.5 - y0;
                double t = length2 > 0 ? (px * dx + py * dy) / length2 : 0.0;
                t = std::clamp(t, 0.0, 1.0);
                if (dash > 0 && std::fmod(t * std::sqrt(length2), 2 * dash) > dash)
                    continue;
                const double d = std::hypot(px - t * dx, py - t * dy);
                Blend(x, y, c, alpha * static_cast<float>(std::clamp(half + 0.5 - d, 0.0, 1.0)));
            }
    }

    void Disc(double cx, double cy, double r, const Colour& c, float alpha) {
        for (int y = static_cast<int>(cy - r - 1); y <= static_cast<int>(cy + r + 1); ++y)
            for (int x = static_cast<int>(cx - r - 1); x <= static_cast<int>(cx + r + 1); ++x) {
                const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
                Blend(x, y, c, alpha * static_cast<float>(std::clamp(r + 0.5 - d, 0.0, 1.0)));
            }
    }

    void Ring(double cx, double cy, double r, double width, const Colour& c, double dash = 0.0) {
        const int segments = std::max(24, static_cast<int>(r * 0.5));
        for (int i = 0; i < segments; ++i) {
            if (dash > 0 && i % 2 == 1)
                continue;
            const double a0 = 2 * kPi * i / segments, a1 = 2 * kPi * (i + 1) / segments;
            Line(cx + r * std::cos(a0), cy + r * std::sin(a0), cx + r * std::cos(a1),
                 cy + r * std::sin(a1), width, c);
        }
    }

    void Rect(double x0, double y0, double x1, double y1, const Colour& c, float alpha) {
        for (int y = static_cast<int>(std::min(y0, y1)); y < static_cast<int>(std::max(y0, y1));
             ++y)
            for (int x = static_cast<int>(std::min(x0, x1)); x < static_cast<int>(std::max(x0, x1));
                 ++x)
                Blend(x, y, c, alpha);
    }

    void Text(const TextBitmap& text, int x, int y, const Colour& c) {
        for (int row = 0; row < text.height; ++row)
            for (int column = 0; column < text.width; ++column) {
                const uint8_t value = text.coverage[static_cast<size_t>(row) * text.width + column];
                if (value) {
                    Blend(x + column + 1, y + row + 1, kBackground, value / 255.0f);
                    Blend(x + column, y + row, c, value / 255.0f);
                }
            }
    }

    bool SavePng(const std::string& path) const {
        std::vector<uint8_t> bytes(pixels_.size());
        for (size_t i = 0; i < pixels_.size(); ++i)
            bytes[i] = static_cast<uint8_t>(std::lround(std::clamp(pixels_[i], 0.0f, 255.0f)));
        Image image;
        if (image.SetPixels(width_, height_, 24, bytes.data()) != ImageOk)
            return false;
        return image.SavePNG(path.c_str()) == ImageOk;
    }

private:
    int width_;
    int height_;
    std::vector<float> pixels_;
};

bool StartsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

// The part of a number of "key=x,y" in a trace line.
bool ReadPair(const std::string& line, const std::string& key, Vector2& value) {
    const size_t at = line.find(" " + key + "=");
    if (at == std::string::npos)
        return false;
    std::istringstream in(line.substr(at + key.size() + 2));
    char comma = 0;
    return static_cast<bool>(in >> value.x >> comma >> value.y) && comma == ',';
}

class OverviewDrawer {
public:
    OverviewDrawer(const Scene& scene, const OverviewOptions& options)
        : scene_(scene), options_(options) {}

    bool Draw(const OverviewPath& path, const std::string& pngPath, std::string& error) {
        const Bounds bounds = LevelBounds(path);
        if (bounds.Empty()) {
            error = "the level holds nothing to draw";
            return false;
        }
        const double spanX = bounds.maxX - bounds.minX, spanY = bounds.maxY - bounds.minY;
        scale_ = options_.pixelsPerUnit > 0
                     ? options_.pixelsPerUnit
                     : std::min(1.0, (options_.maxSide - 2 * kMargin) / std::max(spanX, spanY));
        left_ = bounds.minX;
        top_ = bounds.maxY;
        const int width = static_cast<int>(std::ceil(spanX * scale_ + 2 * kMargin));
        const int height = static_cast<int>(std::ceil(spanY * scale_ + 2 * kMargin)) + 20;
        picture_ = std::make_unique<Picture>(width, height, kBackground);

        DrawGrid(bounds);
        DrawFields();
        DrawZones();
        DrawOutlines();
        DrawPath(path);
        DrawStarts();
        DrawScaleNote(bounds);
        if (!picture_->SavePng(pngPath)) {
            error = pngPath + ": cannot write the picture";
            return false;
        }
        return true;
    }

private:
    double X(double x) const { return (x - left_) * scale_ + kMargin; }
    double Y(double y) const { return (top_ - y) * scale_ + kMargin; }

    Bounds LevelBounds(const OverviewPath& path) const {
        Bounds bounds;
        for (const Shape& shape : scene_.shapes)
            for (const Polyline& polyline : shape.polylines)
                for (const Vector& point : polyline.points)
                    bounds.Add(point.x, point.z);
        for (const PrimitiveEntry& entry : scene_.primitives) {
            const PrimitiveValues values = ReadPrimitiveValues(*entry.object);
            bounds.Add(values.v[0], values.v[2]);
        }
        for (const Vector2& point : path.ball)
            bounds.Add(point.x, point.y);
        return bounds;
    }

    void Label(const std::string& text, double x, double y, const Colour& c) {
        if (options_.fontFile.empty())
            return;
        TextBitmap bitmap;
        if (!RasterizeTextLine(options_.fontFile, 12, 1.0, text, bitmap))
            return;
        picture_->Text(bitmap, static_cast<int>(x), static_cast<int>(y) - bitmap.baseline, c);
    }

    void DrawGrid(const Bounds& bounds) {
        const double first = std::floor(bounds.minX / kGrid) * kGrid;
        for (double x = first; x <= bounds.maxX; x += kGrid) {
            const bool major = std::fmod(std::fabs(x), 5 * kGrid) < 1e-6;
            picture_->Line(X(x), Y(bounds.maxY), X(x), Y(bounds.minY), 1.0,
                           major ? kGridMajor : kGridLine);
        }
        const double firstY = std::floor(bounds.minY / kGrid) * kGrid;
        for (double y = firstY; y <= bounds.maxY; y += kGrid) {
            const bool major = std::fmod(std::fabs(y), 5 * kGrid) < 1e-6;
            picture_->Line(X(bounds.minX), Y(y), X(bounds.maxX), Y(y), 1.0,
                           major ? kGridMajor : kGridLine);
        }
    }

    // Magnets, black holes and sound areas: their reach, under everything else.
    void DrawFields() {
        for (const PrimitiveEntry& entry : scene_.primitives) {
            const LevelObjectName name = ParseLevelObjectName(entry.name);
            const PrimitiveValues values = ReadPrimitiveValues(*entry.object);
            const double x = X(values.v[0]), y = Y(values.v[2]);
            if (name.kind == LevelObjectKind::Magnet || name.kind == LevelObjectKind::BlackHole) {
                const bool magnet = name.kind == LevelObjectKind::Magnet;
                const Colour& c = magnet ? kMagnet : kBlackHole;
                const double r =
                    (magnet ? options_.magnetRadius : options_.blackHoleRadius) * scale_;
                picture_->Disc(x, y, r, c, 0.16f);
                picture_->Ring(x, y, r, 1.5, c, 1.0);
                picture_->Disc(x, y, 3.0, c, 1.0f);
                Label(entry.name, x + 5, y - 5, c);
            } else if (name.kind == LevelObjectKind::Sound) {
                const double r = values.v[3] * scale_;
                picture_->Disc(x, y, r, kSound, 0.08f);
                picture_->Ring(x, y, r, 1.0, kSound, 1.0);
                Label(entry.name, x - r * 0.7, y - r * 0.7, kSound);
            }
        }
    }

    void DrawZones() {
        for (const PrimitiveEntry& entry : scene_.primitives) {
            const LevelObjectName name = ParseLevelObjectName(entry.name);
            if (name.kind == LevelObjectKind::End && entry.typeCode == TypeBox) {
                const Box& box = static_cast<const Box&>(*entry.object);
                picture_->Rect(X(box.a.x), Y(box.a.z), X(box.b.x), Y(box.b.z), kEnd, 0.35f);
                RectOutline(X(box.a.x), Y(box.a.z), X(box.b.x), Y(box.b.z), kEnd, 1.5);
                Label(entry.name, X(std::min(box.a.x, box.b.x)), Y(std::max(box.a.z, box.b.z)) - 4,
                      kEnd);
            } else if (name.kind == LevelObjectKind::End && entry.typeCode == TypeCylinder) {
                const Cylinder& c = static_cast<const Cylinder&>(*entry.object);
                // The ball must lie wholly inside: its centre within radius - 5.
                picture_->Disc(X(c.centre.x), Y(c.centre.z), c.radius * scale_, kEnd, 0.35f);
                picture_->Ring(X(c.centre.x), Y(c.centre.z), c.radius * scale_, 1.5, kEnd);
                Label(entry.name, X(c.centre.x - c.radius), Y(c.centre.z + c.radius) - 4, kEnd);
            } else if (name.kind == LevelObjectKind::Checkpoint) {
                const PrimitiveValues v = ReadPrimitiveValues(*entry.object);
                picture_->Ring(X(v.v[0]), Y(v.v[2]), v.v[4] * scale_, 2.0, kCheckpoint);
                Label(entry.name, X(v.v[0] + v.v[4]) + 3, Y(v.v[2]), kCheckpoint);
            }
        }
    }

    void RectOutline(double x0, double y0, double x1, double y1, const Colour& c, double width,
                     double dash = 0.0) {
        picture_->Line(x0, y0, x1, y0, width, c, 1.0f, dash);
        picture_->Line(x1, y0, x1, y1, width, c, 1.0f, dash);
        picture_->Line(x1, y1, x0, y1, width, c, 1.0f, dash);
        picture_->Line(x0, y1, x0, y0, width, c, 1.0f, dash);
    }

    void DrawOutlines() {
        for (const Shape& shape : scene_.shapes) {
            const bool deadly = StartsWith(shape.name, "DEATH");
            const Colour& c = deadly ? kDeadly : kWall;
            const double width = deadly ? 3.0 : 2.0;
            for (const Polyline& polyline : shape.polylines) {
                const size_t n = polyline.points.size();
                for (size_t i = 0; i + 1 < n; ++i)
                    picture_->Line(X(polyline.points[i].x), Y(polyline.points[i].z),
                                   X(polyline.points[i + 1].x), Y(polyline.points[i + 1].z), width,
                                   c);
                if (polyline.closed && n > 1)
                    picture_->Line(X(polyline.points[n - 1].x), Y(polyline.points[n - 1].z),
                                   X(polyline.points[0].x), Y(polyline.points[0].z), width, c);
            }
        }
    }

    void DrawPath(const OverviewPath& path) {
        for (size_t i = 1; i < path.ball.size(); ++i)
            picture_->Line(X(path.ball[i - 1].x), Y(path.ball[i - 1].y), X(path.ball[i].x),
                           Y(path.ball[i].y), 1.5, kPath, 0.85f);
        for (const Vector2& point : path.catches) {
            const double x = X(point.x), y = Y(point.y);
            picture_->Line(x - 4, y - 4, x + 4, y + 4, 2.0, kCatch);
            picture_->Line(x - 4, y + 4, x + 4, y - 4, 2.0, kCatch);
        }
    }

    void DrawStarts() {
        for (const PrimitiveEntry& entry : scene_.primitives) {
            const LevelObjectName name = ParseLevelObjectName(entry.name);
            if (name.kind != LevelObjectKind::Start)
                continue;
            const PrimitiveValues v = ReadPrimitiveValues(*entry.object);
            const double x = X(v.v[0]), y = Y(v.v[2]);
            picture_->Disc(x, y, std::max(3.0, kBallRadius * scale_), kStart, 1.0f);
            Label(entry.name, x + 7, y + 4, kStart);
        }
    }

    // One screen drawn round the first start point, and a note of the scale.
    void DrawScaleNote(const Bounds& bounds) {
        for (const PrimitiveEntry& entry : scene_.primitives) {
            if (ParseLevelObjectName(entry.name).kind != LevelObjectKind::Start)
                continue;
            const PrimitiveValues v = ReadPrimitiveValues(*entry.object);
            const double x0 = X(v.v[0] - kScreenWidthUnits / 2),
                         x1 = X(v.v[0] + kScreenWidthUnits / 2);
            const double y0 = Y(v.v[2] + kScreenHeightUnits / 2),
                         y1 = Y(v.v[2] - kScreenHeightUnits / 2);
            RectOutline(x0, y0, x1, y1, kScreen, 1.0, 6.0);
            break;
        }
        std::ostringstream note;
        note << "grid 100 units; " << static_cast<int>(bounds.maxX - bounds.minX) << " x "
             << static_cast<int>(bounds.maxY - bounds.minY)
             << " units; dashed: one screen round the first start";
        Label(note.str(), kMargin, picture_->Height() - 10, kText);
    }

    const Scene& scene_;
    const OverviewOptions& options_;
    std::unique_ptr<Picture> picture_;
    double scale_ = 1.0;
    double left_ = 0.0;
    double top_ = 0.0;
};

}  // namespace

bool ReadTracePath(const std::string& traceText, OverviewPath& path) {
    std::istringstream in(traceText);
    std::string line;
    int loads = 0;
    bool attached = false;
    while (std::getline(in, line)) {
        if (StartsWith(line, "load ")) {
            if (++loads == 2)
                break;
            continue;
        }
        if (!StartsWith(line, "step="))
            continue;
        Vector2 ball, hook;
        if (!ReadPair(line, "ball", ball) || !ReadPair(line, "hook", hook))
            continue;
        path.ball.push_back(ball);
        const bool nowAttached = line.find(" rope=attached ") != std::string::npos;
        if (nowAttached && !attached && path.ball.size() > 1)
            path.catches.push_back(hook);
        attached = nowAttached;
    }
    return !path.ball.empty();
}

bool WriteOverview(const Scene& scene, const OverviewPath& path, const OverviewOptions& options,
                   const std::string& pngPath, std::string& error) {
    OverviewDrawer drawer(scene, options);
    return drawer.Draw(path, pngPath, error);
}
