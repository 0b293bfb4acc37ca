#pragma once
// The SoundSystem as the application frame drives it, playing through the
// SDL_mixer backend that it owns.

#include "app/subsystems.h"
#include "audio/sound_system.h"
#include "platform/audio_mixer_backend.h"

class SoundPlug : public SoundSubsystem {
public:
    SoundPlug() = default;
    SoundPlug(const SoundPlug&) = delete;
    SoundPlug& operator=(const SoundPlug&) = delete;

    HRESULT Init(PlatformWindow* window) override { return system_.Init(window); }
    void LoadEffects(const std::string& path) override { system_.LoadEffects(path.c_str()); }
    void LoadMusicPlaylist(const std::string& path) override {
        system_.LoadMusicPlaylist(path.c_str());
    }
    bool MusicStopped() const override { return system_.MusicStopped(); }
    void Update() override { system_.Update(); }
    void Shutdown() override { system_.Shutdown(); }

    // The sound system itself, for the game and the menus.
    SoundSystem& System() { return system_; }

private:
    AudioMixerBackend backend_;  // outlives the sound system that plays through it
    SoundSystem system_{backend_};
};
