// Menu pictures and frame checks for the end-to-end menu test.
//
//   e2e_menu_pictures write FOLDER [BACKGROUND_ALPHA]
//       writes the test pictures into FOLDER/Menu/
//   e2e_menu_pictures expect SCREENSHOT X Y COLOUR
//       checks the pixel at (X, Y), counted from the top-left corner, against
//       a named colour: background, cursor, credits, main:ROW:COL, game:ROW:COL
//   e2e_menu_pictures differs SCREENSHOT X Y COLOUR
//       the opposite check
//   e2e_menu_pictures green SCREENSHOT LEFT TOP RIGHT BOTTOM
//       prints how many pixels of the rectangle show green text, full or
//       seen through a half-transparent picture
//   and the frame comparisons of frame_compare.h (size, match, diff, greenbox)
//   e2e_menu_pictures level-geometry|level-ball|level-heads-up SCREENSHOT
//       checks a screenshot of a level at its start (level_shot_checks.h)
//   e2e_menu_pictures solid PATH R G B
//       writes a 16 x 16 PNG picture of one colour
//   e2e_menu_pictures count SCREENSHOT R G B LEFT TOP RIGHT BOTTOM
//       prints how many pixels of the rectangle show that colour, and the
//       box round them (left top right bottom, or -1 -1 -1 -1 for none)
//   e2e_menu_pictures textdiff SCREENSHOT1 SCREENSHOT2 LEFT TOP RIGHT BOTTOM
//       prints how many pixels of the rectangle show green text in one
//       screenshot and not in the other

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "frame_compare.h"
#include "level_shot_checks.h"
#include "resources/image.h"
#include "support/menu_pictures.h"

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: e2e_menu_pictures write FOLDER [BACKGROUND_ALPHA]\n"
                 "       e2e_menu_pictures expect|differs SCREENSHOT X Y COLOUR\n"
                 "       e2e_menu_pictures green SCREENSHOT LEFT TOP RIGHT BOTTOM\n"
                 "       e2e_menu_pictures solid PATH R G B\n"
                 "       e2e_menu_pictures count SCREENSHOT R G B LEFT TOP RIGHT BOTTOM\n"
                 "       e2e_menu_pictures textdiff SCREENSHOT1 SCREENSHOT2 LEFT TOP RIGHT "
                 "BOTTOM\n"
                 "       e2e_menu_pictures level-geometry|level-ball|level-heads-up SCREENSHOT\n%s",
                 kFrameCompareUsage);
    return 2;
}

bool LoadPicture(const char* path, Image& image) {
    if (image.Load(path) != ImageOk || image.compressed) {
        std::fprintf(stderr, "%s: cannot read the picture\n", path);
        return false;
    }
    return true;
}

bool Inside(const Image& image, int x, int y) {
    return x >= 0 && y >= 0 && x < static_cast<int>(image.width) &&
           y < static_cast<int>(image.height);
}

// Pixel (x, y) counted from the top; rows are held bottom row first.
Rgb PixelAt(const Image& image, int x, int y) {
    const size_t row = image.height - 1 - static_cast<size_t>(y);
    const uint8_t* p = image.pixels.data() + row * image.RowBytes() + x * (image.bitsPerPixel / 8);
    return {p[0], p[1], p[2]};
}

struct Rect {
    int left, top, right, bottom;
};

Rect RectFrom(char** argv) {
    return {std::atoi(argv[0]), std::atoi(argv[1]), std::atoi(argv[2]), std::atoi(argv[3])};
}

bool Fits(const char* path, const Image& image, const Rect& r) {
    if (!Inside(image, r.left, r.top) || !Inside(image, r.right - 1, r.bottom - 1) ||
        r.left >= r.right || r.top >= r.bottom) {
        std::fprintf(stderr, "%s: the rectangle does not fit %ux%u\n", path, image.width,
                     image.height);
        return false;
    }
    return true;
}

bool IsGreenText(const Rgb& c) {
    return c.g >= 100 && c.g > c.r + 60 && c.g > c.b + 40;
}

int CountGreen(const char* path, const Rect& r) {
    Image image;
    if (!LoadPicture(path, image) || !Fits(path, image, r))
        return 2;
    int count = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            count += IsGreenText(PixelAt(image, x, y));
    std::printf("%d\n", count);
    return 0;
}

