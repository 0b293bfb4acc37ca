// A script played with a player's timing: inputs move by at most a frame,
// keep their own order, aims land within the error, and a seed always gives
// the same script.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "sim/sim_perturb.h"
#include "sim/sim_script.h"

namespace {

struct TimedCommand {
    int64_t frame;
    SimCommand command;
};

// The script's inputs with the frame each arrives in, and its frame count.
std::vector<TimedCommand> Inputs(const SimScript& script, int64_t& frames) {
    std::vector<TimedCommand> inputs;
    frames = 0;
    for (const SimCommand& command : script.commands) {
        if (command.kind == SimCommandKind::Frames)
            frames += command.a;
        else
            inputs.push_back({frames, command});
    }
    return inputs;
}

std::string Text(const SimScript& script) {
    std::string text;
    for (const SimCommand& c : script.commands)
        text += std::to_string(static_cast<int>(c.kind)) + " " + std::to_string(c.a) + " " +
                std::to_string(c.b) + "\n";
    return text;
}

constexpr const char* kScript =
    "move -1000 1000\nframes 3\nmove 370 -280\nframes 3\n"
    "key 28\nframes 1\nkeyup 28\nframes 30\n"
    "move 80 -127\nframes 2\nbutton 0 down\nframes 1\nbutton 0 up\nframes 50\n"
    "key 31\nkeyup 31\nframes 5\nmove 31 26\nbutton 0 down\nframes 4\nbutton 0 up\nframes 40\n"
    "pad connect\nframes 1\npad button a down\nframes 1\npad button a up\nframes 9\n";

TEST(ScriptPerturbation, InputsMoveAFrameAtMostKeepTheirOrderAndAimWithinTwoUnits) {
    SimScript script;
    std::string error;
    ASSERT_TRUE(ParseSimScript(kScript, script, error)) << error;
    int64_t frames = 0;
    const std::vector<TimedCommand> written = Inputs(script, frames);

    std::map<std::string, int> distinct;
    for (uint64_t seed = 1; seed <= 40; ++seed) {
        const SimScript played = PerturbSimScript(script, seed);
        EXPECT_EQ(Text(played), Text(PerturbSimScript(script, seed))) << "seed " << seed;
        ++distinct[Text(played)];
        int64_t playedFrames = 0;
        const std::vector<TimedCommand> moved = Inputs(played, playedFrames);
        ASSERT_EQ(playedFrames, frames);
        ASSERT_EQ(moved.size(), written.size());

        // Each channel's events in their written order, each within a frame
        // of where it was written, and a press and release written in
        // different frames still in different frames.
        std::map<std::string, std::vector<TimedCommand>> byChannel[2];
        const std::vector<TimedCommand>* lists[2] = {&written, &moved};
        for (int i = 0; i < 2; ++i) {
            for (const TimedCommand& input : *lists[i]) {
                const SimCommand& c = input.command;
                if (c.kind == SimCommandKind::Move)
                    continue;
                const bool key = c.kind == SimCommandKind::Key || c.kind == SimCommandKind::KeyUp;
                const std::string channel =
                    (key ? "key " : std::to_string(static_cast<int>(c.kind)) + " ") +
                    std::to_string(c.a);
                byChannel[i][channel].push_back(input);
            }
        }
        for (const auto& [channel, events] : byChannel[0]) {
            const std::vector<TimedCommand>& after = byChannel[1][channel];
            ASSERT_EQ(after.size(), events.size()) << channel;
            for (size_t k = 0; k < events.size(); ++k) {
                EXPECT_EQ(after[k].command.kind, events[k].command.kind) << channel;
                EXPECT_EQ(after[k].command.b, events[k].command.b) << channel;
                EXPECT_LE(std::llabs(after[k].frame - events[k].frame), 1) << channel;
                if (k > 0 && events[k].frame > events[k - 1].frame) {
                    EXPECT_GT(after[k].frame, after[k - 1].frame) << channel << " seed " << seed;
                }
            }
        }

        // The cursor after every move lies within 2 units of where the script
        // puts it; the push into the corner still reaches the corner.
        double writtenX = 0, writtenY = 0, movedX = 0, movedY = 0;
        size_t m = 0;
        for (const TimedCommand& input : written) {
            if (input.command.kind != SimCommandKind::Move)
                continue;
            while (moved[m].command.kind != SimCommandKind::Move)
                ++m;
            writtenX = std::clamp(writtenX + input.command.a, -370.0, 370.0);
            writtenY = std::clamp(writtenY + input.command.b, -280.0, 280.0);
            movedX = std::clamp(movedX + moved[m].command.a, -370.0, 370.0);
            movedY = std::clamp(movedY + moved[m].command.b, -280.0, 280.0);
            EXPECT_LE(std::hypot(movedX - writtenX, movedY - writtenY), 2.0) << "seed " << seed;
            ++m;
        }
    }
    EXPECT_GT(distinct.size(), 30u) << "seeds give different runs";
}

}  // namespace
