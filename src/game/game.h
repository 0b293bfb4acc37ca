#pragma once
// The running game: the level and its textures, the ball, the rope, the
// physics world, the camera, the run statistics and the level list. The main
// loop calls StartGame once per game, then per frame FrameUpdate, ControlStep
// and Draw, and EndGame when the player leaves.
//
// Without a window (a null GLWindow) the game still runs every frame: it only
// loads no textures and draws nothing, so tests and the headless simulator can
// drive it with a simulated clock and scripted input. Every timer of the game
// reads the clock it is built with.

#include <cstdint>
#include <string>
#include <vector>

#include "audio/sound_subsystem.h"
#include "core/event_list.h"
#include "core/frame_timer.h"
#include "core/settings.h"
#include "game/game_subsystem.h"
#include "game/level_list.h"
#include "game/level_triggers.h"
#include "game/run_stats.h"
#include "input/input_subsystem.h"
#include "input/pad_actions.h"
#include "physics/physics_world.h"
#include "physics/player.h"
#include "physics/rope.h"
#include "render/camera.h"
#include "render/gl_window.h"
#include "render/light_order.h"
#include "render/world_renderer.h"
#include "resources/gl_extensions.h"
#include "resources/texture_manager.h"
#include "scene/scene.h"

class Clock;

// Simulation sub-steps per frame in which the tick count has advanced.
constexpr int kSubStepsPerTick = 5;
// A level restarts at the next step once an attempt has more collisions.
constexpr int kMaxCollisions = 3;
// The cursor stays within this distance of the camera centre.
constexpr float kCursorRangeX = 370.0f;
constexpr float kCursorRangeY = 280.0f;

// Effect numbers the game plays itself (2, the hook catching, comes from the physics).
enum GameEffect : int32_t {
    EffectCollision = 0,
    EffectRopeReleased = 1,
    EffectHookFired = 3,
};

// Sees the level cycle as it happens (the simulator's trace).
class GameObserver {
public:
    virtual ~GameObserver() = default;
    // A level is loaded and its ball placed, just before the step the load runs.
    virtual void OnLevelLoaded(size_t index, const std::string& path, const Vector2& start) = 0;
    // A simulation step has ended (also one that restarted the level).
    virtual void OnSimulationStep() = 0;
    // The ball reached an end zone; the next level is about to load.
    virtual void OnLevelCompleted() = 0;
};

class Game final : public GameSubsystem {
public:
    // Builds the bodies, the camera and the statistics; loads nothing. The
    // frame timers and the simulation's tick count read `clock`.
    explicit Game(Clock& clock);
    ~Game() override;
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    GLExtensions& Extensions() override { return extensions_; }
    // Any of the four may be null: no events handled, no drawing, no input,
    // silence.
    void Attach(EventList* events, GLWindow* window, InputSubsystem* input,
                SoundSubsystem* sound) override;

    // Keys, textures, the level list and its first level, the video flags.
    // False when the list or the first level cannot be loaded; the failure has
    // been shown and nothing stays loaded.
    bool StartGame() override;
    // Frees the level sounds, the field objects, the level textures and the scene.
    void EndGame() override;
    void TickTimer() override;
    void SetLastSimulatedTick(uint32_t tickCount) override;
    // Five simulation steps when the tick count has advanced (none before the
    // level's first key), then this frame's events.
    void FrameUpdate() override;
    // Keys, mouse and pad. Escape sets StatePause; a game that lost its level
    // (the next one failed to load) sets StateEndGame.
    void ControlStep(int32_t& appState) override;
    void Draw(bool paused) override;
    uint64_t SimulationSteps() const override { return stepCount_; }

    // Loads the scene file and sets the level up waiting for its first key.
    // False when the scene cannot be loaded: the failure has been shown and
    // the level is unloaded.
    bool LoadLevel(const std::string& path);
    void RestartLevel();
    void SimulationStep();
    void SortLights();
    // Waits so that frames come at most 60 times per second.
    void LimitFrameRate();

    // Plays the one level file given instead of the level list (empty: the list).
    void SetSingleLevel(const std::string& path) { singleLevel_ = path; }
    // At most one observer; null removes it.
    void SetObserver(GameObserver* observer) { observer_ = observer; }
    // Works out the aim line in every frame as drawing it does, also
    // without a window (a window's game always does).
    void SetAimLineWithoutWindow(bool on) { aimLineWithoutWindow_ = on; }
    // Where a re-simulated level begins as the live game had it: the end zone
    // the previous level ended in (before the load), and the aim cursor's
    // offset carried over from it (before the level's first controls).
    void SetEntryNumber(int32_t entryNumber) { triggers_.entryNumber = entryNumber; }
    void SetCursorOffset(Vector2f offset) { cursorOffset_ = offset; }
    // The controller's aim carried over from it, and the bindings the run
    // was played with (a new game reads them from the settings).
    void SetPadAim(bool aiming, const Vector2& aim) {
        padAiming_ = aiming;
        padAim_ = aim;
    }
    void SetBindings(const KeyBindings& keys, const PadBindings& pad) {
        keys_ = keys;
        padBindings_ = pad;
    }

