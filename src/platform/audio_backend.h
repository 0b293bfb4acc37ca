#pragma once
// The audio calls the sound system is written against, with the meanings of
// the BASS 2.0 interface: every object is a 32-bit handle and 0 means
// failure; a sample caps its simultaneous playbacks; playing a sample gives
// a channel handle; a stream plays one file once and is itself a channel;
// positions and lengths are 64-bit byte counts, all ones for an invalid
// handle. Calls before a successful Init, or after Free, fail without effect.

#include <cstdint>

class PlatformWindow;

using HSAMPLE = uint32_t;
using HCHANNEL = uint32_t;
using HSTREAM = uint32_t;

// Sample flags.
constexpr uint32_t kAudioSampleLoop = 0x4;         // playbacks loop
constexpr uint32_t kAudioSampleOverPos = 0x20000;  // at the cap, replace the longest-playing

// Special argument values: leave the current setting.
constexpr int kAudioLeaveFrequency = -1;
constexpr int kAudioLeaveVolume = -1;
constexpr int kAudioLeavePan = -101;
constexpr int kAudioSampleLoopSetting = -1;  // loop as the sample's own flags say

// Position or length of an invalid handle.
constexpr uint64_t kAudioInvalidPosition = ~uint64_t{0};

class AudioBackend {
public:
    virtual ~AudioBackend() = default;

    // Opens the output device (1 is the default device) at the given rate.
    virtual bool Init(int device, int frequency, uint32_t flags, PlatformWindow* window) = 0;
    // Stops all output.
    virtual bool Stop() = 0;
    // Frees every sample and stream and closes the device.
    virtual void Free() = 0;

    virtual HSAMPLE SampleLoad(const char* path, int maxPlaybacks, uint32_t flags) = 0;
    virtual bool SampleStop(HSAMPLE sample) = 0;
    virtual void SampleFree(HSAMPLE sample) = 0;
    // Starts the sample from its beginning. frequency -1 or 0: the sample's
    // rate; volume 0-100 or -1 (full); pan -100..100 or -101 (centre); loop
    // 0 off, 1 on, -1 as the sample's flags say.
    virtual HCHANNEL SamplePlayEx(HSAMPLE sample, uint32_t start, int frequency, int volume,
                                  int pan, int loop) = 0;

    virtual HSTREAM StreamCreateFile(const char* path, uint32_t flags) = 0;
    // Starts the stream; it plays once.
    virtual bool StreamPlay(HSTREAM stream, bool flush, uint32_t flags) = 0;
    virtual uint64_t StreamGetLength(HSTREAM stream) = 0;
    virtual void StreamFree(HSTREAM stream) = 0;

    // For sample channels and streams alike.
    virtual bool ChannelSetAttributes(uint32_t channel, int frequency, int volume, int pan) = 0;
    virtual bool ChannelStop(uint32_t channel) = 0;
    virtual uint64_t ChannelGetPosition(uint32_t channel) = 0;
};
