#include "picture_files.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

#include "resources/image.h"

namespace {

constexpr int kJpegQuality = 92;

uint8_t ToByte(float value) {
    return static_cast<uint8_t>(std::lround(Clamp01(value) * 255.0f));
}

void PutLE16(std::vector<uint8_t>& out, size_t at, uint32_t value) {
    out[at] = static_cast<uint8_t>(value & 0xFF);
    out[at + 1] = static_cast<uint8_t>((value >> 8) & 0xFF);
}

void PutLE32(std::vector<uint8_t>& out, size_t at, uint32_t value) {
    PutLE16(out, at, value & 0xFFFF);
    PutLE16(out, at + 2, value >> 16);
}

bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, Closer> file(std::fopen(path.c_str(), "wb"));
    if (!file)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
    return std::fclose(file.release()) == 0 && written;
}

bool SaveThroughImage(const Canvas& canvas, PictureFormat format, const std::string& path) {
    const int channels = format == PictureFormat::PngRgba ? 4 : 3;
    // The PNG writer takes the rows as they go in the file; JPEG and TGA take
    // the Image layout, bottom row first.
    const bool bottomFirst = format == PictureFormat::Jpeg || format == PictureFormat::Tga;
    const std::vector<uint8_t> bytes = CanvasBytes(canvas, channels, bottomFirst);
    Image image;
    if (image.SetPixels(canvas.width, canvas.height, channels * 8, bytes.data()) != ImageOk)
        return false;
    image.quality = kJpegQuality;
    switch (format) {
        case PictureFormat::Jpeg:
            return image.SaveJPEG(path.c_str()) == ImageOk;
        case PictureFormat::Tga:
            return image.SaveTGA(path.c_str()) == ImageOk;
        default:
            return image.SavePNG(path.c_str()) == ImageOk;
    }
}

uint16_t Pack565(int r, int g, int b) {
    return static_cast<uint16_t>(((r * 31 + 127) / 255) << 11 | ((g * 63 + 127) / 255) << 5 |
                                 ((b * 31 + 127) / 255));
}

void Unpack565(uint16_t packed, int colour[3]) {
    const int r = (packed >> 11) & 31;
    const int g = (packed >> 5) & 63;
    const int b = packed & 31;
    colour[0] = (r << 3) | (r >> 2);
    colour[1] = (g << 2) | (g >> 4);
    colour[2] = (b << 3) | (b >> 2);
}

// The block's main colour axis: power iteration on the covariance, started
// from its strongest column so that an axis orthogonal to (1, 1, 1) is found.
void MainAxis(const uint8_t rgba[64], const float mean[3], float axis[3]) {
    float covariance[3][3] = {};
    for (int i = 0; i < 16; ++i)
        for (int a = 0; a < 3; ++a)
            for (int b = 0; b < 3; ++b)
                covariance[a][b] += (rgba[i * 4 + a] - mean[a]) * (rgba[i * 4 + b] - mean[b]);
    int strongest = 0;
    for (int c = 1; c < 3; ++c)
        if (covariance[c][c] > covariance[strongest][strongest])
            strongest = c;
    for (int c = 0; c < 3; ++c)
        axis[c] = covariance[c][strongest];
    for (int iteration = 0; iteration < 8; ++iteration) {
        const float length = std::sqrt(axis[0] * axis[0] + axis[1] * axis[1] + axis[2] * axis[2]);
        if (length < 1e-6f) {
            axis[0] = axis[1] = axis[2] = 0.57735f;
            return;
        }
        float next[3] = {0, 0, 0};
        for (int a = 0; a < 3; ++a)
            for (int b = 0; b < 3; ++b)
                next[a] += covariance[a][b] * axis[b] / length;
        std::copy(next, next + 3, axis);
    }
    const float length = std::sqrt(axis[0] * axis[0] + axis[1] * axis[1] + axis[2] * axis[2]);
    for (int c = 0; c < 3; ++c)
        axis[c] = length < 1e-6f ? 0.57735f : axis[c] / length;
}