    // State for tests, tools and the heads-up display.
    TPlayer& Ball() { return ball_; }
    const TPlayer& Ball() const { return ball_; }
    TRope& Rope() { return rope_; }
    const TRope& Rope() const { return rope_; }
    const Scene& GetScene() const { return scene_; }
    const LevelTriggers& Triggers() const { return triggers_; }
    const BallTextures& BallAndRopeTextures() const { return ballTextures_; }
    const PhysicsWorld& World() const { return world_; }
    PhysicsWorld& World() { return world_; }
    const Camera& GetCamera() const { return camera_; }
    RunStats& Stats() { return stats_; }
    const RunStats& Stats() const { return stats_; }
    const LevelList& Levels() const { return levels_; }
    const KeyBindings& Keys() const { return keys_; }
    // Where a hook fired at the aim point would go, as last worked out for
    // drawing; an empty path while the line is not shown.
    const ShotPrediction& AimLine() const { return aimLine_; }
    // The right stick aims (until the mouse moves).
    bool PadAiming() const { return padAiming_; }
    Vector2 PadAim() const { return padAim_; }
    const PadBindings& Pad() const { return padBindings_; }
    const std::vector<LightOrderEntry>& LightOrder() const { return lightOrder_; }
    const FrameTimer& Timer() const { return frameTimer_; }
    Vector2f AimPoint() const { return aimPoint_; }
    Vector2f CursorOffset() const { return cursorOffset_; }
    bool RunStarted() const { return runStarted_; }
    bool ShowFps() const { return showFps_; }
    bool FrameLimit() const { return frameLimit_; }
    bool ShowOutlines() const { return showOutlines_; }
    bool LevelLost() const { return levelLost_; }
    bool LevelLoaded() const { return levelLoaded_; }
    double LastSimulatedTick() const { return lastSimulatedTick_; }
    // Simulation steps run since construction.
    uint64_t StepCount() const { return stepCount_; }

private:
    void UnloadLevel();
    void AdvanceLevel();
    void PlaceBallAtStart();
    void HandleEvents();
    void HandleEvent(const GameEvent& event);
    void Raise(int32_t type, int32_t sample);
    void LoadFixedTextures();
    void StartRun();
    void RunSimulationStep();
    // Hands the events the physics buffered to the game's event list.
    void TakeWorldEvents();
    // The aim point from the mouse, or from the right stick around the ball.
    void Aim(const MouseStateRecord& mouse, const PadActions& pad);
    void UpdateAimLine();
    void DrawHeadsUpDisplay();

    Clock& clock_;
    double lastSimulatedTick_ = 0.0;
    double currentTick_ = 0.0;
    InputSubsystem* input_ = nullptr;
    GLWindow* window_ = nullptr;
    SoundSubsystem* sound_ = nullptr;
    EventList* events_ = nullptr;
    LevelList levels_;
    std::vector<LightOrderEntry> lightOrder_;
    FrameTimer frameTimer_;
    FrameTimer limitTimer_;  // LimitFrameRate's own
    Camera camera_;
    TPlayer ball_;
    Scene scene_;
    LevelTriggers triggers_;  // checkpoints, end zones, start points, sound areas
    TRope rope_;
    PhysicsWorld world_;
    RunStats stats_;
    TextureManager textures_;
    WorldRenderer renderer_;
    BallTextures ballTextures_;
    Vector2f aimPoint_{0.0f, 0.0f};
    Vector2f cursorOffset_{0.0f, 0.0f};
    bool totalTimeStarted_ = false;
    bool showFps_ = false;
    bool frameLimit_ = false;
    double blendFactor_ = 1.0;
    uint8_t compressionFlags_ = 0;
    KeyBindings keys_;
    PadBindings padBindings_;
    bool padAiming_ = false;
    Vector2 padAim_{0.0, 1.0};  // the stick's last direction out of its dead zone
    bool aimLineShown_ = true;
    bool aimLineWithoutWindow_ = false;
    ShotPrediction aimLine_;
    bool runStarted_ = false;
    uint32_t cursorTexture_ = 0;
    bool showOutlines_ = false;
    GLExtensions extensions_;

    bool levelLoaded_ = false;
    bool settling_ = false;   // inside the step LoadLevel and RestartLevel run
    bool levelLost_ = false;  // the next level failed to load during play
    uint64_t stepCount_ = 0;
    std::string singleLevel_;
    GameObserver* observer_ = nullptr;
    std::vector<GameEvent> frameEvents_;  // this frame's events, newest first
};
