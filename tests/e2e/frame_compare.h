#pragma once
// Frame checks of the end-to-end tests that compare a screenshot with the
// shipped pictures or with another screenshot:
//
//   size SCREENSHOT
//       prints WIDTHxHEIGHT
//   match SCREENSHOT LEFT TOP RIGHT BOTTOM [LAYER...]
//       composes the layers over black as the menus draw them and compares the
//       rectangle (800 x 600 virtual-screen units) with the screenshot; prints
//       the mean difference per channel; exit code 0 when it is small, 1 when
//       not. Layers, drawn in order:
//         base:SCREENSHOT                  another frame instead of black
//         full:PICTURE                     over the whole virtual screen
//         title:PICTURE:L:T:R:B            a menu sheet's title strip
//         cell:PICTURE:ROW:COLUMN:L:T:R:B  one cell of a menu sheet
//         image:PICTURE:X:Y:W:H            the picture over that rectangle
//   diff SCREENSHOT OTHER LEFT TOP RIGHT BOTTOM
//       prints how many window pixels of the rectangle differ
//   greenbox SCREENSHOT LEFT TOP RIGHT BOTTOM
//       prints the count of pure green text pixels in the window rectangle and the
//       bounding box LEFT TOP RIGHT BOTTOM (inclusive) of them

// Runs one of the commands above; false when argv names none of them.
bool RunFrameCompare(int argc, char** argv, int* exitCode);

// The usage lines of those commands.
extern const char kFrameCompareUsage[];
