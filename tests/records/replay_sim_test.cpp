// Replays through quarn-sim: scripts saved as replays verify and trace as the
// script did, the shipped solutions and a whole loop of them verify, runs on
// the real clock verify at both frame limits, a replay that no longer fits
// names its problem, and a ghost leaves the live run's trace as it was.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "core/app_state.h"
#include "core/clock.h"
#include "game/game_frame.h"
#include "platform/file_store.h"
#include "records/recorded_game.h"
#include "records/shaft_level.h"
#include "sim/game_simulator.h"
#include "support/game_folder.h"
#include "support/run_quarn_sim.h"
#include "support/scripted_input.h"
#include "support/temp_dir.h"

namespace {

const std::string kGameDir = QUARN_GAME_DIR;
const std::string kLevelSourceDir = QUARN_LEVEL_SOURCE_DIR;

// Fire, swing, reel out, let go; the first run ends in the drop, the keys
// after it start the level again.
constexpr const char* kShaftScript =
    "key 28\nframes 1\nkeyup 28\nmove 40 -150\nbutton 0 down\nframes 2\nbutton 0 up\n"
    "key 32\nframes 30\nkeyup 32\nkey 31\nframes 20 7\nkeyup 31\nbutton 1 down\nframes 1\n"
    "button 1 up\nframes 200\n";

// The same run played with a game controller: A starts it, the right stick
// aims, the right trigger fires, the d-pad swings and reels, the left trigger
// lets go.
constexpr const char* kShaftPadScript =
    "pad connect\npad button a down\nframes 1\npad button a up\n"
    "pad axis rightx 8456\npad axis righty -31710\nframes 1\n"
    "pad axis righttrigger 32767\nframes 2\npad axis righttrigger 0\npad axis rightx 0\n"
    "pad axis righty 0\npad button dpright down\nframes 30\npad button dpright up\n"
    "pad button dpdown down\nframes 20 7\npad button dpdown up\n"
    "pad axis lefttrigger 32767\nframes 1\npad axis lefttrigger 0\nframes 200\n";

struct SimRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

SimRun RunSim(const std::string& folder, std::vector<std::string> arguments,
              const std::string& script = "") {
    std::ostringstream out;
    std::ostringstream err;
    SimRun run;
    run.exitCode = RunQuarnSim(folder, std::move(arguments), script, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

// The trace up to the line before the second load: the first level's run.
std::string FirstLevelTrace(const std::string& trace) {
    size_t second = trace.find("\nload ", 1);
    return trace.substr(0, second == std::string::npos ? trace.size() : second + 1);
}

Replay ReadReplay(const std::string& path) {
    std::string bytes;
    std::string problem;
    Replay replay;
    EXPECT_TRUE(ReadWholeFile(path, bytes));
    EXPECT_TRUE(DecodeReplay(bytes, replay, problem)) << problem;
    return replay;
}

void WriteReplay(const std::string& path, const Replay& replay) {
    ASSERT_TRUE(WriteFileAtomically(path, EncodeReplay(replay)));
}

class ReplaySimTest : public ::testing::Test {
protected:
    ReplaySimTest() {
        WriteCompiledLevel(dir_, "Levels/shaft.dme", kShaftLevel);
        WriteLevelList(dir_, {"Levels/shaft.dme"});
    }
    TempDir dir_;
};

TEST_F(ReplaySimTest, AScriptSavedAsAReplayVerifiesAndTracesAsTheScriptDid) {
    for (const char* played : {kShaftScript, kShaftPadScript}) {
        const bool pad = played == kShaftPadScript;
        SCOPED_TRACE(pad ? "game controller" : "keys and mouse");
        const std::string replayFile = dir_.File("shaft.qrp");
        const SimRun script = RunSim(dir_.Path(), {"--trace", "--save-replay", replayFile}, played);
        ASSERT_EQ(script.exitCode, 0) << script.err;

        const SimRun verify = RunSim(dir_.Path(), {"--verify", replayFile});
        EXPECT_EQ(verify.exitCode, 0) << verify.err;
        const Replay replay = ReadReplay(replayFile);
        EXPECT_EQ(verify.out, "level=Levels/shaft.dme time=" + FormatStepTime(replay.steps) +
                                  " steps=" + std::to_string(replay.steps) + "\n");
        ASSERT_EQ(replay.splits.size(), 2u) << "the checkpoint, then the end";
        EXPECT_EQ(replay.splits[0].checkpoint, 4);
        EXPECT_LT(replay.splits[0].step, replay.steps);
        bool padRecorded = false;
        for (const ReplayFrame& frame : replay.frames)
            padRecorded = padRecorded || frame.HasPad();
        EXPECT_EQ(padRecorded, pad);

        const SimRun replayed = RunSim(dir_.Path(), {"--trace", "--replay", replayFile});
        ASSERT_EQ(replayed.exitCode, 0) << replayed.err;
        EXPECT_TRUE(FirstLevelTrace(replayed.out) == FirstLevelTrace(script.out)) << replayed.out;
        EXPECT_NE(replayed.out.find("levels-completed=1"), std::string::npos) << replayed.out;
    }
}

TEST_F(ReplaySimTest, AReplayThatNoLongerFitsNamesItsProblemInOneLine) {
    const std::string good = dir_.File("good.qrp");
    ASSERT_EQ(RunSim(dir_.Path(), {"--save-replay", good}, kShaftScript).exitCode, 0);
    const Replay replay = ReadReplay(good);

    Replay otherLevel = replay;
    otherLevel.levelHash = HashBytes("another level");
    Replay otherPhysics = replay;
    otherPhysics.physicsVersion = replay.physicsVersion + 1;
    Replay otherSettings = replay;
    otherSettings.physics.world.gravity = -1.0f;
    Replay noShot = replay;  // the shot at the ceiling never fires
    for (ReplayFrame& frame : noShot.frames)
        frame.buttonsPressed &= static_cast<uint8_t>(~1u);

    struct Case {
        const char* name;
        Replay replay;
        const char* expected;
    };
    const Case cases[] = {
        {"other level", otherLevel, "level hash differs"},
        {"other physics", otherPhysics, "physics version differs"},
        {"other settings", otherSettings, "physics settings differ"},
        {"other input", noShot, "desynchronised at step "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteReplay(dir_.File("case.qrp"), c.replay);
        const SimRun run = RunSim(dir_.Path(), {"--verify", "case.qrp"});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_NE(run.err.find(c.expected), std::string::npos) << run.err;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
        EXPECT_TRUE(run.out.empty());
    }
    dir_.Write("cut.qrp", ReadFileText(good).substr(0, 40));
    const SimRun cut = RunSim(dir_.Path(), {"--verify", "cut.qrp"});
    EXPECT_EQ(cut.exitCode, 1);
    EXPECT_NE(cut.err.find("damaged file"), std::string::npos) << cut.err;
}

TEST_F(ReplaySimTest, AGhostLeavesTheLiveTraceByteForByteAsItWas) {
    const std::string ghostFile = dir_.File("ghost.qrp");
    ASSERT_EQ(RunSim(dir_.Path(), {"--save-replay", ghostFile}, kShaftScript).exitCode, 0);
    // The live run only falls; the ghost fires its hook beside it in its own world.
    const std::string live = "key 28\nframes 1\nkeyup 28\nframes 150\n";
    const SimRun without = RunSim(dir_.Path(), {"--trace"}, live);
    const SimRun with = RunSim(dir_.Path(), {"--trace", "--ghost", ghostFile}, live);
    ASSERT_EQ(without.exitCode, 0) << without.err;
    ASSERT_EQ(with.exitCode, 0) << with.err;
    EXPECT_EQ(with.out, without.out);

    // Ten frames into the live run the ghost's ball is where the best run's
    // ball was at that run step (the load's own step comes first in a trace).
    const SimRun replayed = RunSim(dir_.Path(), {"--trace", "--replay", ghostFile});
    ScopedWorkingDir inFolder(dir_.Path());
    std::ostringstream out;
    GameSimulator simulator(SimulatorOptions{}, out);
    simulator.SetGhostReplay(ReadReplay(ghostFile));
    SimScript script;
    std::string error;
    ASSERT_TRUE(ParseSimScript("key 28\nframes 1\nkeyup 28\nframes 10\n", script, error));
    ASSERT_TRUE(simulator.StartNewGame(error));
    ASSERT_TRUE(simulator.Run(script, error));
    const RecordedGame& recorded = simulator.Recorded();
    ASSERT_TRUE(recorded.GhostShown());
    ASSERT_EQ(recorded.Recorder().RunSteps(), 50u);
    EXPECT_EQ(recorded.Ghost().RunSteps(), 50u);
    const TPlayer* ghost = recorded.Ghost().Ball();
    ASSERT_NE(ghost, nullptr);
    char expected[96];
    std::snprintf(expected, sizeof expected, "step=51 level=0 ball=%.17g,%.17g ", ghost->position.x,
                  ghost->position.y);
    EXPECT_NE(replayed.out.find(expected), std::string::npos) << expected;
}

// The shipped solutions, each from a new game and all in one loop (where each
// level begins at the end zone the one before led to, with the cursor where
// it was left), verify as replays.
TEST(ShippedReplays, EverySolutionAndEveryLevelOfTheLoopVerifies) {
    const std::vector<std::string> paths = ShippedLevelPaths(kGameDir);
    ASSERT_FALSE(paths.empty());
    TempDir dir;
    std::string loopScript;
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        const std::string script = ReadFileText(kLevelSourceDir + "/" + LevelName(path) + ".sim");
        loopScript += script + "\n";
        const std::string replayFile = dir.File(LevelName(path) + ".qrp");
        const SimRun saved =
            RunSim(kGameDir, {"--level", path, "--save-replay", replayFile}, script);
        ASSERT_EQ(saved.exitCode, 0) << saved.err;
        const SimRun verify = RunSim(kGameDir, {"--verify", replayFile});
        EXPECT_EQ(verify.exitCode, 0) << verify.err;
        EXPECT_EQ(verify.out.rfind("level=" + path + " time=", 0), 0u) << verify.out;
    }

    ScopedWorkingDir inGame(kGameDir);
    std::ostringstream out;
    GameSimulator simulator(SimulatorOptions{}, out);
    SimScript script;
    std::string error;
    ASSERT_TRUE(ParseSimScript(loopScript, script, error)) << error;
    ASSERT_TRUE(simulator.StartNewGame(error));
    ASSERT_TRUE(simulator.Run(script, error)) << error;
    ASSERT_EQ(simulator.FinishedRuns().size(), paths.size());
    for (const Replay& run : simulator.FinishedRuns()) {
        SCOPED_TRACE(run.levelPath);
        std::string problem;
        EXPECT_TRUE(VerifyReplay(run, problem)) << problem;
    }
}

// Runs the shaft level on the system clock as the main loop does, as fast as
// frames come or limited to 60 a second, and returns the finished run.
Replay PlayShaftOnTheRealClock(const TempDir& dir, bool frameLimit) {
    dir.Write("settings.ini", std::string("[Video]\nfps_limit=") + (frameLimit ? "1" : "0") + "\n");
    ScopedWorkingDir inFolder(dir.Path());
    EventList events;
    ScriptedInput input;
    RecordedGame recorded(std::make_unique<Game>(SystemClock()), SystemClock());
    std::vector<Replay> runs;
    recorded.SetFinishedRunHandler([&runs](const Replay& run) { runs.push_back(run); });
    recorded.Attach(&events, nullptr, &input, nullptr);
    input.ReadKeyboard();
    input.ReadMouse();
    EXPECT_TRUE(StartGameFrame(recorded, SystemClock()));

    using Seconds = std::chrono::duration<double>;
    const auto begin = std::chrono::steady_clock::now();
    int stage = 0;
    while (runs.empty()) {
        const double t = Seconds(std::chrono::steady_clock::now() - begin).count();
        if (t > 30.0)
            break;
        // Each stage once its moment has come: start, aim and fire, swing,
        // reel out, let go.
        const double moments[] = {0.05, 0.1, 0.2, 0.4, 0.6, 0.8, 0.85};
        if (stage < 7 && t >= moments[stage]) {
            switch (stage) {
                case 0:
                    input.TapKey(28);
                    break;
                case 1:
                    input.MoveMouse(40, -150);
                    input.ClickButton(0);
                    break;
                case 2:
                    input.HoldKey(32);
                    break;
                case 3:
                    input.ReleaseKey(32);
                    input.HoldKey(31);
                    break;
                case 4:
                    input.ReleaseKey(31);
                    input.MoveMouse(-7, 3);
                    break;
                case 5:
                    input.ClickButton(1);
                    break;
                default:
                    input.HoldKey(30);
                    break;
            }
            ++stage;
        }
        input.ReadKeyboard();
        input.ReadMouse();
        int32_t state = StatePlaying;
        PlayGameFrame(recorded, state);
    }
    EXPECT_EQ(runs.size(), 1u);
    return runs.empty() ? Replay() : runs.front();
}

TEST(RealClockReplays, RunsRecordedWithAndWithoutTheFrameLimitVerify) {
    TempDir dir;
    WriteCompiledLevel(dir, "Levels/shaft.dme", kShaftLevel);
    WriteLevelList(dir, {"Levels/shaft.dme"});
    size_t frames[2] = {0, 0};
    for (const bool frameLimit : {false, true}) {
        SCOPED_TRACE(frameLimit ? "fps_limit=1" : "fps_limit=0");
        const Replay run = PlayShaftOnTheRealClock(dir, frameLimit);
        ASSERT_FALSE(run.frames.empty());
        frames[frameLimit] = run.frames.size();
        ScopedWorkingDir inFolder(dir.Path());
        std::string problem;
        EXPECT_TRUE(VerifyReplay(run, problem)) << problem;
    }
    EXPECT_GT(frames[0], frames[1]) << "without the limit frames come faster";
}

}  // namespace
