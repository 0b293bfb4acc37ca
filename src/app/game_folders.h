#pragma once
// Where the game reads its data and keeps what it writes. Run from a folder
// that holds Levels/levels.m3u (the build's game folder, an unpacked copy),
// everything is that folder, as the game has always been. Otherwise it is an
// installed game: the data lies in ../share/quarn beside the executable's
// folder, the settings live in the user's configuration folder (made from the
// shipped ones on first start) and screenshots go to the user's pictures.

#include <string>
#include <vector>

struct GameFolders {
    bool portable = true;
    std::string data;             // the folder holding Levels/ and the rest; "" = the current one
    std::string settings;         // settings.ini to read and write; "" = in the current folder
    std::string shippedSettings;  // where the settings come from on first start
    std::string screenshots;      // "" = the current folder
};

// What the environment says; each "" when unknown.
struct FolderPlaces {
    std::string current;           // the current folder
    std::string executableFolder;  // the folder of the running program
    std::string configHome;        // the user's configuration folder
    std::string picturesFolder;    // the user's pictures folder
};

// The folders for a start from `places`. An installed layout without its
// data folder falls back to the portable one.
GameFolders ChooseGameFolders(const FolderPlaces& places);

// Makes the chosen folders the game's: the data folder current, the user's
// folders made, the settings copied from the shipped ones when the user has
// none yet, and the settings file named for reading and writing. Returns a
// message for each folder that cannot be made or written (the game plays on
// without keeping what would go there: settings are then read from the
// shipped file, screenshots not written).
std::vector<std::string> UseGameFolders(GameFolders& folders);
