// DDS files with DXT1, DXT3 or DXT5 blocks. The blocks are kept exactly as
// stored (top row first, every mip level one after the other).

#include <algorithm>
#include <cstring>

#include "platform/gl.h"
#include "resources/image.h"
#include "resources/image_bytes.h"

namespace {

constexpr size_t kMagicBytes = 4;
constexpr size_t kHeaderBytes = 124;

}  // namespace

int Image::LoadDDS(const char* path) {
    std::vector<uint8_t> file;
    if (!ReadWholeFile(path, file))
        return ImageCannotOpen;
    if (file.size() < kMagicBytes || std::memcmp(file.data(), "DDS ", kMagicBytes) != 0)
        return ImageDdsNoMagic;
    if (file.size() < kMagicBytes + kHeaderBytes)
        return ImageDamaged;

    const uint8_t* header = file.data();
    const uint8_t* fourCC = header + 84;
    uint32_t multiplier = 0;
    if (std::memcmp(fourCC, "DXT1", 4) == 0) {
        pixelFormat = GL_COMPRESSED_RGBA_S3TC_DXT1_EXT;
        multiplier = 2;
    } else if (std::memcmp(fourCC, "DXT3", 4) == 0) {
        pixelFormat = GL_COMPRESSED_RGBA_S3TC_DXT3_EXT;
        multiplier = 4;
    } else if (std::memcmp(fourCC, "DXT5", 4) == 0) {
        pixelFormat = GL_COMPRESSED_RGBA_S3TC_DXT5_EXT;
        multiplier = 4;
    } else {
        return ImageDdsFormat;
    }
    height = ReadLE32(header + 12);
    width = ReadLE32(header + 16);
    const uint32_t linearSize = ReadLE32(header + 20);
    mipLevels = static_cast<uint8_t>(ReadLE32(header + 28) & 0xFF);

    // Read up to the size the header asks for; a shorter file gives fewer
    // bytes, and the upload stops at the first level that is not all there.
    const uint64_t wanted = uint64_t{linearSize} * (mipLevels > 1 ? multiplier : 1);
    const size_t available = file.size() - kMagicBytes - kHeaderBytes;
    const size_t taken = static_cast<size_t>(std::min<uint64_t>(wanted, available));
    file.erase(file.begin(), file.begin() + kMagicBytes + kHeaderBytes);
    file.resize(taken);
    pixels.swap(file);
    compressed = true;
    return ImageOk;
}
