#pragma once
// Checks of a screenshot taken at the start of a level, while it waits for
// its first key: the level's geometry, the ball at the centre of the screen
// where the camera holds it, and the heads-up lines.
//
//   e2e_menu_pictures level-geometry SCREENSHOT
//   e2e_menu_pictures level-ball SCREENSHOT [X Y]
//   e2e_menu_pictures level-heads-up SCREENSHOT
//
// Each prints what it measured on one line and ends with 0 when the picture
// passes, 1 when it does not, 2 on a picture it cannot read.

// Runs the level-* subcommand named by argv[1]; -1 when argv[1] names none.
int RunLevelShotCommand(int argc, char** argv);
