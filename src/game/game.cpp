#include "game/game.h"

#include <cstring>

#include "core/app_state.h"
#include "core/clock.h"
#include "core/settings.h"
#include "game/level_description.h"
#include "input/input.h"
#include "platform/gl.h"
#include "platform/message_box.h"
#include "resources/texture_loader.h"
#include "scene/scene_file.h"

namespace {

constexpr char kBallTexture[] = "Textures/quarn.png";
constexpr char kRopeTexture[] = "Textures/rope.png";
constexpr char kCursorTexture[] = "Menu/cursor.png";
constexpr char kErrorCaption[] = "ERROR";

constexpr Vector2 kBallHome{-50.0, 0.0};
constexpr double kFrameLimitSeconds = 1.0 / 60.0;
constexpr double kLongestScrollFrame = 1.0;

// Stands in when the game runs without input: nothing pressed, nothing held.
class NoInput final : public InputSubsystem {
public:
    HRESULT Init(PlatformWindow*) override { return S_OK; }
    void ReadKeyboard() override {}
    void ReadMouse() override {}
    void Acquire() override {}
    void Release() override {}
};

float Clamp(float value, float low, float high) {
    return value < low ? low : (value > high ? high : value);
}

const char* DescribeLoadResult(int result) {
    switch (result) {
        case LoadCannotOpen:
            return "the file cannot be opened";
        case LoadCannotClose:
            return "the file cannot be closed";
        case LoadBadMagic:
            return "it is not a scene file";
        case LoadBadVersion:
            return "the scene file has the wrong version";
        case LoadTooLarge:
            return "a count is over the limit";
        case LoadTruncated:
            return "the file is cut short";
        case LoadBadPrimitive:
            return "a primitive has an unknown type";
        case LoadBadMaterialIndex:
            return "a mesh names a material the scene does not have";
        case LoadBadUvChannel:
            return "a map names a texture channel its mesh does not have";
        case LoadBadVertexCount:
            return "a mesh vertex count is not a multiple of 3";
        case LoadBadNumber:
            return "a number is not finite";
        default:
            return "the scene cannot be read";
    }
}

void ShowGameError(const std::string& text) {
    ShowMessageBox(text.c_str(), kErrorCaption, MB_OK | MB_ICONERROR);
}

// Loads a texture into `slot`, deleting the one it held before, so that a
// new game does not leave the last game's copy behind. A file that fails
// leaves the slot as it was.
void ReplaceTexture(const TextureLoader& loader, const char* path, uint32_t& slot) {
    uint32_t texture = 0;
    if (!loader.LoadTexture(path, texture))
        return;
    if (slot != 0)
        glDeleteTextures(1, &slot);
    slot = texture;
}

}  // namespace

Game::Game(Clock& clock) : clock_(clock), frameTimer_(clock), limitTimer_(clock), stats_(clock) {
    camera_.drawingLag = blendFactor_;
    frameEvents_.reserve(64);
}

Game::~Game() = default;

void Game::Attach(EventList* events, GLWindow* window, InputSubsystem* input,
                  SoundSubsystem* sound) {
    events_ = events;
    window_ = window;
    input_ = input;
    sound_ = sound;
}

void Game::LoadFixedTextures() {
    TextureLoader loader;
    loader.Configure(compressionFlags_, extensions_.generateMipmap, extensions_.maxTextureSize,
                     MinificationFor(extensions_));
    ReplaceTexture(loader, kBallTexture, ballTextures_.ball);
    ReplaceTexture(loader, kRopeTexture, ballTextures_.rope);
    ReplaceTexture(loader, kCursorTexture, cursorTexture_);
}

