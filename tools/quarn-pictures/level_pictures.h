#pragma once
// Pictures drawn for the campaign's chapters: the hint signs of the teaching
// levels (text on a plate, 512 x 128, drawn over a 4:1 sign mesh), the
// exit glow every chapter marks its end zones with, and the surfaces of
// the later chapters. The repeating ones repeat without a seam.

#include <string>

#include "canvas.h"

struct SignText {
    const char* file;  // under Textures/
    const char* lines[2];
};

// The signs in the order the pictures list writes them.
const SignText* Signs(int& count);
// Draws sign `index` of Signs(); false when the text cannot be drawn.
bool SignPicture(const std::string& fontFile, int index, Canvas& picture);

Canvas ExitTexture();    // 128 x 128 green glow, rings round the centre
Canvas BeltTexture();    // 256 x 256 conveyor belt, slats across x, made to scroll
Canvas IceTexture();     // 256 x 256 pale blue ice with cracks
Canvas BasaltTexture();  // 256 x 256 dark columns of volcanic rock
Canvas HazardTexture();  // 256 x 256 red and black warning stripes for deadly machinery
