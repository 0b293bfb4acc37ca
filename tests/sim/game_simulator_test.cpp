#include "sim/game_simulator.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "levelc/level_compiler.h"
#include "support/run_quarn_sim.h"
#include "support/temp_dir.h"

namespace {

// A room with a ceiling above the start; the ball hangs from it after the load.
constexpr const char* kCeilingLevel = R"(
outline room
    loop -300 -300  300 -300  300 300  -300 300
end
outline ceiling
    solid -300 200  300 200  300 220  -300 220
end
primitive START point 0 0
)";

// Nothing above the start within reach: the ball drops into the end zone below.
constexpr const char* kDropLevel = R"(
outline pit
    loop -100 -900  100 -900  100 2000  -100 2000
end
primitive START point 0 0
primitive END2 box -60 -300 60 -200
)";

// A level whose start point is numbered like the end zone of the drop level.
constexpr const char* kNextLevel = R"(
outline box
    loop -400 -400  400 -400  400 400  -400 400
end
primitive START point -200 0
primitive START2 point 150 50
)";

// A floor just below the start: the ball bounces until the fourth collision.
constexpr const char* kFloorLevel = R"(
outline walls
    loop -200 -40  200 -40  200 2000  -200 2000
end
primitive START point 0 0
)";

class SimulatorTest : public ::testing::Test {
protected:
    void Level(const std::string& name, const char* source) {
        dir_.Write(name + ".level", source);
        dir_.Write("Levels/.keep", "");
        Diagnostics diagnostics;
        ASSERT_TRUE(BuildLevelFile(dir_.File(name + ".level"), dir_.File("Levels/" + name + ".dme"),
                                   diagnostics));
    }
    void List(const std::vector<std::string>& names) {
        std::string text = "#EXTM3U\r\n";
        for (const std::string& name : names)
            text += "#EXTINF:0," + name + "\r\nLevels/" + name + ".dme\r\n";
        dir_.Write("Levels/levels.m3u", text);
    }
    // Runs quarn-sim in the folder; returns the exit code.
    int Run(std::vector<std::string> arguments, const std::string& script) {
        out_.str("");
        err_.str("");
        return RunQuarnSim(dir_.Path(), std::move(arguments), script, out_, err_);
    }
    std::vector<std::string> Lines() const {
        std::vector<std::string> lines;
        std::istringstream stream(out_.str());
        std::string line;
        while (std::getline(stream, line))
            lines.push_back(line);
        return lines;
    }

    TempDir dir_;
    std::ostringstream out_;
    std::ostringstream err_;
};

std::string Field(const std::string& line, const std::string& name) {
    const size_t at = line.find(" " + name + "=");
    if (at == std::string::npos)
        return "";
    const size_t begin = at + name.size() + 2;
    return line.substr(begin, line.find(' ', begin) - begin);
}

TEST_F(SimulatorTest, TheSameScriptGivesTheSameTraceByteForByte) {
    Level("ceiling", kCeilingLevel);
    List({"ceiling"});
    const std::string script =
        "key 28\nframes 3\nkeyup 28\nkey 32\nframes 20\nkeyup 32\nkey 31\nframes 40 10\n";
    ASSERT_EQ(Run({"--trace"}, script), 0) << err_.str();
    const std::string first = out_.str();
    ASSERT_EQ(Run({"--trace"}, script), 0);
    EXPECT_EQ(out_.str(), first);
    EXPECT_GT(first.size(), 1000u);
}

TEST_F(SimulatorTest, ADroppedBallGainsTheGravityOfItsMassEveryStep) {
    Level("drop", kDropLevel);
    ASSERT_EQ(Run({"--trace", "--level", "Levels/drop.dme"}, "key 28\nframes 2\n"), 0)
        << err_.str();
    const std::vector<std::string> lines = Lines();
    ASSERT_GE(lines.size(), 8u);
    EXPECT_EQ(lines[0], "load index=0 path=Levels/drop.dme start=0,0");
    EXPECT_EQ(Field(lines[1], "rope"), "idle");  // nothing above the start to settle on
    // The load runs one step itself; the run starts in frame 1 and frame 2 steps 5 times.
    const double g = static_cast<double>(-0.689f) * static_cast<double>(2.0f);
    double velocity = 0.0;
    double height = 0.0;
    for (int step = 0; step < 6; ++step) {
        velocity += g;
        height += velocity;
        const std::string& line = lines[1 + step];
        char expected[80];
        std::snprintf(expected, sizeof expected, "0,%.17g", velocity);
        EXPECT_EQ(Field(line, "vel"), expected) << line;
        std::snprintf(expected, sizeof expected, "0,%.17g", height);
        EXPECT_EQ(Field(line, "ball"), expected) << line;
    }
    EXPECT_EQ(lines.back(), "end frames=2 steps=6 level=0 entry=-1 levels-completed=0");
}

