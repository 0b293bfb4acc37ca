#include "audio/sound_system.h"

#include "core/settings.h"

namespace {

constexpr int kOutputDevice = 1;
constexpr int kOutputFrequency = 44100;
constexpr int kEffectPlaybacks = 3;
constexpr int kLevelSoundPlaybacks = 30;
constexpr int kDefaultRate = kAudioLeaveFrequency;
constexpr int kCentre = 0;
constexpr int kStreamOwnRate = 0;

}  // namespace

SoundSystem::SoundSystem(AudioBackend& audio) : audio_(audio) {}

SoundSystem::SoundSystem(std::unique_ptr<AudioBackend> audio)
    : ownedAudio_(std::move(audio)), audio_(*ownedAudio_) {}

SoundSystem::~SoundSystem() {
    Shutdown();
}

HRESULT SoundSystem::Init(PlatformWindow* window) {
    const SoundSettings settings = ReadSoundSettings();
    effectsOn_ = settings.effects;
    musicOn_ = settings.music;
    musicVolume_ = settings.musicVolume;
    effectVolume_ = settings.effectVolume;
    window_ = window;
    initialised_ = true;
    if (!audio_.Init(kOutputDevice, kOutputFrequency, 0, window_))
        return E_FAIL;
    return S_OK;
}

HRESULT SoundSystem::LoadEffects(const char* playlistPath) {
    bool firstLine = true;
    const PlaylistRead result = ReadPlaylistLines(playlistPath, [&](const char* line) {
        if (firstLine) {
            firstLine = false;
            return IsPlaylistHeader(line);
        }
        if (IsPlaylistInfo(line) || line[0] == '\0')
            return true;
        // Every path line takes a slot, loaded or not, so that effect
        // numbers stay the positions of the path lines.
        char path[kPlaylistPathSize];
        const bool fits = CopyPlaylistPath(line, path);
        effectSamples_.push_back(
            fits ? audio_.SampleLoad(path, kEffectPlaybacks, kAudioSampleOverPos) : 0);
        return true;
    });
    return result == PlaylistRead::EndOfFile ? S_OK : E_FAIL;
}

HRESULT SoundSystem::LoadMusicPlaylist(const char* playlistPath) {
    return ReadPlaylist(playlistPath, musicPlaylist_) ? S_OK : E_FAIL;
}

void SoundSystem::Update() {
    if (!musicOn_)
        return;
    const uint64_t position = audio_.ChannelGetPosition(musicStream_);
    const uint64_t length = audio_.StreamGetLength(musicStream_);
    if (position < length)
        return;
    if (musicPlaylist_.empty())
        return;
    currentTrack_ = FollowingTrack();
    if (!musicStopped_)
        PlayTrack(currentTrack_);
}

// The track after the current one, wrapping to 0 after the last; -1, the
// state before the first track, also goes to 0.
int SoundSystem::FollowingTrack() const {
    const unsigned last = static_cast<unsigned>(musicPlaylist_.size() - 1);
    return static_cast<unsigned>(currentTrack_) < last ? currentTrack_ + 1 : 0;
}

bool SoundSystem::PlayTrack(int index) {
    if (musicPlaylist_.empty() || !musicOn_)
        return false;
    if (index < 0 || static_cast<size_t>(index) >= musicPlaylist_.size())
        return false;
    FreeMusicStream();
    musicStream_ = audio_.StreamCreateFile(musicPlaylist_[index]->path, 0);
    if (!musicStream_)
        return false;
    if (!audio_.StreamPlay(musicStream_, false, 0))
        return false;
    if (!audio_.ChannelSetAttributes(musicStream_, kStreamOwnRate, musicVolume_, kAudioLeavePan))
        return false;
    currentTrack_ = index;
    musicStopped_ = false;
    return true;
}

void SoundSystem::NextTrack() {
    if (musicPlaylist_.empty())
        return;
    currentTrack_ = FollowingTrack();
    if (!musicStopped_)
        PlayTrack(currentTrack_);
}

