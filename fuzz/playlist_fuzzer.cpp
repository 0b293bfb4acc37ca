// ReadPlaylist, the music playlist reader, on arbitrary bytes.

#include <cstdint>

#include "audio/playlist.h"
#include "fuzz_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = WriteFuzzInput(data, size, "m3u");
    Playlist list;
    ReadPlaylist(path.c_str(), list);
    FreePlaylist(list);
    return 0;
}
