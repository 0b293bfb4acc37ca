#pragma once
// A few plain synthesis helpers for the game's sounds: mono float signals
// at one sample rate, mixed into buffers and written as 16-bit PCM WAV.

#include <cstdint>
#include <string>
#include <vector>

constexpr int kSynthRate = 44100;  // the output rate: samples load without resampling

using Signal = std::vector<float>;

Signal Silence(double seconds);

// Adds a tone to the signal from `start` seconds on. Shapes: sine, square,
// triangle. The amplitude falls off exponentially with `decay` per second
// (0: steady) after a short attack, so notes neither click nor ring on.
enum class Wave { Sine, Square, Triangle };
struct Note {
    Wave wave = Wave::Sine;
    double start = 0.0;
    double seconds = 0.1;
    double frequency = 440.0;
    double endFrequency = 0.0;  // 0: no sweep
    float amplitude = 0.3f;
    double decay = 0.0;
};
void AddNote(Signal& signal, const Note& note);

// Adds white noise through a one-pole low-pass with the given cut-off.
struct Noise {
    double start = 0.0;
    double seconds = 0.1;
    double cutoff = 2000.0;
    double endCutoff = 0.0;  // 0: fixed cut-off
    float amplitude = 0.3f;
    double decay = 0.0;
    uint32_t seed = 1;
};
void AddNoise(Signal& signal, const Noise& noise);

// Blends the last `seconds` into the start so the signal loops without a seam.
void CrossfadeLoop(Signal& signal, double seconds);

// Scales the signal so its peak is `peak` (0..1).
void Normalise(Signal& signal, float peak);

// Writes 16-bit mono PCM; false when the file cannot be written.
bool WriteWav(const std::string& path, const Signal& signal);
