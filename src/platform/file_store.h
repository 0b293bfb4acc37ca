#pragma once
// Files the program writes for the player: read whole, written atomically (a
// temporary file in the same folder, flushed to the disk, then renamed over
// the old one, so a crash or a kill leaves either the old or the new file),
// and damaged ones set aside instead of overwritten.

#include <string>

// Reads the whole file. False when it cannot be opened or read; `error` says why.
bool ReadWholeFile(const std::string& path, std::string& bytes, std::string* error = nullptr);

// Writes `bytes` to `path` atomically, keeping the old file's permissions.
// False, with `error` set, when any step fails; the old file is then
// untouched.
bool WriteFileAtomically(const std::string& path, const std::string& bytes,
                         std::string* error = nullptr);

// Whether anything (a file, a folder, a link) is at `path`.
bool PathExists(const std::string& path);

// Renames `path` to path + ".bad", or to ".bad.2", ".bad.3", ... when those
// exist, so no earlier damaged file is lost. Returns the new name, empty when
// the file could not be renamed.
std::string SetFileAside(const std::string& path);

// Creates the folder and its missing parents. False, with `error` set, when it
// does not exist afterwards or cannot be written to (or `path` is empty: no
// home to put it in).
bool MakeWritableFolder(const std::string& path, std::string* error = nullptr);

// APP in the user's data folder (platform/user_folders.h): $XDG_DATA_HOME/APP
// or $HOME/.local/share/APP; empty when neither variable gives a folder.
std::string UserDataFolder(const std::string& app);
