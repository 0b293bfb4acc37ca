// BMP files: "BM", uncompressed, bottom-up, 24-bit true colour or 8-bit
// palette. Rows are delivered tightly packed (stored rows are padded to a
// multiple of 4 bytes). The palette follows the information header, whatever
// its size (40 bytes, or the 108 and 124 of later versions), and holds the
// header's colour count of entries, or 256 when that count is 0.

#include <cstring>

#include "resources/image.h"
#include "resources/image_bytes.h"

namespace {

constexpr size_t kFileHeaderBytes = 14;
constexpr size_t kInfoHeaderBytes = 40;
constexpr size_t kHeadersBytes = kFileHeaderBytes + kInfoHeaderBytes;
constexpr uint32_t kPaletteEntries = 256;
constexpr size_t kPaletteEntryBytes = 4;

bool Fits(uint64_t offset, uint64_t length, size_t fileSize) {
    return offset <= fileSize && length <= fileSize - offset;
}

}  // namespace

int Image::LoadBMP(const char* path) {
    std::vector<uint8_t> file;
    if (!ReadWholeFile(path, file))
        return ImageCannotOpen;
    if (file.size() < 2 || file[0] != 'B' || file[1] != 'M')
        return ImageBmpNoMagic;
    if (file.size() < kHeadersBytes)
        return ImageDamaged;

    const uint8_t* header = file.data();
    const uint16_t bits = ReadLE16(header + 28);
    if (bits != 24 && bits != 8)
        return ImageBmpDepth;
    const int32_t storedWidth = static_cast<int32_t>(ReadLE32(header + 18));
    const int32_t storedHeight = static_cast<int32_t>(ReadLE32(header + 22));
    const uint32_t compression = ReadLE32(header + 30);
    const uint32_t dataOffset = ReadLE32(header + 10);
    const uint32_t infoBytes = ReadLE32(header + 14);
    const uint32_t colourCount = ReadLE32(header + 46);
    // Top-down (negative height) and compressed files are not read, nor the
    // 12-byte headers of the oldest version, whose fields lie elsewhere.
    if (storedWidth <= 0 || storedHeight <= 0 || compression != 0 || infoBytes < kInfoHeaderBytes)
        return ImageDamaged;
    const uint32_t w = static_cast<uint32_t>(storedWidth);
    const uint32_t h = static_cast<uint32_t>(storedHeight);

    const uint64_t storedRow = bits == 24 ? uint64_t{w} * 3 + w % 4 : (uint64_t{w} + 3) & ~3ull;
    if (!Fits(dataOffset, storedRow * h, file.size()))
        return ImageDamaged;
    const uint64_t paletteOffset = uint64_t{kFileHeaderBytes} + infoBytes;
    const uint32_t paletteEntries = colourCount == 0 ? kPaletteEntries : colourCount;
    if (bits == 8 &&
        (paletteEntries > kPaletteEntries ||
         !Fits(paletteOffset, uint64_t{paletteEntries} * kPaletteEntryBytes, file.size())))
        return ImageDamaged;
    const int result = AllocatePixels(w, h, 24);
    if (result != ImageOk)
        return result;

    const uint8_t* palette = bits == 8 ? file.data() + paletteOffset : nullptr;
    uint8_t* out = pixels.data();
    for (uint32_t row = 0; row < h; ++row) {
        const uint8_t* in = file.data() + dataOffset + row * storedRow;
        for (uint32_t column = 0; column < w; ++column) {
            if (bits == 8 && in[column] >= paletteEntries)
                return ImageDamaged;  // an index past the stored entries
            const uint8_t* bgr =
                bits == 24 ? in + column * 3 : palette + in[column] * kPaletteEntryBytes;
            out[0] = bgr[2];
            out[1] = bgr[1];
            out[2] = bgr[0];
            out += 3;
        }
    }
    return ImageOk;
}