bool Game::StartGame() {
    keys_ = ReadKeyBindings();
    padBindings_ = ReadPadBindings();
    levelLost_ = false;
    if (window_) {
        extensions_.Probe();
        // Bit 1: stored S3TC pictures can go up as they are; bit 0: the driver
        // compresses the others.
        compressionFlags_ =
            window_->texcomp ? static_cast<uint8_t>(2 * extensions_.s3tc +
                                                    DriverCompresses(extensions_, window_->texcomp))
                             : 0;
        LoadFixedTextures();
        textures_.Init(compressionFlags_, extensions_.generateMipmap, extensions_.maxTextureSize,
                       MinificationFor(extensions_));
        renderer_.Configure(window_->lightCount, extensions_.multitexture, window_->anisotropic,
                            window_->anisotropyLevel);
    }
    scene_.SetUseBufferObjects(false);

    UnloadLevel();  // a game that was not ended keeps nothing
    const std::string listPath = std::string(kLevelFolder) + kLevelListFile;
    std::string problem;
    if (!singleLevel_.empty()) {
        if (!levels_.SetSingleLevel(singleLevel_)) {
            ShowGameError("Level error: cannot use the level path " + singleLevel_ + ".");
            return false;
        }
    } else if (!levels_.Read(listPath, &problem)) {
        ShowGameError("Level list error: " + listPath + " " + problem + ".");
        return false;
    }
    if (!LoadLevel(levels_.Current()))
        return false;

    const PlaySettings play = ReadPlaySettings();
    showFps_ = play.showFps;
    frameLimit_ = play.frameLimit;
    aimLineShown_ = play.aimLine;

    totalTimeStarted_ = false;
    std::strcpy(stats_.totalTimeText, kResetTimeText);
    stats_.current.time = 0.0;
    blendFactor_ = 1.0;
    return true;
}

void Game::UnloadLevel() {
    if (sound_)
        sound_->FreeLevelSounds();
    world_.ClearFieldObjects();
    textures_.Clear();
    scene_.Clear();
    triggers_.OnSceneUnloaded();
    lightOrder_.clear();
    levelLoaded_ = false;
    runStarted_ = false;
}

void Game::EndGame() {
    UnloadLevel();
    levelLost_ = false;
}

bool Game::LoadLevel(const std::string& path) {
    if (levelLoaded_)
        UnloadLevel();  // the scene appends what it reads
    const int result = scene_.Load(path);
    if (result != LoadOk) {
        UnloadLevel();  // whatever was read before the fault
        // A list line too long for a path leaves its entry empty.
        const std::string shown = path.empty() ? "an empty level path" : path;
        ShowGameError("Level error: cannot load " + shown + ": " + DescribeLoadResult(result) +
                      " (" + LoadResultName(result) + ").");
        return false;
    }
    levelLoaded_ = true;
    triggers_.OnSceneLoaded();
    if (window_)
        LoadLevelTextures(scene_, textures_);

    ball_.position = kBallHome;
    ball_.velocity.Set(0.0, 0.0);
    camera_.step.Set(0.0, 0.0, 0.0);

    const PhysicsSettings physics = ReadPhysicsSettings();
    world_.SetScene(scene_.Outlines());
    world_.AddFieldObject("gravity", 0.0f, 1.0f, 0, physics.world.gravity, 0.0f, FieldUniform);
    world_.SetPlayer(&ball_);
    world_.SetParameters(physics.world);
    rope_.SetParameters(physics.minLength, physics.maxLength, physics.world.ropeIn,
                        physics.world.ropeOut, physics.shootPower);
    rope_.mass = physics.hookMass;
    ball_.mass = physics.ballMass;
    stats_.timeBetweenShots = physics.timeBetweenShoot;

    InterpretLevelDescription(scene_, triggers_, world_, physics.world, sound_);
    runStarted_ = false;

    const CameraSettings camera = ReadCameraSettings();
    camera_.ApplySettings(camera.maxSpeedRadius, camera.minSpeedRadius, camera.maxSpeed, camera.z);
    PlaceBallAtStart();

    ball_.rope = &rope_;
    rope_.Reset();
    world_.SettleRope();
    TakeWorldEvents();
    aimPoint_ = ToVector2f(ball_.position);
    stats_.current.collisions = 0;
    // The shot permission belongs to the level's time between shots: one
    // left over from the last level would allow a shot a setting of 0 forbids.
    stats_.RestartShotTimer();

    SortLights();
    if (observer_)
        observer_->OnLevelLoaded(levels_.Index(), path, ball_.position);
    settling_ = true;
    SimulationStep();
    settling_ = false;
    return true;
}

