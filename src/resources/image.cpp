#include "resources/image.h"

#include <cstdio>
#include <cstring>

#include "platform/gl.h"
#include "resources/image_bytes.h"

namespace {

bool EndsWith(const char* path, const char* upper, const char* lower) {
    const size_t length = std::strlen(path);
    if (length < 3)
        return false;
    const char* tail = path + length - 3;
    return std::strcmp(tail, upper) == 0 || std::strcmp(tail, lower) == 0;
}

}  // namespace

int Image::Load(const char* path) {
    Reset();
    if (!path)
        return ImageUnsupported;
    int result = ImageUnsupported;
    if (EndsWith(path, "BMP", "bmp"))
        result = LoadBMP(path);
    else if (EndsWith(path, "TGA", "tga"))
        result = LoadTGA(path);
    else if (EndsWith(path, "JPG", "jpg"))
        result = LoadJPEG(path);
    else if (EndsWith(path, "PNG", "png"))
        result = LoadPNG(path);
    else if (EndsWith(path, "DDS", "dds"))
        result = LoadDDS(path);
    if (result != ImageOk)
        Reset();  // a failed decode leaves no half-filled picture behind
    return result;
}

void Image::Reset() {
    width = 0;
    height = 0;
    quality = 100;
    pixelFormat = 0;
    mipLevels = 0;
    bitsPerPixel = 0;
    compressed = false;
    std::vector<uint8_t>().swap(pixels);
}

int Image::AllocatePixels(uint32_t newWidth, uint32_t newHeight, int bits) {
    const uint64_t bytes = uint64_t{newWidth} * newHeight * (bits / 8);
    if (newWidth > kMaxImageSide || newHeight > kMaxImageSide || bytes > kMaxImageBytes)
        return ImageOutOfMemory;
    if (!ResizeBuffer(pixels, static_cast<size_t>(bytes)))
        return ImageOutOfMemory;
    width = newWidth;
    height = newHeight;
    bitsPerPixel = static_cast<uint8_t>(bits);
    pixelFormat = bits == 32 ? GL_RGBA : GL_RGB;
    compressed = false;
    return ImageOk;
}

int Image::FlipVertical() {
    if (height < 2)
        return ImageOk;
    const size_t rowBytes = RowBytes();
    if (pixels.size() < rowBytes * height)
        return ImageUnsupported;
    std::vector<uint8_t> spare;
    if (!ResizeBuffer(spare, rowBytes))
        return ImageOutOfMemory;
    for (uint32_t row = 0; row < height / 2; ++row) {
        uint8_t* top = pixels.data() + row * rowBytes;
        uint8_t* bottom = pixels.data() + (height - 1 - row) * rowBytes;
        std::memcpy(spare.data(), top, rowBytes);
        std::memcpy(top, bottom, rowBytes);
        std::memcpy(bottom, spare.data(), rowBytes);
    }
    return ImageOk;
}

int Image::Resample(uint32_t newWidth, uint32_t newHeight) {
    if (compressed || newWidth == 0 || newHeight == 0 || width == 0 || height == 0)
        return ImageUnsupported;
    const size_t pixelBytes = bitsPerPixel / 8;
    const uint64_t bytes = uint64_t{newWidth} * newHeight * pixelBytes;
    if (newWidth > kMaxImageSide || newHeight > kMaxImageSide || bytes > kMaxImageBytes)
        return ImageOutOfMemory;
    std::vector<uint8_t> resampled;
    if (!ResizeBuffer(resampled, static_cast<size_t>(bytes)))
        return ImageOutOfMemory;

    const double stepX = static_cast<double>(width) / newWidth;
    const double stepY = static_cast<double>(height) / newHeight;
    const size_t rowBytes = RowBytes();
    uint8_t* out = resampled.data();
    for (uint32_t j = 0; j < newHeight; ++j) {
        const size_t sourceRow = static_cast<size_t>(j * stepY);
        for (uint32_t i = 0; i < newWidth; ++i) {
            const size_t sourceColumn = static_cast<size_t>(i * stepX);
            std::memcpy(out, pixels.data() + sourceRow * rowBytes + sourceColumn * pixelBytes,
                        pixelBytes);
            out += pixelBytes;
        }
    }
    pixels.swap(resampled);
    width = newWidth;
    height = newHeight;
    return ImageOk;
}

int Image::SetPixels(uint32_t newWidth, uint32_t newHeight, int bits, const uint8_t* source) {
    if ((bits != 24 && bits != 32) || !source)
        return ImageUnsupported;
    const int result = AllocatePixels(newWidth, newHeight, bits);
    if (result != ImageOk)
        return result;
    if (!pixels.empty())
        std::memcpy(pixels.data(), source, pixels.size());
    return ImageOk;
}
