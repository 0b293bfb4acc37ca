#pragma once
// Menu pictures for tests: a background, the two 8 x 2 menu sheets, the
// cursor and the credits, each cell and picture in a colour of its own, so a
// frame read back tells which item was drawn where and whether it was
// highlighted. Written as PNG files with the game's own PNG writer.

#include <string>

#include "support/gl_pixels.h"

enum class MenuSheet { Main, Game };

extern const Rgb kMenuBackgroundColour;
extern const Rgb kMenuCursorColour;
extern const Rgb kMenuCreditsColour;

// Row 0 is the sheet's top row; column 1 is the highlighted look.
Rgb MenuSheetColour(MenuSheet sheet, int row, int column);

// Writes folder/Menu/background.png, MainMenu.png, GameMenu.png, cursor.png
// and Credits.png, creating the Menu folder. The background's alpha is
// `backgroundAlpha`, so a frame drawn before it can show through.
bool WriteMenuPictures(const std::string& folder, int backgroundAlpha = 255);

// Parses "background", "halfbackground" (alpha 128 over black), "cursor", "credits",
// "main:ROW:COLUMN" or "game:ROW:COLUMN" into the colour it names.
bool MenuColourByName(const std::string& name, Rgb* colour);