void Game::PlaceBallAtStart() {
    ball_.position = triggers_.GetStartPosition();
    camera_.position.Set(-ball_.position.x, camera_.z, -ball_.position.y);
    camera_.previousPosition = camera_.position;
}

void Game::RestartLevel() {
    if (!levelLoaded_)
        return;
    if (sound_)
        sound_->StopLevelSounds();
    triggers_.ResetSoundTriggers();

    ball_.position = kBallHome;
    ball_.velocity.Set(0.0, 0.0);
    camera_.step.Set(0.0, 0.0, 0.0);
    runStarted_ = false;
    PlaceBallAtStart();

    rope_.Reset();
    world_.SettleRope();
    TakeWorldEvents();
    aimPoint_ = ToVector2f(ball_.position);
    cursorOffset_.Set(0.0f, 0.0f);
    padAiming_ = false;
    stats_.ResetCurrent();

    SortLights();
    settling_ = true;
    SimulationStep();
    settling_ = false;
}

void Game::AdvanceLevel() {
    if (observer_)
        observer_->OnLevelCompleted();
    UnloadLevel();
    levels_.Advance();
    if (!LoadLevel(levels_.Current()))
        levelLost_ = true;  // ControlStep ends the game
}

void Game::SimulationStep() {
    RunSimulationStep();
    if (observer_)
        observer_->OnSimulationStep();
}

void Game::RunSimulationStep() {
    if (stats_.current.collisions > kMaxCollisions) {
        RestartLevel();
        return;
    }
    ++stepCount_;
    world_.Step();
    TakeWorldEvents();
    camera_.Follow(ball_.position);
    triggers_.CheckCheckpoints(ball_);
    // The step a load or restart runs itself does not finish the level: a
    // start inside an end zone would otherwise load level after level without
    // end. The ball is still there at the first step of the run.
    if (triggers_.CheckEndZones(ball_) && !settling_) {
        AdvanceLevel();
        if (levelLost_)
            return;
    }
    if (events_)
        triggers_.UpdateSoundTriggers(ball_, *events_);
    stats_.UpdateClock();
}

void Game::TakeWorldEvents() {
    if (events_) {
        const EventList& taken = world_.Events();
        for (size_t i = 0; i < taken.Size(); ++i)
            events_->Append(taken[i]);
    }
    world_.ClearEvents();
}

void Game::TickTimer() {
    frameTimer_.Tick();
}

void Game::SetLastSimulatedTick(uint32_t tickCount) {
    lastSimulatedTick_ = tickCount;
}

void Game::FrameUpdate() {
    currentTick_ = clock_.TickCount();
    // The 32-bit tick count wraps after 49.7 days; start measuring again
    // rather than wait for it to catch up.
    if (currentTick_ < lastSimulatedTick_)
        lastSimulatedTick_ = currentTick_;
    for (int subStep = 0; currentTick_ > lastSimulatedTick_ && subStep < kSubStepsPerTick;
         ++subStep) {
        if (runStarted_)
            SimulationStep();
    }
    HandleEvents();
    if (frameLimit_)
        LimitFrameRate();
    if (currentTick_ > lastSimulatedTick_)
        lastSimulatedTick_ = currentTick_;
    blendFactor_ = 1.0;
    camera_.drawingLag = blendFactor_;
}

void Game::HandleEvents() {
    if (!events_)
        return;
    // Only the events present now: those raised while handling them (by the
    // step a restart runs) wait for the next frame, so a level whose start
    // touches a deadly outline restarts once per frame instead of forever.
    frameEvents_.clear();
    while (!events_->Empty())
        frameEvents_.push_back(events_->TakeLast());
    for (const GameEvent& event : frameEvents_)
        HandleEvent(event);
    frameEvents_.clear();
}

