// The shipped levels, played in the built game folder with their solution
// scripts through quarn-sim, and the content they use between them.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "audio/playlist.h"
#include "quarn-sim/sim_command.h"
#include "scene/scene.h"
#include "sim/game_simulator.h"
#include "support/game_folder.h"
#include "support/temp_dir.h"

namespace {

const std::string kGameDir = QUARN_GAME_DIR;
const std::string kLevelSourceDir = QUARN_LEVEL_SOURCE_DIR;

std::string Field(const std::string& line, const std::string& name) {
    const size_t at = line.find(" " + name + "=");
    if (at == std::string::npos)
        return "";
    const size_t begin = at + name.size() + 2;
    return line.substr(begin, line.find(' ', begin) - begin);
}

struct SimRun {
    int exitCode = -1;
    std::vector<std::string> lines;
    std::string errors;
};

SimRun RunSim(std::vector<std::string> arguments, const std::string& script) {
    ScopedWorkingDir inGame(kGameDir);
    arguments.insert(arguments.begin(), "quarn-sim");
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    std::istringstream in(script);
    std::ostringstream out;
    std::ostringstream err;
    SimRun run;
    run.exitCode = RunSimulatorCommand(static_cast<int>(argv.size()), argv.data(), in, out, err);
    std::istringstream stream(out.str());
    std::string line;
    while (std::getline(stream, line))
        run.lines.push_back(line);
    run.errors = err.str();
    return run;
}

// Restart (1) and death (7) events of one trace line.
bool HasRestartEvent(const std::string& events) {
    std::istringstream list(events);
    std::string event;
    while (std::getline(list, event, ',')) {
        const std::string type = event.substr(0, event.find(':'));
        if (type == "1" || type == "7")
            return true;
    }
    return false;
}

TEST(ShippedLevels, TheListNamesSixOrMoreLevelsThatAllLoad) {
    const std::vector<std::string> paths = ShippedLevelPaths(kGameDir);
    ASSERT_GE(paths.size(), 6u);
    const std::string listText = ReadFileText(kGameDir + "/Levels/levels.m3u");
    EXPECT_EQ(listText.rfind("#EXTM3U\r\n", 0), 0u);
    for (const std::string& path : paths) {
        EXPECT_EQ(path.rfind("Levels/", 0), 0u) << path;
        Scene scene;
        EXPECT_EQ(scene.Load(kGameDir + "/" + path), 1) << path;
    }
}

TEST(ShippedLevels, EverySolutionReachesTheEndZoneWithoutARestart) {
    int mostWraps = 0;
    for (const std::string& path : ShippedLevelPaths(kGameDir)) {
        SCOPED_TRACE(path);
        const std::string script = ReadFileText(kLevelSourceDir + "/" + LevelName(path) + ".sim");
        ASSERT_FALSE(script.empty());
        const SimRun run = RunSim({"--trace", "--level", path}, script);
        ASSERT_EQ(run.exitCode, 0) << run.errors;
        ASSERT_FALSE(run.lines.empty());
        EXPECT_EQ(Field(run.lines.back(), "levels-completed"), "1") << run.lines.back();

        // Up to the end zone: no restart, no death and never a fourth collision.
        int loads = 0;
        for (const std::string& line : run.lines) {
            if (line.rfind("load ", 0) == 0 && ++loads == 2)
                break;
            if (line.rfind("step=", 0) != 0)
                continue;
            EXPECT_FALSE(HasRestartEvent(Field(line, "events"))) << line;
            EXPECT_LE(std::stoi(Field(line, "coll")), 3) << line;
            mostWraps = std::max(mostWraps, std::stoi(Field(line, "wraps")));
        }
        EXPECT_EQ(loads, 2) << "the end zone loads the level again";
    }
    EXPECT_GT(mostWraps, 0) << "some solution wraps the rope round a corner";
}

// The solutions played one after another in one game: every end zone leads
// into the next level of the list and the last one back to the first.
TEST(ShippedLevels, TheLevelsFormOneLoopPlayedWithTheirSolutions) {
    const std::vector<std::string> paths = ShippedLevelPaths(kGameDir);
    ASSERT_FALSE(paths.empty());
    std::string script;
    for (const std::string& path : paths)
        script += ReadFileText(kLevelSourceDir + "/" + LevelName(path) + ".sim") + "\n";
    const SimRun run = RunSim({"--trace"}, script);
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    const std::string& end = run.lines.back();
    EXPECT_EQ(Field(end, "levels-completed"), std::to_string(paths.size())) << end;
    EXPECT_EQ(Field(end, "level"), "0") << end;

    std::vector<std::string> loaded;
    for (const std::string& line : run.lines) {
        if (line.rfind("load ", 0) == 0) {
            loaded.push_back(Field(line, "path"));
        } else if (line.rfind("step=", 0) == 0) {
            EXPECT_FALSE(HasRestartEvent(Field(line, "events"))) << line;
        }
    }
    ASSERT_EQ(loaded.size(), paths.size() + 1);
    for (size_t i = 0; i < paths.size(); ++i)
        EXPECT_EQ(loaded[i], paths[i]);
    EXPECT_EQ(loaded.back(), paths.front());
}

// The number after a keyword as the game reads it; -1 for the bare keyword.
int NameNumber(const std::string& name, const std::string& keyword) {
    if (name == keyword)
        return -1;
    return static_cast<int>(std::strtol(name.c_str() + keyword.size(), nullptr, 10));
}

// Each end zone names a start point of the next level in the list, and the
// last level's end names one of the first level's.
TEST(ShippedLevels, EveryEndZoneLeadsToAStartPointOfTheNextLevel) {
    const std::vector<std::string> paths = ShippedLevelPaths(kGameDir);
    ASSERT_FALSE(paths.empty());
    std::vector<std::set<int>> ends(paths.size());
    std::vector<std::set<int>> starts(paths.size());
    for (size_t i = 0; i < paths.size(); ++i) {
        Scene scene;
        ASSERT_EQ(scene.Load(kGameDir + "/" + paths[i]), 1) << paths[i];
        for (const PrimitiveEntry& primitive : scene.primitives) {
            if (primitive.name == "QUARN")
                starts[i].insert(-1);
            else if (primitive.name.rfind("START", 0) == 0)
                starts[i].insert(NameNumber(primitive.name, "START"));
            else if (primitive.name.rfind("END", 0) == 0)
                ends[i].insert(NameNumber(primitive.name, "END"));
        }
        EXPECT_FALSE(ends[i].empty()) << paths[i];
    }
    for (size_t i = 0; i < paths.size(); ++i) {
        const size_t next = (i + 1) % paths.size();
        for (int end : ends[i])
            EXPECT_EQ(starts[next].count(end), 1u)
                << paths[i] << " END" << end << " has no start in " << paths[next];
    }
}

// Between them the levels show every kind of level object and every way a
// material and a light can be drawn.
TEST(ShippedLevels, TogetherTheLevelsUseEveryObjectMaterialAndLight) {
    std::set<std::string> objects;
    std::set<int> mapFlags;
    std::set<int> scrollAxes;
    std::set<int> lightKinds;
    bool deadlyOutline = false;
    for (const std::string& path : ShippedLevelPaths(kGameDir)) {
        Scene scene;
        ASSERT_EQ(scene.Load(kGameDir + "/" + path), 1) << path;
        for (const PrimitiveEntry& primitive : scene.primitives) {
            for (const char* keyword : {"START", "QUARN", "SOUND", "MAGNET", "BHOLE", "CP"}) {
                if (primitive.name.rfind(keyword, 0) == 0)
                    objects.insert(keyword);
            }
            if (primitive.name.rfind("END", 0) == 0)
                objects.insert("END" + std::to_string(primitive.typeCode));
        }
        for (const Material& material : scene.materials) {
            mapFlags.insert(material.mapFlags);
            if (material.Scrolls())
                scrollAxes.insert(material.scrollAxis);
        }
        for (const Light& light : scene.lights)
            lightKinds.insert(light.IsOmni() ? 'O' : 'D');
        for (const Shape& shape : scene.shapes)
            deadlyOutline = deadlyOutline || shape.name.rfind("DEATH", 0) == 0;
    }
    const std::set<std::string> allObjects = {"START", "QUARN", "SOUND", "MAGNET",
                                              "BHOLE", "CP",    "END0",  "END3"};
    EXPECT_EQ(objects, allObjects);
    for (int flags : {0, 1, 5, 8, 9, 32})
        EXPECT_EQ(mapFlags.count(flags), 1u) << "map flags " << flags;
    EXPECT_EQ(scrollAxes, (std::set<int>{'X', 'Y'}));
    EXPECT_EQ(lightKinds, (std::set<int>{'O', 'D'}));
    EXPECT_TRUE(deadlyOutline);
}

}  // namespace
