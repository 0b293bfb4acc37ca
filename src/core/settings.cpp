#include "core/settings.h"

#include <cstdlib>

#include "platform/ini.h"

std::string SettingsPath() {
    return CurrentDirectory() + "/settings.ini";
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

}  // namespace

KeyBindings ReadKeyBindings() {
    KeyBindings keys;
    keys.left = ReadKey("left", "30");
    keys.right = ReadKey("right", "32");
    keys.up = ReadKey("up", "17");
    keys.down = ReadKey("down", "31");
    keys.lock = ReadKey("lock", "57");
    keys.nextSong = ReadKey("next_song", "66");
    keys.prevSong = ReadKey("prev_song", "63");
    keys.playSong = ReadKey("play_song", "65");
    keys.stopSong = ReadKey("stop_song", "64");
    keys.startGame = ReadKey("start_game", "28");
    keys.reset = ReadKey("reset", "88");
    return keys;
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
