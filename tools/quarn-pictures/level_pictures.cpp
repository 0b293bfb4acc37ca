#include "level_pictures.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <vector>

#include "platform/text_raster.h"

namespace {

constexpr float kPi = 3.14159265f;
constexpr int kSignWidth = 512;
constexpr int kSignHeight = 128;

const SignText kSigns[] = {
    {"sign_fire.png", {"Left click fires the hook", "It catches on rock and holds you"}},
    {"sign_reel.png", {"W reels in, S reels out", "Down through the gap, up over the wall"}},
    {"sign_swing.png", {"A and D swing you", "Swing up into the green exit"}},
    {"sign_wrap.png", {"The rope wraps round corners", "and unwraps when you swing back"}},
    {"sign_letgo.png", {"Right click lets go", "Fire again while you fall"}},
    {"sign_bumps.png", {"Four bumps restart the level", "Reel gently through the narrows"}},
    {"sign_lava.png", {"Glowing red rock kills", "and cuts the hook loose"}},
    {"sign_routes.png", {"Two ways on", "The quick one is the risky one"}},
    {"sign_magnet.png", {"Magnets throw the ball back", "and fling the hook up high"}},
    {"sign_bhole.png", {"Black holes push away", "the ball and the hook"}},
};

float Fraction(float value) {
    return value - std::floor(value);
}

// The largest size up to pixelHeight whose line fits maxWidth.
bool FitLine(const std::string& font, const std::string& text, int pixelHeight, int maxWidth,
             TextBitmap& bitmap) {
    for (int size = pixelHeight; size >= 10; size -= 2) {
        if (!RasterizeTextLine(font, size, 1.0, text, bitmap))
            return false;
        if (bitmap.width <= maxWidth)
            return true;
    }
    return true;
}

void DrawCentred(Canvas& canvas, const TextBitmap& text, int baselineY, const Rgba& colour) {
    const int x = (canvas.width - text.width) / 2;
    const int y = baselineY - text.baseline;
    DrawCoverage(canvas, Blur(Dilate(text, 1), 2), x - 3 + 1, y - 3 + 2, Rgba{0, 0, 0, 0.6f});
    DrawCoverage(canvas, text, x, y, colour);
}

}  // namespace

const SignText* Signs(int& count) {
    count = static_cast<int>(std::size(kSigns));
    return kSigns;
}

bool SignPicture(const std::string& fontFile, int index, Canvas& picture) {
    picture = Canvas(kSignWidth, kSignHeight);
    // A slate plate with a brass frame and four bolts.
    Paint(picture, [&](float x, float y) {
        const float u = x / kSignWidth, v = y / kSignHeight;
        const float grain = TileNoise(201, u, v, 8, 2, 3);
        Rgba slate = Mix(Rgb8(34, 38, 44), Rgb8(52, 58, 66), grain);
        const float edge = std::min(std::min(x, kSignWidth - x), std::min(y, kSignHeight - y));
        const float frame = 1.0f - SmoothStep(7.0f, 9.0f, edge);
        const float bevel = SmoothStep(0.0f, 7.0f, edge);
        const Rgba brass = Mix(Rgb8(120, 86, 36), Rgb8(214, 170, 90), bevel);
        slate = Mix(slate, brass, frame);
        const float bolts[4][2] = {{18, 18}, {494, 18}, {18, 110}, {494, 110}};
        for (const auto& bolt : bolts) {
            const float d = std::hypot(x - bolt[0], y - bolt[1]);
            slate = Mix(slate, Rgb8(190, 160, 100), 1.0f - SmoothStep(3.5f, 5.0f, d));
        }
        return slate;
    });
    const SignText& sign = kSigns[index];
    TextBitmap first, second;
    if (!FitLine(fontFile, sign.lines[0], 40, kSignWidth - 60, first) ||
        !FitLine(fontFile, sign.lines[1], 28, kSignWidth - 60, second))
        return false;
    DrawCentred(picture, first, 58, Rgb8(255, 232, 170));
    DrawCentred(picture, second, 100, Rgb8(210, 220, 230));
    return true;
}

