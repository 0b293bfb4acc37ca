#include "records/replay_player.h"

#include <algorithm>

#include "core/app_state.h"
#include "core/settings.h"
#include "game/game_frame.h"
#include "platform/file_store.h"
#include "platform/pad_controls.h"

namespace {

// The tick count moves on the 1/64 s grid of the system tick.
constexpr uint32_t kTickStep = 16;

}  // namespace

void ReplayInput::Reset() {
    std::fill(std::begin(held_), std::end(held_), false);
    std::fill(std::begin(padHeld_), std::end(padHeld_), false);
    frame_ = nullptr;
}

void ReplayInput::SetFrame(const ReplayFrame& frame) {
    for (uint8_t code : frame.heldChanges)
        held_[code] = !held_[code];
    for (uint8_t control : frame.padHeldChanges)
        padHeld_[control] = !padHeld_[control];
    frame_ = &frame;
}

namespace {

bool Contains(const std::vector<uint8_t>& codes, int code) {
    return std::find(codes.begin(), codes.end(), static_cast<uint8_t>(code & 0xFF)) != codes.end();
}

}  // namespace

bool ReplayInput::KeyPressed(int code) const {
    return frame_ && Contains(frame_->pressed, code);
}

bool ReplayInput::KeyHeld(int code) const {
    return held_[static_cast<uint32_t>(code) & 0xFF];
}

bool ReplayInput::PadPressed(int control) const {
    return frame_ && control > 0 && Contains(frame_->padPressed, control);
}

bool ReplayInput::PadHeld(int control) const {
    return control > 0 && control < 256 && padHeld_[control];
}

PadStateRecord ReplayInput::PadState() const {
    PadStateRecord pad;
    if (frame_) {
        pad.connected = true;
        pad.axes[PadAxisRightX] = frame_->padAimX;
        pad.axes[PadAxisRightY] = frame_->padAimY;
    }
    return pad;
}

bool ReplayInput::MouseButtonPressed(int button) const {
    return frame_ && button >= 0 && button < 8 && (frame_->buttonsPressed >> button) & 1;
}

MouseStateRecord ReplayInput::MouseState() const {
    MouseStateRecord mouse;
    if (frame_) {
        mouse.x = frame_->mouseX;
        mouse.y = frame_->mouseY;
    }
    return mouse;
}

ReplayPlayer::ReplayPlayer() = default;

ReplayPlayer::~ReplayPlayer() {
    if (game_)
        game_->SetObserver(nullptr);
}

bool ReplayPlayer::Start(const Replay& replay, std::string& problem) {
    if (game_)
        game_->SetObserver(nullptr);
    game_.reset();
    counter_.reset();
    frame_ = 0;
    finishedAt_ = 0;
    if (replay.physicsVersion != kPhysicsVersion) {
        problem = "physics version differs (replay " + std::to_string(replay.physicsVersion) +
                  ", game " + std::to_string(kPhysicsVersion) + ")";
        return false;
    }
    std::string bytes;
    if (!ReadWholeFile(replay.levelPath, bytes)) {
        problem = "level " + replay.levelPath + " cannot be read";
        return false;
    }
    if (HashBytes(bytes) != replay.levelHash) {
        problem =
            "level hash differs (" + replay.levelPath + " is not the level the run was played on)";
        return false;
    }
    if (!SamePhysicsSettings(ReadPhysicsSettings(), replay.physics)) {
        problem = "physics settings differ from those the run was played with";
        return false;
    }
    if (replay.frames.empty()) {
        problem = "the replay has no frames";
        return false;
    }

    replay_ = replay;
    clock_ = ReplayClock();
    clock_.frequency = replay.counterFrequency;
    input_.Reset();
    game_ = std::make_unique<Game>(clock_);
    counter_ = std::make_unique<RunRecorder>(*game_);
    game_->SetObserver(this);
    game_->SetSingleLevel(replay.levelPath);
    game_->SetEntryNumber(replay.entryNumber);
    game_->World().SetBroadPhase(!fullScan_);
    game_->Attach(&events_, nullptr, &input_, nullptr);
    loading_ = true;
    const bool started = StartGameFrame(*game_, clock_);
    loading_ = false;
    if (!started) {
        problem = "level " + replay.levelPath + " cannot be loaded";
        game_->SetObserver(nullptr);
        game_.reset();
        return false;
    }
    game_->SetBindings(replay_.keys, replay_.pad);
    return true;
}

bool ReplayPlayer::PlayFrame() {
    if (!game_ || Finished() || frame_ >= replay_.frames.size())
        return false;
    const ReplayFrame& frame = replay_.frames[frame_];
    clock_.counter += frame.counterDelta;
    if (frame.tickAdvanced)
        clock_.tick += kTickStep;
    input_.SetFrame(frame);
    game_->TickTimer();
    game_->FrameUpdate();
    if (Finished()) {
        ++frame_;
        return false;
    }
    if (frame_ == 0) {
        game_->SetCursorOffset(Vector2f{replay_.cursorX, replay_.cursorY});
        game_->SetPadAim(replay_.padAiming, replay_.padAim);
        game_->Stats().current.collisions = replay_.collisions;
    }
    // Whether a shot was allowed depends on real time between the steps:
    // taken as it was.
    game_->Stats().shotReady = frame.shotReady;
    int32_t state = StatePlaying;
    game_->ControlStep(state);
    ++frame_;
    return frame_ < replay_.frames.size();
}

void ReplayPlayer::OnLevelLoaded(size_t index, const std::string& path, const Vector2& start) {
    if (loading_)
        counter_->BeginLevel(path, false);
    if (next_)
        next_->OnLevelLoaded(index, path, start);
}

void ReplayPlayer::OnSimulationStep() {
    if (!Finished())
        counter_->AfterStep();
    if (next_)
        next_->OnSimulationStep();
}

void ReplayPlayer::OnLevelCompleted() {
    if (!Finished()) {
        Replay finished;
        if (counter_->FinishLevel(finished))
            finishedAt_ = finished.steps;
    }
    if (next_)
        next_->OnLevelCompleted();
}
