// quarn-pictures OUTPUT_DIR
//
// Draws the game's pictures into OUTPUT_DIR:
//   Textures/ the ball, the rope and the level textures, in every image
//             format the game reads (PNG, JPEG, TGA, BMP, DDS)
//   Menu/     the menu sheets, background, cursor and credits picture
// The pictures depend on nothing but this program and the bold font, so
// every build writes the same files.

#include <cstdio>
#include <string>

#include "pictures.h"
#include "platform/bitmap_font.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: quarn-pictures OUTPUT_DIR\n");
        return 2;
    }
    const std::string font = FindBoldSansFontFile();
    if (font.empty()) {
        std::fprintf(stderr,
                     "quarn-pictures: Liberation Sans Bold not found (fonts-liberation2)\n");
        return 1;
    }
    std::string error;
    if (!WriteGamePictures(argv[1], font, error)) {
        std::fprintf(stderr, "quarn-pictures: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
