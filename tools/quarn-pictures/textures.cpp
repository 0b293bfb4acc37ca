#include "textures.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kPi = 3.14159265f;

// Picks a colour along a ramp of evenly spaced stops, t in 0-1.
Rgba Ramp(const std::vector<Rgba>& stops, float t) {
    const float position = Clamp01(t) * (stops.size() - 1);
    const size_t index = std::min(static_cast<size_t>(position), stops.size() - 2);
    return Mix(stops[index], stops[index + 1], position - index);
}

float Fraction(float value) {
    return value - std::floor(value);
}

// 1 on a thin line where the noise crosses its middle, 0 away from it.
float Ridge(float noise, float width) {
    return 1.0f - SmoothStep(0.0f, width, std::fabs(noise - 0.5f));
}

}  // namespace

Canvas BallTexture() {
    Canvas canvas(128, 128);
    const Rgba core = Rgb8(255, 214, 110), coreEdge = Rgb8(236, 128, 28);
    const Rgba steel = Rgb8(112, 162, 222), steelDark = Rgb8(58, 94, 150);
    const Rgba groove = Rgb8(30, 22, 26), bright = Rgb8(196, 224, 250);
    const Rgba rim = Rgb8(40, 58, 96), rimEdge = Rgb8(16, 24, 46);
    const float pixel = 1.0f / 64.0f;
    Paint(canvas, [&](float x, float y) {
        const float dx = (x - 64.0f) / 64.0f;
        const float dy = (y - 64.0f) / 64.0f;
        const float r = std::hypot(dx, dy);
        const float angle = std::atan2(dy, dx);
        Rgba band = Mix(steel, steelDark, SmoothStep(0.34f, 0.8f, r));
        // Eight notches round the band, so a spin would show.
        const float notch = std::pow(std::fabs(std::cos(angle * 4.0f)), 40.0f);
        band =
            Mix(band, steelDark,
                notch * SmoothStep(0.42f, 0.5f, r) * (1.0f - SmoothStep(0.66f, 0.72f, r)) * 0.8f);
        Rgba colour = Mix(core, coreEdge, SmoothStep(0.0f, 0.28f, r));
        colour = Mix(colour, groove, SmoothStep(0.27f - pixel, 0.27f + pixel, r));
        colour = Mix(colour, band, SmoothStep(0.33f - pixel, 0.33f + pixel, r));
        colour = Mix(colour, bright, SmoothStep(0.78f - pixel, 0.78f + pixel, r));
        colour = Mix(colour, Mix(rim, rimEdge, SmoothStep(0.84f, 1.0f, r)),
                     SmoothStep(0.83f - pixel, 0.83f + pixel, r));
        const float highlight = std::exp(-std::pow(std::hypot(dx + 0.32f, dy + 0.34f) / 0.2f, 2));
        return Mix(colour, Rgb8(255, 255, 255), highlight * 0.55f);
    });
    return canvas;
}

Canvas RopeTexture() {
    Canvas canvas(32, 64);
    const Rgba hemp = Rgb8(214, 172, 108), hempDark = Rgb8(120, 84, 44), gap = Rgb8(56, 36, 18);
    Paint(canvas, [&](float x, float y) {
        const float u = x / 32.0f;
        const float v = y / 64.0f;
        // Three strands twist along the rope: four turns per repeat.
        const float strand = Fraction(v * 4.0f + u * 1.5f);
        const float bulge = std::sin(strand * kPi);
        const float round = std::sqrt(std::max(0.0f, std::sin(u * kPi)));
        Rgba colour = Mix(hempDark, hemp, bulge * 0.8f + 0.2f);
        colour = Mix(gap, colour, SmoothStep(0.0f, 0.12f, std::min(strand, 1.0f - strand)));
        const float fibre = HashUnit(7, static_cast<int>(x), static_cast<int>(y)) * 0.12f;
        return Scale(colour, (0.35f + 0.65f * round) * (0.94f + fibre));
    });
    return canvas;
}

