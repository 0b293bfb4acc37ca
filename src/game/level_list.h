#pragma once
// The levels of a game, in the order of the list file, with the index of the
// level being played. After the last level the list starts again.

#include <cstddef>
#include <string>

#include "audio/playlist.h"

constexpr char kLevelFolder[] = "Levels/";
constexpr char kLevelListFile[] = "levels.m3u";

class LevelList {
public:
    // Reads the list file, replacing the entries, and goes back to the first
    // level. Returns false when the file cannot be read, is not a playlist or
    // names no level; `error` then says which of these it was.
    bool Read(const std::string& path, std::string* error);

    size_t Count() const { return entries_.size(); }
    bool Empty() const { return entries_.empty(); }
    size_t Index() const { return index_; }
    // The path of the current level; empty when the list is empty.
    std::string Current() const;
    // Makes the list the one level file given; false when the path does not
    // fit a list entry.
    bool SetSingleLevel(const std::string& path);
    // Moves to the next level, wrapping to the first after the last.
    void Advance();
    void Clear();

private:
    Playlist entries_;
    size_t index_ = 0;
};
