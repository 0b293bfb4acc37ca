// The level compiler's source parser on arbitrary text.

#include <cstdint>
#include <string>

#include "levelc/level_source.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    LevelSource source;
    Diagnostics diagnostics;
    ParseLevelSource(text, "fuzz.lvl", source, diagnostics);
    return 0;
}
