#pragma once
// Tiny test sounds: the bytes of a 16-bit PCM WAV file holding a square wave.

#include <cstdint>
#include <string>

struct WavTone {
    double seconds = 0.25;
    int sampleRate = 44100;
    int channels = 1;
    double frequency = 440.0;
    int16_t amplitude = 12000;
};

std::string MakeWavFile(const WavTone& tone);
