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

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

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

int CountGreen(const char* path, int left, int top, int right, int bottom) {
    Image image;
    if (!LoadPicture(path, image))
        return 2;
    if (!Inside(image, left, top) || !Inside(image, right - 1, bottom - 1) || left >= right ||
        top >= bottom) {
        std::fprintf(stderr, "%s: the rectangle does not fit %ux%u\n", path, image.width,
                     image.height);
        return 2;
    }
    int count = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) {
            const Rgb c = PixelAt(image, x, y);
            count += c.g >= 100 && c.g > c.r + 60 && c.g > c.b + 40;
        }
    std::printf("%d\n", count);
    return 0;
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
        return CountGreen(argv[2], std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]),
                          std::atoi(argv[6]));
    int code = 0;
    if (RunFrameCompare(argc, argv, &code))
        return code;
    const int levelShot = RunLevelShotCommand(argc, argv);
    if (levelShot >= 0)
        return levelShot;
    return Usage();
}
