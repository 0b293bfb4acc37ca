#include "core/settings.h"

#include <cstdlib>
#include <sstream>
#include <vector>

#include "platform/ini.h"

std::string SettingsPath() {
    const std::string& chosen = SettingsFileOverride();
    return chosen.empty() ? CurrentDirectory() + "/settings.ini" : chosen;
}

std::string ReadSetting(const char* section, const char* key, const char* defaultValue) {
    return ReadProfileString(SettingsPath(), section, key, defaultValue);
}

int ReadSettingInt(const char* section, const char* key, const char* defaultValue) {
    return std::atoi(ReadSetting(section, key, defaultValue).c_str());
}

float ReadSettingFloat(const char* section, const char* key, const char* defaultValue) {
    return static_cast<float>(std::atof(ReadSetting(section, key, defaultValue).c_str()));
}

bool ReadSettingBool(const char* section, const char* key, const char* defaultValue) {
    return ReadSettingInt(section, key, defaultValue) != 0;
}

namespace {

int ReadKey(const char* key, const char* defaultCode) {
    return ReadSettingInt("Keys", key, defaultCode) & 0xFF;
}

float ReadPhysics(const char* key, const char* defaultValue) {
    return ReadSettingFloat("Physics", key, defaultValue);
}

constexpr char kKeysSection[] = "Keys";
constexpr char kPadSection[] = "Pad";

// The bindings settings.ini holds, by their keys in the file.
struct KeyEntry {
    const char* key;
    int KeyBindings::*binding;
};
constexpr KeyEntry kKeyEntries[] = {
    {"left", &KeyBindings::left},
    {"right", &KeyBindings::right},
    {"up", &KeyBindings::up},
    {"down", &KeyBindings::down},
    {"lock", &KeyBindings::lock},
    {"next_song", &KeyBindings::nextSong},
    {"prev_song", &KeyBindings::prevSong},
    {"play_song", &KeyBindings::playSong},
    {"stop_song", &KeyBindings::stopSong},
    {"start_game", &KeyBindings::startGame},
    {"reset", &KeyBindings::reset},
    {"fire", &KeyBindings::fire},
    {"let_go", &KeyBindings::letGo},
};

struct PadEntry {
    const char* key;
    PadControlPair PadBindings::*binding;
};
constexpr PadEntry kPadEntries[] = {
    {"fire", &PadBindings::fire}, {"let_go", &PadBindings::letGo}, {"up", &PadBindings::up},
    {"down", &PadBindings::down}, {"left", &PadBindings::left},    {"right", &PadBindings::right},
    {"lock", &PadBindings::lock}, {"pause", &PadBindings::pause},  {"reset", &PadBindings::reset},
};

std::string PadPairText(const PadControlPair& pair) {
    if (pair.second == PadNone)
        return PadControlName(pair.first);
    return std::string(PadControlName(pair.first)) + " " + PadControlName(pair.second);
}

// "righttrigger a" (or with a comma): the first two names that are
// controls; none when there is no such name.
PadControlPair ParsePadPair(std::string text) {
    for (char& c : text) {
        if (c == ',')
            c = ' ';
    }
    PadControlPair pair;
    std::istringstream words(text);
    std::string word;
    while (words >> word) {
        const int control = PadControlFromName(word);
        if (control == PadNone)
            continue;
        if (pair.first == PadNone)
            pair.first = control;
        else if (pair.second == PadNone && control != pair.first)
            pair.second = control;
    }
    return pair;
}

}  // namespace

KeyBindings ReadKeyBindings() {
    KeyBindings keys;
    for (const KeyEntry& entry : kKeyEntries) {
        int& binding = keys.*entry.binding;
        binding = ReadKey(entry.key, std::to_string(binding).c_str());
    }
    return keys;
}

