#include "sim/game_simulator.h"

#include <fstream>
#include <istream>
#include <sstream>

#include "core/app_state.h"
#include "audio/sound_system.h"
#include "input/input.h"
#include "platform/audio_silent_backend.h"
#include "platform/input_devices.h"
#include "platform/platform_window.h"

namespace {

constexpr const char* kUsage = "usage: quarn-sim [--trace] [--full-scan] [--level FILE] [SCRIPT]";

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
    // Every timer the game builds reads the clock installed when it is built.
    SetCurrentClock(&clock_);
    audio_ = std::make_unique<AudioSilentBackend>();
    sound_ = std::make_unique<SoundSystem>(*audio_);
    inputOwner_ = std::make_unique<PlatformWindow>();
    input_ = std::make_unique<Input>();
    game_ = std::make_unique<Game>();

    sound_->Init(nullptr);
    input_->Init(inputOwner_.get());
    events_.SetObserver(this);
    game_->SetObserver(this);
    game_->SetSingleLevel(options_.singleLevel);
    game_->World().SetBroadPhase(!options_.fullScan);
    game_->Attach(&events_, nullptr, input_.get(), sound_.get());
}

GameSimulator::~GameSimulator() {
    game_->SetObserver(nullptr);
    events_.SetObserver(nullptr);
    game_.reset();
    input_.reset();
    sound_.reset();
    SetCurrentClock(nullptr);
}

bool GameSimulator::StartNewGame(std::string& error) {
    input_->ReadKeyboard();
    input_->ReadMouse();
    if (!game_->StartGame()) {
        error = "the game cannot start: its level list or first level cannot be loaded";
        return false;
    }
    game_->TickTimer();
    game_->SetLastSimulatedTick(GetTickCount());
    game_->FrameUpdate();
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
        case SimCommandKind::Frames:
            break;
    }
}

bool GameSimulator::RunFrames(int count, int milliseconds, std::string& error) {
    for (int frame = 0; frame < count; ++frame) {
        clock_.milliseconds += static_cast<uint64_t>(milliseconds);
        input_->ReadKeyboard();
        input_->ReadMouse();
        game_->TickTimer();
        game_->FrameUpdate();
        // The script drives the playing state: a pause request is not acted on.
        int32_t state = StatePlaying;
        game_->ControlStep(state);
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
    end.entry = game_->GetScene().triggers.entryNumber;
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

int RunSimulatorCommand(int argc, char** argv, std::istream& standardInput, std::ostream& out,
                        std::ostream& err) {
    SimulatorOptions options;
    std::string scriptPath;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--trace") {
            options.trace = true;
        } else if (argument == "--full-scan") {
            options.fullScan = true;
        } else if (argument == "--level" && i + 1 < argc) {
            options.singleLevel = argv[++i];
        } else if (!argument.empty() && argument[0] != '-' && scriptPath.empty()) {
            scriptPath = argument;
        } else {
            err << kUsage << '\n';
            return 2;
        }
    }

    std::string text;
    if (scriptPath.empty()) {
        std::ostringstream buffer;
        buffer << standardInput.rdbuf();
        text = buffer.str();
    } else {
        std::ifstream file(scriptPath, std::ios::binary);
        if (!file) {
            err << "quarn-sim: " << scriptPath << ": cannot open the script\n";
            return 2;
        }
        std::ostringstream buffer;
        buffer << file.rdbuf();
        text = buffer.str();
    }
    const std::string scriptName = scriptPath.empty() ? "standard input" : scriptPath;

    SimScript script;
    std::string error;
    if (!ParseSimScript(text, script, error)) {
        err << "quarn-sim: " << scriptName << ":" << error << '\n';
        return 2;
    }

    GameSimulator simulator(options, out);
    if (!simulator.StartNewGame(error) || !simulator.Run(script, error)) {
        err << "quarn-sim: " << error << '\n';
        return 2;
    }
    simulator.PrintEnd();
    return 0;
}
