// The quarn-sim script parser on arbitrary text.

#include <cstdint>
#include <string>

#include "sim/sim_script.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    SimScript script;
    std::string error;
    ParseSimScript(text, script, error);
    return 0;
}
