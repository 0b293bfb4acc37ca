#pragma once
// The program's icon: the ball hanging on its rope from a rock, on a night-blue
// tile, drawn at any size for the desktop's icon theme.

#include "canvas.h"

// Square, `size` pixels a side, with transparent corners.
Canvas AppIcon(int size);
