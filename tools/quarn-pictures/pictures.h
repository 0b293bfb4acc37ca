#pragma once
// Every picture the game folder ships, by its path in the game folder, and
// the writing of them all.

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

// Draws every picture and writes it below `folder`, making Textures/ and
// Menu/ as needed. On failure returns false with the file and the reason in
// `error`.
bool WriteGamePictures(const std::string& folder, const std::string& fontFile, std::string& error);