Canvas RockTexture() {
    Canvas canvas(256, 256);
    const std::vector<Rgba> stops = {Rgb8(46, 42, 40), Rgb8(88, 80, 72), Rgb8(128, 118, 104),
                                     Rgb8(160, 150, 134)};
    Paint(canvas, [&](float x, float y) {
        const float u = x / 256.0f, v = y / 256.0f;
        const float body = TileNoise(11, u, v, 4, 4, 5);
        const float grain = TileNoise(12, u, v, 32, 32, 2);
        const float crack = Ridge(TileNoise(13, u, v, 3, 3, 4), 0.018f);
        Rgba colour = Ramp(stops, body * 1.3f - 0.15f + (grain - 0.5f) * 0.25f);
        return Mix(colour, Rgb8(24, 20, 20), crack * 0.75f);
    });
    return canvas;
}

Canvas LavaTexture() {
    Canvas canvas(256, 256);
    const std::vector<Rgba> stops = {Rgb8(34, 8, 4), Rgb8(120, 18, 6), Rgb8(214, 64, 10),
                                     Rgb8(255, 150, 30), Rgb8(255, 236, 140)};
    Paint(canvas, [&](float x, float y) {
        const float u = x / 256.0f, v = y / 256.0f;
        const float warpU = TileNoise(21, u, v, 3, 3, 3) - 0.5f;
        const float warpV = TileNoise(22, u, v, 3, 3, 3) - 0.5f;
        const float flow = TileNoise(23, u + warpU * 0.4f, v + warpV * 0.4f, 4, 4, 4);
        const float vein = Ridge(flow, 0.09f);
        const float heat = TileNoise(24, u, v, 2, 2, 3);
        return Ramp(stops, 0.15f + heat * 0.35f + vein * 0.55f);
    });
    return canvas;
}

Canvas WaterTexture() {
    Canvas canvas(256, 256);
    Paint(canvas, [&](float x, float y) {
        const float u = x / 256.0f, v = y / 256.0f;
        const float depth = TileNoise(31, u, v, 2, 2, 3);
        const float warp = TileNoise(32, u, v, 3, 3, 2) - 0.5f;
        const float caustic =
            Ridge(TileNoise(33, u + warp * 0.3f, v - warp * 0.3f, 5, 5, 2), 0.05f);
        Rgba colour = Mix(Rgb8(10, 44, 96), Rgb8(26, 108, 170), depth);
        return Mix(colour, Rgb8(170, 230, 255), caustic * 0.6f);
    });
    return canvas;
}

Canvas MossTexture() {
    Canvas canvas(256, 256);
    Paint(canvas, [&](float x, float y) {
        const float u = x / 256.0f, v = y / 256.0f;
        const float patch = SmoothStep(0.45f, 0.62f, TileNoise(41, u, v, 4, 4, 4));
        const float tuft = TileNoise(42, u, v, 32, 32, 2);
        const Rgba moss = Mix(Rgb8(96, 148, 58), Rgb8(150, 196, 92), tuft);
        // Light stone between the patches: it barely darkens the texture under
        // it, and still reads as mossy stone where the overlay is drawn alone.
        const Rgba stone =
            Mix(Rgb8(176, 178, 166), Rgb8(214, 216, 204), TileNoise(43, u, v, 8, 8, 3));
        return Mix(stone, moss, patch * 0.85f);
    });
    return canvas;
}

Canvas GlassTexture() {
    Canvas canvas(256, 256);
    Paint(canvas, [&](float x, float y) {
        const float u = x / 256.0f, v = y / 256.0f;
        const float streak = std::pow(std::sin(Fraction(u + v) * kPi * 2.0f) * 0.5f + 0.5f, 6.0f);
        const float cloud = TileNoise(51, u, v, 3, 3, 3);
        Rgba colour = Mix(Rgb8(70, 150, 200), Rgb8(140, 210, 240), cloud);
        return Mix(colour, Rgb8(235, 250, 255), streak * 0.55f);
    });
    return canvas;
}

Canvas GlassAlphaTexture() {
    Canvas canvas(256, 256);
    Paint(canvas, [&](float x, float y) {
        const float u = x / 256.0f, v = y / 256.0f;
        const float edge = std::min(std::min(u, 1.0f - u), std::min(v, 1.0f - v));
        const float frame = 1.0f - SmoothStep(0.02f, 0.045f, edge);
        const float streak = std::pow(std::sin(Fraction(u + v) * kPi * 2.0f) * 0.5f + 0.5f, 6.0f);
        const float alpha = 0.3f + streak * 0.3f + frame * 0.55f;
        Rgba colour = Mix(Rgb8(190, 230, 250), Rgb8(240, 250, 255), streak);
        colour.a = Clamp01(alpha);
        return colour;
    });
    return canvas;
}

