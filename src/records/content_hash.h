#pragma once
// A cryptographic hash (SHA-256) of a run of bytes: what identifies a level
// file's exact contents and what seals the records and replay files.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

using ContentHash = std::array<uint8_t, 32>;

ContentHash HashBytes(const void* data, size_t size);
inline ContentHash HashBytes(const std::string& bytes) {
    return HashBytes(bytes.data(), bytes.size());
}

// Lower-case hexadecimal, 64 characters.
std::string HashHex(const ContentHash& hash);
