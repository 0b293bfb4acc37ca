#pragma once
// Music, sound effects and looping level sounds. Music streams the tracks of
// Music/playlist.m3u one after another, wrapping round; effects are the
// samples of Sounds/effects.m3u played by number; level sounds belong to the
// SOUND objects of the loaded level and are numbered in the order they were
// added. Every audio failure is silent: what does not load stays quiet.

#include <memory>
#include <string>
#include <vector>

#include "audio/playlist.h"
#include "audio/sound_subsystem.h"
#include "platform/audio_backend.h"
#include "platform/win_types.h"

class PlatformWindow;

constexpr char kLevelSoundsPlaylist[] = "effects/effects.m3u";

class SoundSystem : public SoundSubsystem {
public:
    // Borrows the backend, which must outlive the sound system.
    explicit SoundSystem(AudioBackend& audio);
    // Owns the backend (the program's SDL_mixer output).
    explicit SoundSystem(std::unique_ptr<AudioBackend> audio);
    ~SoundSystem() override;
    SoundSystem(const SoundSystem&) = delete;
    SoundSystem& operator=(const SoundSystem&) = delete;

    // Reads the Sound section of settings.ini and opens the output device.
    HRESULT Init(PlatformWindow* window) override;
    HRESULT LoadEffects(const char* playlistPath);
    HRESULT LoadMusicPlaylist(const char* playlistPath);
    // The same loads as the application frame's start-up calls them.
    void LoadEffects(const std::string& playlistPath) override {
        LoadEffects(playlistPath.c_str());
    }
    void LoadMusicPlaylist(const std::string& playlistPath) override {
        LoadMusicPlaylist(playlistPath.c_str());
    }
    // Once per frame while the music is not stopped: starts the next track
    // when the current one has ended.
    void Update() override;

    bool PlayTrack(int index) override;
    void NextTrack() override;
    void PrevTrack() override;
    void StopMusic() override;

    void PlayEffect(int number) override;

    // Appends the level sound of entry `number` of effects/effects.m3u; id -1
    // adds nothing (the level already has that sound). The name is unused.
    void AddLevelSound(int id, int number, const char* name) override;
    void PlayLevelSound(int index, int percent) override;
    void SetLevelSoundVolume(int index, int percent) override;
    void StopLevelSound(int index) override;
    void StopLevelSounds() override;
    void FreeLevelSounds() override;

    // Frees everything and closes the device; does nothing before Init or
    // a second time. The destructor calls it.
    void Shutdown() override;

    bool MusicStopped() const override { return musicStopped_; }
    int CurrentTrack() const { return currentTrack_; }
    bool EffectsOn() const { return effectsOn_; }
    bool MusicOn() const { return musicOn_; }
    int EffectVolume() const { return effectVolume_; }
    int MusicVolume() const { return musicVolume_; }
    size_t EffectCount() const { return effectSamples_.size(); }
    size_t TrackCount() const { return musicPlaylist_.size(); }
    size_t LevelSoundCount() const { return levelSounds_.size(); }

    // Effect volume x percent / 100, as the level sounds get it.
    static int LevelVolume(int effectVolume, int percent);

private:
    struct LevelSound {
        HSAMPLE sample;
        HCHANNEL channel;
    };

    void FreeMusicStream();
    int FollowingTrack() const;
    const LevelSound* FindLevelSound(int index) const;

    std::unique_ptr<AudioBackend> ownedAudio_;  // null when borrowed
    AudioBackend& audio_;
    bool effectsOn_ = false;
    bool musicOn_ = false;
    int effectVolume_ = 0;
    int musicVolume_ = 0;
    std::vector<HSAMPLE> effectSamples_;
    HSTREAM musicStream_ = 0;
    Playlist musicPlaylist_;
    std::vector<LevelSound> levelSounds_;
    int currentTrack_ = -1;
    bool musicStopped_ = false;
    PlatformWindow* window_ = nullptr;
    bool initialised_ = false;  // from Init to Shutdown
};
