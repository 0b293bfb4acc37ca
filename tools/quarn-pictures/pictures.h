#pragma once
// Every picture the game folder ships, by its path in the game folder, the
// program's icons, and the writing of them all.

#include <string>
#include <vector>

#include "canvas.h"
#include "picture_files.h"

struct PictureFile {
    const char* path;  // relative to the game folder
    PictureFormat format;
    bool (*draw)(const std::string& fontFile, Canvas& canvas);
};

const std::vector<PictureFile>& GamePictures();

// The desktop icon in the icon theme's sizes, as Icons/SIZE/quarn.png: for
// installing, not part of the game folder.
const std::vector<PictureFile>& IconPictures();

// Draws every picture and icon and writes it below `folder`, making Textures/,
// Menu/ and Icons/ as needed. On failure returns false with the file and the reason in
// `error`.
bool WriteGamePictures(const std::string& folder, const std::string& fontFile, std::string& error);
