#pragma once
// A stand-in for the audio backend that writes down every call with its
// arguments and result, as "Name(arg, arg) = result". Samples get handles
// from 101, streams from 201 and playbacks from 301; paths marked missing
// fail to load. A stream reads as playing (position 0 of 1000) until the
// test ends it; freed and unknown handles read all ones, as ended.

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/audio_backend.h"

class RecordingAudio : public AudioBackend {
public:
    bool initSucceeds = true;

    void MarkMissing(const std::string& path) { missing_.insert(path); }
    // Lets the stream play to its end.
    void EndStream(HSTREAM stream);
    HSTREAM LastStream() const { return lastStream_; }

    const std::vector<std::string>& Calls() const { return calls_; }
    // The calls so far, forgetting them.
    std::vector<std::string> TakeCalls();
    // The calls so far whose name is `name`, forgetting all.
    std::vector<std::string> TakeCalls(const std::string& name);

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
    struct Stream {
        uint64_t position = 0;
        uint64_t length = 1000;
    };

    void Record(const std::string& call, uint64_t result);
    void Record(const std::string& call);

    std::vector<std::string> calls_;
    std::set<std::string> missing_;
    std::set<HSAMPLE> samples_;
    std::set<HCHANNEL> channels_;
    std::map<HSTREAM, Stream> streams_;
    HSAMPLE nextSample_ = 101;
    HSTREAM nextStream_ = 201;
    HCHANNEL nextChannel_ = 301;
    HSTREAM lastStream_ = 0;
};
