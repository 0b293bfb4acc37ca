#include "support/game_folder.h"

#include <gtest/gtest.h>

#include "scene/level_compiler.h"
#include "scene/level_source.h"
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
