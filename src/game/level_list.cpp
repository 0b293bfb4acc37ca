#include "game/level_list.h"

#include <cstring>

bool LevelList::Read(const std::string& path, std::string* error) {
    Clear();
    const bool complete = ReadPlaylist(path.c_str(), entries_);
    if (!complete) {
        // A list broken after its header would silently lose levels.
        Clear();
        if (error)
            *error = "cannot be read or is not an extended M3U list";
        return false;
    }
    if (entries_.empty()) {
        if (error)
            *error = "names no level";
        return false;
    }
    return true;
}

bool LevelList::SetSingleLevel(const std::string& path) {
    Clear();
    if (path.empty() || path.size() >= kPlaylistPathSize)
        return false;
    auto entry = std::make_unique<PlaylistEntry>();
    std::memset(entry.get(), 0, sizeof(PlaylistEntry));
    std::memcpy(entry->path, path.data(), path.size());
    entries_.push_back(std::move(entry));
    return true;
}

std::string LevelList::Current() const {
    if (entries_.empty())
        return std::string();
    return entries_[index_]->path;
}

void LevelList::Advance() {
    if (entries_.empty())
        return;
    index_ = (index_ + 1) % entries_.size();
}

void LevelList::Clear() {
    FreePlaylist(entries_);
    index_ = 0;
}
