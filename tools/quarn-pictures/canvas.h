#pragma once
// A picture being drawn: floating-point RGBA pixels, top row first, with the
// few drawing operations the generated pictures are made of. Everything is a
// pure function of its arguments, so the same build draws the same bytes.

#include <cstdint>
#include <functional>
#include <vector>

struct TextBitmap;

struct Rgba {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 1.0f;
};

// Colours given as 0-255 bytes, alpha 0-1.
Rgba Rgb8(int r, int g, int b, float a = 1.0f);
Rgba Mix(const Rgba& from, const Rgba& to, float t);
Rgba Scale(const Rgba& colour, float factor);  // rgb only

struct Canvas {
    int width = 0;
    int height = 0;
    std::vector<Rgba> pixels;

    Canvas() = default;
    Canvas(int w, int h, const Rgba& fill = {0.0f, 0.0f, 0.0f, 0.0f});
    Rgba& At(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
    const Rgba& At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    // Paints `colour` over the pixel, weighted by coverage (0-1) and the colour's alpha.
    void Blend(int x, int y, const Rgba& colour, float coverage);
};

float Clamp01(float value);
float SmoothStep(float edge0, float edge1, float value);

// Sets every pixel from a function of its centre (x + 0.5, y + 0.5).
void Paint(Canvas& canvas, const std::function<Rgba(float x, float y)>& shade);

// Blends a shape given by its signed distance (negative inside, in pixels),
// anti-aliased over one pixel; `shade` gives the colour at each point.
void FillShape(Canvas& canvas, const std::function<float(float x, float y)>& distance,
               const std::function<Rgba(float x, float y)>& shade);

// Signed distance to a rectangle with rounded corners.
float RoundedRectDistance(float x, float y, float left, float top, float right, float bottom,
                          float radius);
// Signed distance to a simple polygon given as x, y pairs.
float PolygonDistance(float x, float y, const std::vector<float>& points);

// Blends the coverage bitmap in one colour with its top-left corner at (x, y).
void DrawCoverage(Canvas& canvas, const TextBitmap& text, int x, int y, const Rgba& colour);
// The bitmap grown by `radius` pixels in every direction (for outlines).
TextBitmap Dilate(const TextBitmap& text, int radius);
// The bitmap softened by a box blur of `radius`, padded by it on every side.
TextBitmap Blur(const TextBitmap& text, int radius);

// Tileable fractal value noise in 0-1 over texture coordinates u, v in
// [0, 1): the lattice has periodX by periodY cells, doubled per octave, and
// wraps, so the picture repeats without a seam.
float TileNoise(uint32_t seed, float u, float v, int periodX, int periodY, int octaves);
// Hash of integers to 0-1, for fixed pseudo-random choices.
float HashUnit(uint32_t seed, int a, int b);
