#pragma once
// What the application frame and the game need of the sound. SoundSystem
// implements it; tests put a recording stand-in in its place.

#include <string>

#include "platform/win_types.h"

class PlatformWindow;

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