Canvas GridTexture() {
    Canvas canvas(256, 256);
    Paint(canvas, [&](float x, float y) {
        const float u = x / 256.0f, v = y / 256.0f;
        const auto lineAt = [](float position, float spacing, float width) {
            const float offset = std::fmod(position, spacing);
            return 1.0f - SmoothStep(0.0f, width, std::min(offset, spacing - offset));
        };
        const float fine = std::max(lineAt(x, 32.0f, 1.2f), lineAt(y, 32.0f, 1.2f));
        const float major = std::max(lineAt(x, 128.0f, 2.0f), lineAt(y, 128.0f, 2.0f));
        const float glow = std::max(lineAt(x, 128.0f, 10.0f), lineAt(y, 128.0f, 10.0f));
        Rgba colour = Mix(Rgb8(12, 18, 34), Rgb8(22, 32, 58), TileNoise(61, u, v, 2, 2, 3));
        colour = Mix(colour, Rgb8(34, 60, 104), glow * 0.5f);
        colour = Mix(colour, Rgb8(58, 92, 140), fine);
        return Mix(colour, Rgb8(110, 170, 230), major);
    });
    return canvas;
}

Canvas MetalTexture() {
    Canvas canvas(256, 256);
    const float rivets[4][2] = {{20, 20}, {236, 20}, {20, 236}, {236, 236}};
    Paint(canvas, [&](float x, float y) {
        const float u = x / 256.0f, v = y / 256.0f;
        const float brushed = TileNoise(71, u, v, 2, 96, 3);
        const float tone = TileNoise(72, u, v, 2, 2, 2);
        Rgba colour = Mix(Rgb8(112, 118, 126), Rgb8(176, 182, 190), brushed * 0.6f + tone * 0.4f);
        const float edge = std::min(std::min(x, 256.0f - x), std::min(y, 256.0f - y));
        colour = Scale(colour, 0.55f + 0.45f * SmoothStep(0.0f, 6.0f, edge));
        for (const auto& rivet : rivets) {
            const float d = std::hypot(x - rivet[0], y - rivet[1]);
            const float light = Clamp01(0.6f - ((x - rivet[0]) + (y - rivet[1])) / 12.0f);
            const Rgba head = Mix(Rgb8(70, 74, 80), Rgb8(220, 224, 230), light);
            colour = Mix(colour, head, 1.0f - SmoothStep(5.0f, 6.5f, d));
        }
        return colour;
    });
    return canvas;
}

Canvas BrickTexture() {
    Canvas canvas(256, 256);
    constexpr float kBrickWidth = 64.0f, kBrickHeight = 32.0f, kMortar = 3.0f;
    Paint(canvas, [&](float x, float y) {
        const float u = x / 256.0f, v = y / 256.0f;
        const int row = static_cast<int>(y / kBrickHeight);
        const float shifted = x + (row % 2 ? kBrickWidth * 0.5f : 0.0f);
        const int column = static_cast<int>(shifted / kBrickWidth) % 4;
        const float bx = std::fmod(shifted, kBrickWidth);
        const float by = std::fmod(y, kBrickHeight);
        const float inset =
            std::min(std::min(bx, kBrickWidth - bx), std::min(by, kBrickHeight - by));
        const float brick = SmoothStep(kMortar * 0.5f, kMortar * 0.5f + 1.2f, inset);
        const float shade = HashUnit(81, column, row);
        const float speckle = TileNoise(82, u, v, 32, 32, 2);
        Rgba face = Mix(Rgb8(150, 58, 40), Rgb8(186, 92, 60), shade);
        face = Scale(face, 0.85f + speckle * 0.3f);
        face = Scale(face, 0.8f + 0.2f * SmoothStep(0.0f, 5.0f, inset));
        const Rgba mortar = Mix(Rgb8(150, 146, 136), Rgb8(184, 180, 170), speckle);
        return Mix(mortar, face, brick);
    });
    return canvas;
}

