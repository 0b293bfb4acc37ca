// SoundSystem::LoadEffects, the effect list reader, on arbitrary bytes; the
// silent backend loads no samples, so only the list itself is exercised.

#include <cstdint>

#include "audio/sound_system.h"
#include "fuzz_file.h"
#include "platform/audio_silent_backend.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = WriteFuzzInput(data, size, "m3u");
    AudioSilentBackend audio;
    SoundSystem sounds(audio);
    sounds.LoadEffects(path.c_str());
    for (int number = -1; number <= static_cast<int>(sounds.EffectCount()); ++number)
        sounds.PlayEffect(number);
    return 0;
}