void Game::HandleEvent(const GameEvent& event) {
    switch (event.type) {
        case EventPlayEffect:
            if (sound_)
                sound_->PlayEffect(event.sample);
            break;
        case EventRestart:
        case EventDeath:
            RestartLevel();
            break;
        case EventBallCollision:
            if (sound_)
                sound_->PlayEffect(EffectCollision);
            ++stats_.current.collisions;
            break;
        case EventLevelSoundOn:
            if (sound_)
                sound_->PlayLevelSound(event.trigger, event.value);
            break;
        case EventLevelSoundOff:
            if (sound_)
                sound_->StopLevelSound(event.trigger);
            break;
        case EventLevelSoundVolume:
            if (sound_)
                sound_->SetLevelSoundVolume(event.trigger, event.value);
            break;
        case EventRopeRelease:
            rope_.Reset();
            break;
        default:
            break;
    }
}

void Game::LimitFrameRate() {
    limitTimer_.Tick();
    const double wait = kFrameLimitSeconds - limitTimer_.frameTime;
    if (wait > 0.0 && wait < kFrameLimitSeconds)
        clock_.Sleep(static_cast<uint32_t>(wait * 1000.0));
    limitTimer_.Tick();
}

void Game::Raise(int32_t type, int32_t sample) {
    if (!events_)
        return;
    GameEvent event;
    event.type = type;
    event.sample = sample;
    events_->Append(event);
}

void Game::StartRun() {
    runStarted_ = true;
    stats_.StartClock();
    if (!totalTimeStarted_) {
        std::strcpy(stats_.totalTimeText, kResetTimeText);
        stats_.current.time = 0.0;
        totalTimeStarted_ = true;
    }
}

void Game::ControlStep(int32_t& appState) {
    if (levelLost_ || !levelLoaded_) {
        appState = StateEndGame;
        return;
    }
    const NoInput noInput;
    const InputSubsystem& in = input_ ? *input_ : static_cast<const InputSubsystem&>(noInput);
    const PadActions pad = ReadPadActions(in, padBindings_);

    if (in.KeyPressed(DIK_SYSRQ) && window_)
        window_->RequestScreenshot();
    if (in.KeyPressed(DIK_ESCAPE) || pad.pause)
        appState = StatePause;
    if (in.KeyPressed(DIK_H))
        showOutlines_ = !showOutlines_;
    if (sound_) {
        if (in.KeyPressed(keys_.nextSong))
            sound_->NextTrack();
        if (in.KeyPressed(keys_.prevSong))
            sound_->PrevTrack();
        if (in.KeyPressed(keys_.playSong))
            sound_->PlayTrack(0);
        if (in.KeyPressed(keys_.stopSong))
            sound_->StopMusic();
    }
    if (in.KeyPressed(keys_.reset) || pad.reset)
        RestartLevel();

    Aim(in.MouseState(), pad);

    // Keys left unbound (0) never count: no key has that code.
    if (!runStarted_) {
        const bool anyKey = in.KeyPressed(keys_.startGame) || in.KeyPressed(keys_.up) ||
                            in.KeyPressed(keys_.down) || in.KeyPressed(keys_.left) ||
                            in.KeyPressed(keys_.right) || in.KeyPressed(keys_.lock) ||
                            in.KeyPressed(keys_.fire) || in.KeyPressed(keys_.letGo) ||
                            in.MouseButtonPressed(0) || in.MouseButtonPressed(1) || pad.anyPressed;
        if (anyKey)
            StartRun();
        return;
    }

    // Before the timer has measured a frame its frame time reads negative.
    const double frameTime = frameTimer_.frameTime > 0.0 ? frameTimer_.frameTime : 0.0;
    if (in.KeyHeld(keys_.up) || pad.reelIn)
        rope_.Reel(-1, frameTime);
    if (in.KeyHeld(keys_.down) || pad.reelOut)
        rope_.Reel(+1, frameTime);
    if (in.KeyHeld(keys_.left) || pad.swingLeft)
        ball_.swingDirection = -1;
    if (in.KeyHeld(keys_.right) || pad.swingRight)
        ball_.swingDirection = +1;

    const bool fire = in.MouseButtonPressed(0) || in.KeyPressed(keys_.fire) || pad.fire;
    const bool letGo = in.MouseButtonPressed(1) || in.KeyPressed(keys_.letGo) || pad.letGo;
    if (fire && stats_.shotReady) {
        stats_.RestartShotTimer();
        const double angle = HeadingAngle(ball_.position, ToVector2(aimPoint_));
        rope_.Shoot(ball_.position, angle);
        Raise(EventPlayEffect, EffectHookFired);
    } else if (letGo) {
        rope_.Reset();
        Raise(EventPlayEffect, EffectRopeReleased);
    }

    // The stick aims around the ball afresh every frame: nothing to correct.
    if (in.KeyHeld(keys_.lock) || pad.lock || padAiming_)
        return;
    aimPoint_ -= Vector2f{static_cast<float>(camera_.step.x), static_cast<float>(camera_.step.z)};
}

