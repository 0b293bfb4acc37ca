// The shipped levels, played in the built game folder with their solution
// scripts through quarn-sim, and the content they use between them.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "audio/playlist.h"
#include "quarn-scene/overview.h"
#include "render/light_order.h"
#include "scene/scene.h"
#include "sim/game_simulator.h"
#include "support/game_folder.h"
#include "support/run_quarn_sim.h"
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
    std::ostringstream out;
    std::ostringstream err;
    SimRun run;
    run.exitCode = RunQuarnSim(kGameDir, std::move(arguments), script, out, err);
    std::istringstream stream(out.str());
    std::string line;
    while (std::getline(stream, line))
        run.lines.push_back(line);
    run.errors = err.str();
    return run;
}

// The events of one trace line whose type is `type`.
int CountEvents(const std::string& events, const std::string& type) {
    std::istringstream list(events);
    std::string event;
    int count = 0;
    while (std::getline(list, event, ','))
        count += event.substr(0, event.find(':')) == type;
    return count;
}

// Restart (1) and death (7) events of one trace line.
bool HasRestartEvent(const std::string& events) {
    return CountEvents(events, "1") + CountEvents(events, "7") > 0;
}

// The campaign in playing order. Teaching levels each show one thing and
// take a few seconds; campaign levels span three screens or more and take
// 20 s to 2 minutes of play (320 steps a second).
enum class LevelKind { Teaching, Campaign };

struct CampaignLevel {
    const char* name;
    const char* chapter;
    LevelKind kind;
};

const CampaignLevel kCampaign[] = {
    {"first-hook", "The Cavern", LevelKind::Teaching},
    {"reel", "The Cavern", LevelKind::Teaching},
    {"swing", "The Cavern", LevelKind::Teaching},
    {"wrap", "The Cavern", LevelKind::Teaching},
    {"let-go", "The Cavern", LevelKind::Teaching},
    {"bumps", "The Cavern", LevelKind::Teaching},
    {"lava", "The Cavern", LevelKind::Teaching},
    {"foundry", "The Foundry", LevelKind::Campaign},
    {"crucible", "The Foundry", LevelKind::Campaign},
    {"slag-run", "The Foundry", LevelKind::Campaign},
    {"furnace", "The Foundry", LevelKind::Campaign},
    {"icefall", "The Glacier", LevelKind::Campaign},
    {"crevasse", "The Glacier", LevelKind::Campaign},
    {"seracs", "The Glacier", LevelKind::Campaign},
    {"summit", "The Glacier", LevelKind::Campaign},
};

constexpr int kTeachingMinSteps = 1600;
constexpr int kCampaignMinSteps = 6400;
constexpr int kCampaignMaxSteps = 38400;
// Light reaching the ball, summed over the lights the renderer would pick
// (intensity after fading times the brightest colour channel).
constexpr double kMinBallLight = 0.3;
constexpr int kLightsDrawn = 4;
constexpr int kPerturbedRuns = 10;
constexpr int kPerturbedRunsToFinish = 8;

const CampaignLevel* FindCampaignLevel(const std::string& name) {
    for (const CampaignLevel& level : kCampaign) {
        if (name == level.name)
            return &level;
    }
    return nullptr;
}

// A solution script of a level: NAME.sim plays from the level's default
// start to whichever end zone its route takes; NAME.startN.sim from its
// start point N, the entrance from the previous level's end zone N;
// NAME.endN.sim from the default start out through its end zone N.
struct Solution {
    std::string file;
    int start = -1;
    int end = -1;
};

std::vector<Solution> LevelSolutions(const std::string& name) {
    std::vector<Solution> solutions = {{name + ".sim", -1, -1}};
    for (int number = 0; number < 100; ++number) {
        const std::string start = name + ".start" + std::to_string(number) + ".sim";
        if (!ReadFileText(kLevelSourceDir + "/" + start).empty())
            solutions.push_back({start, number, -1});
        const std::string end = name + ".end" + std::to_string(number) + ".sim";
        if (!ReadFileText(kLevelSourceDir + "/" + end).empty())
            solutions.push_back({end, -1, number});
    }
    return solutions;
}

std::vector<std::string> SimArguments(const Solution& solution, const std::string& path) {
    std::vector<std::string> arguments;
    if (solution.start >= 0)
        arguments = {"--start", std::to_string(solution.start)};
    arguments.push_back("--level");
    arguments.push_back(path);
    return arguments;
}

Vector2 ReadPair(const std::string& text) {
    Vector2 value{0, 0};
    std::sscanf(text.c_str(), "%lf,%lf", &value.x, &value.y);
    return value;
}