// The end colours: the block's extremes along its main colour axis.
void EndColours(const uint8_t rgba[64], uint16_t& colour0, uint16_t& colour1) {
    float mean[3] = {0, 0, 0};
    for (int i = 0; i < 16; ++i)
        for (int c = 0; c < 3; ++c)
            mean[c] += rgba[i * 4 + c] / 16.0f;
    float axis[3];
    MainAxis(rgba, mean, axis);
    int low = 0;
    int high = 0;
    float lowDot = 1e9f;
    float highDot = -1e9f;
    for (int i = 0; i < 16; ++i) {
        float dot = 0.0f;
        for (int c = 0; c < 3; ++c)
            dot += (rgba[i * 4 + c] - mean[c]) * axis[c];
        if (dot < lowDot) {
            lowDot = dot;
            low = i;
        }
        if (dot > highDot) {
            highDot = dot;
            high = i;
        }
    }
    colour0 = Pack565(rgba[high * 4], rgba[high * 4 + 1], rgba[high * 4 + 2]);
    colour1 = Pack565(rgba[low * 4], rgba[low * 4 + 1], rgba[low * 4 + 2]);
}

// Picks the nearest of the four block colours for every pixel (colour0 must
// be above colour1); returns the summed squared error.
int ChooseIndices(const uint8_t rgba[64], uint16_t colour0, uint16_t colour1, uint32_t& indices) {
    int table[4][3];
    Unpack565(colour0, table[0]);
    Unpack565(colour1, table[1]);
    for (int c = 0; c < 3; ++c) {
        table[2][c] = (2 * table[0][c] + table[1][c]) / 3;
        table[3][c] = (table[0][c] + 2 * table[1][c]) / 3;
    }
    indices = 0;
    int total = 0;
    for (int i = 0; i < 16; ++i) {
        int best = 0;
        int bestError = 1 << 30;
        for (int k = 0; k < 4; ++k) {
            int error = 0;
            for (int c = 0; c < 3; ++c) {
                const int d = rgba[i * 4 + c] - table[k][c];
                error += d * d;
            }
            if (error < bestError) {
                bestError = error;
                best = k;
            }
        }
        indices |= static_cast<uint32_t>(best) << (2 * i);
        total += bestError;
    }
    return total;
}

// The end colours that fit the chosen indices best in the least-squares sense.
bool RefitEndColours(const uint8_t rgba[64], uint32_t indices, uint16_t& colour0,
                     uint16_t& colour1) {
    constexpr float kWeight0[4] = {1.0f, 0.0f, 2.0f / 3.0f, 1.0f / 3.0f};
    float aa = 0, ab = 0, bb = 0, ax[3] = {0, 0, 0}, bx[3] = {0, 0, 0};
    for (int i = 0; i < 16; ++i) {
        const float a = kWeight0[(indices >> (2 * i)) & 3];
        const float b = 1.0f - a;
        aa += a * a;
        ab += a * b;
        bb += b * b;
        for (int c = 0; c < 3; ++c) {
            ax[c] += a * rgba[i * 4 + c];
            bx[c] += b * rgba[i * 4 + c];
        }
    }
    const float determinant = aa * bb - ab * ab;
    if (std::fabs(determinant) < 1e-6f)
        return false;
    int end0[3], end1[3];
    for (int c = 0; c < 3; ++c) {
        const float e0 = (ax[c] * bb - bx[c] * ab) / determinant;
        const float e1 = (bx[c] * aa - ax[c] * ab) / determinant;
        end0[c] = std::clamp(static_cast<int>(std::lround(e0)), 0, 255);
        end1[c] = std::clamp(static_cast<int>(std::lround(e1)), 0, 255);
    }
    colour0 = Pack565(end0[0], end0[1], end0[2]);
    colour1 = Pack565(end1[0], end1[1], end1[2]);
    return true;
}

}  // namespace