PadBindings ReadPadBindings() {
    PadBindings pad;
    for (const PadEntry& entry : kPadEntries) {
        PadControlPair& binding = pad.*entry.binding;
        binding = ParsePadPair(ReadSetting(kPadSection, entry.key, PadPairText(binding).c_str()));
    }
    pad.deadZone = ReadSettingFloat(kPadSection, "dead_zone", "0.25");
    return pad;
}

bool WriteControlSettings(const KeyBindings& keys, const PadBindings& pad, std::string& error) {
    std::vector<ProfileEntry> entries;
    for (const KeyEntry& entry : kKeyEntries)
        entries.push_back({kKeysSection, entry.key, std::to_string(keys.*entry.binding & 0xFF)});
    for (const PadEntry& entry : kPadEntries)
        entries.push_back({kPadSection, entry.key, PadPairText(pad.*entry.binding)});
    return WriteProfileStrings(SettingsPath(), entries, error);
}

PhysicsSettings ReadPhysicsSettings() {
    PhysicsSettings settings;
    PhysicsParameters& world = settings.world;
    world.ropePush = ReadPhysics("rope_push", "10.25");
    world.ropeIn = ReadPhysics("rope_in", "10.25");
    world.ropeOut = ReadPhysics("rope_out", "10.25");
    world.gravity = ReadPhysics("gravity", "-0.689");
    world.bhMaxForce = ReadPhysics("bh_max_force", "-2.0");
    world.bhRadius = ReadPhysics("bh_radius", "100.0");
    world.magnetMaxForce = ReadPhysics("magnet_max_force", "-2.0");
    world.magnetRadius = ReadPhysics("magnet_radius", "100.0");
    settings.minLength = ReadPhysics("min_length", "15.0");
    settings.maxLength = ReadPhysics("max_length", "350.0");
    settings.shootPower = ReadPhysics("shoot_power", "10.0");
    settings.hookMass = ReadPhysics("hook_mass", "1.0");
    settings.ballMass = ReadPhysics("ball_mass", "2.0");
    settings.timeBetweenShoot = ReadPhysics("time_between_shoot", "0.01");
    return settings;
}

CameraSettings ReadCameraSettings() {
    CameraSettings settings;
    settings.maxSpeedRadius = ReadSettingFloat("Camera", "max_speed_radius", "500.0");
    settings.minSpeedRadius = ReadSettingFloat("Camera", "min_speed_radius", "1.0");
    settings.maxSpeed = ReadSettingFloat("Camera", "max_speed", "30.0");
    settings.z = ReadSettingFloat("Camera", "z", "-700.0");
    return settings;
}

VideoSettings ReadVideoSettings() {
    VideoSettings video;
    video.width = ReadSettingInt("Video", "width", "640");
    video.height = ReadSettingInt("Video", "height", "480");
    video.bitsPerPixel = ReadSettingInt("Video", "bpp", "32");
    video.fullscreen = ReadSettingBool("Video", "fullscreen", "0");
    video.anisoFilter = ReadSettingFloat("Video", "aniso_filter", "0.0");
    video.texcomp = ReadSettingBool("Video", "texcomp", "1");
    return video;
}

PlaySettings ReadPlaySettings() {
    PlaySettings play;
    play.showFps = ReadSettingBool("video", "show_fps", "0");
    play.frameLimit = ReadSettingBool("video", "fps_limit", "0");
    play.aimLine = ReadSettingBool("video", "aim_line", "1");
    return play;
}

RecordSettings ReadRecordSettings() {
    RecordSettings records;
    records.ghost = ReadSettingBool("Records", "ghost", "1");
    records.keepRuns = ReadSettingInt("Records", "keep_runs", "0");
    return records;
}

SoundSettings ReadSoundSettings() {
    SoundSettings sound;
    sound.effects = ReadSettingBool("Sound", "effects", "1");
    sound.music = ReadSettingBool("Sound", "music", "1");
    sound.musicVolume = ReadSettingInt("Sound", "music_vol", "1");
    sound.effectVolume = ReadSettingInt("Sound", "effect_vol", "1");
    return sound;
}