void Game::Aim(const MouseStateRecord& mouse, const PadActions& pad) {
    const Vector2f centre = ToVector2f(camera_.Centre());
    if (pad.aiming) {
        padAiming_ = true;
        padAim_ = pad.aim;
    } else if (padAiming_ && (mouse.x != 0 || mouse.y != 0)) {
        // The mouse takes over where the stick left the aim.
        padAiming_ = false;
        cursorOffset_.Set(aimPoint_.x - centre.x, aimPoint_.y - centre.y);
    }
    if (padAiming_) {
        // Released, the stick keeps its last direction.
        aimPoint_ = ToVector2f(ball_.position + padAim_ * static_cast<double>(rope_.maxLength));
        return;
    }
    cursorOffset_.x = Clamp(cursorOffset_.x + mouse.x, -kCursorRangeX, kCursorRangeX);
    cursorOffset_.y = Clamp(cursorOffset_.y - mouse.y, -kCursorRangeY, kCursorRangeY);
    aimPoint_ = cursorOffset_ + centre;
}

void Game::SortLights() {
    ::SortLights(scene_, ball_.position, lightOrder_);
}

void Game::Draw(bool paused) {
    if (!paused) {
        SortLights();
        const double frameTime = frameTimer_.frameTime;
        if (frameTime >= 0.0 && frameTime <= kLongestScrollFrame)
            scene_.AdvanceScrolling(frameTime);
        UpdateAimLine();
    }
    if (!window_)
        return;
    if (levelLoaded_) {
        renderer_.DrawBallAndRope(camera_, ball_, lightOrder_, blendFactor_, ballTextures_);
        renderer_.DrawWorld(camera_, scene_, showOutlines_);
        renderer_.DrawAimLine(camera_, aimLine_.path, aimLine_.catches);
        renderer_.DrawCursorMarker(camera_, aimPoint_.x, aimPoint_.y, cursorTexture_);
    }
    DrawHeadsUpDisplay();
}

void Game::UpdateAimLine() {
    aimLine_.path.clear();
    aimLine_.catches = false;
    if (!aimLineShown_ || !levelLoaded_ || rope_.flying || (!window_ && !aimLineWithoutWindow_))
        return;
    // The shot the control step would fire at this aim point.
    world_.PredictShot(HeadingAngle(ball_.position, ToVector2(aimPoint_)), aimLine_);
}

void Game::DrawHeadsUpDisplay() {
    Overlay& overlay = window_->GetOverlay();
    if (showFps_)
        overlay.PrintText(10, 35, "FPS: %.0f", frameTimer_.framesPerSecond);
    overlay.PrintText(10, 50, "Collisions: %i", stats_.current.collisions);
    overlay.PrintText(10, 65, "Time: %s", stats_.currentTimeText);
    overlay.PrintText(10, 80, "TT: %s", stats_.totalTimeText);
    if (!runStarted_)
        overlay.PrintText(window_->width / 2 - 30, window_->height / 2, "Press a key to play");
}