std::vector<uint8_t> CanvasBytes(const Canvas& canvas, int channels, bool bottomRowFirst) {
    std::vector<uint8_t> bytes;
    bytes.reserve(static_cast<size_t>(canvas.width) * canvas.height * channels);
    for (int row = 0; row < canvas.height; ++row) {
        const int y = bottomRowFirst ? canvas.height - 1 - row : row;
        for (int x = 0; x < canvas.width; ++x) {
            const Rgba& pixel = canvas.At(x, y);
            bytes.push_back(ToByte(pixel.r));
            bytes.push_back(ToByte(pixel.g));
            bytes.push_back(ToByte(pixel.b));
            if (channels == 4)
                bytes.push_back(ToByte(pixel.a));
        }
    }
    return bytes;
}

std::vector<uint8_t> EncodeBmp24(const Canvas& canvas) {
    constexpr size_t kHeaders = 54;
    const size_t rowBytes = (static_cast<size_t>(canvas.width) * 3 + 3) & ~size_t{3};
    std::vector<uint8_t> file(kHeaders + rowBytes * canvas.height, 0);
    file[0] = 'B';
    file[1] = 'M';
    PutLE32(file, 2, static_cast<uint32_t>(file.size()));
    PutLE32(file, 10, kHeaders);
    PutLE32(file, 14, 40);
    PutLE32(file, 18, static_cast<uint32_t>(canvas.width));
    PutLE32(file, 22, static_cast<uint32_t>(canvas.height));
    PutLE16(file, 26, 1);
    PutLE16(file, 28, 24);
    PutLE32(file, 34, static_cast<uint32_t>(rowBytes * canvas.height));
    PutLE32(file, 38, 2835);  // 72 dots per inch
    PutLE32(file, 42, 2835);
    const std::vector<uint8_t> rgb = CanvasBytes(canvas, 3, true);
    for (int row = 0; row < canvas.height; ++row)
        for (int x = 0; x < canvas.width; ++x) {
            const uint8_t* in = rgb.data() + (static_cast<size_t>(row) * canvas.width + x) * 3;
            uint8_t* out = file.data() + kHeaders + row * rowBytes + x * 3;
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
        }
    return file;
}

void EncodeDxt1Block(const uint8_t rgba[64], uint8_t block[8]) {
    uint16_t colour0 = 0;
    uint16_t colour1 = 0;
    EndColours(rgba, colour0, colour1);
    uint32_t indices = 0;
    // Four-colour mode needs colour0 above colour1; equal end colours fall
    // into three-colour mode, where index 0 is still colour0 and opaque.
    if (colour0 < colour1)
        std::swap(colour0, colour1);
    if (colour0 != colour1) {
        const int error = ChooseIndices(rgba, colour0, colour1, indices);
        uint16_t refit0 = colour0;
        uint16_t refit1 = colour1;
        if (RefitEndColours(rgba, indices, refit0, refit1)) {
            if (refit0 < refit1)
                std::swap(refit0, refit1);
            uint32_t refitIndices = 0;
            if (refit0 != refit1 && ChooseIndices(rgba, refit0, refit1, refitIndices) < error) {
                colour0 = refit0;
                colour1 = refit1;
                indices = refitIndices;
            }
        }
    }
    block[0] = static_cast<uint8_t>(colour0 & 0xFF);
    block[1] = static_cast<uint8_t>(colour0 >> 8);
    block[2] = static_cast<uint8_t>(colour1 & 0xFF);
    block[3] = static_cast<uint8_t>(colour1 >> 8);
    for (int i = 0; i < 4; ++i)
        block[4 + i] = static_cast<uint8_t>((indices >> (8 * i)) & 0xFF);
}

