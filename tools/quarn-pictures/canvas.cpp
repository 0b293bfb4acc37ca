#include "canvas.h"

#include <algorithm>
#include <cmath>

#include "platform/text_raster.h"

Rgba Rgb8(int r, int g, int b, float a) {
    return {r / 255.0f, g / 255.0f, b / 255.0f, a};
}

Rgba Mix(const Rgba& from, const Rgba& to, float t) {
    return {from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t,
            from.b + (to.b - from.b) * t, from.a + (to.a - from.a) * t};
}

Rgba Scale(const Rgba& colour, float factor) {
    return {colour.r * factor, colour.g * factor, colour.b * factor, colour.a};
}

Canvas::Canvas(int w, int h, const Rgba& fill)
    : width(w), height(h), pixels(static_cast<size_t>(w) * h, fill) {}

void Canvas::Blend(int x, int y, const Rgba& colour, float coverage) {
    if (x < 0 || y < 0 || x >= width || y >= height)
        return;
    const float source = Clamp01(colour.a * coverage);
    if (source <= 0.0f)
        return;
    Rgba& target = At(x, y);
    const float alpha = source + target.a * (1.0f - source);
    const auto over = [&](float s, float t) {
        return (s * source + t * target.a * (1.0f - source)) / alpha;
    };
    target = {over(colour.r, target.r), over(colour.g, target.g), over(colour.b, target.b), alpha};
}

float Clamp01(float value) {
    return std::min(1.0f, std::max(0.0f, value));
}

float SmoothStep(float edge0, float edge1, float value) {
    const float t = Clamp01((value - edge0) / (edge1 - edge0));
    return t * t * (3.0f - 2.0f * t);
}

void Paint(Canvas& canvas, const std::function<Rgba(float x, float y)>& shade) {
    for (int y = 0; y < canvas.height; ++y)
        for (int x = 0; x < canvas.width; ++x)
            canvas.At(x, y) = shade(x + 0.5f, y + 0.5f);
}

void FillShape(Canvas& canvas, const std::function<float(float x, float y)>& distance,
               const std::function<Rgba(float x, float y)>& shade) {
    for (int y = 0; y < canvas.height; ++y) {
        for (int x = 0; x < canvas.width; ++x) {
            const float px = x + 0.5f;
            const float py = y + 0.5f;
            const float coverage = Clamp01(0.5f - distance(px, py));
            if (coverage > 0.0f)
                canvas.Blend(x, y, shade(px, py), coverage);
        }
    }
}

float RoundedRectDistance(float x, float y, float left, float top, float right, float bottom,
                          float radius) {
    const float cx = (left + right) * 0.5f;
    const float cy = (top + bottom) * 0.5f;
    const float qx = std::fabs(x - cx) - ((right - left) * 0.5f - radius);
    const float qy = std::fabs(y - cy) - ((bottom - top) * 0.5f - radius);
    const float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
    return outside + std::min(std::max(qx, qy), 0.0f) - radius;
}

float PolygonDistance(float x, float y, const std::vector<float>& points) {
    const size_t count = points.size() / 2;
    float nearest = 1e9f;
    bool inside = false;
    for (size_t i = 0, j = count - 1; i < count; j = i++) {
        const float px = points[2 * j], py = points[2 * j + 1];
        const float qx = points[2 * i], qy = points[2 * i + 1];
        const float ex = qx - px, ey = qy - py;
        const float wx = x - px, wy = y - py;
        const float t = Clamp01((wx * ex + wy * ey) / (ex * ex + ey * ey));
        nearest = std::min(nearest, std::hypot(wx - ex * t, wy - ey * t));
        if ((py > y) != (qy > y) && x < px + (y - py) / (qy - py) * ex)
            inside = !inside;
    }
    return inside ? -nearest : nearest;
}

