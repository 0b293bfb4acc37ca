#pragma once
// The audio backend over SDL_mixer. Samples are Mix_Chunk objects, every
// playback of a sample takes a mixer channel of its own (the channel count
// grows as needed), and a stream is a Mix_Music; SDL_mixer plays one stream
// at a time, so starting a stream ends the one playing before. WAV and Ogg
// Vorbis files at least. Volumes 0-100 map onto SDL_mixer's 0-128.
//
// Handles carry a kind, a slot and a generation count, so a stale handle
// (a finished playback whose mixer channel now plays another sound, a freed
// sample or stream) is refused instead of acting on someone else's sound.
// Only one backend can hold the output device at a time.

#include <memory>

#include "platform/audio_backend.h"

class AudioMixerBackend : public AudioBackend {
public:
    AudioMixerBackend();
    ~AudioMixerBackend() override;
    AudioMixerBackend(const AudioMixerBackend&) = delete;
    AudioMixerBackend& operator=(const AudioMixerBackend&) = delete;

    bool Init(int device, int frequency, uint32_t flags, PlatformWindow* window) override;
    bool Stop() override;
    void Free() override;

    HSAMPLE SampleLoad(const char* path, int maxPlaybacks, uint32_t flags) override;
    bool SampleStop(HSAMPLE sample) override;
    void SampleFree(HSAMPLE sample) override;
    HCHANNEL SamplePlayEx(HSAMPLE sample, uint32_t start, int frequency, int volume, int pan,
                          int loop) override;

    HSTREAM StreamCreateFile(const char* path, uint32_t flags) override;
    bool StreamPlay(HSTREAM stream, bool flush, uint32_t flags) override;
    uint64_t StreamGetLength(HSTREAM stream) override;
    void StreamFree(HSTREAM stream) override;

    bool ChannelSetAttributes(uint32_t channel, int frequency, int volume, int pan) override;
    bool ChannelStop(uint32_t channel) override;
    uint64_t ChannelGetPosition(uint32_t channel) override;

private:
    struct State;
    std::unique_ptr<State> state_;
};