Canvas WoodTexture() {
    Canvas canvas(128, 128);
    constexpr float kPlank = 32.0f;
    Paint(canvas, [&](float x, float y) {
        const float u = x / 128.0f, v = y / 128.0f;
        const int plank = static_cast<int>(x / kPlank);
        const float px = std::fmod(x, kPlank);
        const float warp = TileNoise(91 + plank, u, v, 2, 3, 3);
        const float rings = std::sin((px / kPlank * 3.0f + warp * 6.0f) * kPi * 2.0f) * 0.5f + 0.5f;
        const float tone = HashUnit(92, plank, 0);
        Rgba colour = Mix(Rgb8(124, 74, 36), Rgb8(176, 118, 62), tone);
        colour = Mix(colour, Rgb8(92, 52, 24), std::pow(rings, 3.0f) * 0.6f);
        const float seam = 1.0f - SmoothStep(0.0f, 1.5f, std::min(px, kPlank - px));
        return Mix(colour, Rgb8(46, 26, 12), seam);
    });
    return canvas;
}

Canvas CrystalTexture() {
    Canvas canvas(128, 128);
    constexpr int kCells = 5;
    Paint(canvas, [&](float x, float y) {
        const float u = x / 128.0f * kCells, v = y / 128.0f * kCells;
        float nearest = 1e9f, second = 1e9f;
        int nearestI = 0, nearestJ = 0;
        for (int j = static_cast<int>(std::floor(v)) - 1; j <= static_cast<int>(std::floor(v)) + 1;
             ++j)
            for (int i = static_cast<int>(std::floor(u)) - 1;
                 i <= static_cast<int>(std::floor(u)) + 1; ++i) {
                const int wi = (i + kCells) % kCells, wj = (j + kCells) % kCells;
                const float cx = i + 0.15f + 0.7f * HashUnit(101, wi, wj);
                const float cy = j + 0.15f + 0.7f * HashUnit(102, wi, wj);
                const float d = std::hypot(u - cx, v - cy);
                if (d < nearest) {
                    second = nearest;
                    nearest = d;
                    nearestI = wi;
                    nearestJ = wj;
                } else if (d < second) {
                    second = d;
                }
            }
        const float hue = HashUnit(103, nearestI, nearestJ);
        const float tilt = HashUnit(104, nearestI, nearestJ);
        Rgba facet = Mix(Rgb8(112, 48, 170), Rgb8(70, 170, 220), hue);
        facet = Scale(facet, 0.7f + 0.5f * tilt - nearest * 0.35f);
        const float edge = 1.0f - SmoothStep(0.0f, 0.06f, second - nearest);
        return Mix(facet, Rgb8(230, 220, 255), edge * 0.85f);
    });
    return canvas;
}

Canvas SkyTexture() {
    Canvas canvas(256, 256);
    Paint(canvas, [&](float x, float y) {
        // Inside the disc of the sphere map: up is towards the top edge.
        float dx = (x - 128.0f) / 128.0f, dy = (y - 128.0f) / 128.0f;
        const float r = std::hypot(dx, dy);
        if (r > 1.0f) {
            dx /= r;
            dy /= r;
        }
        const float elevation = -dy;  // -1 straight down, 1 straight up
        const Rgba zenith = Rgb8(40, 92, 190), horizon = Rgb8(214, 230, 246);
        const Rgba land = Rgb8(56, 66, 60), landFar = Rgb8(120, 132, 128);
        Rgba colour = elevation > 0.0f ? Mix(horizon, zenith, std::pow(elevation, 0.6f))
                                       : Mix(landFar, land, std::pow(-elevation, 0.5f));
        if (elevation > 0.05f) {
            const float cloud =
                SmoothStep(0.5f, 0.7f, TileNoise(111, dx * 0.5f + 0.5f, dy, 4, 4, 4));
            colour =
                Mix(colour, Rgb8(250, 250, 252), cloud * 0.7f * SmoothStep(0.05f, 0.3f, elevation));
        }
        const float sun = std::exp(-std::pow(std::hypot(dx + 0.35f, dy + 0.5f) / 0.12f, 2));
        return Mix(colour, Rgb8(255, 250, 220), sun);
    });
    return canvas;
}
