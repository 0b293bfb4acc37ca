#include "menu_pictures.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/text_raster.h"

namespace {

// The sheets are stretched from 256 x 64 cells over 400 x 66 of the 800 x 600
// screen, so their text is drawn narrower by the same ratio to look right.
constexpr double kSheetNarrowing = (256.0 / 400.0) * (66.0 / 64.0);
// The credits picture covers the whole screen: 512 x 512 over 800 x 600.
constexpr double kCreditsNarrowing = (512.0 / 800.0) * (600.0 / 512.0);

enum class ItemLook { Normal, Highlighted, Unavailable, UnavailableHighlighted };

struct SheetEntry {
    int row;
    const char* label;
    bool available;  // entries without an action in this version look dimmed
};

// Renders a line at the largest size up to pixelHeight that fits maxWidth.
bool FitText(const std::string& font, const std::string& text, int pixelHeight, double narrowing,
             int maxWidth, TextBitmap& bitmap) {
    for (int size = pixelHeight; size >= 8; size -= 2) {
        if (!RasterizeTextLine(font, size, narrowing, text, bitmap))
            return false;
        if (bitmap.width <= maxWidth)
            return true;
    }
    return true;
}

// Text centred on (centreX, baselineY) with a soft shadow, an outline and
// a fill that runs from `top` at the cap line to `bottom` at the baseline.
void DrawLabel(Canvas& canvas, const TextBitmap& text, float centreX, int baselineY,
               const Rgba& top, const Rgba& bottom, const Rgba& outline, int outlineRadius) {
    const int x = static_cast<int>(std::lround(centreX - text.width * 0.5f));
    const int y = baselineY - text.baseline;
    const TextBitmap grown = Dilate(text, outlineRadius);
    const TextBitmap shadow = Blur(grown, 2);
    DrawCoverage(canvas, shadow, x - outlineRadius - 2 + 2, y - outlineRadius - 2 + 3,
                 Rgba{0.0f, 0.0f, 0.0f, 0.55f});
    DrawCoverage(canvas, grown, x - outlineRadius, y - outlineRadius, outline);
    const float capTop = text.baseline - text.height * 0.62f;
    for (int row = 0; row < text.height; ++row) {
        const float t = Clamp01((row - capTop) / (text.baseline - capTop));
        const Rgba colour = Mix(top, bottom, t);
        for (int column = 0; column < text.width; ++column) {
            const uint8_t value = text.coverage[static_cast<size_t>(row) * text.width + column];
            if (value)
                canvas.Blend(x + column, y + row, colour, value / 255.0f);
        }
    }
}

void DrawPlate(Canvas& canvas, int cellX, int cellY, ItemLook look) {
    const float left = cellX + 8.0f, top = cellY + 7.0f;
    const float right = cellX + kSheetCellWidth - 8.0f, bottom = cellY + kSheetCellHeight - 7.0f;
    const float radius = 16.0f;
    const bool highlighted = look == ItemLook::Highlighted;
    const bool dimHighlighted = look == ItemLook::UnavailableHighlighted;
    Rgba fillTop = Rgb8(34, 54, 94, 0.78f), fillBottom = Rgb8(14, 24, 48, 0.78f);
    Rgba border = Rgb8(110, 150, 210, 0.75f);
    if (highlighted) {
        fillTop = Rgb8(255, 204, 100, 0.96f);
        fillBottom = Rgb8(222, 112, 32, 0.96f);
        border = Rgb8(255, 244, 200);
    } else if (dimHighlighted) {
        fillTop = Rgb8(104, 116, 138, 0.9f);
        fillBottom = Rgb8(62, 72, 92, 0.9f);
        border = Rgb8(190, 200, 214);
    }
    const auto plate = [=](float x, float y) {
        return RoundedRectDistance(x, y, left, top, right, bottom, radius);
    };
    if (highlighted || dimHighlighted) {
        const Rgba glow = highlighted ? Rgb8(255, 170, 60) : Rgb8(170, 184, 210);
        FillShape(
            canvas, [&](float x, float y) { return plate(x, y) - 6.0f; },
            [&](float x, float y) {
                Rgba colour = glow;
                colour.a = 0.45f * (1.0f - Clamp01(plate(x, y) / 6.0f));
                return colour;
            });
    }
    FillShape(canvas, plate,
              [&](float, float y) { return Mix(fillTop, fillBottom, (y - top) / (bottom - top)); });
    const float width = highlighted || dimHighlighted ? 2.5f : 1.5f;
    FillShape(
        canvas, [&](float x, float y) { return std::fabs(plate(x, y) + width) - width * 0.5f; },
        [&](float, float) { return border; });
}

bool DrawEntry(Canvas& sheet, const std::string& font, const SheetEntry& entry) {
    TextBitmap text;
    if (!FitText(font, entry.label, 36, kSheetNarrowing, kSheetCellWidth - 48, text))
        return false;
    for (int column = 0; column < 2; ++column) {
        const bool lit = column == 1;
        const ItemLook look =
            entry.available ? (lit ? ItemLook::Highlighted : ItemLook::Normal)
                            : (lit ? ItemLook::UnavailableHighlighted : ItemLook::Unavailable);
        const int cellX = column * kSheetCellWidth;
        const int cellY = entry.row * kSheetCellHeight;
        DrawPlate(sheet, cellX, cellY, look);
        const int baseline = cellY + 45;
        const float centre = cellX + kSheetCellWidth * 0.5f;
        if (!entry.available)
            DrawLabel(sheet, text, centre, baseline, Rgb8(150, 158, 176), Rgb8(118, 126, 146),
                      Rgb8(20, 26, 40), 2);
        else if (lit)
            DrawLabel(sheet, text, centre, baseline, Rgb8(255, 255, 255), Rgb8(255, 246, 220),
                      Rgb8(96, 40, 8), 2);
        else
            DrawLabel(sheet, text, centre, baseline, Rgb8(240, 244, 252), Rgb8(186, 204, 232),
                      Rgb8(8, 14, 30), 2);
    }
    return true;
}

// The golden title across the whole strip, with a rule on either side.
bool DrawTitle(Canvas& canvas, const std::string& font, const std::string& title, int top,
               int height, int pixelHeight, double narrowing) {
    TextBitmap text;
    if (!FitText(font, title, pixelHeight, narrowing, canvas.width - 120, text))
        return false;
    const float centre = canvas.width * 0.5f;
    const int baseline = top + static_cast<int>(height * 0.5f + pixelHeight * 0.36f);
    const float ruleY = baseline - pixelHeight * 0.36f;
    const float gap = text.width * 0.5f + 18.0f;
    const Rgba gold = Rgb8(255, 214, 120);
    FillShape(
        canvas,
        [&](float x, float y) {
            const float along = std::fabs(x - centre);
            if (along < gap || along > centre - 44.0f)
                return 10.0f;
            const float taper = 1.0f - (along - gap) / (centre - 44.0f - gap);
            return std::fabs(y - ruleY) - 1.6f * taper;
        },
        [&](float, float) { return gold; });
    for (int side = -1; side <= 1; side += 2) {
        const float dx = centre + side * (gap - 8.0f);
        FillShape(
            canvas,
            [&](float x, float y) { return std::fabs(x - dx) + std::fabs(y - ruleY) - 5.0f; },
            [&](float, float) { return gold; });
    }
    DrawLabel(canvas, text, centre, baseline, Rgb8(255, 240, 170), Rgb8(240, 132, 30),
              Rgb8(44, 20, 6), 3);
    return true;
}

bool DrawSheet(const std::string& font, const char* title, const std::vector<SheetEntry>& entries,
               Canvas& sheet) {
    sheet = Canvas(kSheetSide, kSheetSide);
    Canvas strip(kSheetSide, kSheetCellHeight);
    if (!DrawTitle(strip, font, title, 0, kSheetCellHeight, 54, kSheetNarrowing))
        return false;
    for (int y = 0; y < strip.height; ++y)
        for (int x = 0; x < strip.width; ++x)
            sheet.At(x, y) = strip.At(x, y);
    for (const SheetEntry& entry : entries)
        if (!DrawEntry(sheet, font, entry))
            return false;
    return true;
}

}  // namespace

