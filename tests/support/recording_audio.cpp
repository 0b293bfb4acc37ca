#include "support/recording_audio.h"

namespace {

std::string Args(std::initializer_list<std::string> args) {
    std::string text;
    for (const std::string& arg : args) {
        if (!text.empty())
            text += ", ";
        text += arg;
    }
    return text;
}

std::string Num(int64_t value) {
    return std::to_string(value);
}

std::string Call(const char* name, std::initializer_list<std::string> args) {
    return std::string(name) + "(" + Args(args) + ")";
}

}  // namespace

void RecordingAudio::EndStream(HSTREAM stream) {
    auto found = streams_.find(stream);
    if (found != streams_.end())
        found->second.position = found->second.length;
}

std::vector<std::string> RecordingAudio::TakeCalls() {
    std::vector<std::string> taken;
    taken.swap(calls_);
    return taken;
}

std::vector<std::string> RecordingAudio::TakeCalls(const std::string& name) {
    std::vector<std::string> taken;
    for (const std::string& call : calls_) {
        if (call.compare(0, name.size() + 1, name + "(") == 0)
            taken.push_back(call);
    }
    calls_.clear();
    return taken;
}

void RecordingAudio::Record(const std::string& call, uint64_t result) {
    calls_.push_back(call + " = " + std::to_string(result));
}

void RecordingAudio::Record(const std::string& call) {
    calls_.push_back(call);
}

bool RecordingAudio::Init(int device, int frequency, uint32_t flags, PlatformWindow* window) {
    Record(Call("Init", {Num(device), Num(frequency), Num(flags), window ? "window" : "null"}),
           initSucceeds);
    return initSucceeds;
}

bool RecordingAudio::Stop() {
    Record("Stop()", 1);
    return true;
}

void RecordingAudio::Free() {
    Record("Free()");
}

HSAMPLE RecordingAudio::SampleLoad(const char* path, int maxPlaybacks, uint32_t flags) {
    HSAMPLE sample = 0;
    if (!missing_.count(path)) {
        sample = nextSample_++;
        samples_.insert(sample);
    }
    Record(Call("SampleLoad", {path, Num(maxPlaybacks), Num(flags)}), sample);
    return sample;
}

bool RecordingAudio::SampleStop(HSAMPLE sample) {
    const bool known = samples_.count(sample) > 0;
    Record(Call("SampleStop", {Num(sample)}), known);
    return known;
}

void RecordingAudio::SampleFree(HSAMPLE sample) {
    samples_.erase(sample);
    Record(Call("SampleFree", {Num(sample)}));
}

HCHANNEL RecordingAudio::SamplePlayEx(HSAMPLE sample, uint32_t start, int frequency, int volume,
                                      int pan, int loop) {
    HCHANNEL channel = 0;
    if (samples_.count(sample)) {
        channel = nextChannel_++;
        channels_.insert(channel);
    }
    Record(Call("SamplePlayEx",
                {Num(sample), Num(start), Num(frequency), Num(volume), Num(pan), Num(loop)}),
           channel);
    return channel;
}

HSTREAM RecordingAudio::StreamCreateFile(const char* path, uint32_t flags) {
    HSTREAM stream = 0;
    if (!missing_.count(path)) {
        stream = nextStream_++;
        streams_[stream] = Stream{};
        lastStream_ = stream;
    }
    Record(Call("StreamCreateFile", {path, Num(flags)}), stream);
    return stream;
}

bool RecordingAudio::StreamPlay(HSTREAM stream, bool flush, uint32_t flags) {
    const bool known = streams_.count(stream) > 0;
    Record(Call("StreamPlay", {Num(stream), Num(flush), Num(flags)}), known);
    return known;
}

uint64_t RecordingAudio::StreamGetLength(HSTREAM stream) {
    auto found = streams_.find(stream);
    const uint64_t length = found == streams_.end() ? kAudioInvalidPosition : found->second.length;
    Record(Call("StreamGetLength", {Num(stream)}), length);
    return length;
}

void RecordingAudio::StreamFree(HSTREAM stream) {
    streams_.erase(stream);
    Record(Call("StreamFree", {Num(stream)}));
}

bool RecordingAudio::ChannelSetAttributes(uint32_t channel, int frequency, int volume, int pan) {
    const bool known = channels_.count(channel) > 0 || streams_.count(channel) > 0;
    Record(Call("ChannelSetAttributes", {Num(channel), Num(frequency), Num(volume), Num(pan)}),
           known);
    return known;
}

bool RecordingAudio::ChannelStop(uint32_t channel) {
    const bool known = channels_.count(channel) > 0 || streams_.count(channel) > 0;
    Record(Call("ChannelStop", {Num(channel)}), known);
    return known;
}

uint64_t RecordingAudio::ChannelGetPosition(uint32_t channel) {
    auto found = streams_.find(channel);
    const uint64_t position =
        found == streams_.end() ? kAudioInvalidPosition : found->second.position;
    Record(Call("ChannelGetPosition", {Num(channel)}), position);
    return position;
}
