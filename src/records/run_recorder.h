#pragma once
// Records the level being played as a replay, frame by frame, and counts its
// run: the simulation steps run since the level's first key (restarts and
// all) and the splits, each checkpoint first reached and the end. It only
// reads the game; its owner calls it around the game's frame operations.

#include <cstdint>
#include <string>
#include <vector>

#include "records/replay.h"

class Game;
class InputSubsystem;

// Frames past this many (over 19 hours at 60 frames a second) are not kept:
// the level then leaves no replay.
constexpr size_t kMaxReplayFrames = size_t{1} << 22;

class RunRecorder {
public:
    explicit RunRecorder(const Game& game) : game_(game) {}

    // The level at `path` has loaded and waits for its first key: a new run
    // begins. `keepFrames` false counts the run without keeping its frames.
    void BeginLevel(const std::string& path, bool keepFrames);
    void EndLevel() { active_ = false; }
    // The game's frame timer has ticked.
    void AfterTickTimer();
    // Around the frame's simulation steps and events.
    void BeforeFrameUpdate();
    void AfterFrameUpdate();
    // The frame's controls are about to read `input`.
    void BeforeControls(const InputSubsystem& input);
    // A simulation step has ended. Returns true when it reached a checkpoint
    // first in this run (the new split is Splits().back()).
    bool AfterStep();
    // The step running now reached the level's end. Fills `replay` (without
    // frames when they were not kept) and ends the run; false without a run.
    bool FinishLevel(Replay& replay);

    bool Active() const { return active_; }
    bool KeepsFrames() const { return active_ && keepFrames_; }
    uint32_t RunSteps() const { return runSteps_; }
    const std::vector<Split>& Splits() const { return splits_; }
    const ContentHash& LevelHash() const { return replay_.levelHash; }
    const PhysicsSettings& Physics() const { return replay_.physics; }

private:
    bool Reached(int32_t checkpoint) const;
    void RecordPad(const InputSubsystem& input, ReplayFrame& frame);

    const Game& game_;
    bool active_ = false;
    bool keepFrames_ = false;
    Replay replay_;
    uint32_t runSteps_ = 0;
    std::vector<Split> splits_;
    int64_t counterDelta_ = 0;
    double tickBefore_ = 0.0;
    bool tickAdvanced_ = false;
    bool held_[256] = {};
    bool padHeld_[256] = {};
};
