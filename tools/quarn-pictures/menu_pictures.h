#pragma once
// The menu pictures: the two menu sheets (8 rows by 2 columns of 256 x 64
// cells, left column normal, right column highlighted, row 0 the title strip
// across both columns), the translucent background, the cursor and the
// credits picture. Text is drawn in the bold font file given; each builder
// returns false when the text cannot be drawn.

#include <string>

#include "canvas.h"

constexpr int kSheetSide = 512;
constexpr int kSheetRows = 8;
constexpr int kSheetCellWidth = 256;
constexpr int kSheetCellHeight = 64;

bool MainMenuSheet(const std::string& fontFile, Canvas& sheet);  // rows 0, 1, 2, 4, 5
bool GameMenuSheet(const std::string& fontFile, Canvas& sheet);  // rows 0, 1, 2, 3, 5
bool CreditsPicture(const std::string& fontFile, Canvas& picture);
Canvas MenuBackground();  // 512 x 512, the game shows through its centre
Canvas MenuCursor();      // 32 x 32 arrow, its tip at the top-left corner
