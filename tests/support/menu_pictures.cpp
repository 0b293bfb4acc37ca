#include "support/menu_pictures.h"

#include <cstdio>
#include <filesystem>
#include <vector>

#include "resources/image.h"

const Rgb kMenuBackgroundColour = {0, 0, 120};
const Rgb kMenuCursorColour = {250, 200, 0};
const Rgb kMenuCreditsColour = {200, 30, 30};

namespace {

constexpr int kCellWidth = 16;
constexpr int kCellHeight = 8;

void Append(std::vector<uint8_t>& pixels, const Rgb& c, int alpha) {
    pixels.insert(pixels.end(), {static_cast<uint8_t>(c.r), static_cast<uint8_t>(c.g),
                                 static_cast<uint8_t>(c.b), static_cast<uint8_t>(alpha)});
}

bool Save(const std::string& path, int width, int height, const std::vector<uint8_t>& rgba) {
    Image image;
    return image.SetPixels(width, height, 32, rgba.data()) == ImageOk &&
           image.SavePNG(path.c_str()) == ImageOk;
}

bool SaveSolid(const std::string& path, int size, const Rgb& colour, int alpha) {
    std::vector<uint8_t> rgba;
    for (int i = 0; i < size * size; ++i)
        Append(rgba, colour, alpha);
    return Save(path, size, size, rgba);
}

// Rows are given top row first, as the PNG writer stores them.
bool SaveSheet(const std::string& path, MenuSheet sheet) {
    const int width = 2 * kCellWidth;
    const int height = 8 * kCellHeight;
    std::vector<uint8_t> rgba;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            Append(rgba, MenuSheetColour(sheet, y / kCellHeight, x / kCellWidth), 255);
    return Save(path, width, height, rgba);
}

}  // namespace

Rgb MenuSheetColour(MenuSheet sheet, int row, int column) {
    return {20 + row * 28, 40 + column * 150, sheet == MenuSheet::Main ? 200 : 60};
}

bool WriteMenuPictures(const std::string& folder, int backgroundAlpha) {
    const std::string menu = folder + "/Menu/";
    std::error_code error;
    std::filesystem::create_directories(menu, error);
    return SaveSolid(menu + "background.png", 64, kMenuBackgroundColour, backgroundAlpha) &&
           SaveSheet(menu + "MainMenu.png", MenuSheet::Main) &&
           SaveSheet(menu + "GameMenu.png", MenuSheet::Game) &&
           SaveSolid(menu + "cursor.png", 32, kMenuCursorColour, 255) &&
           SaveSolid(menu + "Credits.png", 64, kMenuCreditsColour, 255);
}

bool MenuColourByName(const std::string& name, Rgb* colour) {
    if (name == "background") {
        *colour = kMenuBackgroundColour;
        return true;
    }
    if (name == "halfbackground") {  // alpha 128 over black
        *colour = {kMenuBackgroundColour.r / 2, kMenuBackgroundColour.g / 2,
                   kMenuBackgroundColour.b / 2};
        return true;
    }
    if (name == "cursor") {
        *colour = kMenuCursorColour;
        return true;
    }
    if (name == "credits") {
        *colour = kMenuCreditsColour;
        return true;
    }
    char sheet[8] = {};
    int row = -1;
    int column = -1;
    char end = 0;
    if (std::sscanf(name.c_str(), "%4[a-z]:%d:%d%c", sheet, &row, &column, &end) != 3 || row < 0 ||
        row > 7 || column < 0 || column > 1)
        return false;
    const std::string which = sheet;
    if (which != "main" && which != "game")
        return false;
    *colour = MenuSheetColour(which == "main" ? MenuSheet::Main : MenuSheet::Game, row, column);
    return true;
}
