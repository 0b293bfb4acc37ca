#pragma once
// An audio backend that plays nothing: the device opens, nothing loads, and
// every stream reads as ended. For runs without sound (the simulator).

#include "platform/audio_backend.h"

class AudioSilentBackend : public AudioBackend {
public:
    bool Init(int, int, uint32_t, PlatformWindow*) override { return true; }
    bool Stop() override { return true; }
    void Free() override {}

    HSAMPLE SampleLoad(const char*, int, uint32_t) override { return 0; }
    bool SampleStop(HSAMPLE) override { return false; }
    void SampleFree(HSAMPLE) override {}
    HCHANNEL SamplePlayEx(HSAMPLE, uint32_t, int, int, int, int) override { return 0; }

    HSTREAM StreamCreateFile(const char*, uint32_t) override { return 0; }
    bool StreamPlay(HSTREAM, bool, uint32_t) override { return false; }
    uint64_t StreamGetLength(HSTREAM) override { return kAudioInvalidPosition; }
    void StreamFree(HSTREAM) override {}

    bool ChannelSetAttributes(uint32_t, int, int, int) override { return false; }
    bool ChannelStop(uint32_t) override { return false; }
    uint64_t ChannelGetPosition(uint32_t) override { return kAudioInvalidPosition; }
};
