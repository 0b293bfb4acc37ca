#include "records/run_recorder.h"

#include "core/settings.h"
#include "game/game.h"
#include "input/input_subsystem.h"
#include "platform/file_store.h"
#include "platform/pad_controls.h"

void RunRecorder::BeginLevel(const std::string& path, bool keepFrames) {
    active_ = false;
    replay_ = Replay();
    runSteps_ = 0;
    splits_.clear();
    std::fill(std::begin(held_), std::end(held_), false);
    std::fill(std::begin(padHeld_), std::end(padHeld_), false);
    std::string bytes;
    if (!ReadWholeFile(path, bytes))
        return;  // nothing to key a record on
    active_ = true;
    // The frames need the high-resolution counter to be measured again exactly.
    keepFrames_ = keepFrames && game_.Timer().highResolution && game_.Timer().frequency > 0;
    replay_.physicsVersion = kPhysicsVersion;
    replay_.levelHash = HashBytes(bytes);
    replay_.levelPath = path;
    replay_.physics = ReadPhysicsSettings();
    replay_.keys = game_.Keys();
    replay_.pad = game_.Pad();
    replay_.entryNumber = game_.Triggers().entryNumber;
    replay_.counterFrequency = game_.Timer().frequency;
}

void RunRecorder::AfterTickTimer() {
    counterDelta_ = game_.Timer().current - game_.Timer().previous;
}

void RunRecorder::BeforeFrameUpdate() {
    tickBefore_ = game_.LastSimulatedTick();
}

void RunRecorder::AfterFrameUpdate() {
    tickAdvanced_ = game_.LastSimulatedTick() > tickBefore_;
}

void RunRecorder::BeforeControls(const InputSubsystem& input) {
    if (!KeepsFrames())
        return;
    if (replay_.frames.size() >= kMaxReplayFrames) {
        keepFrames_ = false;
        replay_.frames.clear();
        return;
    }
    if (replay_.frames.empty()) {
        replay_.cursorX = game_.CursorOffset().x;
        replay_.cursorY = game_.CursorOffset().y;
        replay_.padAiming = game_.PadAiming();
        replay_.padAim = game_.PadAim();
        replay_.collisions = game_.Stats().current.collisions;
    }
    ReplayFrame frame;
    frame.counterDelta = counterDelta_;
    frame.tickAdvanced = tickAdvanced_;
    frame.shotReady = game_.Stats().shotReady;
    for (int code = 0; code < 256; ++code) {
        if (input.KeyPressed(code))
            frame.pressed.push_back(static_cast<uint8_t>(code));
        const bool held = input.KeyHeld(code);
        if (held != held_[code]) {
            held_[code] = held;
            frame.heldChanges.push_back(static_cast<uint8_t>(code));
        }
    }
    const MouseStateRecord mouse = input.MouseState();
    frame.mouseX = mouse.x;
    frame.mouseY = mouse.y;
    for (int button = 0; button < 8; ++button) {
        if (input.MouseButtonPressed(button))
            frame.buttonsPressed |= static_cast<uint8_t>(1u << button);
    }
    RecordPad(input, frame);
    replay_.frames.push_back(std::move(frame));
}

void RunRecorder::RecordPad(const InputSubsystem& input, ReplayFrame& frame) {
    for (int control = PadNone + 1; control < kPadControlCount; ++control) {
        if (input.PadPressed(control))
            frame.padPressed.push_back(static_cast<uint8_t>(control));
        const bool held = input.PadHeld(control);
        if (held != padHeld_[control]) {
            padHeld_[control] = held;
            frame.padHeldChanges.push_back(static_cast<uint8_t>(control));
        }
    }
    const PadStateRecord pad = input.PadState();
    frame.padAimX = pad.axes[PadAxisRightX];
    frame.padAimY = pad.axes[PadAxisRightY];
}

bool RunRecorder::Reached(int32_t checkpoint) const {
    for (const Split& split : splits_) {
        if (split.checkpoint == checkpoint)
            return true;
    }
    return false;
}

bool RunRecorder::AfterStep() {
    if (!active_ || !game_.RunStarted())
        return false;
    ++runSteps_;
    const Checkpoint* touched = game_.Triggers().TouchedCheckpoint(game_.Ball());
    if (touched == nullptr || Reached(touched->id))
        return false;
    splits_.push_back({touched->id, runSteps_});
    return true;
}

bool RunRecorder::FinishLevel(Replay& replay) {
    if (!active_)
        return false;
    active_ = false;
    // The finishing step is still running: it counts, and so does a
    // checkpoint it touched.
    ++runSteps_;
    const Checkpoint* touched = game_.Triggers().TouchedCheckpoint(game_.Ball());
    if (touched != nullptr && !Reached(touched->id))
        splits_.push_back({touched->id, runSteps_});
    splits_.push_back({kEndSplit, runSteps_});
    replay = std::move(replay_);
    replay_ = Replay();
    replay.steps = runSteps_;
    replay.splits = splits_;
    if (keepFrames_ && !replay.frames.empty()) {
        ReplayFrame last;
        last.counterDelta = counterDelta_;
        last.tickAdvanced = true;
        replay.frames.push_back(std::move(last));
    } else {
        replay.frames.clear();
    }
    return true;
}
