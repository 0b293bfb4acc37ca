// The records reader on arbitrary bytes: as they come, and sealed with their
// checksum so that the reader gets past it to the records. A book that reads
// must write back to the same bytes.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "records/record_book.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string raw(reinterpret_cast<const char*>(data), size);
    const ContentHash seal = HashBytes(raw);
    const std::string sealed = raw + std::string(reinterpret_cast<const char*>(seal.data()), 32);
    for (const std::string* bytes : {&raw, &sealed}) {
        RecordBook book;
        std::string problem;
        if (!DecodeRecords(*bytes, book, problem)) {
            if (problem.empty())
                std::abort();
            continue;
        }
        const std::string written = EncodeRecords(book);
        RecordBook again;
        if (!DecodeRecords(written, again, problem) || EncodeRecords(again) != written)
            std::abort();
    }
    return 0;
}
