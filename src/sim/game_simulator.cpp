#include "sim/game_simulator.h"

#include <algorithm>

#include "audio/sound_system.h"
#include "core/app_state.h"
#include "game/game_frame.h"
#include "input/input.h"
#include "platform/audio_silent_backend.h"
#include "platform/input_devices.h"

namespace {

RopeTraceState RopeState(const TRope& rope) {
    if (rope.flying)
        return RopeTraceState::Flying;
    if (rope.attached)
        return RopeTraceState::Attached;
    return RopeTraceState::Idle;
}

}  // namespace

GameSimulator::GameSimulator(const SimulatorOptions& options, std::ostream& out)
    : options_(options), out_(out) {
    audio_ = std::make_unique<AudioSilentBackend>();
    sound_ = std::make_unique<SoundSystem>(*audio_);
    input_ = std::make_unique<Input>();
    recorded_ = std::make_unique<RecordedGame>(std::make_unique<Game>(clock_), clock_);
    game_ = &recorded_->Inner();

    sound_->Init(nullptr);
    input_->InitWithoutWindow();
    events_.SetObserver(this);
    recorded_->SetObserver(this);
    recorded_->SetFinishedRunHandler([this](const Replay& run) { finishedRuns_.push_back(run); });
    game_->SetSingleLevel(options_.singleLevel);
    game_->World().SetBroadPhase(!options_.fullScan);
    game_->SetAimLineWithoutWindow(options_.aimLine);
    recorded_->Attach(&events_, nullptr, input_.get(), sound_.get());
    game_->SetEntryNumber(options_.entry);
}

GameSimulator::~GameSimulator() {
    recorded_->SetObserver(nullptr);
    events_.SetObserver(nullptr);
    replayPlayer_.reset();
    recorded_.reset();
    input_.reset();
    sound_.reset();
}

bool GameSimulator::StartNewGame(std::string& error) {
    input_->ReadKeyboard();
    input_->ReadMouse();
    input_->ReadPad();
    if (!StartGameFrame(*recorded_, clock_)) {
        error = "the game cannot start: its level list or first level cannot be loaded";
        return false;
    }
    return true;
}

bool GameSimulator::Run(const SimScript& script, std::string& error) {
    for (const SimCommand& command : script.commands) {
        if (command.kind != SimCommandKind::Frames) {
            ApplyInput(command);
            continue;
        }
        if (!RunFrames(command.a, command.b, error))
            return false;
    }
    return true;
}

void GameSimulator::ApplyInput(const SimCommand& command) {
    InputDevices* devices = input_->Devices();
    if (!devices)
        return;
    const uint32_t now = static_cast<uint32_t>(clock_.milliseconds);
    switch (command.kind) {
        case SimCommandKind::Key:
            devices->keyboard.OnScanCode(static_cast<uint8_t>(command.a), true, now);
            break;
        case SimCommandKind::KeyUp:
            devices->keyboard.OnScanCode(static_cast<uint8_t>(command.a), false, now);
            break;
        case SimCommandKind::Move:
            devices->mouse.OnMotion(command.a, command.b);
            break;
        case SimCommandKind::Button:
            devices->mouse.SetButton(command.a, command.b != 0);
            break;
        case SimCommandKind::PadConnect:
            devices->pad.Connect();
            break;
        case SimCommandKind::PadDisconnect:
            devices->pad.Disconnect();
            break;
        case SimCommandKind::PadButton:
            devices->pad.OnButton(command.a, command.b != 0);
            break;
        case SimCommandKind::PadAxis:
            devices->pad.OnAxis(command.a, command.b);
            break;
        case SimCommandKind::Frames:
            break;
    }
}

bool GameSimulator::RunFrames(int count, int milliseconds, std::string& error) {
    for (int frame = 0; frame < count; ++frame) {
        clock_.milliseconds += static_cast<uint64_t>(milliseconds);
        input_->ReadKeyboard();
        input_->ReadMouse();
        input_->ReadPad();
        // The script drives the playing state: a pause request is not acted on.
        int32_t state = StatePlaying;
        PlayGameFrame(*recorded_, state);
        ++frames_;
        if (game_->LevelLost()) {
            error = "the next level cannot be loaded";
            return false;
        }
    }
    return true;
}

