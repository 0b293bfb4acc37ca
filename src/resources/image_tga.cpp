// TGA files: uncompressed and run-length true colour (24 or 32 bits) and
// colour-mapped (256 entries of 24 bits, 8-bit indices). The image
// descriptor says whether rows are stored top row first and pixels right to
// left; the picture is turned to bottom-up rows of left-to-right pixels.

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#include "resources/image.h"
#include "resources/image_bytes.h"

namespace {

constexpr size_t kFormBytes = 12;
constexpr size_t kHeaderBytes = 18;
constexpr size_t kColourMapBytes = 768;

constexpr uint8_t kUncompressedForm[kFormBytes] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
constexpr uint8_t kRunLengthForm[kFormBytes] = {0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0};
constexpr uint8_t kColourMappedForm[kFormBytes] = {0, 1, 1, 0, 0, 0, 1, 24, 0, 0, 0, 0};

// Reads forward through the file bytes without ever passing their end.
class ByteReader {
public:
    explicit ByteReader(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}
    bool Has(size_t count) const { return count <= bytes_.size() - offset_; }
    const uint8_t* Take(size_t count) {
        if (!Has(count))
            return nullptr;
        const uint8_t* at = bytes_.data() + offset_;
        offset_ += count;
        return at;
    }

private:
    const std::vector<uint8_t>& bytes_;
    size_t offset_ = 0;
};

void StoreSwapped(uint8_t* out, const uint8_t* bgr, size_t pixelBytes) {
    out[0] = bgr[2];
    out[1] = bgr[1];
    out[2] = bgr[0];
    if (pixelBytes == 4)
        out[3] = bgr[3];
}

// Bits of the image descriptor: pixels stored right to left, rows stored top
// row first. The other bits (alpha depth, interleaving) are not used.
constexpr uint8_t kRightToLeft = 0x10;
constexpr uint8_t kTopRowFirst = 0x20;

// The decoders fill `out` with pixelCount pixels in the order they are stored.
int DecodeColourMapped(ByteReader& reader, uint8_t* out, uint64_t pixelCount) {
    const uint8_t* map = reader.Take(kColourMapBytes);
    const uint8_t* indices = reader.Take(static_cast<size_t>(pixelCount));
    if (!map || !indices)
        return ImageTgaDataShort;
    for (uint64_t i = 0; i < pixelCount; ++i, out += 3)
        StoreSwapped(out, map + indices[i] * 3, 3);
    return ImageOk;
}

int DecodeUncompressed(ByteReader& reader, uint8_t* out, uint64_t pixelCount, size_t pixelBytes) {
    const uint8_t* in = reader.Take(static_cast<size_t>(pixelCount) * pixelBytes);
    if (!in)
        return ImageTgaDataShort;
    for (uint64_t i = 0; i < pixelCount; ++i, in += pixelBytes, out += pixelBytes)
        StoreSwapped(out, in, pixelBytes);
    return ImageOk;
}

int DecodeRunLength(ByteReader& reader, uint8_t* out, uint64_t pixelCount, size_t pixelBytes) {
    uint64_t filled = 0;
    while (filled < pixelCount) {
        const uint8_t* packet = reader.Take(1);
        if (!packet)
            return ImageTgaPacketHeader;
        const bool run = (*packet & 0x80) != 0;
        const uint64_t count = run ? *packet - 127u : *packet + 1u;
        if (filled + count > pixelCount)
            return ImageTgaPacketOverrun;
        if (run) {
            const uint8_t* pixel = reader.Take(pixelBytes);
            if (!pixel)
                return ImageTgaDataShort;
            for (uint64_t i = 0; i < count; ++i, out += pixelBytes)
                StoreSwapped(out, pixel, pixelBytes);
        } else {
            for (uint64_t i = 0; i < count; ++i, out += pixelBytes) {
                const uint8_t* pixel = reader.Take(pixelBytes);
                if (!pixel)
                    return ImageTgaPacketOverrun;
                StoreSwapped(out, pixel, pixelBytes);
            }
        }
        filled += count;
    }
    return ImageOk;
}

// Reverses the order of the pixels within every row.
void MirrorRows(uint8_t* pixels, uint32_t width, uint32_t height, size_t pixelBytes) {
    const size_t rowBytes = width * pixelBytes;
    for (uint32_t row = 0; row < height; ++row) {
        uint8_t* left = pixels + row * rowBytes;
        uint8_t* right = left + rowBytes - pixelBytes;
        for (; left < right; left += pixelBytes, right -= pixelBytes)
            std::swap_ranges(left, left + pixelBytes, right);
    }
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

int Image::LoadTGA(const char* path) {
    std::vector<uint8_t> file;
    if (!ReadWholeFile(path, file))
        return ImageCannotOpen;
    ByteReader reader(file);
    const uint8_t* form = reader.Take(kFormBytes);
    if (!form)
        return ImageTgaHeader;
    const bool uncompressed = std::memcmp(form, kUncompressedForm, kFormBytes) == 0;
    const bool runLength = std::memcmp(form, kRunLengthForm, kFormBytes) == 0;
    const bool colourMapped = std::memcmp(form, kColourMappedForm, kFormBytes) == 0;
    if (!uncompressed && !runLength && !colourMapped)
        return ImageTgaHeader;

    const uint8_t* header = reader.Take(kHeaderBytes - kFormBytes);
    if (!header)
        return ImageTgaHeader;
    const uint32_t w = ReadLE16(header);
    const uint32_t h = ReadLE16(header + 2);
    const uint8_t depth = header[4];
    const uint8_t descriptor = header[5];
    if (w == 0 || h == 0)
        return ImageTgaHeader;
    if (colourMapped ? depth != 8 : depth != 24 && depth != 32)
        return ImageTgaHeader;

    const uint64_t pixelCount = uint64_t{w} * h;
    if (uncompressed && !reader.Has(static_cast<size_t>(pixelCount * (depth / 8))))
        return ImageTgaDataShort;
    if (colourMapped && !reader.Has(kColourMapBytes + static_cast<size_t>(pixelCount)))
        return ImageTgaDataShort;
    int result = AllocatePixels(w, h, colourMapped ? 24 : depth);
    if (result != ImageOk)
        return result;

    const size_t pixelBytes = bitsPerPixel / 8;
    if (colourMapped)
        result = DecodeColourMapped(reader, pixels.data(), pixelCount);
    else if (uncompressed)
        result = DecodeUncompressed(reader, pixels.data(), pixelCount, pixelBytes);
    else
        result = DecodeRunLength(reader, pixels.data(), pixelCount, pixelBytes);
    if (result != ImageOk)
        return result;

    // The pixels went in as stored; the picture wants bottom-up rows, left to right.
    if (descriptor & kRightToLeft)
        MirrorRows(pixels.data(), w, h, pixelBytes);
    if (descriptor & kTopRowFirst)
        result = FlipVertical();
    return result;
}

int Image::SaveTGA(const char* path) const {
    if ((bitsPerPixel != 24 && bitsPerPixel != 32) || width > 0xFFFF || height > 0xFFFF ||
        pixels.size() < RowBytes() * height)
        return ImageUnsupported;
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path, "wb"));
    if (!file)
        return ImageCannotOpen;

    uint8_t header[kHeaderBytes] = {};
    header[2] = 2;
    header[12] = static_cast<uint8_t>(width & 0xFF);
    header[13] = static_cast<uint8_t>((width >> 8) & 0xFF);
    header[14] = static_cast<uint8_t>(height & 0xFF);
    header[15] = static_cast<uint8_t>((height >> 8) & 0xFF);
    header[16] = bitsPerPixel;
    std::fwrite(header, 1, sizeof(header), file.get());

    const size_t pixelBytes = bitsPerPixel / 8;
    std::vector<uint8_t> row(RowBytes());
    for (uint32_t y = 0; y < height; ++y) {
        const uint8_t* in = pixels.data() + y * RowBytes();
        for (uint32_t x = 0; x < width; ++x)
            StoreSwapped(row.data() + x * pixelBytes, in + x * pixelBytes, pixelBytes);
        std::fwrite(row.data(), 1, row.size(), file.get());
    }
    return ImageOk;
}