TEST_F(SimulatorTest, AShotAtTheCeilingFliesAndThenHolds) {
    Level("ceiling", kCeilingLevel);
    List({"ceiling"});
    const std::string script =
        "move 0 -150\nbutton 0 down\nframes 1\nbutton 0 up\nframes 2\n"
        "button 0 down\nframes 1\nbutton 0 up\nframes 10\n";
    ASSERT_EQ(Run({"--trace"}, script), 0) << err_.str();
    int firstFlying = -1;
    int attachedAfterFlight = -1;
    const std::vector<std::string> lines = Lines();
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string rope = Field(lines[i], "rope");
        if (rope == "flying" && firstFlying < 0) {
            firstFlying = static_cast<int>(i);
            EXPECT_NE(Field(lines[i], "events").find("0:3:0:0"), std::string::npos) << lines[i];
        }
        if (rope == "attached" && firstFlying >= 0 && attachedAfterFlight < 0) {
            attachedAfterFlight = static_cast<int>(i);
            EXPECT_NE(Field(lines[i], "events").find("0:2:0:0"), std::string::npos) << lines[i];
        }
    }
    EXPECT_GE(firstFlying, 0);
    EXPECT_GT(attachedAfterFlight, firstFlying);
}

TEST_F(SimulatorTest, AnEndZoneLoadsTheNextLevelAtTheStartNumberedLikeIt) {
    Level("drop", kDropLevel);
    Level("next", kNextLevel);
    List({"drop", "next"});
    ASSERT_EQ(Run({"--trace"}, "key 28\nframes 30\n"), 0) << err_.str();
    const std::string out = out_.str();
    EXPECT_NE(out.find("\nload index=1 path=Levels/next.dme start=150,50\n"), std::string::npos)
        << out.substr(0, 400);
    EXPECT_EQ(Lines().back().rfind("end frames=30 ", 0), 0u);
    EXPECT_NE(Lines().back().find(" level=1 entry=2 levels-completed=1"), std::string::npos)
        << Lines().back();
}

TEST_F(SimulatorTest, TheFourthCollisionRestartsTheLevelAtTheNextStep) {
    Level("floor", kFloorLevel);
    List({"floor"});
    ASSERT_EQ(Run({"--trace"}, "key 28\nframes 100\n"), 0) << err_.str();
    const std::vector<std::string> lines = Lines();
    int collisions = 0;
    size_t fourth = 0;
    for (size_t i = 1; i < lines.size() && fourth == 0; ++i) {
        if (Field(lines[i], "events").find("2:0:0:0") != std::string::npos && ++collisions == 4)
            fourth = i;
    }
    ASSERT_GT(fourth, 0u);
    // The count reaches 4 when the frame handles its events; the first step of
    // the next frame restarts, printing the restart's own step before its own.
    size_t restart = fourth + 1;
    while (restart < lines.size() && Field(lines[restart], "coll") == "3")
        ++restart;
    ASSERT_LT(restart + 1, lines.size());
    EXPECT_EQ(Field(lines[restart], "coll"), "0") << lines[restart];
    char dropped[64];
    std::snprintf(dropped, sizeof dropped, "0,%.17g",
                  static_cast<double>(-0.689f) * static_cast<double>(2.0f));
    EXPECT_EQ(Field(lines[restart], "ball"), dropped) << lines[restart];
    EXPECT_EQ(Field(lines[restart + 1], "ball"), dropped) << lines[restart + 1];
}

TEST_F(SimulatorTest, BadScriptsAndLevelsEndWithExitCode2AndAMessage) {
    Level("floor", kFloorLevel);
    List({"floor"});
    EXPECT_EQ(Run({}, "frames 1\nfly away\n"), 2);
    EXPECT_NE(err_.str().find("standard input:2: bad script line: fly away"), std::string::npos)
        << err_.str();
    EXPECT_EQ(out_.str(), "");

    testing::internal::CaptureStderr();
    EXPECT_EQ(Run({"--level", "Levels/missing.dme"}, "frames 1\n"), 2);
    const std::string shown = testing::internal::GetCapturedStderr();
    EXPECT_NE(shown.find("Levels/missing.dme"), std::string::npos) << shown;
    EXPECT_NE(shown.find("error"), std::string::npos) << shown;
    EXPECT_NE(err_.str().find("cannot start"), std::string::npos) << err_.str();

    EXPECT_EQ(Run({"--bogus"}, ""), 2);
    EXPECT_NE(err_.str().find("usage"), std::string::npos);

    ASSERT_EQ(Run({}, "frames 3\n"), 0);
    EXPECT_EQ(out_.str(), "end frames=3 steps=1 level=0 entry=-1 levels-completed=0\n");
}

