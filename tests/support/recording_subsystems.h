#pragma once
// Stand-ins for the subsystems the application frame drives. Each appends the
// calls it receives to a shared log ("game.StartGame", "menu.Show(1)" ...), so
// a test can check what a frame did and in which order.

#include <cstdint>
#include <string>
#include <vector>

#include "audio/sound_subsystem.h"
#include "game/game_subsystem.h"
#include "input/input_subsystem.h"
#include "menu/menu_subsystem.h"
#include "resources/gl_extensions.h"

using CallLog = std::vector<std::string>;

class RecordingInput : public InputSubsystem {
public:
    explicit RecordingInput(CallLog* log) : log_(log) {}
    ~RecordingInput() override;
    HRESULT Init(PlatformWindow*) override;
    void ReadKeyboard() override;
    void ReadMouse() override;
    void Acquire() override;
    void Release() override;

private:
    CallLog* log_;
};

class RecordingSound : public SoundSubsystem {
public:
    explicit RecordingSound(CallLog* log) : log_(log) {}
    ~RecordingSound() override;
    HRESULT Init(PlatformWindow*) override;
    void LoadEffects(const std::string& path) override;
    void LoadMusicPlaylist(const std::string& path) override;
    bool MusicStopped() const override { return musicStopped; }
    void Update() override;
    void Shutdown() override;

    // What the game asks of the sound.
    bool PlayTrack(int index) override;
    void NextTrack() override;
    void PrevTrack() override;
    void StopMusic() override;
    void PlayEffect(int number) override;
    void AddLevelSound(int id, int number, const char* name) override;
    void PlayLevelSound(int index, int percent) override;
    void SetLevelSoundVolume(int index, int percent) override;
    void StopLevelSound(int index) override;
    void StopLevelSounds() override;
    void FreeLevelSounds() override;

    bool musicStopped = false;

private:
    CallLog* log_;
};

class RecordingMenu : public MenuSubsystem {
public:
    explicit RecordingMenu(CallLog* log) : log_(log) {}
    ~RecordingMenu() override;
    void Init(GLWindow* window, InputSubsystem* input, EventList* events,
              GLExtensions* extensions) override;
    void Update(int32_t& appState) override;
    void Draw() override;
    void Show(int screen) override;

    // The state Update writes, when set (-1: leaves it alone).
    int32_t nextState = -1;

private:
    CallLog* log_;
};

class RecordingGame : public GameSubsystem {
public:
    explicit RecordingGame(CallLog* log) : log_(log) {}
    ~RecordingGame() override;
    GLExtensions& Extensions() override { return extensions; }
    void Attach(EventList* events, GLWindow* window, InputSubsystem* input,
                SoundSubsystem* sound) override;
    bool StartGame() override;
    void EndGame() override;
    void TickTimer() override;
    void SetLastSimulatedTick(uint32_t tickCount) override;
    void FrameUpdate() override;
    void ControlStep(int32_t& appState) override;
    void Draw(bool paused) override;

    GLExtensions extensions;
    uint32_t lastSimulatedTick = 0;
    bool startSucceeds = true;
    // The state ControlStep writes, when set (-1: leaves it alone).
    int32_t nextState = -1;

private:
    CallLog* log_;
};
