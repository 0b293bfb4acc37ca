#pragma once
// Byte-level helpers the picture decoders and writers share: whole-file
// reading, buffers that grow without throwing, little-endian fields.

#include <cstddef>
#include <cstdint>
#include <vector>

// Whole-file reading shared by the decoders that parse from memory.
// Returns false when the file cannot be opened, is larger than the limit, or
// a read comes up short.
bool ReadWholeFile(const char* path, std::vector<uint8_t>& contents);

// Resizes a buffer without throwing: false when the memory is not there.
bool ResizeBuffer(std::vector<uint8_t>& buffer, size_t size);

// Little-endian reads from a byte buffer; the caller checks the bounds.
inline uint16_t ReadLE16(const uint8_t* bytes) {
    return static_cast<uint16_t>(bytes[0] | (bytes[1] << 8));
}
inline uint32_t ReadLE32(const uint8_t* bytes) {
    return static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
           (static_cast<uint32_t>(bytes[2]) << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}
