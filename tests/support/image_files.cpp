#include "support/image_files.h"

#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include <jpeglib.h>

namespace {

void PutLE16(std::string& out, uint32_t value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void PutLE32(std::string& out, uint32_t value) {
    PutLE16(out, value & 0xFFFF);
    PutLE16(out, value >> 16);
}

void PutBgr(std::string& out, const uint8_t* rgb, int channels) {
    out.push_back(static_cast<char>(rgb[2]));
    out.push_back(static_cast<char>(rgb[1]));
    out.push_back(static_cast<char>(rgb[0]));
    if (channels == 4)
        out.push_back(static_cast<char>(rgb[3]));
}

std::string BmpHeaders(uint32_t width, uint32_t height, uint16_t bits, uint32_t dataOffset,
                       uint32_t fileSize, uint32_t infoHeaderBytes = 40, uint32_t colourCount = 0) {
    std::string out = "BM";
    PutLE32(out, fileSize);
    PutLE32(out, 0);
    PutLE32(out, dataOffset);
    PutLE32(out, infoHeaderBytes);
    PutLE32(out, width);
    PutLE32(out, height);
    PutLE16(out, 1);
    PutLE16(out, bits);
    PutLE32(out, 0);  // no compression
    PutLE32(out, 0);
    PutLE32(out, 2835);
    PutLE32(out, 2835);
    PutLE32(out, colourCount);
    PutLE32(out, 0);
    if (infoHeaderBytes > 40) {
        // The later versions' channel masks and colour space ("sRGB"), then zeros.
        for (uint32_t mask : {0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0xFF000000u, 0x73524742u})
            PutLE32(out, mask);
        out.append(infoHeaderBytes - 60, '\0');
    }
    return out;
}

// The pixels of a bottom-up, left-to-right picture in the order a TGA file
// with this image descriptor stores them (bit 4 right to left, bit 5 top row
// first).
Bytes TgaStoredOrder(uint32_t width, uint32_t height, int channels, const Bytes& pixels,
                     uint8_t descriptor) {
    Bytes stored;
    for (uint32_t i = 0; i < height; ++i) {
        const uint32_t y = descriptor & 0x20 ? height - 1 - i : i;
        for (uint32_t j = 0; j < width; ++j) {
            const uint32_t x = descriptor & 0x10 ? width - 1 - j : j;
            const auto at = pixels.begin() + (size_t{y} * width + x) * channels;
            stored.insert(stored.end(), at, at + channels);
        }
    }
    return stored;
}

}  // namespace

Bytes PatternPixels(uint32_t width, uint32_t height, int channels) {
    Bytes pixels;
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            pixels.push_back(static_cast<uint8_t>(10 * x + 1));
            pixels.push_back(static_cast<uint8_t>(20 * y + 2));
            pixels.push_back(static_cast<uint8_t>(x + y + 3));
            if (channels == 4)
                pixels.push_back(static_cast<uint8_t>(255 - x));
        }
    }
    return pixels;
}

std::string BmpFile24(uint32_t width, uint32_t height, const Bytes& rgb) {
    const uint32_t rowBytes = width * 3 + width % 4;
    std::string out = BmpHeaders(width, height, 24, 54, 54 + rowBytes * height);
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x)
            PutBgr(out, rgb.data() + (y * width + x) * 3, 3);
        out.append(width % 4, '\0');
    }
    return out;
}

std::string BmpFile8(uint32_t width, uint32_t height, const Bytes& paletteRgb, const Bytes& indices,
                     uint32_t infoHeaderBytes, uint32_t colourCount) {
    const uint32_t rowBytes = (width + 3) & ~3u;
    const uint32_t entries = colourCount == 0 ? 256 : colourCount;
    const uint32_t dataOffset = 14 + infoHeaderBytes + entries * 4;
    std::string out = BmpHeaders(width, height, 8, dataOffset, dataOffset + rowBytes * height,
                                 infoHeaderBytes, colourCount);
    for (size_t entry = 0; entry < entries; ++entry) {
        if (entry * 3 + 2 < paletteRgb.size())
            PutBgr(out, paletteRgb.data() + entry * 3, 3);
        else
            out.append(3, '\0');
        out.push_back('\0');
    }
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x)
            out.push_back(static_cast<char>(indices[y * width + x]));
        out.append(rowBytes - width, '\0');
    }
    return out;
}

