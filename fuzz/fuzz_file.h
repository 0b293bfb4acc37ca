#pragma once
// The readers under test take file paths, so every input is written to a file
// of this process's own before the reader opens it. /dev/shm keeps it in memory.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

inline std::string FuzzScratchDir() {
    static const std::string dir = [] {
        const char* base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        return std::string(base);
    }();
    return dir;
}

// Writes the input to a file named quarn-fuzz-PID.EXTENSION and returns its path.
inline std::string WriteFuzzInput(const uint8_t* data, size_t size, const char* extension) {
    const std::string path =
        FuzzScratchDir() + "/quarn-fuzz-" + std::to_string(getpid()) + "." + extension;
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return path;
    if (size > 0)
        std::fwrite(data, 1, size, file);
    std::fclose(file);
    return path;
}