void DrawCoverage(Canvas& canvas, const TextBitmap& text, int x, int y, const Rgba& colour) {
    for (int row = 0; row < text.height; ++row)
        for (int column = 0; column < text.width; ++column) {
            const uint8_t value = text.coverage[static_cast<size_t>(row) * text.width + column];
            if (value)
                canvas.Blend(x + column, y + row, colour, value / 255.0f);
        }
}

namespace {

uint8_t CoverageAt(const TextBitmap& text, int x, int y) {
    if (x < 0 || y < 0 || x >= text.width || y >= text.height)
        return 0;
    return text.coverage[static_cast<size_t>(y) * text.width + x];
}

TextBitmap Padded(const TextBitmap& text, int pad) {
    TextBitmap out;
    out.width = text.width + 2 * pad;
    out.height = text.height + 2 * pad;
    out.baseline = text.baseline + pad;
    out.coverage.assign(static_cast<size_t>(out.width) * out.height, 0);
    return out;
}

}  // namespace

TextBitmap Dilate(const TextBitmap& text, int radius) {
    TextBitmap out = Padded(text, radius);
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x) {
            float best = 0.0f;
            for (int dy = -radius; dy <= radius; ++dy)
                for (int dx = -radius; dx <= radius; ++dx) {
                    const float reach = radius + 0.5f - std::hypot(float(dx), float(dy));
                    if (reach <= 0.0f)
                        continue;
                    const float value = CoverageAt(text, x - radius + dx, y - radius + dy);
                    best = std::max(best, value * std::min(1.0f, reach));
                }
            out.coverage[static_cast<size_t>(y) * out.width + x] =
                static_cast<uint8_t>(std::lround(best));
        }
    return out;
}

TextBitmap Blur(const TextBitmap& text, int radius) {
    TextBitmap out = Padded(text, radius);
    const int side = 2 * radius + 1;
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x) {
            int sum = 0;
            for (int dy = -radius; dy <= radius; ++dy)
                for (int dx = -radius; dx <= radius; ++dx)
                    sum += CoverageAt(text, x - radius + dx, y - radius + dy);
            out.coverage[static_cast<size_t>(y) * out.width + x] =
                static_cast<uint8_t>(sum / (side * side));
        }
    return out;
}

float HashUnit(uint32_t seed, int a, int b) {
    uint32_t h = seed * 0x9E3779B9u ^ static_cast<uint32_t>(a) * 0x85EBCA6Bu ^
                 static_cast<uint32_t>(b) * 0xC2B2AE35u;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return (h & 0xFFFFFF) / float(0x1000000);
}

namespace {

float LatticeNoise(uint32_t seed, float u, float v, int periodX, int periodY) {
    const float x = u * periodX;
    const float y = v * periodY;
    const float fx = std::floor(x);
    const float fy = std::floor(y);
    const int x0 = static_cast<int>(fx);
    const int y0 = static_cast<int>(fy);
    const auto wrap = [](int i, int period) { return ((i % period) + period) % period; };
    const auto value = [&](int i, int j) {
        return HashUnit(seed, wrap(i, periodX), wrap(j, periodY));
    };
    const float tx = SmoothStep(0.0f, 1.0f, x - fx);
    const float ty = SmoothStep(0.0f, 1.0f, y - fy);
    const float top = value(x0, y0) + (value(x0 + 1, y0) - value(x0, y0)) * tx;
    const float bottom = value(x0, y0 + 1) + (value(x0 + 1, y0 + 1) - value(x0, y0 + 1)) * tx;
    return top + (bottom - top) * ty;
}

}  // namespace

float TileNoise(uint32_t seed, float u, float v, int periodX, int periodY, int octaves) {
    float sum = 0.0f;
    float weight = 0.5f;
    float total = 0.0f;
    for (int octave = 0; octave < octaves; ++octave) {
        sum +=
            LatticeNoise(seed + octave * 101u, u, v, periodX << octave, periodY << octave) * weight;
        total += weight;
        weight *= 0.5f;
    }
    return sum / total;
}
