#pragma once
// What the application frame needs of the subsystems it runs: the calls of
// the start-up order, the main loop and the shut-down order, and nothing more.
// Input, SoundSystem, TMenu and Game plug in here; until a subsystem is wired
// in, its pointer stays null and the frame runs without it.

#include <cstdint>
#include <string>

#include "platform/input_records.h"
#include "platform/win_types.h"

class EventList;
class GLWindow;
struct GLExtensions;
class PlatformWindow;

// The keyboard and mouse (Input).
class InputSubsystem {
public:
    virtual ~InputSubsystem() = default;
    // Opens both devices on the window; failures show their own message box.
    virtual HRESULT Init(PlatformWindow* window) = 0;
    virtual void ReadKeyboard() = 0;
    virtual void ReadMouse() = 0;
    // Both devices, keyboard and mouse.
    virtual void Acquire() = 0;
    virtual void Release() = 0;

    // What the game and the menus ask of this frame's reading. Without devices
    // nothing is pressed, nothing held and the mouse does not move.
    virtual bool KeyPressed(int /*code*/) const { return false; }
    virtual bool KeyHeld(int /*code*/) const { return false; }
    virtual bool MouseButtonPressed(int /*button*/) const { return false; }
    virtual MouseStateRecord MouseState() const { return {}; }
};

// Music, effects and level sounds (SoundSystem).
class SoundSubsystem {
public:
    virtual ~SoundSubsystem() = default;
    virtual HRESULT Init(PlatformWindow* window) = 0;
    virtual void LoadEffects(const std::string& path) = 0;
    virtual void LoadMusicPlaylist(const std::string& path) = 0;
    virtual bool MusicStopped() const = 0;
    // Advances the music playlist.
    virtual void Update() = 0;
    virtual void Shutdown() = 0;

    // What the game asks of the sound: music keys, effects by number and the
    // level sounds of the loaded level. Silent by default.
    virtual bool PlayTrack(int /*index*/) { return false; }
    virtual void NextTrack() {}
    virtual void PrevTrack() {}
    virtual void StopMusic() {}
    virtual void PlayEffect(int /*number*/) {}
    virtual void AddLevelSound(int /*id*/, int /*number*/, const char* /*name*/) {}
    virtual void PlayLevelSound(int /*index*/, int /*percent*/) {}
    virtual void SetLevelSoundVolume(int /*index*/, int /*percent*/) {}
    virtual void StopLevelSound(int /*index*/) {}
    virtual void StopLevelSounds() {}
    virtual void FreeLevelSounds() {}
};

// The menu root (TMenu).
class MenuSubsystem {
public:
    virtual ~MenuSubsystem() = default;
    virtual void Init(GLWindow* window, InputSubsystem* input, EventList* events,
                      GLExtensions* extensions) = 0;
    // May overwrite the state (quit, new game, playing, end game).
    virtual void Update(int32_t& appState) = 0;
    virtual void Draw() = 0;
    // Shows the screen with this index (1: the in-game menu).
    virtual void Show(int screen) = 0;
};

// The running game (Game).
class GameSubsystem {
public:
    virtual ~GameSubsystem() = default;
    // The GL extension table the game holds; probed at start-up.
    virtual GLExtensions& Extensions() = 0;
    // Hands the game the context's event list, window, input and sound.
    virtual void Attach(EventList* events, GLWindow* window, InputSubsystem* input,
                        SoundSubsystem* sound) = 0;
    // False when the game cannot start (no level list, a level that does not
    // load); the failure has been shown and the frame returns to the menu.
    virtual bool StartGame() = 0;
    virtual void EndGame() = 0;
    // Ticks the game's frame timer.
    virtual void TickTimer() = 0;
    // The tick count the next simulation steps measure from.
    virtual void SetLastSimulatedTick(uint32_t tickCount) = 0;
    virtual void FrameUpdate() = 0;
    // Keys and mouse; may set StatePause.
    virtual void ControlStep(int32_t& appState) = 0;
    virtual void Draw(bool paused) = 0;
};
