#include "synth.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kAttackSeconds = 0.004;
constexpr double kReleaseSeconds = 0.01;

size_t ToFrames(double seconds) {
    return static_cast<size_t>(std::lround(seconds * kSynthRate));
}

double Envelope(double t, double seconds, double decay) {
    const double attack = std::min(1.0, t / kAttackSeconds);
    const double release = std::min(1.0, (seconds - t) / kReleaseSeconds);
    return attack * std::max(0.0, release) * std::exp(-decay * t);
}

double Shape(Wave wave, double phase) {
    const double cycle = phase - std::floor(phase);
    switch (wave) {
        case Wave::Square:
            return cycle < 0.5 ? 1.0 : -1.0;
        case Wave::Triangle:
            return cycle < 0.5 ? 4.0 * cycle - 1.0 : 3.0 - 4.0 * cycle;
        case Wave::Sine:
            break;
    }
    return std::sin(2.0 * kPi * cycle);
}

uint32_t NextRandom(uint32_t& state) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};

void PutLe(FILE* file, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        std::fputc(static_cast<int>((value >> (8 * i)) & 0xFF), file);
}

}  // namespace

Signal Silence(double seconds) {
    return Signal(ToFrames(seconds), 0.0f);
}

void AddNote(Signal& signal, const Note& note) {
    const size_t first = ToFrames(note.start);
    const size_t count = ToFrames(note.seconds);
    const double endFrequency = note.endFrequency > 0.0 ? note.endFrequency : note.frequency;
    double phase = 0.0;
    for (size_t i = 0; i < count && first + i < signal.size(); ++i) {
        const double t = static_cast<double>(i) / kSynthRate;
        const double frequency =
            note.frequency + (endFrequency - note.frequency) * t / note.seconds;
        signal[first + i] += static_cast<float>(note.amplitude * Shape(note.wave, phase) *
                                                Envelope(t, note.seconds, note.decay));
        phase += frequency / kSynthRate;
    }
}

void AddNoise(Signal& signal, const Noise& noise) {
    const size_t first = ToFrames(noise.start);
    const size_t count = ToFrames(noise.seconds);
    const double endCutoff = noise.endCutoff > 0.0 ? noise.endCutoff : noise.cutoff;
    uint32_t state = noise.seed ? noise.seed : 1;
    double filtered = 0.0;
    for (size_t i = 0; i < count && first + i < signal.size(); ++i) {
        const double t = static_cast<double>(i) / kSynthRate;
        const double cutoff = noise.cutoff + (endCutoff - noise.cutoff) * t / noise.seconds;
        const double alpha = 1.0 - std::exp(-2.0 * kPi * cutoff / kSynthRate);
        const double white = static_cast<double>(NextRandom(state)) / 2147483648.0 - 1.0;
        filtered += alpha * (white - filtered);
        signal[first + i] += static_cast<float>(noise.amplitude * filtered *
                                                Envelope(t, noise.seconds, noise.decay));
    }
}

void CrossfadeLoop(Signal& signal, double seconds) {
    const size_t fade = std::min(ToFrames(seconds), signal.size() / 2);
    const size_t tail = signal.size() - fade;
    for (size_t i = 0; i < fade; ++i) {
        const float in = static_cast<float>(i) / static_cast<float>(fade);
        signal[i] = signal[i] * in + signal[tail + i] * (1.0f - in);
    }
    signal.resize(tail);
}

void Normalise(Signal& signal, float peak) {
    float largest = 0.0f;
    for (const float value : signal)
        largest = std::max(largest, std::fabs(value));
    if (largest <= 0.0f)
        return;
    for (float& value : signal)
        value *= peak / largest;
}

bool WriteWav(const std::string& path, const Signal& signal) {
    std::unique_ptr<FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file)
        return false;
    const uint32_t dataBytes = static_cast<uint32_t>(signal.size() * 2);
    std::fputs("RIFF", file.get());
    PutLe(file.get(), 36 + dataBytes, 4);
    std::fputs("WAVEfmt ", file.get());
    PutLe(file.get(), 16, 4);
    PutLe(file.get(), 1, 2);  // PCM
    PutLe(file.get(), 1, 2);  // mono
    PutLe(file.get(), kSynthRate, 4);
    PutLe(file.get(), kSynthRate * 2, 4);
    PutLe(file.get(), 2, 2);
    PutLe(file.get(), 16, 2);
    std::fputs("data", file.get());
    PutLe(file.get(), dataBytes, 4);
    for (const float value : signal) {
        const long sample = std::lround(std::clamp(value, -1.0f, 1.0f) * 32767.0f);
        PutLe(file.get(), static_cast<uint16_t>(static_cast<int16_t>(sample)), 2);
    }
    return std::ferror(file.get()) == 0;
}
