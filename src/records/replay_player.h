#pragma once
// Re-simulates a replay in a game of its own: no window, no sound, its own
// physics world, event list and clock, fed the recorded frames one by one.
// It never touches another game, so a ghost can run beside the live one and
// quarn-sim can verify a replay.

#include <cstdint>
#include <memory>
#include <string>

#include "core/clock.h"
#include "core/event_list.h"
#include "game/game.h"
#include "input/input_subsystem.h"
#include "records/replay.h"
#include "records/run_recorder.h"

// The clock a re-simulated game reads: moved by the recorded frames only.
class ReplayClock final : public Clock {
public:
    uint32_t TickCount() const override { return tick; }
    bool PerformanceFrequency(int64_t* value) const override {
        *value = frequency;
        return frequency > 0;
    }
    int64_t PerformanceCounter() const override { return counter; }
    uint32_t MilliTime() const override { return tick; }
    void Sleep(uint32_t) override {}

    uint32_t tick = 0;
    int64_t counter = 0;
    int64_t frequency = 0;
};

// The keys, mouse and game controller of one recorded frame. The game that
// re-simulates them plays with the bindings the run was recorded with.
class ReplayInput final : public InputSubsystem {
public:
    // All keys and controls up, no frame.
    void Reset();
    void SetFrame(const ReplayFrame& frame);

    HRESULT Init(PlatformWindow*) override { return S_OK; }
    void ReadKeyboard() override {}
    void ReadMouse() override {}
    void Acquire() override {}
    void Release() override {}
    bool KeyPressed(int code) const override;
    bool KeyHeld(int code) const override;
    bool MouseButtonPressed(int button) const override;
    MouseStateRecord MouseState() const override;
    bool PadPressed(int control) const override;
    bool PadHeld(int control) const override;
    PadStateRecord PadState() const override;

private:
    bool held_[256] = {};
    bool padHeld_[256] = {};
    const ReplayFrame* frame_ = nullptr;
};

class ReplayPlayer final : public GameObserver {
public:
    ReplayPlayer();
    ~ReplayPlayer() override;
    ReplayPlayer(const ReplayPlayer&) = delete;
    ReplayPlayer& operator=(const ReplayPlayer&) = delete;

    // Both see the re-simulated game as quarn-sim's trace does; set before Start.
    void SetObserver(GameObserver* next) { next_ = next; }
    void SetEventObserver(EventListObserver* observer) { events_.SetObserver(observer); }
    void SetFullScan(bool fullScan) { fullScan_ = fullScan; }

    // Checks the replay against the level file at its path, the physics
    // version and the Physics settings in force, then loads the level as the
    // run began. False, with `problem` naming what differs, when it cannot be
    // re-simulated.
    bool Start(const Replay& replay, std::string& problem);
    // Plays the next recorded frame. False when there is none left or the run
    // has reached the level's end.
    bool PlayFrame();

    bool Started() const { return game_ != nullptr; }
    bool Finished() const { return finishedAt_ != 0; }
    // The run step that reached the end, 0 before.
    uint32_t FinishedAtStep() const { return finishedAt_; }
    uint32_t RunSteps() const { return counter_ ? counter_->RunSteps() : 0; }
    // The splits of the re-simulated run so far, the end last once reached.
    const std::vector<Split>& Splits() const { return counter_->Splits(); }
    size_t FramesPlayed() const { return frame_; }
    const Game& GetGame() const { return *game_; }
    const Replay& GetReplay() const { return replay_; }

    void OnLevelLoaded(size_t index, const std::string& path, const Vector2& start) override;
    void OnSimulationStep() override;
    void OnLevelCompleted() override;

private:
    Replay replay_;
    ReplayClock clock_;
    ReplayInput input_;
    EventList events_;
    std::unique_ptr<Game> game_;
    std::unique_ptr<RunRecorder> counter_;
    GameObserver* next_ = nullptr;
    bool fullScan_ = false;
    bool loading_ = false;
    size_t frame_ = 0;
    uint32_t finishedAt_ = 0;
};
