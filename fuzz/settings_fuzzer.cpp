// The settings reader on an arbitrary settings.ini: every key the game reads,
// through the same conversions the game applies.

#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "core/settings.h"
#include "fuzz_file.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // settings.ini is read from the current directory.
    const std::string dir = FuzzScratchDir() + "/quarn-fuzz-settings-" + std::to_string(getpid());
    mkdir(dir.c_str(), 0700);
    if (chdir(dir.c_str()) != 0)
        std::perror(dir.c_str());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FILE* file = std::fopen("settings.ini", "wb");
    if (!file)
        return 0;
    if (size > 0)
        std::fwrite(data, 1, size, file);
    std::fclose(file);

    ReadKeyBindings();
    ReadPhysicsSettings();
    ReadCameraSettings();
    ReadSettingInt("Video", "width", "640");
    ReadSettingInt("Video", "height", "480");
    ReadSettingInt("Video", "bpp", "32");
    ReadSettingBool("Video", "fullscreen", "0");
    ReadSettingFloat("Video", "aniso_filter", "0.0");
    ReadSettingInt("Sound", "music_vol", "1");
    ReadSetting("", "", "");
    return 0;
}
