#include "platform/audio_mixer_backend.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <vector>

namespace {

// Handle layout: kind in the top 4 bits, generation in the next 16, slot in
// the low 12. The kind is never 0, so no handle is 0.
enum class HandleKind : uint32_t { Sample = 1, Channel = 2, Stream = 3 };
constexpr uint32_t kSlotBits = 12;
constexpr uint32_t kGenerationBits = 16;
constexpr size_t kMaxSlots = size_t{1} << kSlotBits;
constexpr uint32_t kGenerationMask = (1u << kGenerationBits) - 1;

constexpr int kInitialMixerChannels = 16;
constexpr int kMixerChannelGrowth = 16;
constexpr int kOutputChannels = 2;
constexpr int kChunkSize = 1024;
constexpr int kMixVolumeMax = MIX_MAX_VOLUME;  // 128
// A stream whose decoder cannot tell its length: as long as can be until it ends.
constexpr uint64_t kUnknownLength = kAudioInvalidPosition - 1;

// SDL_mixer has one output device for the whole process.
bool g_deviceHeld = false;

uint32_t MakeHandle(HandleKind kind, uint32_t generation, size_t slot) {
    return (static_cast<uint32_t>(kind) << (kSlotBits + kGenerationBits)) |
           ((generation & kGenerationMask) << kSlotBits) | static_cast<uint32_t>(slot);
}
HandleKind KindOf(uint32_t handle) {
    return static_cast<HandleKind>(handle >> (kSlotBits + kGenerationBits));
}
uint32_t GenerationOf(uint32_t handle) {
    return (handle >> kSlotBits) & kGenerationMask;
}
size_t SlotOf(uint32_t handle) {
    return handle & (kMaxSlots - 1);
}

int ToMixVolume(int volume) {
    return std::clamp(volume, 0, 100) * kMixVolumeMax / 100;
}

void SetPan(int mixerChannel, int pan) {
    pan = std::clamp(pan, -100, 100);
    const int left = pan > 0 ? 255 * (100 - pan) / 100 : 255;
    const int right = pan < 0 ? 255 * (100 + pan) / 100 : 255;
    Mix_SetPanning(mixerChannel, static_cast<Uint8>(left), static_cast<Uint8>(right));
}

struct ChunkDeleter {
    void operator()(Mix_Chunk* chunk) const { Mix_FreeChunk(chunk); }
};
struct MusicDeleter {
    void operator()(Mix_Music* music) const { Mix_FreeMusic(music); }
};

struct SampleSlot {
    std::unique_ptr<Mix_Chunk, ChunkDeleter> chunk;
    int maxPlaybacks = 0;
    uint32_t flags = 0;
    uint32_t generation = 0;
};

// One mixer channel and the playback it carries.
struct PlaybackSlot {
    HSAMPLE owner = 0;
    uint32_t generation = 0;
    uint64_t startOrder = 0;
};

struct StreamSlot {
    std::unique_ptr<Mix_Music, MusicDeleter> music;
    uint32_t generation = 0;
    uint64_t length = 0;
    int volume = kMixVolumeMax;
    bool started = false;
};

}  // namespace

struct AudioMixerBackend::State {
    bool open = false;
    uint64_t bytesPerSecond = 0;
    uint64_t playCount = 0;
    HSTREAM playingStream = 0;
    // SDL_mixer has one music volume: a new stream starts at the volume last
    // set on a stream, so a track never starts louder than the one before.
    int musicVolume = kMixVolumeMax;
    std::vector<SampleSlot> samples;
    std::vector<PlaybackSlot> playbacks;  // one per mixer channel
    std::vector<StreamSlot> streams;

    SampleSlot* FindSample(HSAMPLE handle) {
        if (!open || KindOf(handle) != HandleKind::Sample || SlotOf(handle) >= samples.size())
            return nullptr;
        SampleSlot& slot = samples[SlotOf(handle)];
        if (!slot.chunk || (slot.generation & kGenerationMask) != GenerationOf(handle))
            return nullptr;
        return &slot;
    }

    StreamSlot* FindStream(HSTREAM handle) {
        if (!open || KindOf(handle) != HandleKind::Stream || SlotOf(handle) >= streams.size())
            return nullptr;
        StreamSlot& slot = streams[SlotOf(handle)];
        if (!slot.music || (slot.generation & kGenerationMask) != GenerationOf(handle))
            return nullptr;
        return &slot;
    }

    // The mixer channel of a playback that is still going, or -1.
    int FindPlayback(HCHANNEL handle) const {
        if (!open || KindOf(handle) != HandleKind::Channel || SlotOf(handle) >= playbacks.size())
            return -1;
        const int channel = static_cast<int>(SlotOf(handle));
        const PlaybackSlot& slot = playbacks[channel];
        if (slot.owner == 0 || (slot.generation & kGenerationMask) != GenerationOf(handle) ||
            !Mix_Playing(channel))
            return -1;
        return channel;
    }

