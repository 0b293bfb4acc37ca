#include "records/content_hash.h"

#include <nettle/sha2.h>

ContentHash HashBytes(const void* data, size_t size) {
    sha256_ctx context;
    sha256_init(&context);
    sha256_update(&context, size, static_cast<const uint8_t*>(data));
    ContentHash hash{};
    sha256_digest(&context, hash.size(), hash.data());
    return hash;
}

std::string HashHex(const ContentHash& hash) {
    static const char kDigits[] = "0123456789abcdef";
    std::string text;
    text.reserve(hash.size() * 2);
    for (uint8_t byte : hash) {
        text += kDigits[byte >> 4];
        text += kDigits[byte & 15];
    }
    return text;
}
