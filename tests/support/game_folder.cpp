#include "support/game_folder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "audio/playlist.h"
#include "levelc/level_compiler.h"
#include "levelc/level_source.h"
#include "scene/scene.h"
#include "support/scene_builder.h"

namespace {

std::string Messages(const Diagnostics& diagnostics) {
    std::string text;
    for (const Diagnostic& message : diagnostics.messages)
        text += message.Text() + "\n";
    return text;
}

}  // namespace

void WriteCompiledLevel(const TempDir& folder, const std::string& name, const std::string& source) {
    LevelSource parsed;
    Diagnostics diagnostics;
    ASSERT_TRUE(ParseLevelSource(source, name, parsed, diagnostics)) << Messages(diagnostics);
    Scene scene;
    ASSERT_TRUE(CompileLevel(parsed, scene, diagnostics)) << Messages(diagnostics);
    folder.Write(name, "");  // creates the folders
    WriteSceneOrFail(scene, folder.File(name));
}

std::string LevelListText(const std::vector<std::string>& paths) {
    std::string text = "#EXTM3U\r\n";
    for (const std::string& path : paths)
        text += "#EXTINF:0,level\r\n" + path + "\r\n";
    return text;
}

void WriteLevelList(const TempDir& folder, const std::vector<std::string>& paths) {
    folder.Write("Levels/levels.m3u", LevelListText(paths));
}

std::vector<std::string> ShippedLevelPaths(const std::string& gameDir) {
    ScopedWorkingDir inGame(gameDir);
    Playlist list;
    std::vector<std::string> paths;
    if (ReadPlaylist("Levels/levels.m3u", list)) {
        for (const auto& entry : list)
            paths.push_back(entry->path);
    }
    FreePlaylist(list);
    return paths;
}

std::string LevelName(const std::string& path) {
    const size_t slash = path.rfind('/');
    const size_t begin = slash == std::string::npos ? 0 : slash + 1;
    const size_t dot = path.rfind('.');
    return path.substr(begin,
                       dot == std::string::npos || dot < begin ? std::string::npos : dot - begin);
}

std::string ReadFileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}