    bool IsPlaying(int channel, HSAMPLE sample) const {
        return playbacks[channel].owner == sample && Mix_Playing(channel);
    }

    int FreeChannel() {
        for (size_t channel = 0; channel < playbacks.size(); ++channel) {
            if (playbacks[channel].owner == 0 || !Mix_Playing(static_cast<int>(channel)))
                return static_cast<int>(channel);
        }
        const size_t first = playbacks.size();
        const size_t count = std::min(first + kMixerChannelGrowth, kMaxSlots);
        if (count == first)
            return -1;
        Mix_AllocateChannels(static_cast<int>(count));
        playbacks.resize(count);
        return static_cast<int>(first);
    }

    // The channel for a new playback of the sample: a free one below the
    // cap; at the cap the longest-playing one when the sample may override,
    // otherwise -1.
    int ChannelForPlayback(HSAMPLE sample, const SampleSlot& slot) {
        int live = 0;
        int oldest = -1;
        for (size_t i = 0; i < playbacks.size(); ++i) {
            const int channel = static_cast<int>(i);
            if (!IsPlaying(channel, sample))
                continue;
            ++live;
            if (oldest < 0 || playbacks[i].startOrder < playbacks[oldest].startOrder)
                oldest = channel;
        }
        if (live < slot.maxPlaybacks)
            return FreeChannel();
        if (!(slot.flags & kAudioSampleOverPos) || oldest < 0)
            return -1;
        Mix_HaltChannel(oldest);
        return oldest;
    }

    void StopSample(HSAMPLE sample) {
        for (size_t i = 0; i < playbacks.size(); ++i) {
            if (playbacks[i].owner == sample) {
                Mix_HaltChannel(static_cast<int>(i));
                playbacks[i].owner = 0;
            }
        }
    }

    void HaltStream(HSTREAM stream) {
        if (IsPlayingStream(stream)) {
            Mix_HaltMusic();
            playingStream = 0;
        }
    }
    bool IsPlayingStream(HSTREAM stream) const { return stream != 0 && playingStream == stream; }

    uint64_t LengthOf(Mix_Music* music) const {
        const double seconds = Mix_MusicDuration(music);
        if (seconds <= 0.0)
            return kUnknownLength;
        return static_cast<uint64_t>(seconds * static_cast<double>(bytesPerSecond));
    }
};

AudioMixerBackend::AudioMixerBackend() : state_(std::make_unique<State>()) {}

AudioMixerBackend::~AudioMixerBackend() {
    Free();
}

bool AudioMixerBackend::Init(int, int frequency, uint32_t, PlatformWindow*) {
    if (state_->open || g_deviceHeld)
        return false;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) < 0)
        return false;
    Mix_Init(MIX_INIT_OGG);
    if (Mix_OpenAudio(frequency, MIX_DEFAULT_FORMAT, kOutputChannels, kChunkSize) < 0) {
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    int openedFrequency = 0;
    Uint16 format = 0;
    int channels = 0;
    Mix_QuerySpec(&openedFrequency, &format, &channels);
    state_->bytesPerSecond =
        static_cast<uint64_t>(openedFrequency) * channels * (SDL_AUDIO_BITSIZE(format) / 8);
    Mix_AllocateChannels(kInitialMixerChannels);
    state_->playbacks.assign(kInitialMixerChannels, PlaybackSlot{});
    state_->musicVolume = kMixVolumeMax;
    state_->open = true;
    g_deviceHeld = true;
    return true;
}

bool AudioMixerBackend::Stop() {
    if (!state_->open)
        return false;
    Mix_HaltChannel(-1);
    Mix_HaltMusic();
    state_->playingStream = 0;
    return true;
}

void AudioMixerBackend::Free() {
    if (!state_->open)
        return;
    Stop();
    state_->samples.clear();
    state_->streams.clear();
    state_->playbacks.clear();
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    state_->open = false;
    g_deviceHeld = false;
}

HSAMPLE AudioMixerBackend::SampleLoad(const char* path, int maxPlaybacks, uint32_t flags) {
    if (!state_->open || !path || maxPlaybacks < 1)
        return 0;
    std::unique_ptr<Mix_Chunk, ChunkDeleter> chunk(Mix_LoadWAV(path));
    if (!chunk)
        return 0;
    std::vector<SampleSlot>& samples = state_->samples;
    size_t slot = 0;
    while (slot < samples.size() && samples[slot].chunk)
        ++slot;
    if (slot == kMaxSlots)
        return 0;
    if (slot == samples.size())
        samples.emplace_back();
    SampleSlot& sample = samples[slot];
    sample.chunk = std::move(chunk);
    sample.maxPlaybacks = maxPlaybacks;
    sample.flags = flags;
    ++sample.generation;
    return MakeHandle(HandleKind::Sample, sample.generation, slot);
}

bool AudioMixerBackend::SampleStop(HSAMPLE sample) {
    if (!state_->FindSample(sample))
        return false;
    state_->StopSample(sample);
    return true;
}