bool MainMenuSheet(const std::string& fontFile, Canvas& sheet) {
    return DrawSheet(fontFile, "QUARN",
                     {{1, "New game", true},
                      {2, "Options", false},
                      {4, "Credits", true},
                      {5, "Quit", true},
                      {6, "Controls", true}},
                     sheet);
}

bool GameMenuSheet(const std::string& fontFile, Canvas& sheet) {
    return DrawSheet(fontFile, "Paused",
                     {{1, "Resume", true},
                      {2, "Restart level", true},
                      {3, "Options", false},
                      {5, "End game", true}},
                     sheet);
}

Canvas MenuBackground() {
    Canvas canvas(kSheetSide, kSheetSide);
    Paint(canvas, [](float x, float y) {
        const float u = x / kSheetSide, v = y / kSheetSide;
        const float edge = std::min(std::min(u, 1.0f - u), std::min(v, 1.0f - v));
        const float frame = 1.0f - SmoothStep(0.0f, 0.14f, edge);
        Rgba colour = Mix(Rgb8(26, 44, 84), Rgb8(6, 10, 24), frame);
        colour.a = 0.6f + 0.36f * frame;
        // A faint swing of the rope across the middle, and a fine diagonal weave.
        const float swing = std::fabs(std::hypot(u - 0.5f, v + 0.35f) - 0.95f);
        colour = Mix(colour, Rgb8(90, 130, 200, colour.a),
                     (1.0f - SmoothStep(0.0f, 0.006f, swing)) * 0.35f);
        const float weave = std::fabs(std::fmod(x + y, 16.0f) - 8.0f);
        colour = Mix(colour, Rgb8(40, 64, 110, colour.a),
                     (1.0f - SmoothStep(0.5f, 1.5f, weave)) * 0.25f);
        const float line = std::fabs(edge - 0.06f) * kSheetSide;
        colour = Mix(colour, Rgb8(120, 170, 240, 0.95f), 1.0f - SmoothStep(0.6f, 1.6f, line));
        return colour;
    });
    return canvas;
}

