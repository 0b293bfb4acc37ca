#include "records/byte_codec.h"

#include "records/content_hash.h"

namespace {

constexpr size_t kMagicSize = 4;
constexpr size_t kHeaderSize = kMagicSize + 2;

}  // namespace

void BeginSealed(ByteWriter& out, const char (&magic)[4], uint16_t version) {
    out.Raw(magic, kMagicSize);
    out.U16(version);
}

std::string Sealed(const ByteWriter& out) {
    const ContentHash seal = HashBytes(out.Bytes());
    return out.Bytes() + std::string(reinterpret_cast<const char*>(seal.data()), seal.size());
}

bool OpenSealed(const std::string& bytes, const char (&magic)[4], uint16_t newest, const char* what,
                ByteReader& body, std::string& problem) {
    if (bytes.size() < kMagicSize || std::memcmp(bytes.data(), magic, kMagicSize) != 0) {
        problem = std::string("not a ") + what + " file";
        return false;
    }
    if (bytes.size() < kHeaderSize) {
        problem = "cut short";
        return false;
    }
    const uint16_t version =
        static_cast<uint16_t>(static_cast<uint8_t>(bytes[4]) | static_cast<uint8_t>(bytes[5]) << 8);
    if (version > newest) {
        problem = std::string("written by a newer version of the game (") + what + " format " +
                  std::to_string(version) + ", this one reads " + std::to_string(newest) + ")";
        return false;
    }
    if (version == 0) {
        problem = "damaged (format version 0)";
        return false;
    }
    if (bytes.size() < kHeaderSize + kSealSize) {
        problem = "cut short";
        return false;
    }
    const size_t end = bytes.size() - kSealSize;
    const ContentHash seal = HashBytes(bytes.data(), end);
    if (std::memcmp(seal.data(), bytes.data() + end, kSealSize) != 0) {
        problem = "damaged or cut short (its checksum does not match)";
        return false;
    }
    body = ByteReader(bytes.data() + kHeaderSize, end - kHeaderSize);
    return true;
}
