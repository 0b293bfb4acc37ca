#pragma once
// A game folder for tests that run the game without a window: level sources
// compiled into scene files under Levels/, the level list with the CR LF line
// ends the list reader expects, and settings.ini.
//
//   TempDir folder;
//   WriteCompiledLevel(folder, "Levels/one.dme", "outline floor\n line -100 -20 100 -20\nend\n");
//   WriteLevelList(folder, {"Levels/one.dme"});

#include <string>
#include <vector>

#include "support/temp_dir.h"

// Compiles level source text into the scene file `name` below the folder;
// fails the current test (with the compiler's messages) when it cannot.
void WriteCompiledLevel(const TempDir& folder, const std::string& name, const std::string& source);

// Writes Levels/levels.m3u naming the given scene paths in order.
void WriteLevelList(const TempDir& folder, const std::vector<std::string>& paths);

// The text of an extended M3U list of the paths, lines ended by CR LF.
std::string LevelListText(const std::vector<std::string>& paths);

// The scene paths of GAME_DIR/Levels/levels.m3u, in list order; empty when
// the list cannot be read.
std::vector<std::string> ShippedLevelPaths(const std::string& gameDir);

// "Levels/NAME.dme" -> "NAME".
std::string LevelName(const std::string& path);

// The whole file, or "" when it cannot be read.
std::string ReadFileText(const std::string& path);
