// quarn-sounds OUTPUT_DIR
//
// Synthesises the game's sounds into OUTPUT_DIR with their playlists:
//   Sounds/  the effects by number: 0 collision, 1 rope released, 2 hook
//            caught, 3 hook fired
//   effects/ the looping level sounds, numbered as SOUND0, SOUND1, SOUND2
//   Music/   the music tracks
// Every playlist names its files relative to the game folder, with CR LF
// line ends.

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "synth.h"

namespace fs = std::filesystem;

namespace {

struct SoundFile {
    std::string title;
    std::string path;  // relative to the game folder
    Signal signal;
};

Signal Collision() {
    Signal s = Silence(0.18);
    AddNote(s, {Wave::Sine, 0.0, 0.18, 140.0, 60.0, 0.8f, 22.0});
    AddNoise(s, {0.0, 0.08, 3000.0, 600.0, 0.6f, 40.0, 7});
    Normalise(s, 0.9f);
    return s;
}

Signal RopeReleased() {
    Signal s = Silence(0.14);
    AddNote(s, {Wave::Square, 0.0, 0.14, 620.0, 180.0, 0.35f, 12.0});
    AddNote(s, {Wave::Triangle, 0.0, 0.14, 310.0, 90.0, 0.4f, 10.0});
    Normalise(s, 0.8f);
    return s;
}

Signal HookCaught() {
    Signal s = Silence(0.16);
    AddNote(s, {Wave::Sine, 0.0, 0.16, 1760.0, 0.0, 0.5f, 30.0});
    AddNote(s, {Wave::Sine, 0.0, 0.16, 2637.0, 0.0, 0.3f, 45.0});
    AddNoise(s, {0.0, 0.02, 6000.0, 0.0, 0.5f, 0.0, 11});
    Normalise(s, 0.85f);
    return s;
}

Signal HookFired() {
    Signal s = Silence(0.2);
    AddNoise(s, {0.0, 0.2, 400.0, 4000.0, 0.9f, 8.0, 23});
    AddNote(s, {Wave::Triangle, 0.0, 0.12, 300.0, 900.0, 0.3f, 15.0});
    Normalise(s, 0.8f);
    return s;
}

// Level sounds loop: whole cycles in the loop, or a crossfaded seam.
Signal Hum() {
    Signal s = Silence(2.0);
    AddNote(s, {Wave::Sine, 0.0, 2.0, 55.0, 0.0, 0.5f, 0.0});
    AddNote(s, {Wave::Sine, 0.0, 2.0, 110.0, 0.0, 0.25f, 0.0});
    AddNote(s, {Wave::Triangle, 0.0, 2.0, 165.5, 0.0, 0.1f, 0.0});
    CrossfadeLoop(s, 0.25);
    Normalise(s, 0.7f);
    return s;
}

Signal Wind() {
    Signal s = Silence(3.5);
    AddNoise(s, {0.0, 1.75, 250.0, 900.0, 1.0f, 0.0, 31});
    AddNoise(s, {1.75, 1.75, 900.0, 250.0, 1.0f, 0.0, 37});
    CrossfadeLoop(s, 0.5);
    Normalise(s, 0.7f);
    return s;
}

Signal Chimes() {
    Signal s = Silence(2.4);
    const double notes[] = {1046.5, 1318.5, 1568.0, 1318.5};
    for (int i = 0; i < 4; ++i)
        AddNote(s, {Wave::Sine, 0.3 + i * 0.5, 0.9, notes[i], 0.0, 0.4f, 4.0});
    CrossfadeLoop(s, 0.3);
    Normalise(s, 0.7f);
    return s;
}

// A bar of music: a chord's root for the bass, its notes for the arpeggio.
struct Bar {
    double root;
    double third;
    double fifth;
};

Signal Track(const std::vector<Bar>& bars, double beatsPerMinute, double leadShift) {
    const double beat = 60.0 / beatsPerMinute;
    const double barSeconds = 4.0 * beat;
    Signal s = Silence(barSeconds * static_cast<double>(bars.size()) + 0.5);
    for (size_t b = 0; b < bars.size(); ++b) {
        const Bar& bar = bars[b];
        const double start = barSeconds * static_cast<double>(b);
        for (int i = 0; i < 4; ++i) {
            const double frequency = i % 2 ? bar.root * 1.5 : bar.root;
            AddNote(s,
                    {Wave::Triangle, start + i * beat, beat * 0.9, frequency / 2, 0.0, 0.5f, 2.0});
        }
        const double arpeggio[] = {bar.root * 2, bar.third * 2, bar.fifth * 2, bar.third * 2};
        for (int i = 0; i < 8; ++i) {
            AddNote(s, {Wave::Square, start + i * beat / 2, beat * 0.45,
                        arpeggio[i % 4] * leadShift, 0.0, 0.12f, 6.0});
        }
        AddNoise(s, {start, 0.05, 5000.0, 0.0, 0.15f, 60.0, static_cast<uint32_t>(b + 101)});
        AddNoise(
            s, {start + 2 * beat, 0.05, 5000.0, 0.0, 0.15f, 60.0, static_cast<uint32_t>(b + 201)});
    }
    Normalise(s, 0.8f);
    return s;
}

// Note frequencies (Hz) of the chords used.
constexpr Bar kAMinor = {220.0, 261.6, 329.6};
constexpr Bar kFMajor = {174.6, 220.0, 261.6};
constexpr Bar kCMajor = {130.8, 164.8, 196.0};
constexpr Bar kGMajor = {196.0, 246.9, 293.7};
constexpr Bar kDMinor = {146.8, 174.6, 220.0};
constexpr Bar kBFlat = {116.5, 146.8, 174.6};

bool WriteList(const fs::path& file, const std::vector<SoundFile>& sounds) {
    FILE* out = std::fopen(file.string().c_str(), "wb");
    if (!out)
        return false;
    std::fputs("#EXTM3U\r\n", out);
    for (const SoundFile& sound : sounds) {
        const int seconds = static_cast<int>(sound.signal.size() / kSynthRate);
        std::fprintf(out, "#EXTINF:%d,%s\r\n%s\r\n", seconds, sound.title.c_str(),
                     sound.path.c_str());
    }
    return std::fclose(out) == 0;
}

bool WriteFolder(const fs::path& root, const std::string& folder, const std::string& listName,
                 const std::vector<SoundFile>& sounds) {
    std::error_code error;
    fs::create_directories(root / folder, error);
    for (const SoundFile& sound : sounds) {
        if (!WriteWav((root / sound.path).string(), sound.signal)) {
            std::fprintf(stderr, "quarn-sounds: cannot write %s\n",
                         (root / sound.path).string().c_str());
            return false;
        }
    }
    if (!WriteList(root / folder / listName, sounds)) {
        std::fprintf(stderr, "quarn-sounds: cannot write %s\n",
                     (root / folder / listName).string().c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: quarn-sounds OUTPUT_DIR\n");
        return 2;
    }
    const fs::path root = argv[1];
    const std::vector<SoundFile> effects = {
        {"Collision", "Sounds/collision.wav", Collision()},
        {"Rope released", "Sounds/rope_released.wav", RopeReleased()},
        {"Hook caught", "Sounds/hook_caught.wav", HookCaught()},
        {"Hook fired", "Sounds/hook_fired.wav", HookFired()},
    };
    const std::vector<SoundFile> levelSounds = {
        {"Hum", "effects/hum.wav", Hum()},
        {"Wind", "effects/wind.wav", Wind()},
        {"Chimes", "effects/chimes.wav", Chimes()},
    };
    const std::vector<SoundFile> music = {
        {"Swing", "Music/swing.wav",
         Track({kAMinor, kFMajor, kCMajor, kGMajor, kAMinor, kFMajor, kGMajor, kAMinor}, 120.0,
               1.0)},
        {"Reel", "Music/reel.wav",
         Track({kDMinor, kBFlat, kFMajor, kCMajor, kDMinor, kBFlat, kCMajor, kDMinor}, 132.0, 2.0)},
    };
    const bool written = WriteFolder(root, "Sounds", "effects.m3u", effects) &&
                         WriteFolder(root, "effects", "effects.m3u", levelSounds) &&
                         WriteFolder(root, "Music", "playlist.m3u", music);
    return written ? 0 : 1;
}