Canvas MenuCursor() {
    Canvas canvas(32, 32);
    const std::vector<float> arrow = {1.5f,  1.5f,  1.5f,  24.0f, 7.0f,  19.0f, 11.0f,
                                      28.5f, 15.0f, 26.5f, 11.0f, 17.5f, 18.5f, 17.5f};
    const auto shape = [&](float x, float y) { return PolygonDistance(x, y, arrow); };
    FillShape(
        canvas, [&](float x, float y) { return shape(x - 2.0f, y - 2.0f) - 1.0f; },
        [](float, float) {
            return Rgba{0.0f, 0.0f, 0.0f, 0.35f};
        });
    FillShape(
        canvas, [&](float x, float y) { return shape(x, y) - 1.1f; },
        [](float, float) { return Rgb8(16, 20, 34); });
    FillShape(
        canvas, [&](float x, float y) { return shape(x, y) + 0.4f; },
        [](float x, float y) {
            return Mix(Rgb8(255, 255, 255), Rgb8(255, 206, 120), (x + y) / 40.0f);
        });
    return canvas;
}

bool CreditsPicture(const std::string& fontFile, Canvas& picture) {
    picture = Canvas(kSheetSide, kSheetSide);
    const auto panel = [](float x, float y) {
        return RoundedRectDistance(x, y, 20.0f, 20.0f, 492.0f, 492.0f, 28.0f);
    };
    FillShape(picture, panel, [](float, float y) {
        return Mix(Rgb8(22, 38, 74, 0.9f), Rgb8(8, 14, 32, 0.94f), y / kSheetSide);
    });
    FillShape(
        picture, [&](float x, float y) { return std::fabs(panel(x, y) + 6.0f) - 1.0f; },
        [](float, float) { return Rgb8(120, 170, 240, 0.9f); });
    if (!DrawTitle(picture, fontFile, "QUARN", 40, 100, 84, kCreditsNarrowing))
        return false;

    struct Line {
        const char* text;
        int size;
        int baseline;
        Rgba colour;
    };
    const Rgba white = Rgb8(236, 242, 252), blue = Rgb8(140, 180, 236), dim = Rgb8(120, 136, 168);
    const Line lines[] = {
        {"made by the Quarn developers", 30, 206, white},
        {"music and sounds synthesised", 30, 250, white},
        {"built with", 24, 318, blue},
        {"SDL2, libpng, libjpeg,", 30, 360, white},
        {"FreeType and Mesa", 30, 400, white},
        {"click to return", 22, 462, dim},
    };
    for (const Line& line : lines) {
        TextBitmap text;
        if (!FitText(fontFile, line.text, line.size, kCreditsNarrowing, 440, text))
            return false;
        DrawLabel(picture, text, kSheetSide * 0.5f, line.baseline, line.colour,
                  Scale(line.colour, 0.85f), Rgb8(6, 10, 22), 1);
    }
    FillShape(
        picture,
        [](float x, float y) {
            return std::max(std::fabs(y - 284.0f) - 0.8f, std::fabs(x - 256.0f) - 150.0f);
        },
        [](float, float) { return Rgb8(120, 170, 240, 0.7f); });
    return true;
}
