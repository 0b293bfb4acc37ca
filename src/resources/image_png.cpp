// PNG files through libpng. Every colour type and bit depth is converted to
// 8-bit RGB or RGBA (palette and grey expanded, 16-bit stripped, tRNS turned
// into alpha); rows are stored bottom row first.
//
// libpng reports errors by longjmp to the recovery point. The functions that
// set one hold only plain locals, and every C++ object they touch lives in a
// caller's frame, so no destructor is skipped by the jump.

#include <png.h>

#include <csetjmp>
#include <cstdio>

#include "platform/gl.h"
#include "resources/image.h"
#include "resources/image_bytes.h"

namespace {

constexpr size_t kSignatureBytes = 8;
constexpr int kScreenshotCompressionLevel = 2;

// The caller reports failures by result code; libpng prints nothing.
[[noreturn]] void QuietError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}
void QuietWarning(png_structp, png_const_charp) {}

// Reads the header, asks for the conversions and reads the rows into the
// image. Returns ImageOk, ImagePngDecode on any libpng error, or
// ImageOutOfMemory past the size limits.
int DecodePng(png_structp png, png_infop info, Image& image, std::vector<png_bytep>& rows) {
    if (setjmp(png_jmpbuf(png)))
        return ImagePngDecode;
    png_set_user_limits(png, kMaxImageSide, kMaxImageSide);
    png_set_sig_bytes(png, kSignatureBytes);
    png_read_info(png, info);

    png_uint_32 w = 0;
    png_uint_32 h = 0;
    int bitDepth = 0;
    int colourType = 0;
    png_get_IHDR(png, info, &w, &h, &bitDepth, &colourType, nullptr, nullptr, nullptr);
    if (colourType == PNG_COLOR_TYPE_PALETTE)
        png_set_palette_to_rgb(png);
    if (colourType == PNG_COLOR_TYPE_GRAY && bitDepth < 8)
        png_set_expand_gray_1_2_4_to_8(png);
    if (png_get_valid(png, info, PNG_INFO_tRNS))
        png_set_tRNS_to_alpha(png);
    if (bitDepth == 16)
        png_set_strip_16(png);
    if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);

    const int channels = png_get_channels(png, info);
    if (png_get_bit_depth(png, info) != 8 || (channels != 3 && channels != 4))
        return ImagePngDecode;
    const uint64_t rowBytes = png_get_rowbytes(png, info);
    if (rowBytes != uint64_t{w} * channels || rowBytes * h > kMaxImageBytes)
        return ImageOutOfMemory;
    if (!ResizeBuffer(image.pixels, static_cast<size_t>(rowBytes * h)))
        return ImageOutOfMemory;
    try {
        rows.resize(h);
    } catch (const std::bad_alloc&) {
        return ImageOutOfMemory;
    }
    // The file's first row goes to the buffer's last row.
    for (png_uint_32 row = 0; row < h; ++row)
        rows[row] = image.pixels.data() + (h - 1 - row) * rowBytes;
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);

    image.width = w;
    image.height = h;
    image.bitsPerPixel = static_cast<uint8_t>(channels * 8);
    image.pixelFormat = channels == 4 ? GL_RGBA : GL_RGB;
    image.compressed = false;
    return ImageOk;
}

void WriteToFile(png_structp png, png_bytep data, png_size_t length) {
    auto* file = static_cast<std::FILE*>(png_get_io_ptr(png));
    if (std::fwrite(data, 1, length, file) != length)
        png_error(png, "write failed");
}

void FlushFile(png_structp png) {
    std::fflush(static_cast<std::FILE*>(png_get_io_ptr(png)));
}

int EncodePng(png_structp png, png_infop info, std::FILE* file, const Image& image) {
    if (setjmp(png_jmpbuf(png)))
        return ImageUnsupported;
    png_set_write_fn(png, file, WriteToFile, FlushFile);
    png_set_compression_level(png, kScreenshotCompressionLevel);
    const int colourType = image.bitsPerPixel == 32 ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB;
    png_set_IHDR(png, info, image.width, image.height, 8, colourType, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const size_t rowBytes = image.RowBytes();
    for (uint32_t row = 0; row < image.height; ++row)
        png_write_row(png, image.pixels.data() + row * rowBytes);
    png_write_end(png, info);
    return ImageOk;
}

}  // namespace

int Image::LoadPNG(const char* path) {
    std::FILE* file = std::fopen(path, "rb");
    if (!file)
        return ImageCannotOpen;
    png_byte signature[kSignatureBytes] = {};
    int result = ImagePngDecode;
    if (std::fread(signature, 1, kSignatureBytes, file) == kSignatureBytes &&
        png_sig_cmp(signature, 0, kSignatureBytes) == 0) {
        png_structp png =
            png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, QuietError, QuietWarning);
        png_infop info = png ? png_create_info_struct(png) : nullptr;
        if (info) {
            png_init_io(png, file);
            std::vector<png_bytep> rows;
            result = DecodePng(png, info, *this, rows);
        }
        png_destroy_read_struct(png ? &png : nullptr, info ? &info : nullptr, nullptr);
    }
    if (std::fclose(file) != 0 && result == ImageOk)
        return ImagePngCloseFailed;
    return result;
}

int Image::SavePNG(const char* path) const {
    if ((bitsPerPixel != 24 && bitsPerPixel != 32) || width == 0 || height == 0 ||
        pixels.size() < RowBytes() * height)
        return ImageUnsupported;
    std::FILE* file = std::fopen(path, "wb");
    if (!file)
        return ImageCannotOpen;
    int result = ImageUnsupported;
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, QuietError, QuietWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (info)
        result = EncodePng(png, info, file, *this);
    png_destroy_write_struct(png ? &png : nullptr, info ? &info : nullptr);
    if (std::fclose(file) != 0 && result == ImageOk)
        result = ImageUnsupported;
    return result;
}
