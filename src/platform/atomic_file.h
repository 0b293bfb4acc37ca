#pragma once
// Files replaced whole or not at all: the new contents go to a temporary file
// beside the old one, reach the disk, and are renamed over it; the rename
// reaches the disk with the folder. A program killed at any moment leaves
// either the old file or the new one, never a part.

#include <string>

// Replaces (or makes) the file at `path` with `bytes`, keeping the old file's
// permissions. False, with what failed in `error`, when it cannot: the file
// is then as it was.
bool ReplaceFileAtomically(const std::string& path, const std::string& bytes, std::string& error);
