#pragma once
// quarn-sim's composition root: the real game driven by a script without a
// window. Every clock the game reads is one simulated millisecond counter,
// input comes from the script through the game's own input devices, sound
// goes to a silent backend, and nothing is drawn. The frames are the main
// loop's own (game/game_frame.h). Each simulation step can be traced as one
// line.

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "core/clock.h"
#include "core/event_list.h"
#include "game/game.h"
#include "records/recorded_game.h"
#include "sim/sim_script.h"
#include "sim/sim_trace.h"

class AudioSilentBackend;
class Input;
class SoundSystem;

// One integer millisecond counter behind every clock the game reads. The
// tick count and the millisecond clock read it in whole milliseconds; the
// performance counter in microseconds. Sleep does not advance it.
class SimulatedClock final : public Clock {
public:
    uint32_t TickCount() const override { return static_cast<uint32_t>(milliseconds); }
    bool PerformanceFrequency(int64_t* frequency) const override {
        *frequency = 1000000;
        return true;
    }
    int64_t PerformanceCounter() const override {
        return static_cast<int64_t>(milliseconds) * 1000;
    }
    uint32_t MilliTime() const override { return static_cast<uint32_t>(milliseconds); }
    void Sleep(uint32_t) override {}

    uint64_t milliseconds = 0;
};

struct SimulatorOptions {
    bool trace = false;
    std::string singleLevel;  // empty: the level list of the game folder
    bool fullScan = false;    // collision and wrapping scan every outline
    bool aimLine = false;     // the aim line worked out every frame, as drawing it does
    int32_t entry = -1;       // the level starts at its START of this number, if it has one
    int traceFrom = 0;        // with trace, step lines are printed from this step on
};

// Re-simulates the replay to its end. True when it reaches the level's end at
// the recorded step; otherwise `problem` names what went wrong (the file, the
// level, the physics, or the first step where the run went its own way).
bool VerifyReplay(const Replay& replay, std::string& problem);

class GameSimulator final : public GameObserver, public EventListObserver {
public:
    GameSimulator(const SimulatorOptions& options, std::ostream& out);
    ~GameSimulator() override;
    GameSimulator(const GameSimulator&) = delete;
    GameSimulator& operator=(const GameSimulator&) = delete;

    // Starts a new game as the new-game state does. False when it cannot
    // start; error says why.
    bool StartNewGame(std::string& error);
    // Runs the script's commands. False when a level could not be loaded on
    // the way; error says why.
    bool Run(const SimScript& script, std::string& error);
    // Plays a replay's frames instead of a new game and a script, tracing the
    // re-simulated game. False when it cannot be re-simulated; error says why.
    bool RunReplay(const Replay& replay, std::string& error);
    // The runs of the levels the script finished, in order.
    const std::vector<Replay>& FinishedRuns() const { return finishedRuns_; }
    // Runs this replay beside its level as the ghost: re-simulated in a game
    // of its own, which the traced game never sees.
    void SetGhostReplay(const Replay& replay) { recorded_->SetGhostReplay(replay); }
    const RecordedGame& Recorded() const { return *recorded_; }
    // The closing line of every run.
    void PrintEnd();

    // The game being played: the script's, or the replay's once it runs.
    const Game& GetGame() const { return Traced(); }

    void OnLevelLoaded(size_t index, const std::string& path, const Vector2& start) override;
    void OnSimulationStep() override;
    void OnLevelCompleted() override;
    void OnAppend(const GameEvent& event) override;

private:
    const Game& Traced() const;
    void ApplyInput(const SimCommand& command);
    bool RunFrames(int count, int milliseconds, std::string& error);

    SimulatorOptions options_;
    std::ostream& out_;
    SimulatedClock clock_;
    EventList events_;
    std::unique_ptr<AudioSilentBackend> audio_;
    std::unique_ptr<SoundSystem> sound_;
    std::unique_ptr<Input> input_;
    std::unique_ptr<RecordedGame> recorded_;
    Game* game_ = nullptr;          // the recorded game's own
    const Game* traced_ = nullptr;  // the game the trace reads
    std::unique_ptr<ReplayPlayer> replayPlayer_;
    std::vector<Replay> finishedRuns_;
    std::vector<GameEvent> pendingEvents_;  // appended since the last step line
    int frames_ = 0;
    int steps_ = 0;
    int levelsCompleted_ = 0;
};
