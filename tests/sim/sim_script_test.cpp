#include "sim/sim_script.h"

#include <gtest/gtest.h>

#include "platform/input_records.h"
#include "sim/sim_trace.h"

namespace {

TEST(SimScript, ReadsEveryCommandAndSkipsBlankAndCommentLines) {
    SimScript script;
    std::string error;
    ASSERT_TRUE(
        ParseSimScript("# fire at the ceiling\n\nkey 28\r\n  keyup 28\nmove -5 12\n"
                       "button 0 down\nbutton 7 up\nframes 10\nframes 3 250\n",
                       script, error))
        << error;
    ASSERT_EQ(script.commands.size(), 7u);
    EXPECT_EQ(script.commands[0].kind, SimCommandKind::Key);
    EXPECT_EQ(script.commands[0].a, 28);
    EXPECT_EQ(script.commands[0].line, 3);
    EXPECT_EQ(script.commands[1].kind, SimCommandKind::KeyUp);
    EXPECT_EQ(script.commands[2].a, -5);
    EXPECT_EQ(script.commands[2].b, 12);
    EXPECT_EQ(script.commands[3].b, 1);
    EXPECT_EQ(script.commands[4].a, 7);
    EXPECT_EQ(script.commands[4].b, 0);
    EXPECT_EQ(script.commands[5].a, 10);
    EXPECT_EQ(script.commands[5].b, 16);
    EXPECT_EQ(script.commands[6].b, 250);
}

TEST(SimScript, ReadsThePadCommands) {
    SimScript script;
    std::string error;
    ASSERT_TRUE(
        ParseSimScript("pad connect\npad button dpdown down\npad button A up\n"
                       "pad axis righty -32768\npad axis lefttrigger 32767\n"
                       "pad disconnect\n",
                       script, error))
        << error;
    ASSERT_EQ(script.commands.size(), 6u);
    EXPECT_EQ(script.commands[0].kind, SimCommandKind::PadConnect);
    EXPECT_EQ(script.commands[1].kind, SimCommandKind::PadButton);
    EXPECT_EQ(script.commands[1].a, PadButtonDpadDown);
    EXPECT_EQ(script.commands[1].b, 1);
    EXPECT_EQ(script.commands[2].a, PadButtonA);
    EXPECT_EQ(script.commands[2].b, 0);
    EXPECT_EQ(script.commands[3].kind, SimCommandKind::PadAxis);
    EXPECT_EQ(script.commands[3].a, PadAxisRightY);
    EXPECT_EQ(script.commands[3].b, -32768);
    EXPECT_EQ(script.commands[4].a, PadAxisLeftTrigger);
    EXPECT_EQ(script.commands[5].kind, SimCommandKind::PadDisconnect);
}

TEST(SimScript, ABadLineIsNamedWithItsNumberAndText) {
    const char* bad[] = {"jump 3",        "key",           "key 0",
                         "key 256",       "key 2x",        "move 1",
                         "move 1 2.5",    "button 8 down", "button 0 left",
                         "frames",        "frames -1",     "frames 5 0",
                         "frames 5 1001", "frames 1 2 3",  "keyup 99999999999",
                         "pad",           "pad plug",      "pad button a down",
                         "pad disconnect"};
    for (const char* line : bad) {
        SimScript script;
        std::string error;
        EXPECT_FALSE(ParseSimScript(std::string("frames 1\n\n") + line + "\n", script, error))
            << line;
        EXPECT_EQ(error.rfind(std::string("3: bad script line: ") + line, 0), 0u) << error;
        EXPECT_EQ(script.commands.size(), 1u);
    }
    // With a pad connected, its buttons and axes must be named and in range.
    const char* badPad[] = {"pad button lefty- down",  "pad button a",     "pad button a held",
                            "pad axis lefty",          "pad axis leftz 0", "pad axis lefty 40000",
                            "pad axis lefttrigger -1", "pad connect now"};
    for (const char* line : badPad) {
        SimScript script;
        std::string error;
        EXPECT_FALSE(ParseSimScript(std::string("pad connect\n") + line + "\n", script, error))
            << line;
        EXPECT_EQ(error.rfind(std::string("2: bad script line: ") + line, 0), 0u) << error;
    }
}

TEST(SimTrace, LinesPrintEveryNumberExactly) {
    EXPECT_EQ(FormatLoadLine(2, "Levels/b.dme", {-50.0, 0.1}),
              "load index=2 path=Levels/b.dme start=-50,0.10000000000000001");

    StepTrace step;
    step.step = 7;
    step.level = 1;
    step.ball = {1.5, -2.0};
    step.velocity = {0.0, static_cast<double>(-0.689f) * 2.0};
    step.rope = RopeTraceState::Attached;
    step.freeLength = 20.25;
    step.totalLength = 30.0;
    step.wraps = 2;
    step.collisions = 3;
    EXPECT_EQ(FormatStepLine(step),
              "step=7 level=1 ball=1.5,-2 vel=0,-1.378000020980835 hook=0,0 hvel=0,0 "
              "rope=attached free=20.25 total=30 wraps=2 coll=3 events=-");
    GameEvent hook;
    hook.sample = 2;
    GameEvent sound;
    sound.type = EventLevelSoundOn;
    sound.trigger = 1;
    sound.value = 50;
    step.events = {hook, sound};
    step.rope = RopeTraceState::Flying;
    const std::string line = FormatStepLine(step);
    EXPECT_NE(line.find(" rope=flying "), std::string::npos);
    EXPECT_EQ(line.substr(line.find("events=")), "events=0:2:0:0,3:0:1:50");

    EXPECT_EQ(FormatEndLine({12, 60, 1, 2, 1}),
              "end frames=12 steps=60 level=1 entry=2 levels-completed=1");
}

}  // namespace
