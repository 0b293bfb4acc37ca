#include "sim/sim_perturb.h"

#include <algorithm>
#include <map>
#include <vector>

#include "game/game.h"

namespace {

// SplitMix64: small, fast and the same on every platform and library.
class SeededNumbers {
public:
    explicit SeededNumbers(uint64_t seed) : state_(seed) {}

    uint64_t Next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // A whole number in [low, high].
    int32_t Between(int32_t low, int32_t high) {
        const uint64_t span = static_cast<uint64_t>(high - low) + 1;
        return low + static_cast<int32_t>(Next() % span);
    }

private:
    uint64_t state_;
};

struct TimedInput {
    SimCommand command;
    int64_t frame = 0;  // the frame in whose control step the input arrives
    size_t order = 0;   // position among the script's inputs
};

struct FrameRun {
    int64_t first = 0;
    int32_t count = 0;
    int32_t milliseconds = 0;
};

// Keys, buttons, pad buttons and pad axes keep the order of their own events,
// a pad's plugging in and out the order of its own; moves have none.
int32_t Channel(const SimCommand& command) {
    switch (command.kind) {
        case SimCommandKind::Key:
        case SimCommandKind::KeyUp:
            return command.a;
        case SimCommandKind::Button:
            return 1000 + command.a;
        case SimCommandKind::PadButton:
            return 2000 + command.a;
        case SimCommandKind::PadAxis:
            return 3000 + command.a;
        case SimCommandKind::PadConnect:
        case SimCommandKind::PadDisconnect:
            return 4000;
        default:
            return -1;
    }
}

float ClampCursor(float value, float range) {
    return std::min(std::max(value, -range), range);
}

// An offset with whole coordinates within `radius` of the origin.
void AimError(SeededNumbers& numbers, int32_t radius, int32_t& dx, int32_t& dy) {
    do {
        dx = numbers.Between(-radius, radius);
        dy = numbers.Between(-radius, radius);
    } while (dx * dx + dy * dy > radius * radius);
}

// Each move aims within the error of where the script's moves, clamped as the
// game clamps the cursor, put it; the moves are rewritten so that the cursor
// reaches those points. A move that pushes the cursor against the edge of its
// range is kept as it is: it lands on the edge whatever the error.
void PerturbAims(std::vector<TimedInput>& inputs, SeededNumbers& numbers, int32_t radius) {
    float scriptX = 0.0f, scriptY = 0.0f;  // cursor offset as the script moves it
    float movedX = 0.0f, movedY = 0.0f;    // cursor offset as the rewritten moves move it
    auto perturb = [](float& script, float& moved, int32_t& delta, int32_t error, float range) {
        const float unclamped = script + static_cast<float>(delta);
        script = ClampCursor(unclamped, range);
        if (unclamped != script) {
            moved = script;
            return;
        }
        delta = static_cast<int32_t>(script - moved) + error;
        moved = ClampCursor(moved + static_cast<float>(delta), range);
    };
    for (TimedInput& input : inputs) {
        SimCommand& move = input.command;
        if (move.kind != SimCommandKind::Move)
            continue;
        int32_t errorX = 0, errorY = 0;
        AimError(numbers, radius, errorX, errorY);
        int32_t dy = -move.b;  // the cursor moves up when the mouse moves up
        perturb(scriptX, movedX, move.a, errorX, kCursorRangeX);
        perturb(scriptY, movedY, dy, errorY, kCursorRangeY);
        move.b = -dy;
    }
}

}  // namespace

SimScript PerturbSimScript(const SimScript& script, uint64_t seed,
                           const ScriptPerturbation& perturbation) {
    std::vector<TimedInput> inputs;
    std::vector<FrameRun> runs;
    int64_t frames = 0;
    for (const SimCommand& command : script.commands) {
        if (command.kind == SimCommandKind::Frames) {
            if (command.a > 0)
                runs.push_back({frames, command.a, command.b});
            frames += command.a;
        } else {
            inputs.push_back({command, frames, inputs.size()});
        }
    }

    SeededNumbers numbers(seed);
    PerturbAims(inputs, numbers, perturbation.aimError);

    // Last written and last moved frame of each key and button.
    std::map<int32_t, std::pair<int64_t, int64_t>> channels;
    for (TimedInput& input : inputs) {
        const int64_t written = input.frame;
        if (written >= frames)
            continue;  // after the last frame: never read, left where it is
        const int32_t shift = numbers.Between(-perturbation.frameShift, perturbation.frameShift);
        int64_t moved = std::min(std::max<int64_t>(written + shift, 0), frames - 1);
        const int32_t channel = Channel(input.command);
        if (channel >= 0) {
            const auto last = channels.find(channel);
            if (last != channels.end())
                moved = std::max(moved, last->second.second + (written > last->second.first));
            channels[channel] = {written, moved};
        }
        input.frame = moved;
    }
    std::stable_sort(inputs.begin(), inputs.end(),
                     [](const TimedInput& a, const TimedInput& b) { return a.frame < b.frame; });

    // The frames as written, broken where an input now arrives.
    SimScript result;
    size_t next = 0;
    auto emitInputsAt = [&](int64_t frame) {
        for (; next < inputs.size() && inputs[next].frame <= frame; ++next)
            result.commands.push_back(inputs[next].command);
    };
    for (const FrameRun& run : runs) {
        int64_t frame = run.first;
        const int64_t end = run.first + run.count;
        while (frame < end) {
            emitInputsAt(frame);
            int64_t until = end;
            if (next < inputs.size())
                until = std::min(until, std::max(inputs[next].frame, frame + 1));
            SimCommand block;
            block.kind = SimCommandKind::Frames;
            block.a = static_cast<int32_t>(until - frame);
            block.b = run.milliseconds;
            result.commands.push_back(block);
            frame = until;
        }
    }
    emitInputsAt(frames);
    return result;
}
