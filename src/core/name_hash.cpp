#include "core/name_hash.h"

uint32_t NameHash(const std::string& text) {
    uint32_t hash = static_cast<uint32_t>(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const int32_t signedByte = static_cast<int8_t>(text[i]);
        const uint32_t term = static_cast<uint32_t>(signedByte + static_cast<int32_t>(i));
        hash += term << (8 * (i % 4));
    }
    return hash;
}
