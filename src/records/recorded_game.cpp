#include "records/recorded_game.h"

#include <cstdio>

#include "platform/gl.h"
#include "render/gl_window.h"

namespace {

// Below the heads-up display's own lines, 15 pixels apart like them.
constexpr int kBestLineY = 95;
constexpr int kSplitLineY = 110;

}  // namespace

bool GhostRun::Start(const Replay& replay, std::string& problem) {
    active_ = player_.Start(replay, problem);
    return active_;
}

void GhostRun::FollowTo(uint32_t runSteps) {
    while (active_ && !player_.Finished() && player_.RunSteps() < runSteps) {
        if (!player_.PlayFrame())
            break;
    }
}

const TPlayer* GhostRun::Ball() const {
    if (!active_ || !player_.Started() || player_.Finished())
        return nullptr;
    return &player_.GetGame().Ball();
}

RecordedGame::RecordedGame(std::unique_ptr<Game> game, const Clock& clock)
    : game_(std::move(game)), clock_(clock), recorder_(*game_) {
    game_->SetObserver(this);
}

RecordedGame::~RecordedGame() {
    game_->SetObserver(nullptr);
}

void RecordedGame::KeepRecordsIn(const std::string& folder) {
    folder_ = folder;
    keepRecords_ = true;
}

void RecordedGame::SetGhostReplay(const Replay& replay) {
    givenGhost_ = replay;
    hasGivenGhost_ = true;
}

void RecordedGame::Attach(EventList* events, GLWindow* window, InputSubsystem* input,
                          SoundSubsystem* sound) {
    window_ = window;
    input_ = input;
    game_->Attach(events, window, input, sound);
}

bool RecordedGame::StartGame() {
    if (keepRecords_) {
        settings_ = ReadRecordSettings();
        if (!storeOpened_) {
            storeOpened_ = true;
            store_ = std::make_unique<RecordStore>(folder_);
            if (!store_->Open())
                store_.reset();
        }
    }
    loopHashes_.clear();
    loopSteps_ = 0;
    loopValid_ = true;
    splitShown_ = false;
    const bool started = game_->StartGame();
    BeginGhost();
    return started;
}

void RecordedGame::EndGame() {
    recorder_.EndLevel();
    ghost_.Stop();
    ghostShown_ = false;
    game_->EndGame();
}

void RecordedGame::TickTimer() {
    game_->TickTimer();
    recorder_.AfterTickTimer();
}

void RecordedGame::SetLastSimulatedTick(uint32_t tickCount) {
    game_->SetLastSimulatedTick(tickCount);
}

void RecordedGame::FrameUpdate() {
    recorder_.BeforeFrameUpdate();
    game_->FrameUpdate();
    recorder_.AfterFrameUpdate();
    BeginGhost();
    if (ghostShown_)
        ghost_.FollowTo(recorder_.RunSteps());
}

void RecordedGame::ControlStep(int32_t& appState) {
    if (input_)
        recorder_.BeforeControls(*input_);
    game_->ControlStep(appState);
}

void RecordedGame::Draw(bool paused) {
    game_->Draw(paused);
    if (!window_ || !game_->LevelLoaded())
        return;
    if (const TPlayer* ball = ghostShown_ ? ghost_.Ball() : nullptr)
        renderer_.DrawGhost(game_->GetCamera(), *ball, kGhostAlpha, game_->BallAndRopeTextures());
    DrawHeadsUpLines();
}

void RecordedGame::DrawHeadsUpLines() {
    Overlay& overlay = window_->GetOverlay();
    if (hasBest_)
        overlay.PrintText(10, kBestLineY, "Best: %s", FormatStepTime(best_.steps).c_str());
    if (splitShown_ && clock_.TickCount() - splitShownAt_ < kSplitShownMilliseconds) {
        overlay.SetTextColor(splitFaster_ ? 0.0f : 1.0f, splitFaster_ ? 1.0f : 0.0f, 0.0f);
        overlay.PrintText(10, kSplitLineY, "%s", splitText_.c_str());
        overlay.SetTextColor(0.0f, 1.0f, 0.0f);
    } else {
        splitShown_ = false;
    }
}

void RecordedGame::OnLevelLoaded(size_t index, const std::string& path, const Vector2& start) {
    recorder_.BeginLevel(path, true);
    hasBest_ = false;
    if (store_ && recorder_.Active()) {
        RecordKey key;
        key.content = recorder_.LevelHash();
        key.physicsVersion = kPhysicsVersion;
        key.physics = HashPhysicsSettings(recorder_.Physics());
        if (const LevelRecord* best = store_->Book().FindLevel(key)) {
            best_ = *best;
            hasBest_ = true;
        }
    }
    // The ghost's own game loads once the live frame has finished.
    ghost_.Stop();
    ghostShown_ = false;
    ghostPending_ = true;
    if (next_)
        next_->OnLevelLoaded(index, path, start);
}

void RecordedGame::BeginGhost() {
    if (!ghostPending_)
        return;
    ghostPending_ = false;
    if (!recorder_.Active())
        return;
    Replay replay;
    bool found = false;
    if (hasGivenGhost_ && givenGhost_.levelHash == recorder_.LevelHash()) {
        replay = givenGhost_;
        found = true;
    } else if (store_ && settings_.ghost && hasBest_) {
        found = store_->LoadBestReplay(best_.key, replay);
    }
    if (!found)
        return;
    std::string problem;
    if (!ghost_.Start(replay, problem)) {
        std::fprintf(stderr, "Quarn records: the best run of %s cannot be shown: %s.\n",
                     replay.levelPath.c_str(), problem.c_str());
        return;
    }
    ghostShown_ = true;
}

void RecordedGame::OnSimulationStep() {
    if (recorder_.AfterStep())
        ShowSplit(recorder_.Splits().back());
    if (next_)
        next_->OnSimulationStep();
}

void RecordedGame::ShowSplit(const Split& split) {
    if (!hasBest_)
        return;
    for (const Split& best : best_.splits) {
        if (best.checkpoint != split.checkpoint)
            continue;
        const int64_t difference = static_cast<int64_t>(split.step) - best.step;
        splitText_ = FormatStepDifference(difference);
        splitFaster_ = difference < 0;
        splitShownAt_ = clock_.TickCount();
        splitShown_ = true;
        return;
    }
}

void RecordedGame::OnLevelCompleted() {
    const size_t index = game_->Levels().Index();
    const size_t count = game_->Levels().Count();
    Replay run;
    if (recorder_.FinishLevel(run)) {
        ShowSplit(run.splits.back());
        if (store_)
            store_->OfferRun(run, settings_.keepRuns);
        if (onFinished_)
            onFinished_(run);
        if (loopValid_ && index * run.levelHash.size() == loopHashes_.size()) {
            loopHashes_.append(reinterpret_cast<const char*>(run.levelHash.data()),
                               run.levelHash.size());
            loopSteps_ += run.steps;
            if (index + 1 == count)
                FinishLoop(run);
        } else {
            loopValid_ = false;
        }
    } else {
        loopValid_ = false;
    }
    if (index + 1 == count) {  // the list starts again
        loopHashes_.clear();
        loopSteps_ = 0;
        loopValid_ = true;
    }
    if (next_)
        next_->OnLevelCompleted();
}

void RecordedGame::FinishLoop(const Replay& run) {
    if (!store_)
        return;
    LoopRecord loop;
    loop.key.content = HashBytes(loopHashes_);
    loop.key.physicsVersion = run.physicsVersion;
    loop.key.physics = HashPhysicsSettings(run.physics);
    loop.steps = loopSteps_;
    store_->OfferLoop(loop);
}
