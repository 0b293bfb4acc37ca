// The settings reader on an arbitrary settings.ini: every key the game reads,
// through the same conversions the game applies; and the controls written
// into it, which must then read back as they were written.

#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
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

    KeyBindings keys = ReadKeyBindings();
    PadBindings pad = ReadPadBindings();
    ReadPlaySettings();
    ReadPhysicsSettings();
    ReadCameraSettings();
    ReadSettingInt("Video", "width", "640");
    ReadSettingInt("Video", "height", "480");
    ReadSettingInt("Video", "bpp", "32");
    ReadSettingBool("Video", "fullscreen", "0");
    ReadSettingFloat("Video", "aniso_filter", "0.0");
    ReadSettingInt("Sound", "music_vol", "1");
    ReadSetting("", "", "");

    // Written back, with a binding changed, the file reads as written.
    keys.fire = (keys.fire + 1) & 0xFF;
    pad.lock = {PadRightShoulder, PadNone};
    std::string error;
    if (!WriteControlSettings(keys, pad, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        std::abort();
    }
    const KeyBindings keysRead = ReadKeyBindings();
    const PadBindings padRead = ReadPadBindings();
    if (keysRead.fire != keys.fire || keysRead.up != keys.up || keysRead.letGo != keys.letGo ||
        padRead.lock.first != PadRightShoulder || padRead.lock.second != PadNone ||
        padRead.fire.first != pad.fire.first || padRead.fire.second != pad.fire.second)
        std::abort();
    return 0;
}
