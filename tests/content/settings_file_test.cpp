// The shipped settings.ini: every key the game reads, each under a comment
// line, at its built-in default except the volumes and the frame limit.

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace {

struct Key {
    const char* section;
    const char* name;
    const char* defaultValue;
};

const std::vector<Key> kKeys = {
    {"Video", "width", "640"},
    {"Video", "height", "480"},
    {"Video", "bpp", "32"},
    {"Video", "fullscreen", "0"},
    {"Video", "aniso_filter", "0.0"},
    {"Video", "texcomp", "1"},
    {"Video", "show_fps", "0"},
    {"Video", "fps_limit", "0"},
    {"Video", "aim_line", "1"},
    {"Physics", "rope_push", "10.25"},
    {"Physics", "rope_in", "10.25"},
    {"Physics", "rope_out", "10.25"},
    {"Physics", "gravity", "-0.689"},
    {"Physics", "min_length", "15.0"},
    {"Physics", "max_length", "350.0"},
    {"Physics", "shoot_power", "10.0"},
    {"Physics", "hook_mass", "1.0"},
    {"Physics", "ball_mass", "2.0"},
    {"Physics", "bh_max_force", "-2.0"},
    {"Physics", "bh_radius", "100.0"},
    {"Physics", "magnet_max_force", "-2.0"},
    {"Physics", "magnet_radius", "100.0"},
    {"Physics", "time_between_shoot", "0.01"},
    {"Camera", "max_speed_radius", "500.0"},
    {"Camera", "min_speed_radius", "1.0"},
    {"Camera", "max_speed", "30.0"},
    {"Camera", "z", "-700.0"},
    {"Keys", "left", "30"},
    {"Keys", "right", "32"},
    {"Keys", "up", "17"},
    {"Keys", "down", "31"},
    {"Keys", "lock", "57"},
    {"Keys", "next_song", "66"},
    {"Keys", "prev_song", "63"},
    {"Keys", "play_song", "65"},
    {"Keys", "stop_song", "64"},
    {"Keys", "start_game", "28"},
    {"Keys", "reset", "88"},
    {"Keys", "fire", "0"},
    {"Keys", "let_go", "0"},
    {"Pad", "fire", "righttrigger a"},
    {"Pad", "let_go", "lefttrigger b"},
    {"Pad", "up", "lefty- dpup"},
    {"Pad", "down", "lefty+ dpdown"},
    {"Pad", "left", "leftx- dpleft"},
    {"Pad", "right", "leftx+ dpright"},
    {"Pad", "lock", "none"},
    {"Pad", "pause", "start"},
    {"Pad", "reset", "back"},
    {"Pad", "dead_zone", "0.25"},
    {"Sound", "effects", "1"},
    {"Sound", "music", "1"},
    {"Sound", "music_vol", "1"},
    {"Sound", "effect_vol", "1"},
    {"Records", "ghost", "1"},
    {"Records", "keep_runs", "0"},
};

struct Entry {
    std::string value;
    bool commented = false;
};

// "section/key" -> value and whether a comment line stands right above it.
std::map<std::string, Entry> ReadShippedSettings() {
    std::ifstream in(std::string(QUARN_GAME_DIR) + "/settings.ini");
    std::map<std::string, Entry> entries;
    std::string line;
    std::string section;
    bool afterComment = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line[0] == '[') {
            section = line.substr(1, line.find(']') - 1);
            afterComment = false;
        } else if (!line.empty() && line[0] == ';') {
            afterComment = true;
        } else if (line.find('=') != std::string::npos) {
            const size_t equals = line.find('=');
            entries[section + "/" + line.substr(0, equals)] = {line.substr(equals + 1),
                                                               afterComment};
            afterComment = false;
        }
    }
    return entries;
}

TEST(ShippedSettings, EveryKeyIsThereWithACommentAtItsDefaultButVolumesAndFrameLimit) {
    const std::map<std::string, Entry> entries = ReadShippedSettings();
    ASSERT_FALSE(entries.empty());
    EXPECT_EQ(entries.size(), kKeys.size());
    for (const Key& key : kKeys) {
        const std::string name = std::string(key.section) + "/" + key.name;
        const auto found = entries.find(name);
        ASSERT_NE(found, entries.end()) << name;
        EXPECT_TRUE(found->second.commented) << name;
        if (name == "Video/fps_limit") {
            EXPECT_EQ(found->second.value, "1") << "the levels are timed for 60 frames a second";
        } else if (name == "Sound/music_vol" || name == "Sound/effect_vol") {
            const int volume = std::stoi(found->second.value);
            EXPECT_GE(volume, 20) << name << " should be audible";
            EXPECT_LE(volume, 100) << name;
        } else {
            EXPECT_EQ(found->second.value, key.defaultValue) << name;
        }
    }
}

}  // namespace
