// The shipped levels of the built game folder, in the order of its level
// list: Scene::Load of each level file, and one PhysicsWorld::Step with the
// whole scan and with the outline index in three states taken from the
// level as quarn-sim plays its solution: the ball falling from its start
// point with the rope idle, the hook's first flight, and the ball swinging on
// the rope when it is wrapped round the most corners.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "audio/playlist.h"
#include "core/event_list.h"
#include "load_bench.h"
#include "physics/outline_index.h"
#include "physics/physics_world.h"
#include "physics/player.h"
#include "physics/rope.h"
#include "scene/scene.h"
#include "scene/scene_file.h"
#include "sim/game_simulator.h"
#include "sim/sim_script.h"

namespace {

enum State { Falling = 0, Flying = 1, Swinging = 2, StateCount = 3 };

const char* const kStateNames[StateCount] = {"falling", "flying", "swinging"};

struct Snapshot {
    bool taken = false;
    TPlayer ball;
    TRope rope;
};

struct ShippedLevel {
    std::string name;  // the file name without folder and extension
    std::string path;  // absolute
    Scene scene;
    bool loaded = false;
    // The world as the game set it up for the level: parameters and field
    // objects; its scene, ball and event list are the benchmark's own.
    PhysicsWorld world;
    Snapshot states[StateCount];
    Snapshot shotUp;  // the flight when the solution never fires
};

// Makes the game folder the current directory while it lives: the game
// finds settings.ini and the level list there.
class InFolder {
public:
    explicit InFolder(const std::string& folder) {
        char buffer[4096];
        if (getcwd(buffer, sizeof buffer) != nullptr)
            previous_ = buffer;
        entered_ = chdir(folder.c_str()) == 0;
    }
    ~InFolder() {
        if (entered_ && !previous_.empty() && chdir(previous_.c_str()) != 0)
            std::perror("chdir");
    }
    InFolder(const InFolder&) = delete;
    InFolder& operator=(const InFolder&) = delete;
    bool Entered() const { return entered_; }

private:
    std::string previous_;
    bool entered_ = false;
};

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// "Levels/NAME.dme" -> "NAME".
std::string LevelName(const std::string& path) {
    const size_t slash = path.rfind('/');
    const size_t begin = slash == std::string::npos ? 0 : slash + 1;
    const size_t dot = path.rfind('.');
    return path.substr(begin,
                       dot == std::string::npos || dot < begin ? std::string::npos : dot - begin);
}

// Keeps the first flight of the hook and the attached state with the most
// wrap corners.
void Observe(const Game& game, ShippedLevel& level) {
    const TRope& rope = game.Rope();
    Snapshot* keep = nullptr;
    if (rope.attached) {
        Snapshot& swinging = level.states[Swinging];
        if (!swinging.taken || rope.wrapPoints.size() > swinging.rope.wrapPoints.size())
            keep = &swinging;
    } else if (rope.flying && !level.states[Flying].taken) {
        keep = &level.states[Flying];
    }
    if (keep == nullptr)
        return;
    keep->taken = true;
    keep->ball = game.Ball();
    keep->rope = rope;
}

// The ball ten steps into a free fall from its start point, the rope idle.
// (Solutions fire the hook at once, so they seldom show a fall.)
void TakeFall(const Game& game, ShippedLevel& level) {
    Snapshot& falling = level.states[Falling];
    falling.ball = game.Ball();
    falling.rope = game.Rope();
    falling.rope.Reset();
    falling.ball.rope = &falling.rope;
    PhysicsWorld world = level.world;
    world.SetPlayer(&falling.ball);
    world.SetScene(level.scene.Outlines());
    for (int i = 0; i < 10; ++i)
        world.Step();
    falling.taken = true;
}

// A solution that never fires (it swings on the rope the level starts with)
// gets the hook fired straight up from the start point instead.
void TakeShotUp(const Game& game, ShippedLevel& level) {
    Snapshot& flying = level.shotUp;
    flying.ball = game.Ball();
    flying.rope = game.Rope();
    flying.rope.Reset();
    flying.rope.Shoot(flying.ball.position, 0.0);
    flying.taken = true;
}

// Plays the level's solution one frame at a time until the level is done.
void TakeStates(const std::string& gameDir, const std::string& solutionPath, ShippedLevel& level) {
    SimScript script;
    std::string error;
    if (!ParseSimScript(ReadText(solutionPath), script, error)) {
        std::fprintf(stderr, "%s: %s\n", solutionPath.c_str(), error.c_str());
        return;
    }
    InFolder inGame(gameDir);
    SimulatorOptions options;
    options.singleLevel = level.path;
    std::ostringstream out;
    GameSimulator simulator(options, out);
    if (!inGame.Entered() || !simulator.StartNewGame(error)) {
        std::fprintf(stderr, "%s: %s\n", level.path.c_str(), error.c_str());
        return;
    }
    bool started = false;
    for (const SimCommand& command : script.commands) {
        const bool frames = command.kind == SimCommandKind::Frames;
        const int count = frames ? command.a : 1;
        for (int i = 0; i < count; ++i) {
            SimScript one;
            one.commands.push_back(command);
            if (frames)
                one.commands.back().a = 1;
            if (!simulator.Run(one, error)) {
                std::fprintf(stderr, "%s: %s\n", level.path.c_str(), error.c_str());
                return;
            }
            // The end zone loads the level again, waiting for its first key.
            const bool running = simulator.GetGame().RunStarted();
            if (started && !running)
                return;
            if (running && !started) {
                level.world = simulator.GetGame().World();
                TakeFall(simulator.GetGame(), level);
                TakeShotUp(simulator.GetGame(), level);
            }
            started = started || running;
            if (running && frames)
                Observe(simulator.GetGame(), level);
        }
    }
}

std::vector<std::unique_ptr<ShippedLevel>>& Levels() {
    static std::vector<std::unique_ptr<ShippedLevel>> levels;
    return levels;
}

void BM_LevelStep(benchmark::State& benchState, const ShippedLevel& level, State state,
                  bool broadPhase) {
    const Snapshot& start = level.states[state];
    TPlayer ball = start.ball;
    TRope rope = start.rope;
    PhysicsWorld world = level.world;
    world.SetBroadPhase(broadPhase);
    world.SetPlayer(&ball);
    world.SetScene(level.scene.Outlines());
    OutlineIndex all;
    all.Build(level.scene.Outlines());
    benchState.counters["edges"] = static_cast<double>(all.EdgeCount());
    benchState.counters["wraps"] = static_cast<double>(start.rope.wrapPoints.size());
    for (auto _ : benchState) {
        ball = start.ball;
        ball.rope = &rope;
        rope = start.rope;
        world.Step();
        world.ClearEvents();
        benchmark::DoNotOptimize(ball.position);
    }
}

}  // namespace