const Game& GameSimulator::Traced() const {
    if (replayPlayer_ && replayPlayer_->Started())
        return replayPlayer_->GetGame();
    return *game_;
}

void GameSimulator::PrintEnd() {
    EndTrace end;
    end.frames = frames_;
    end.steps = steps_;
    end.level = static_cast<int>(Traced().Levels().Index());
    end.entry = Traced().Triggers().entryNumber;
    end.levelsCompleted = levelsCompleted_;
    out_ << FormatEndLine(end) << '\n';
}

void GameSimulator::OnLevelLoaded(size_t index, const std::string& path, const Vector2& start) {
    if (options_.trace)
        out_ << FormatLoadLine(static_cast<int>(index), path, start) << '\n';
}

void GameSimulator::OnSimulationStep() {
    ++steps_;
    if (options_.trace && steps_ >= options_.traceFrom) {
        const TPlayer& ball = Traced().Ball();
        const TRope& rope = Traced().Rope();
        StepTrace step;
        step.step = steps_;
        step.level = static_cast<int>(Traced().Levels().Index());
        step.ball = ball.position;
        step.velocity = ball.velocity;
        step.hook = rope.position;
        step.hookVelocity = rope.velocity;
        step.rope = RopeState(rope);
        step.freeLength = rope.freeLength;
        step.totalLength = rope.totalLength;
        step.wraps = rope.wrapPoints.size();
        step.collisions = Traced().Stats().current.collisions;
        step.events = pendingEvents_;
        out_ << FormatStepLine(step) << '\n';
    }
    pendingEvents_.clear();
}

void GameSimulator::OnLevelCompleted() {
    ++levelsCompleted_;
}

void GameSimulator::OnAppend(const GameEvent& event) {
    pendingEvents_.push_back(event);
}

bool GameSimulator::RunReplay(const Replay& replay, std::string& error) {
    replayPlayer_ = std::make_unique<ReplayPlayer>();
    replayPlayer_->SetObserver(this);
    replayPlayer_->SetEventObserver(this);
    replayPlayer_->SetFullScan(options_.fullScan);
    if (!replayPlayer_->Start(replay, error))
        return false;
    while (replayPlayer_->PlayFrame()) {
    }
    frames_ += static_cast<int>(replayPlayer_->FramesPlayed());
    return true;
}

namespace {

// The first step where two runs' splits part, or 0 where they agree.
uint32_t FirstDifferentSplit(const std::vector<Split>& played, const std::vector<Split>& recorded) {
    const size_t common = std::min(played.size(), recorded.size());
    for (size_t i = 0; i < common; ++i) {
        if (played[i].checkpoint != recorded[i].checkpoint || played[i].step != recorded[i].step)
            return std::min(played[i].step, recorded[i].step);
    }
    if (played.size() != recorded.size()) {
        const Split& extra = played.size() > common ? played[common] : recorded[common];
        return extra.step;
    }
    return 0;
}

}  // namespace

bool VerifyReplay(const Replay& replay, std::string& problem) {
    ReplayPlayer player;
    if (!player.Start(replay, problem))
        return false;
    while (player.PlayFrame()) {
    }
    const bool allFrames = player.FramesPlayed() == replay.frames.size();
    if (player.Finished() && allFrames && player.FinishedAtStep() == replay.steps &&
        FirstDifferentSplit(player.Splits(), replay.splits) == 0)
        return true;
    uint32_t step = FirstDifferentSplit(player.Splits(), replay.splits);
    if (step == 0)
        step = std::min(player.RunSteps() + 1, replay.steps);
    problem = "desynchronised at step " + std::to_string(step) + " (";
    if (!player.Finished())
        problem += "the run did not reach the end by its last frame)";
    else
        problem += "the run reached the end at step " + std::to_string(player.FinishedAtStep()) +
                   " in frame " + std::to_string(player.FramesPlayed()) + " of " +
                   std::to_string(replay.frames.size()) + ", recorded at step " +
                   std::to_string(replay.steps) + ")";
    return false;
}