void AudioMixerBackend::SampleFree(HSAMPLE sample) {
    SampleSlot* slot = state_->FindSample(sample);
    if (!slot)
        return;
    state_->StopSample(sample);
    slot->chunk.reset();
}

HCHANNEL AudioMixerBackend::SamplePlayEx(HSAMPLE sample, uint32_t, int, int volume, int pan,
                                         int loop) {
    SampleSlot* slot = state_->FindSample(sample);
    if (!slot)
        return 0;
    const int channel = state_->ChannelForPlayback(sample, *slot);
    if (channel < 0)
        return 0;
    const bool loops =
        loop == kAudioSampleLoopSetting ? (slot->flags & kAudioSampleLoop) != 0 : loop != 0;
    Mix_Volume(channel, volume == kAudioLeaveVolume ? kMixVolumeMax : ToMixVolume(volume));
    SetPan(channel, pan == kAudioLeavePan ? 0 : pan);
    PlaybackSlot& playback = state_->playbacks[channel];
    if (Mix_PlayChannel(channel, slot->chunk.get(), loops ? -1 : 0) < 0) {
        playback.owner = 0;
        return 0;
    }
    playback.owner = sample;
    ++playback.generation;
    playback.startOrder = ++state_->playCount;
    return MakeHandle(HandleKind::Channel, playback.generation, static_cast<size_t>(channel));
}

HSTREAM AudioMixerBackend::StreamCreateFile(const char* path, uint32_t) {
    if (!state_->open || !path)
        return 0;
    std::unique_ptr<Mix_Music, MusicDeleter> music(Mix_LoadMUS(path));
    if (!music)
        return 0;
    std::vector<StreamSlot>& streams = state_->streams;
    size_t slot = 0;
    while (slot < streams.size() && streams[slot].music)
        ++slot;
    if (slot == kMaxSlots)
        return 0;
    if (slot == streams.size())
        streams.emplace_back();
    StreamSlot& stream = streams[slot];
    stream.length = state_->LengthOf(music.get());
    stream.music = std::move(music);
    stream.volume = state_->musicVolume;
    stream.started = false;
    ++stream.generation;
    return MakeHandle(HandleKind::Stream, stream.generation, slot);
}

bool AudioMixerBackend::StreamPlay(HSTREAM stream, bool, uint32_t) {
    StreamSlot* slot = state_->FindStream(stream);
    if (!slot)
        return false;
    Mix_VolumeMusic(slot->volume);
    if (Mix_PlayMusic(slot->music.get(), 0) < 0)
        return false;
    state_->playingStream = stream;
    slot->started = true;
    return true;
}

uint64_t AudioMixerBackend::StreamGetLength(HSTREAM stream) {
    const StreamSlot* slot = state_->FindStream(stream);
    return slot ? slot->length : kAudioInvalidPosition;
}

void AudioMixerBackend::StreamFree(HSTREAM stream) {
    StreamSlot* slot = state_->FindStream(stream);
    if (!slot)
        return;
    state_->HaltStream(stream);
    slot->music.reset();
}

bool AudioMixerBackend::ChannelSetAttributes(uint32_t channel, int, int volume, int pan) {
    if (StreamSlot* stream = state_->FindStream(channel)) {
        if (volume != kAudioLeaveVolume) {
            stream->volume = ToMixVolume(volume);
            state_->musicVolume = stream->volume;
            if (state_->IsPlayingStream(channel))
                Mix_VolumeMusic(stream->volume);
        }
        return true;
    }
    const int mixerChannel = state_->FindPlayback(channel);
    if (mixerChannel < 0)
        return false;
    if (volume != kAudioLeaveVolume)
        Mix_Volume(mixerChannel, ToMixVolume(volume));
    if (pan != kAudioLeavePan)
        SetPan(mixerChannel, pan);
    return true;
}

bool AudioMixerBackend::ChannelStop(uint32_t channel) {
    if (state_->FindStream(channel)) {
        state_->HaltStream(channel);
        return true;
    }
    const int mixerChannel = state_->FindPlayback(channel);
    if (mixerChannel < 0)
        return false;
    Mix_HaltChannel(mixerChannel);
    return true;
}

uint64_t AudioMixerBackend::ChannelGetPosition(uint32_t channel) {
    // Only streams report a position; playbacks of samples are never asked.
    const StreamSlot* slot = state_->FindStream(channel);
    if (!slot)
        return kAudioInvalidPosition;
    if (!slot->started)
        return 0;
    if (!state_->IsPlayingStream(channel) || !Mix_PlayingMusic())
        return slot->length;  // played to its end, stopped or replaced
    const double seconds = Mix_GetMusicPosition(slot->music.get());
    const uint64_t position =
        seconds > 0.0 ? static_cast<uint64_t>(seconds * static_cast<double>(state_->bytesPerSecond))
                      : 0;
    return std::min(position, slot->length - 1);
}