void RegisterShippedLevelBenchmarks(const std::string& gameDir, const std::string& solutionDir) {
    std::vector<std::string> paths;
    {
        InFolder inGame(gameDir);
        Playlist list;
        if (!inGame.Entered() || !ReadPlaylist("Levels/levels.m3u", list)) {
            std::fprintf(stderr, "no level list in %s/Levels: no shipped-level rows\n",
                         gameDir.c_str());
            return;
        }
        for (const auto& entry : list)
            paths.push_back(entry->path);
        FreePlaylist(list);
    }
    for (const std::string& relative : paths) {
        auto level = std::make_unique<ShippedLevel>();
        level->name = LevelName(relative);
        level->path = gameDir + "/" + relative;
        level->loaded = level->scene.Load(level->path) == LoadOk;
        if (!level->loaded) {
            std::fprintf(stderr, "%s does not load: no rows for it\n", level->path.c_str());
            continue;
        }
        TakeStates(gameDir, solutionDir + "/" + level->name + ".sim", *level);
        if (!level->states[Flying].taken && level->shotUp.taken) {
            std::fprintf(stderr, "%s: the solution never fires; the hook flies straight up\n",
                         level->name.c_str());
            level->states[Flying] = level->shotUp;
        }
        Levels().push_back(std::move(level));
    }

    for (const auto& level : Levels()) {
        const ShippedLevel* shipped = level.get();
        benchmark::RegisterBenchmark(
            ("load/level:" + shipped->name).c_str(),
            [shipped](benchmark::State& s) { BM_SceneLoad(s, shipped->path); })
            ->Unit(benchmark::kMicrosecond);
        for (int state = 0; state < StateCount; ++state) {
            if (!shipped->states[state].taken) {
                std::fprintf(stderr, "the solution of %s never shows the ball %s\n",
                             shipped->name.c_str(), kStateNames[state]);
                continue;
            }
            for (bool broad : {false, true}) {
                const std::string name = std::string("step/") + (broad ? "index" : "scan") +
                                         "/level:" + shipped->name + "/" + kStateNames[state];
                benchmark::RegisterBenchmark(
                    name.c_str(), [shipped, state, broad](benchmark::State& s) {
                        BM_LevelStep(s, *shipped, static_cast<State>(state), broad);
                    });
            }
        }
    }
}