// The light the renderer gives the ball at `ball`: the first lights of the
// game's light order, faded as the renderer fades omni lights.
double BallLight(const Scene& scene, const Vector2& ball) {
    std::vector<LightOrderEntry> order;
    SortLights(scene, ball, order);
    double total = 0.0;
    for (size_t i = 0; i < order.size() && i < kLightsDrawn; ++i) {
        const Light& light = *order[i].light;
        double intensity = light.intensity;
        if (light.IsOmni()) {
            const double d = order[i].distance;
            if (d > light.attenuationEnd)
                intensity = 0.0;
            else if (d > light.attenuationStart)
                intensity *= 1.0 - (d - light.attenuationStart) /
                                       (light.attenuationEnd - light.attenuationStart);
        }
        total += intensity * std::max({light.colour[0], light.colour[1], light.colour[2]});
    }
    return total;
}

TEST(ShippedLevels, TheListHoldsTheCampaignInOrderAndEveryLevelLoads) {
    const std::vector<std::string> paths = ShippedLevelPaths(kGameDir);
    ASSERT_EQ(paths.size(), std::size(kCampaign));
    const std::string listText = ReadFileText(kGameDir + "/Levels/levels.m3u");
    EXPECT_EQ(listText.rfind("#EXTM3U\r\n", 0), 0u);
    for (size_t i = 0; i < paths.size(); ++i) {
        EXPECT_EQ(paths[i], std::string("Levels/") + kCampaign[i].name + ".dme");
        Scene scene;
        EXPECT_EQ(scene.Load(kGameDir + "/" + paths[i]), 1) << paths[i];
    }
}

// Every solution finishes its level from its start without a restart, a
// death or a fourth bump, inside the level's range of steps; the main
// solutions carry the camera over three screens in one direction (teaching
// levels excepted) and the level's lights reach the ball all along the way.
TEST(ShippedLevels, EverySolutionFinishesItsLevelInsideItsStepRangeWithTheBallLit) {
    int mostWraps = 0;
    for (const std::string& path : ShippedLevelPaths(kGameDir)) {
        const CampaignLevel* level = FindCampaignLevel(LevelName(path));
        ASSERT_NE(level, nullptr) << path;
        Scene scene;
        ASSERT_EQ(scene.Load(kGameDir + "/" + path), 1) << path;
        for (const Solution& solution : LevelSolutions(level->name)) {
            SCOPED_TRACE(solution.file);
            const std::string script = ReadFileText(kLevelSourceDir + "/" + solution.file);
            ASSERT_FALSE(script.empty());
            std::vector<std::string> arguments = SimArguments(solution, path);
            arguments.insert(arguments.begin(), "--trace");
            const SimRun run = RunSim(arguments, script);
            ASSERT_EQ(run.exitCode, 0) << run.errors;
            ASSERT_FALSE(run.lines.empty());
            EXPECT_EQ(Field(run.lines.back(), "levels-completed"), "1") << run.lines.back();
            if (solution.end >= 0) {
                EXPECT_EQ(Field(run.lines.back(), "entry"), std::to_string(solution.end));
            }

            // Up to the end zone: no restart, no death and never a fourth bump.
            int loads = 0;
            int steps = 0;
            int collisions = 0;
            double left = 1e9, right = -1e9, bottom = 1e9, top = -1e9;
            double darkest = 1e9;
            for (const std::string& line : run.lines) {
                if (line.rfind("load ", 0) == 0 && ++loads == 2)
                    break;
                if (line.rfind("step=", 0) != 0)
                    continue;
                ++steps;
                EXPECT_FALSE(HasRestartEvent(Field(line, "events"))) << line;
                // The count on the line lags the frame's own collisions: a
                // fourth one in a frame restarts the level before it shows.
                collisions += CountEvents(Field(line, "events"), "2");
                EXPECT_LE(collisions, 3) << line;
                mostWraps = std::max(mostWraps, std::stoi(Field(line, "wraps")));
                const Vector2 ball = ReadPair(Field(line, "ball"));
                left = std::min(left, ball.x);
                right = std::max(right, ball.x);
                bottom = std::min(bottom, ball.y);
                top = std::max(top, ball.y);
                if (steps % 25 == 1)
                    darkest = std::min(darkest, BallLight(scene, ball));
            }
            EXPECT_EQ(loads, 2) << "the end zone loads the level again";
            EXPECT_GE(darkest, kMinBallLight) << "the lights leave the ball dark on the way";
            if (level->kind == LevelKind::Teaching) {
                EXPECT_GE(steps, kTeachingMinSteps);
                continue;
            }
            EXPECT_GE(steps, kCampaignMinSteps);
            EXPECT_LE(steps, kCampaignMaxSteps);
            if (solution.start < 0) {
                EXPECT_TRUE(right - left >= 3 * kScreenWidthUnits ||
                            top - bottom >= 3 * kScreenHeightUnits)
                    << "the ball travels " << right - left << " x " << top - bottom << " units";
            }
        }
    }
    EXPECT_GE(mostWraps, 2) << "some solution holds the rope round two corners at once";
}

