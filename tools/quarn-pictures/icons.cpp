#include "icons.h"

#include <algorithm>
#include <cmath>

namespace {

// The icon is drawn on a 256-unit square, scaled to the size asked for.
constexpr float kUnits = 256.0f;

float CircleDistance(float x, float y, float cx, float cy, float radius) {
    return std::hypot(x - cx, y - cy) - radius;
}

// Distance to the segment from (ax, ay) to (bx, by), less half its width.
float StrokeDistance(float x, float y, float ax, float ay, float bx, float by, float halfWidth) {
    const float dx = bx - ax, dy = by - ay;
    const float t = std::clamp(((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy), 0.0f, 1.0f);
    return std::hypot(x - (ax + t * dx), y - (ay + t * dy)) - halfWidth;
}

}  // namespace

Canvas AppIcon(int size) {
    Canvas icon(size, size);
    const float s = static_cast<float>(size) / kUnits;  // pixels per unit
    // Distances are in pixels: the shapes are drawn in units and scaled.
    const auto scaled = [s](auto distanceInUnits) {
        return [s, distanceInUnits](float x, float y) { return distanceInUnits(x / s, y / s) * s; };
    };
    // The tile: a rounded square, night blue fading down.
    FillShape(
        icon, scaled([](float x, float y) {
            return RoundedRectDistance(x, y, 8.0f, 8.0f, 248.0f, 248.0f, 44.0f);
        }),
        [s](float, float y) { return Mix(Rgb8(34, 58, 108), Rgb8(10, 16, 36), y / s / kUnits); });
    // The rock overhead the hook holds on to.
    FillShape(icon, scaled([](float x, float y) {
                  return PolygonDistance(x, y,
                                         {30.0f, 30.0f, 226.0f, 30.0f, 210.0f, 66.0f, 150.0f, 78.0f,
                                          96.0f, 70.0f, 46.0f, 60.0f});
              }),
              [](float, float) { return Rgb8(128, 112, 96); });
    // The rope from the hook to the ball, swung to one side.
    FillShape(icon, scaled([](float x, float y) {
                  return StrokeDistance(x, y, 112.0f, 70.0f, 150.0f, 170.0f, 6.0f);
              }),
              [](float, float) { return Rgb8(214, 168, 92); });
    // The ball: a bluish-grey rim round the orange pole it shows the camera.
    FillShape(icon,
              scaled([](float x, float y) { return CircleDistance(x, y, 158.0f, 190.0f, 40.0f); }),
              [](float, float) { return Rgb8(63, 101, 157); });
    FillShape(icon,
              scaled([](float x, float y) { return CircleDistance(x, y, 158.0f, 190.0f, 22.0f); }),
              [s](float x, float y) {
                  const float d = std::hypot(x / s - 152.0f, y / s - 184.0f) / 22.0f;
                  return Mix(Rgb8(255, 214, 110), Rgb8(229, 126, 29), std::min(d, 1.0f));
              });
    return icon;
}