std::vector<uint8_t> EncodeDxt1Level(const Canvas& canvas) {
    const std::vector<uint8_t> rgba = CanvasBytes(canvas, 4, false);
    const int blocksAcross = (canvas.width + 3) / 4;
    const int blocksDown = (canvas.height + 3) / 4;
    std::vector<uint8_t> blocks(static_cast<size_t>(blocksAcross) * blocksDown * 8);
    for (int by = 0; by < blocksDown; ++by)
        for (int bx = 0; bx < blocksAcross; ++bx) {
            uint8_t pixels[64];
            for (int i = 0; i < 16; ++i) {
                const int x = std::min(bx * 4 + i % 4, canvas.width - 1);
                const int y = std::min(by * 4 + i / 4, canvas.height - 1);
                std::memcpy(pixels + i * 4,
                            rgba.data() + (static_cast<size_t>(y) * canvas.width + x) * 4, 4);
            }
            EncodeDxt1Block(pixels,
                            blocks.data() + (static_cast<size_t>(by) * blocksAcross + bx) * 8);
        }
    return blocks;
}

std::vector<Canvas> MipChain(const Canvas& canvas) {
    std::vector<Canvas> chain{canvas};
    while (chain.back().width > 1 || chain.back().height > 1) {
        const Canvas& from = chain.back();
        Canvas half(std::max(from.width / 2, 1), std::max(from.height / 2, 1));
        for (int y = 0; y < half.height; ++y)
            for (int x = 0; x < half.width; ++x) {
                Rgba sum{0, 0, 0, 0};
                for (int k = 0; k < 4; ++k) {
                    const Rgba& p = from.At(std::min(2 * x + k % 2, from.width - 1),
                                            std::min(2 * y + k / 2, from.height - 1));
                    sum = {sum.r + p.r / 4, sum.g + p.g / 4, sum.b + p.b / 4, sum.a + p.a / 4};
                }
                half.At(x, y) = sum;
            }
        chain.push_back(std::move(half));
    }
    return chain;
}

std::vector<uint8_t> EncodeDdsDxt1(const Canvas& canvas) {
    constexpr uint32_t kCaps = 0x1, kHeight = 0x2, kWidth = 0x4, kPixelFormat = 0x1000,
                       kMipMapCount = 0x20000, kLinearSize = 0x80000;
    constexpr uint32_t kFourCCFlag = 0x4;
    constexpr uint32_t kCapsComplex = 0x8, kCapsTexture = 0x1000, kCapsMipMap = 0x400000;
    const std::vector<Canvas> chain = MipChain(canvas);
    std::vector<uint8_t> file(128, 0);
    std::memcpy(file.data(), "DDS ", 4);
    PutLE32(file, 4, 124);
    PutLE32(file, 8, kCaps | kHeight | kWidth | kPixelFormat | kMipMapCount | kLinearSize);
    PutLE32(file, 12, static_cast<uint32_t>(canvas.height));
    PutLE32(file, 16, static_cast<uint32_t>(canvas.width));
    PutLE32(file, 20, static_cast<uint32_t>(EncodeDxt1Level(canvas).size()));
    PutLE32(file, 28, static_cast<uint32_t>(chain.size()));
    PutLE32(file, 76, 32);
    PutLE32(file, 80, kFourCCFlag);
    std::memcpy(file.data() + 84, "DXT1", 4);
    PutLE32(file, 108, kCapsComplex | kCapsTexture | kCapsMipMap);
    for (const Canvas& level : chain) {
        const std::vector<uint8_t> blocks = EncodeDxt1Level(level);
        file.insert(file.end(), blocks.begin(), blocks.end());
    }
    return file;
}

bool SavePicture(const Canvas& canvas, PictureFormat format, const std::string& path) {
    switch (format) {
        case PictureFormat::Bmp:
            return WriteBytes(path, EncodeBmp24(canvas));
        case PictureFormat::DdsDxt1:
            return WriteBytes(path, EncodeDdsDxt1(canvas));
        default:
            return SaveThroughImage(canvas, format, path);
    }
}