// Players are not frame-exact: every solution still finishes its level in
// most runs with each input moved by up to a frame and each aim by up to 2
// units (quarn-sim --perturb, seeds 1 to 10).
TEST(ShippedLevels, EverySolutionFinishesMostRunsPlayedWithAPlayersTiming) {
    for (const std::string& path : ShippedLevelPaths(kGameDir)) {
        for (const Solution& solution : LevelSolutions(LevelName(path))) {
            const std::string script = ReadFileText(kLevelSourceDir + "/" + solution.file);
            int finished = 0;
            std::string seeds;
            for (int seed = 1; seed <= kPerturbedRuns; ++seed) {
                std::vector<std::string> arguments = SimArguments(solution, path);
                arguments.insert(arguments.begin(), {"--perturb", std::to_string(seed)});
                const SimRun run = RunSim(arguments, script);
                ASSERT_EQ(run.exitCode, 0) << solution.file << ": " << run.errors;
                const std::string& end = run.lines.back();
                const bool rightEnd =
                    solution.end < 0 || Field(end, "entry") == std::to_string(solution.end);
                if (Field(end, "levels-completed") == "1" && rightEnd)
                    ++finished;
                else
                    seeds += " " + std::to_string(seed);
            }
            EXPECT_GE(finished, kPerturbedRunsToFinish)
                << solution.file << " finished " << finished << " of " << kPerturbedRuns
                << " runs; failed with seeds" << seeds;
        }
    }
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

// Between them the levels show every kind of level object, each in two
// levels at least, and every way a material and a light can be drawn.
TEST(ShippedLevels, TogetherTheLevelsUseEveryObjectMaterialAndLight) {
    std::map<std::string, int> levelsWith;
    std::set<int> mapFlags;
    std::set<int> scrollAxes;
    std::set<int> lightKinds;
    for (const std::string& path : ShippedLevelPaths(kGameDir)) {
        Scene scene;
        ASSERT_EQ(scene.Load(kGameDir + "/" + path), 1) << path;
        std::set<std::string> kinds;
        int starts = 0;
        int ends = 0;
        for (const PrimitiveEntry& primitive : scene.primitives) {
            for (const char* keyword : {"SOUND", "MAGNET", "BHOLE", "CP"}) {
                if (primitive.name.rfind(keyword, 0) == 0)
                    kinds.insert(keyword);
            }
            starts += primitive.name == "QUARN" || primitive.name.rfind("START", 0) == 0;
            if (primitive.name.rfind("END", 0) == 0) {
                ++ends;
                kinds.insert("END" + std::to_string(primitive.typeCode));
            }
        }
        if (starts > 1)
            kinds.insert("several starts");
        if (ends > 1)
            kinds.insert("several ends");
        for (const Material& material : scene.materials) {
            mapFlags.insert(material.mapFlags);
            if (material.Scrolls()) {
                scrollAxes.insert(material.scrollAxis);
                kinds.insert("MOV");
            }
        }
        for (const Light& light : scene.lights)
            lightKinds.insert(light.IsOmni() ? 'O' : 'D');
        for (const Shape& shape : scene.shapes) {
            if (shape.name.rfind("DEATH", 0) == 0)
                kinds.insert("DEATH");
        }
        for (const std::string& kind : kinds)
            ++levelsWith[kind];
    }
    for (const char* kind :
         {"SOUND", "MAGNET", "BHOLE", "CP", "MOV", "DEATH", "several starts", "several ends"})
        EXPECT_GE(levelsWith[kind], 2) << kind;
    for (int flags : {0, 1, 5, 8, 9, 32})
        EXPECT_EQ(mapFlags.count(flags), 1u) << "map flags " << flags;
    EXPECT_EQ(scrollAxes, (std::set<int>{'X', 'Y'}));
    EXPECT_EQ(lightKinds, (std::set<int>{'O', 'D'}));
}

}  // namespace
