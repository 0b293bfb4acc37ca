#pragma once
// A fresh temporary folder for one test, removed afterwards. ScopedWorkingDir
// also makes it the current directory, since the game finds every data file
// (settings.ini, Levels/, Textures/ ...) relative to the current directory.

#include <string>

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }
    // Writes a file below the folder, creating its parent folders.
    void Write(const std::string& name, const std::string& contents) const;

private:
    std::string path_;
};

class ScopedWorkingDir {
public:
    explicit ScopedWorkingDir(const std::string& path);
    ~ScopedWorkingDir();
    ScopedWorkingDir(const ScopedWorkingDir&) = delete;
    ScopedWorkingDir& operator=(const ScopedWorkingDir&) = delete;

private:
    std::string previous_;
};