// With --aim-line the game works out where the hook would go in every frame,
// as drawing does, unless the settings hide the line; the trace is the same.
TEST_F(SimulatorTest, TheAimLineIsWorkedOutWhenAskedAndLeavesTheTraceAsItWas) {
    Level("ceiling", kCeilingLevel);
    List({"ceiling"});
    SimScript script;
    std::string error;
    ASSERT_TRUE(
        ParseSimScript("key 28\nframes 2\nkeyup 28\nmove 40 -150\nbutton 0 down\n"
                       "frames 1\nbutton 0 up\nframes 40\nkey 32\nframes 30\n",
                       script, error));
    ScopedWorkingDir inFolder(dir_.Path());
    std::string traces[3];
    size_t pathLengths[3];
    const struct {
        bool aimLine;
        const char* settings;
    } runs[] = {{false, ""}, {true, ""}, {true, "[Video]\naim_line=0\n"}};
    for (int i = 0; i < 3; ++i) {
        dir_.Write("settings.ini", runs[i].settings);
        SimulatorOptions options;
        options.trace = true;
        options.aimLine = runs[i].aimLine;
        std::ostringstream out;
        GameSimulator simulator(options, out);
        ASSERT_TRUE(simulator.StartNewGame(error) && simulator.Run(script, error)) << error;
        traces[i] = out.str();
        pathLengths[i] = simulator.GetGame().AimLine().path.size();
    }
    EXPECT_EQ(pathLengths[0], 0u);
    EXPECT_GE(pathLengths[1], 2u);  // the hook is not in flight at the end: the line is there
    EXPECT_EQ(pathLengths[2], 0u);
    EXPECT_TRUE(traces[0] == traces[1]);
    EXPECT_TRUE(traces[0] == traces[2]);
    EXPECT_NE(traces[0].find("rope=attached"), std::string::npos);
}

// The same shots, reeling and swinging, played once with keys and mouse and
// once with the pad, give the same trace byte for byte. The shots go straight
// up from the ball hanging still: the mouse aims there with the cursor above
// the ball, the stick by pointing up (and it keeps that aim once let go).
// (A camera following a falling ball drifts sideways by the rounding of its
// heading, so a cursor above it aims a hair off straight up; the stick,
// aiming round the ball, does not.)
TEST_F(SimulatorTest, APadSolutionAndAMouseSolutionOfTheSameShotsGiveTheSameTrace) {
    Level("ceiling", kCeilingLevel);
    List({"ceiling"});
    const std::string mouse =
        "key 28\nframes 1\nkeyup 28\nmove 0 -150\nframes 2\n"
        "button 0 down\nframes 1\nbutton 0 up\nframes 30\n"  // fire
        "key 31\nframes 20\nkeyup 31\n"                      // reel out
        "button 1 down\nframes 1\nbutton 1 up\nframes 10\n"  // let go
        "key 88\nframes 2\nkeyup 88\n"                       // restart
        "key 28\nframes 1\nkeyup 28\nmove 0 -150\nframes 1\n"
        "button 0 down\nframes 1\nbutton 0 up\nframes 40\n"           // fire again
        "key 17\nframes 20\nkeyup 17\n"                               // reel in
        "key 32\nframes 30\nkeyup 32\nkey 30\nframes 30\nkeyup 30\n"  // swing
        "frames 10\n";
    const std::string pad =
        "pad connect\npad button a down\nframes 1\npad button a up\n"
        "pad axis righty -32768\nframes 1\npad axis righty 0\nframes 1\n"
        "pad axis righttrigger 32767\nframes 1\npad axis righttrigger 0\nframes 30\n"
        "pad button dpdown down\nframes 20\npad button dpdown up\n"
        "pad axis lefttrigger 32767\nframes 1\npad axis lefttrigger 0\nframes 10\n"
        "pad button back down\nframes 2\npad button back up\n"
        "pad button dpup down\nframes 1\npad button dpup up\n"
        "pad axis righty -32768\nframes 1\npad axis righty 0\n"
        "pad button a down\nframes 1\npad button a up\nframes 40\n"
        "pad axis lefty -20000\nframes 20\npad axis lefty 0\n"
        "pad axis leftx 32767\nframes 30\npad axis leftx 0\n"
        "pad button dpleft down\nframes 30\npad button dpleft up\n"
        "pad disconnect\nframes 10\n";
    ASSERT_EQ(Run({"--trace"}, mouse), 0) << err_.str();
    const std::string byMouse = out_.str();
    ASSERT_EQ(Run({"--trace"}, pad), 0) << err_.str();
    EXPECT_TRUE(out_.str() == byMouse) << byMouse.substr(0, 600) << "\n---\n"
                                       << out_.str().substr(0, 600);
    // Both fired twice, caught, let go and swung.
    size_t fired = 0;
    for (size_t at = byMouse.find("0:3:0:0"); at != std::string::npos;
         at = byMouse.find("0:3:0:0", at + 1))
        ++fired;
    EXPECT_EQ(fired, 2u);
    EXPECT_NE(byMouse.find("rope=attached"), std::string::npos);
    EXPECT_NE(byMouse.find("0:1:0:0"), std::string::npos);  // let go
}

}  // namespace
