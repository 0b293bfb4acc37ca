#pragma once
// A short Ogg Vorbis test sound: a quarter of a second of a 440 Hz square
// wave, mono, 22050 Hz, encoded with libvorbisenc at quality 0.

#include <string>

std::string OggToneFile();
