#pragma once
// Music, sound effects and looping level sounds. Music streams the tracks of
// Music/playlist.m3u one after another, wrapping round; effects are the
// samples of Sounds/effects.m3u played by number; level sounds belong to the
// SOUND objects of the loaded level and are numbered in the order they were
// added. Every audio failure is silent: what does not load stays quiet.

#include <vector>

#include "audio/playlist.h"
#include "platform/audio_backend.h"
#include "platform/win_types.h"

class PlatformWindow;

constexpr char kMusicFolder[] = "Music/";
constexpr char kMusicPlaylistFile[] = "playlist.m3u";
constexpr char kEffectsFolder[] = "Sounds/";
constexpr char kEffectsPlaylistFile[] = "effects.m3u";
constexpr char kLevelSoundsPlaylist[] = "effects/effects.m3u";

class SoundSystem {
public:
    // The backend must outlive the sound system.
    explicit SoundSystem(AudioBackend& audio);
    ~SoundSystem();
    SoundSystem(const SoundSystem&) = delete;
    SoundSystem& operator=(const SoundSystem&) = delete;

    // Reads the Sound section of settings.ini and opens the output device.
    HRESULT Init(PlatformWindow* window);
    HRESULT LoadEffects(const char* playlistPath);
    HRESULT LoadMusicPlaylist(const char* playlistPath);
    // Once per frame while the music is not stopped: starts the next track
    // when the current one has ended.
    void Update();

    bool PlayTrack(int index);
    void NextTrack();
    void PrevTrack();
    void StopMusic();

    void PlayEffect(int number);

    // Appends the level sound of entry `number` of effects/effects.m3u; id -1
    // adds nothing (the level already has that sound). The name is unused.
    void AddLevelSound(int id, int number, const char* name);
    void PlayLevelSound(int index, int percent);
    void SetLevelSoundVolume(int index, int percent);
    void StopLevelSound(int index);
    void StopLevelSounds();
    void FreeLevelSounds();

    // Frees everything and closes the device; does nothing before Init or
    // a second time. The destructor calls it.
    void Shutdown();

    bool MusicStopped() const { return musicStopped_; }
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