Canvas ExitTexture() {
    Canvas canvas(128, 128);
    Paint(canvas, [&](float x, float y) {
        const float dx = (x - 64.0f) / 64.0f, dy = (y - 64.0f) / 64.0f;
        const float r = std::hypot(dx, dy);
        const float rings = std::pow(std::cos(r * kPi * 4.0f) * 0.5f + 0.5f, 3.0f);
        const float glow = std::exp(-r * r * 2.5f);
        Rgba colour = Mix(Rgb8(20, 90, 40), Rgb8(90, 230, 120), glow);
        colour =
            Mix(colour, Rgb8(200, 255, 210), rings * (1.0f - SmoothStep(0.7f, 1.0f, r)) * 0.6f);
        return colour;
    });
    return canvas;
}

Canvas BeltTexture() {
    Canvas canvas(256, 256);
    Paint(canvas, [&](float x, float y) {
        const float u = x / 256.0f, v = y / 256.0f;
        // Eight slats across x, each with a ridge and a dark seam.
        const float slat = Fraction(u * 8.0f);
        const float ridge = std::sin(slat * kPi);
        const float seam = 1.0f - SmoothStep(0.0f, 0.06f, std::min(slat, 1.0f - slat));
        const float wear = TileNoise(211, u, v, 16, 4, 2);
        Rgba colour = Mix(Rgb8(48, 50, 54), Rgb8(96, 98, 100), ridge * 0.7f + wear * 0.3f);
        // Yellow chevrons down the middle point the way the belt runs.
        const float chevron = Fraction(u * 4.0f + std::fabs(v - 0.5f) * 0.8f);
        const float mark = (1.0f - SmoothStep(0.0f, 0.01f, std::fabs(v - 0.5f) - 0.22f)) *
                           (1.0f - SmoothStep(0.12f, 0.16f, std::fabs(chevron - 0.5f)));
        colour = Mix(colour, Rgb8(230, 180, 40), mark * 0.85f);
        return Mix(colour, Rgb8(18, 18, 20), seam);
    });
    return canvas;
}

Canvas IceTexture() {
    Canvas canvas(256, 256);
    Paint(canvas, [&](float x, float y) {
        const float u = x / 256.0f, v = y / 256.0f;
        const float body = TileNoise(221, u, v, 3, 3, 4);
        const float frost = TileNoise(222, u, v, 24, 24, 2);
        const float crack =
            1.0f - SmoothStep(0.0f, 0.012f, std::fabs(TileNoise(223, u, v, 4, 4, 3) - 0.5f));
        Rgba colour = Mix(Rgb8(120, 170, 210), Rgb8(200, 232, 250), body);
        colour = Mix(colour, Rgb8(240, 250, 255), frost * 0.25f);
        return Mix(colour, Rgb8(60, 100, 150), crack * 0.7f);
    });
    return canvas;
}

Canvas BasaltTexture() {
    Canvas canvas(256, 256);
    constexpr int kColumns = 4;
    Paint(canvas, [&](float x, float y) {
        const float u = x / 256.0f, v = y / 256.0f;
        const float across = u * kColumns;
        const int column = static_cast<int>(across);
        const float inColumn = Fraction(across);
        const float tone = HashUnit(231, column, 0);
        const float grain = TileNoise(232, u, v, 16, 16, 3);
        Rgba colour = Mix(Rgb8(34, 32, 38), Rgb8(70, 66, 74), tone * 0.6f + grain * 0.4f);
        // Rounded faces of the columns and the joints across them.
        colour = Scale(colour, 0.7f + 0.4f * std::sin(inColumn * kPi));
        const float joint = Fraction(v * 3.0f + HashUnit(233, column, 1));
        const float dark = 1.0f - SmoothStep(0.0f, 0.03f, std::min(joint, 1.0f - joint));
        const float seam = 1.0f - SmoothStep(0.0f, 0.04f, std::min(inColumn, 1.0f - inColumn));
        return Mix(colour, Rgb8(12, 10, 14), std::max(dark * 0.8f, seam));
    });
    return canvas;
}

Canvas HazardTexture() {
    Canvas canvas(256, 256);
    Paint(canvas, [&](float x, float y) {
        const float u = x / 256.0f, v = y / 256.0f;
        const float stripe = Fraction((u + v) * 4.0f);
        const float red =
            SmoothStep(0.48f, 0.52f, stripe) * (1.0f - SmoothStep(0.98f, 1.0f, stripe));
        const float grime = TileNoise(241, u, v, 8, 8, 3);
        Rgba colour = Mix(Rgb8(24, 20, 20), Rgb8(230, 40, 24), red);
        return Scale(colour, 0.75f + grime * 0.35f);
    });
    return canvas;
}