void SoundSystem::PrevTrack() {
    if (musicPlaylist_.empty())
        return;
    currentTrack_ =
        currentTrack_ <= 0 ? static_cast<int>(musicPlaylist_.size()) - 1 : currentTrack_ - 1;
    if (!musicStopped_)
        PlayTrack(currentTrack_);
}

void SoundSystem::StopMusic() {
    musicStopped_ = true;
    FreeMusicStream();
}

void SoundSystem::FreeMusicStream() {
    audio_.ChannelStop(musicStream_);
    audio_.StreamFree(musicStream_);
    musicStream_ = 0;
}

void SoundSystem::PlayEffect(int number) {
    if (!effectsOn_ || number < 0 || static_cast<size_t>(number) >= effectSamples_.size())
        return;
    audio_.SamplePlayEx(effectSamples_[number], 0, kDefaultRate, effectVolume_, kCentre,
                        kAudioSampleLoopSetting);
}

void SoundSystem::AddLevelSound(int id, int number, const char*) {
    if (id == -1)
        return;
    Playlist entries;
    ReadPlaylist(kLevelSoundsPlaylist, entries);
    HSAMPLE sample = 0;
    if (number >= 0 && static_cast<size_t>(number) < entries.size() &&
        entries[number]->path[0] != '\0')
        sample = audio_.SampleLoad(entries[number]->path, kLevelSoundPlaybacks, kAudioSampleLoop);
    levelSounds_.push_back({sample, 0});
}

const SoundSystem::LevelSound* SoundSystem::FindLevelSound(int index) const {
    if (index < 0 || static_cast<size_t>(index) >= levelSounds_.size())
        return nullptr;
    return &levelSounds_[index];
}

int SoundSystem::LevelVolume(int effectVolume, int percent) {
    // The single-precision 0.01 lies slightly below 0.01, so round products
    // come out one lower (100 at 50 per cent gives 49); the level sounds were
    // tuned with that.
    const long double factor = static_cast<long double>(0.01f);
    return static_cast<int>(static_cast<long double>(effectVolume) * factor *
                            static_cast<long double>(percent));
}

void SoundSystem::PlayLevelSound(int index, int percent) {
    if (!effectsOn_ || !FindLevelSound(index))
        return;
    LevelSound& sound = levelSounds_[index];
    sound.channel =
        audio_.SamplePlayEx(sound.sample, 0, kDefaultRate, LevelVolume(effectVolume_, percent),
                            kCentre, kAudioSampleLoopSetting);
}

void SoundSystem::SetLevelSoundVolume(int index, int percent) {
    const LevelSound* sound = FindLevelSound(index);
    if (!effectsOn_ || !sound)
        return;
    audio_.ChannelSetAttributes(sound->channel, kAudioLeaveFrequency,
                                LevelVolume(effectVolume_, percent), kAudioLeavePan);
}

void SoundSystem::StopLevelSound(int index) {
    const LevelSound* sound = FindLevelSound(index);
    if (!sound)
        return;
    audio_.ChannelStop(sound->channel);
    audio_.SampleStop(sound->sample);
}

void SoundSystem::StopLevelSounds() {
    for (const LevelSound& sound : levelSounds_)
        audio_.SampleStop(sound.sample);
}

void SoundSystem::FreeLevelSounds() {
    for (const LevelSound& sound : levelSounds_) {
        audio_.SampleStop(sound.sample);
        audio_.ChannelStop(sound.channel);
        audio_.SampleFree(sound.sample);
    }
    levelSounds_.clear();
}

void SoundSystem::Shutdown() {
    if (!initialised_)
        return;
    FreeLevelSounds();
    for (const HSAMPLE sample : effectSamples_) {
        audio_.SampleStop(sample);
        audio_.SampleFree(sample);
    }
    effectSamples_.clear();
    musicStopped_ = true;
    FreeMusicStream();
    audio_.Stop();
    audio_.Free();
    initialised_ = false;
}
