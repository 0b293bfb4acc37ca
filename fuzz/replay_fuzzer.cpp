// The replay reader on arbitrary bytes: as they come, and sealed with their
// checksum so that the reader gets past it to the header and the frames. A
// replay that reads must write back to the same bytes.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "records/replay.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string raw(reinterpret_cast<const char*>(data), size);
    const ContentHash seal = HashBytes(raw);
    const std::string sealed = raw + std::string(reinterpret_cast<const char*>(seal.data()), 32);
    for (const std::string* bytes : {&raw, &sealed}) {
        Replay replay;
        std::string problem;
        if (!DecodeReplay(*bytes, replay, problem)) {
            if (problem.empty())
                std::abort();
            continue;
        }
        const std::string written = EncodeReplay(replay);
        Replay again;
        if (!DecodeReplay(written, again, problem) || EncodeReplay(again) != written)
            std::abort();
    }
    return 0;
}
