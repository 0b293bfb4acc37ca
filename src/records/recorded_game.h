#pragma once
// The game as the main loop and quarn-sim play it, with its runs recorded:
// every frame is handed on to the Game unchanged, and around it each level's
// run is counted and recorded as a replay. With a records folder the best
// times and best runs are kept, the level's best run follows the live ball as
// a translucent ghost (re-simulated in a game of its own), and the heads-up
// display gains the best time and the split differences below its own lines.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "core/clock.h"
#include "game/game.h"
#include "records/record_store.h"
#include "records/replay_player.h"
#include "records/run_recorder.h"

// The level's best run replayed beside the live one, as far as the live run has got.
class GhostRun {
public:
    // False when the replay cannot be re-simulated here; `problem` says why.
    bool Start(const Replay& replay, std::string& problem);
    void Stop() { active_ = false; }
    // Plays the best run on until it has run as many run steps as the live run.
    void FollowTo(uint32_t runSteps);
    // The ghost's ball while there is one to show.
    const TPlayer* Ball() const;
    uint32_t RunSteps() const { return player_.RunSteps(); }

private:
    ReplayPlayer player_;
    bool active_ = false;
};

// How long a split difference stays on the screen.
constexpr uint32_t kSplitShownMilliseconds = 3000;
// The ghost's opacity.
constexpr float kGhostAlpha = 0.4f;

class RecordedGame final : public GameSubsystem, public GameObserver {
public:
    RecordedGame(std::unique_ptr<Game> game, const Clock& clock);
    ~RecordedGame() override;
    RecordedGame(const RecordedGame&) = delete;
    RecordedGame& operator=(const RecordedGame&) = delete;

    Game& Inner() { return *game_; }
    const Game& Inner() const { return *game_; }
    // Sees the game's level cycle as the Game's own observer would.
    void SetObserver(GameObserver* next) { next_ = next; }
    // Keeps records and replays in `folder` (opened at the first new game; an
    // empty one is reported as unusable), reading the Records settings at
    // every new game. Without it nothing is kept and no ghost is shown unless
    // one is given.
    void KeepRecordsIn(const std::string& folder);
    // Shows this run as the ghost of the level it was played on.
    void SetGhostReplay(const Replay& replay);
    // Called with every finished level's run (its frames empty when they
    // could not be recorded).
    void SetFinishedRunHandler(std::function<void(const Replay&)> handler) {
        onFinished_ = std::move(handler);
    }

    const GhostRun& Ghost() const { return ghost_; }
    bool GhostShown() const { return ghostShown_; }
    const RunRecorder& Recorder() const { return recorder_; }
    // The best time of the level being played, 0 without one.
    uint32_t BestSteps() const { return hasBest_ ? best_.steps : 0; }
    // The last split's difference against the best run ("-0:0:250"), empty
    // before one, and whether it was faster.
    const std::string& SplitText() const { return splitText_; }
    bool SplitFaster() const { return splitFaster_; }

    GLExtensions& Extensions() override { return game_->Extensions(); }
    void Attach(EventList* events, GLWindow* window, InputSubsystem* input,
                SoundSubsystem* sound) override;
    bool StartGame() override;
    void EndGame() override;
    void TickTimer() override;
    void SetLastSimulatedTick(uint32_t tickCount) override;
    void FrameUpdate() override;
    void ControlStep(int32_t& appState) override;
    void Draw(bool paused) override;
    uint64_t SimulationSteps() const override { return game_->SimulationSteps(); }

    void OnLevelLoaded(size_t index, const std::string& path, const Vector2& start) override;
    void OnSimulationStep() override;
    void OnLevelCompleted() override;

private:
    void BeginGhost();
    void ShowSplit(const Split& split);
    void FinishLoop(const Replay& run);
    void DrawHeadsUpLines();

    std::unique_ptr<Game> game_;
    const Clock& clock_;
    GLWindow* window_ = nullptr;
    InputSubsystem* input_ = nullptr;
    GameObserver* next_ = nullptr;
    RunRecorder recorder_;
    std::function<void(const Replay&)> onFinished_;

    std::unique_ptr<RecordStore> store_;
    std::string folder_;
    bool keepRecords_ = false;
    bool storeOpened_ = false;
    RecordSettings settings_;
    bool hasBest_ = false;
    LevelRecord best_;  // the level's record when the run began

    bool hasGivenGhost_ = false;
    Replay givenGhost_;
    GhostRun ghost_;
    bool ghostPending_ = false;
    bool ghostShown_ = false;
    WorldRenderer renderer_;

    std::string splitText_;
    bool splitFaster_ = false;
    uint32_t splitShownAt_ = 0;
    bool splitShown_ = false;

    // The loop through the level list this game is on.
    std::string loopHashes_;
    uint64_t loopSteps_ = 0;
    bool loopValid_ = false;
};
