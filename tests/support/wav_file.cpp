#include "support/wav_file.h"

#include <cmath>

namespace {

void PutLe(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

std::string MakeWavFile(const WavTone& tone) {
    const uint32_t frames = static_cast<uint32_t>(std::lround(tone.seconds * tone.sampleRate));
    const uint32_t blockAlign = static_cast<uint32_t>(tone.channels) * 2;
    const uint32_t dataBytes = frames * blockAlign;
    std::string out = "RIFF";
    PutLe(out, 36 + dataBytes, 4);
    out += "WAVEfmt ";
    PutLe(out, 16, 4);
    PutLe(out, 1, 2);  // PCM
    PutLe(out, static_cast<uint32_t>(tone.channels), 2);
    PutLe(out, static_cast<uint32_t>(tone.sampleRate), 4);
    PutLe(out, static_cast<uint32_t>(tone.sampleRate) * blockAlign, 4);
    PutLe(out, blockAlign, 2);
    PutLe(out, 16, 2);
    out += "data";
    PutLe(out, dataBytes, 4);
    const double period = tone.sampleRate / tone.frequency;
    for (uint32_t frame = 0; frame < frames; ++frame) {
        const bool high = std::fmod(frame, period) < period / 2;
        const int16_t value = high ? tone.amplitude : static_cast<int16_t>(-tone.amplitude);
        for (int channel = 0; channel < tone.channels; ++channel)
            PutLe(out, static_cast<uint16_t>(value), 2);
    }
    return out;
}
