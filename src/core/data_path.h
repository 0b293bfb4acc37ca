#pragma once
// Paths read from data files (playlists, level lists, the texture names of a
// scene's materials). Tools on Windows write them with backslashes; here a
// backslash is a folder separator like the slash.

#include <string>
#include <string_view>

// The path with every backslash made a slash; nothing else changes.
std::string DataFilePath(std::string_view stored);