std::string TgaHeader(TgaForm form, uint32_t width, uint32_t height, uint8_t depth,
                      uint8_t descriptor) {
    static const char kUncompressed[12] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    static const char kRunLength[12] = {0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    static const char kColourMapped[12] = {0, 1, 1, 0, 0, 0, 1, 24, 0, 0, 0, 0};
    const char* bytes = form == TgaForm::Uncompressed ? kUncompressed
                        : form == TgaForm::RunLength  ? kRunLength
                                                      : kColourMapped;
    std::string out(bytes, 12);
    PutLE16(out, width);
    PutLE16(out, height);
    out.push_back(static_cast<char>(depth));
    out.push_back(static_cast<char>(descriptor));
    return out;
}

std::string TgaUncompressedFile(uint32_t width, uint32_t height, uint8_t depth,
                                const Bytes& picture, uint8_t descriptor) {
    std::string out = TgaHeader(TgaForm::Uncompressed, width, height, depth, descriptor);
    const int channels = depth / 8;
    const Bytes pixels = TgaStoredOrder(width, height, channels, picture, descriptor);
    for (size_t i = 0; i < size_t{width} * height; ++i)
        PutBgr(out, pixels.data() + i * channels, channels);
    return out;
}

std::string TgaRunLengthFile(uint32_t width, uint32_t height, uint8_t depth, const Bytes& picture,
                             uint32_t runLength, uint8_t descriptor) {
    std::string out = TgaHeader(TgaForm::RunLength, width, height, depth, descriptor);
    const int channels = depth / 8;
    const Bytes pixels = TgaStoredOrder(width, height, channels, picture, descriptor);
    const size_t count = size_t{width} * height;
    size_t next = 0;
    if (runLength > 0) {
        out.push_back(static_cast<char>(127 + runLength));
        PutBgr(out, pixels.data(), channels);
        next = runLength;
    }
    while (next < count) {
        const size_t packet = std::min<size_t>(128, count - next);
        out.push_back(static_cast<char>(packet - 1));
        for (size_t i = 0; i < packet; ++i)
            PutBgr(out, pixels.data() + (next + i) * channels, channels);
        next += packet;
    }
    return out;
}

std::string TgaColourMappedFile(uint32_t width, uint32_t height, const Bytes& paletteRgb,
                                const Bytes& picture, uint8_t descriptor) {
    std::string out = TgaHeader(TgaForm::ColourMapped, width, height, 8, descriptor);
    const Bytes indices = TgaStoredOrder(width, height, 1, picture, descriptor);
    for (size_t entry = 0; entry < 256; ++entry) {
        if (entry * 3 + 2 < paletteRgb.size())
            PutBgr(out, paletteRgb.data() + entry * 3, 3);
        else
            out.append(3, '\0');
    }
    out.append(indices.begin(), indices.end());
    return out;
}

std::string DdsFile(const char* fourCC, uint32_t width, uint32_t height, uint32_t linearSize,
                    uint32_t mipLevels, size_t dataBytes) {
    std::string out = "DDS ";
    PutLE32(out, 124);
    PutLE32(out, 0x000A1007);  // caps, height, width, pixel format, mipmap count, linear size
    PutLE32(out, height);
    PutLE32(out, width);
    PutLE32(out, linearSize);
    PutLE32(out, 0);
    PutLE32(out, mipLevels);
    out.append(44, '\0');
    PutLE32(out, 32);  // pixel format size
    PutLE32(out, 4);   // FourCC present
    out.append(fourCC, 4);
    out.append(40, '\0');
    for (size_t i = 0; i < dataBytes; ++i)
        out.push_back(static_cast<char>(i & 0xFF));
    return out;
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file)
        throw std::runtime_error("cannot write " + path);
}

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

namespace {

bool EncodePngPicture(png_structp png, png_infop info, const PngPicture& picture, std::FILE* file) {
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_init_io(png, file);
    png_set_IHDR(png, info, picture.width, picture.height, picture.bitDepth, picture.colourType,
                 picture.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_color palette[256] = {};
    if (!picture.palette.empty()) {
        const size_t entries = picture.palette.size() / 3;
        for (size_t i = 0; i < entries; ++i)
            palette[i] = {picture.palette[i * 3], picture.palette[i * 3 + 1],
                          picture.palette[i * 3 + 2]};
        png_set_PLTE(png, info, palette, static_cast<int>(entries));
    }
    png_color_16 transparentColour = {};
    if (!picture.transparency.empty()) {
        if (picture.colourType == PNG_COLOR_TYPE_PALETTE) {
            png_set_tRNS(png, info, picture.transparency.data(),
                         static_cast<int>(picture.transparency.size()), nullptr);
        } else {
            transparentColour.red = picture.transparency[0];
            transparentColour.green = picture.transparency.size() > 1 ? picture.transparency[1] : 0;
            transparentColour.blue = picture.transparency.size() > 2 ? picture.transparency[2] : 0;
            transparentColour.gray = picture.transparency[0];
            png_set_tRNS(png, info, nullptr, 0, &transparentColour);
        }
    }
    png_write_info(png, info);
    const size_t rowBytes = picture.rows.size() / picture.height;
    std::vector<png_bytep> rows(picture.height);
    for (uint32_t row = 0; row < picture.height; ++row)
        rows[row] = const_cast<png_bytep>(picture.rows.data() + row * rowBytes);
    png_write_image(png, rows.data());
    png_write_end(png, info);
    return true;
}

}  // namespace

void WritePngFile(const std::string& path, const PngPicture& picture) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        throw std::runtime_error("cannot write " + path);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    const bool written = EncodePngPicture(png, info, picture, file);
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    if (!written)
        throw std::runtime_error("libpng could not write " + path);
}

void WriteGreyJpegFile(const std::string& path, uint32_t width, uint32_t height,
                       const Bytes& grey) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        throw std::runtime_error("cannot write " + path);
    jpeg_compress_struct info{};
    jpeg_error_mgr error{};
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = width;
    info.image_height = height;
    info.input_components = 1;
    info.in_color_space = JCS_GRAYSCALE;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 100, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < height) {
        JSAMPROW row = const_cast<JSAMPLE*>(grey.data() + info.next_scanline * width);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::fclose(file);
}
