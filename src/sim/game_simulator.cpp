#include "sim/game_simulator.h"

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
    game_ = std::make_unique<Game>(clock_);

    sound_->Init(nullptr);
    input_->InitWithoutWindow();
    events_.SetObserver(this);
    game_->SetObserver(this);
    game_->SetSingleLevel(options_.singleLevel);
    game_->World().SetBroadPhase(!options_.fullScan);
    game_->SetAimLineWithoutWindow(options_.aimLine);
    game_->Attach(&events_, nullptr, input_.get(), sound_.get());
}

GameSimulator::~GameSimulator() {
    game_->SetObserver(nullptr);
    events_.SetObserver(nullptr);
    game_.reset();
    input_.reset();
    sound_.reset();
}

bool GameSimulator::StartNewGame(std::string& error) {
    input_->ReadKeyboard();
    input_->ReadMouse();
    input_->ReadPad();
    if (!StartGameFrame(*game_, clock_)) {
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
        PlayGameFrame(*game_, state);
        ++frames_;
        if (game_->LevelLost()) {
            error = "the next level cannot be loaded";
            return false;
        }
    }
    return true;
}

void GameSimulator::PrintEnd() {
    EndTrace end;
    end.frames = frames_;
    end.steps = steps_;
    end.level = static_cast<int>(game_->Levels().Index());
    end.entry = game_->Triggers().entryNumber;
    end.levelsCompleted = levelsCompleted_;
    out_ << FormatEndLine(end) << '\n';
}

void GameSimulator::OnLevelLoaded(size_t index, const std::string& path, const Vector2& start) {
    if (options_.trace)
        out_ << FormatLoadLine(static_cast<int>(index), path, start) << '\n';
}

void GameSimulator::OnSimulationStep() {
    ++steps_;
    if (options_.trace) {
        const TPlayer& ball = game_->Ball();
        const TRope& rope = game_->Rope();
        StepTrace step;
        step.step = steps_;
        step.level = static_cast<int>(game_->Levels().Index());
        step.ball = ball.position;
        step.velocity = ball.velocity;
        step.hook = rope.position;
        step.hookVelocity = rope.velocity;
        step.rope = RopeState(rope);
        step.freeLength = rope.freeLength;
        step.totalLength = rope.totalLength;
        step.wraps = rope.wrapPoints.size();
        step.collisions = game_->Stats().current.collisions;
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