// A generous tolerance: the game may upload a texture compressed, and
// filtering blends a ribbon's edge with what lies behind it.
int CountColour(const char* path, const Rgb& want, const Rect& r) {
    Image image;
    if (!LoadPicture(path, image) || !Fits(path, image, r))
        return 2;
    int count = 0;
    Rect box{-1, -1, -1, -1};
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            if (!Near(PixelAt(image, x, y), want, 40))
                continue;
            if (count++ == 0)
                box = {x, y, x, y};
            box.left = x < box.left ? x : box.left;
            box.right = x > box.right ? x : box.right;
            box.bottom = y;
        }
    std::printf("%d %d %d %d %d\n", count, box.left, box.top, box.right, box.bottom);
    return 0;
}

int TextDifference(const char* path1, const char* path2, const Rect& r) {
    Image first, second;
    if (!LoadPicture(path1, first) || !LoadPicture(path2, second) || !Fits(path1, first, r) ||
        !Fits(path2, second, r))
        return 2;
    int count = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            count += IsGreenText(PixelAt(first, x, y)) != IsGreenText(PixelAt(second, x, y));
    std::printf("%d\n", count);
    return 0;
}

bool WriteSolidPicture(const char* path, const Rgb& colour) {
    constexpr uint32_t kSide = 16;
    std::vector<uint8_t> pixels;
    for (uint32_t i = 0; i < kSide * kSide; ++i)
        pixels.insert(pixels.end(), {static_cast<uint8_t>(colour.r), static_cast<uint8_t>(colour.g),
                                     static_cast<uint8_t>(colour.b)});
    Image image;
    return image.SetPixels(kSide, kSide, 24, pixels.data()) == ImageOk &&
           image.SavePNG(path) == ImageOk;
}

Rgb ColourFrom(char** argv) {
    return {std::atoi(argv[0]), std::atoi(argv[1]), std::atoi(argv[2])};
}

int CheckPixel(bool wantEqual, const char* path, int x, int y, const std::string& name) {
    Rgb want{};
    if (!MenuColourByName(name, &want)) {
        std::fprintf(stderr, "%s: not a colour name\n", name.c_str());
        return 2;
    }
    Image image;
    if (!LoadPicture(path, image))
        return 2;
    if (!Inside(image, x, y)) {
        std::fprintf(stderr, "%s: (%d, %d) lies outside %ux%u\n", path, x, y, image.width,
                     image.height);
        return 2;
    }
    const Rgb got = PixelAt(image, x, y);
    // The game may upload the pictures compressed: allow for 5-6-5 colour steps.
    const bool equal = Near(got, want, 12);
    if (equal != wantEqual) {
        std::fprintf(stderr, "%s at (%d, %d): (%d, %d, %d) %s %s (%d, %d, %d)\n", path, x, y, got.r,
                     got.g, got.b, wantEqual ? "is not" : "is", name.c_str(), want.r, want.g,
                     want.b);
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::strcmp(argv[1], "write") == 0) {
        const int alpha = argc >= 4 ? std::atoi(argv[3]) : 255;
        if (!WriteMenuPictures(argv[2], alpha)) {
            std::fprintf(stderr, "%s/Menu: cannot write the pictures\n", argv[2]);
            return 1;
        }
        return 0;
    }
    if (argc == 6 && (std::strcmp(argv[1], "expect") == 0 || std::strcmp(argv[1], "differs") == 0))
        return CheckPixel(std::strcmp(argv[1], "expect") == 0, argv[2], std::atoi(argv[3]),
                          std::atoi(argv[4]), argv[5]);
    if (argc == 7 && std::strcmp(argv[1], "green") == 0)
        return CountGreen(argv[2], RectFrom(argv + 3));
    if (argc == 6 && std::strcmp(argv[1], "solid") == 0) {
        if (!WriteSolidPicture(argv[2], ColourFrom(argv + 3))) {
            std::fprintf(stderr, "%s: cannot write the picture\n", argv[2]);
            return 1;
        }
        return 0;
    }
    if (argc == 10 && std::strcmp(argv[1], "count") == 0)
        return CountColour(argv[2], ColourFrom(argv + 3), RectFrom(argv + 6));
    if (argc == 8 && std::strcmp(argv[1], "textdiff") == 0)
        return TextDifference(argv[2], argv[3], RectFrom(argv + 4));
    int code = 0;
    if (RunFrameCompare(argc, argv, &code))
        return code;
    const int levelShot = RunLevelShotCommand(argc, argv);
    if (levelShot >= 0)
        return levelShot;
    return Usage();
}
