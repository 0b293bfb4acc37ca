#include "resources/s3tc.h"

#include "platform/gl.h"
#include "resources/image.h"
#include "resources/image_bytes.h"

namespace {

struct Colour {
    uint8_t r, g, b, a;
};

Colour Expand565(uint16_t packed) {
    const int r = (packed >> 11) & 31;
    const int g = (packed >> 5) & 63;
    const int b = packed & 31;
    return {static_cast<uint8_t>((r << 3) | (r >> 2)), static_cast<uint8_t>((g << 2) | (g >> 4)),
            static_cast<uint8_t>((b << 3) | (b >> 2)), 255};
}

Colour Mix(const Colour& a, const Colour& b, int weightA, int weightB, int divisor) {
    return {static_cast<uint8_t>((a.r * weightA + b.r * weightB) / divisor),
            static_cast<uint8_t>((a.g * weightA + b.g * weightB) / divisor),
            static_cast<uint8_t>((a.b * weightA + b.b * weightB) / divisor), 255};
}

// The four colours of a colour block. DXT1 blocks with colour 0 not above
// colour 1 have three colours and transparent black; DXT3 and DXT5 colour
// blocks always have four.
void ColourTable(const uint8_t* block, bool threeColourMode, Colour table[4]) {
    const uint16_t packed0 = ReadLE16(block);
    const uint16_t packed1 = ReadLE16(block + 2);
    table[0] = Expand565(packed0);
    table[1] = Expand565(packed1);
    if (packed0 > packed1 || !threeColourMode) {
        table[2] = Mix(table[0], table[1], 2, 1, 3);
        table[3] = Mix(table[0], table[1], 1, 2, 3);
    } else {
        table[2] = Mix(table[0], table[1], 1, 1, 2);
        table[3] = {0, 0, 0, 0};
    }
}

// The sixteen alphas of a DXT5 alpha block, pixel by pixel.
void InterpolatedAlphas(const uint8_t* block, uint8_t alphas[16]) {
    const int alpha0 = block[0];
    const int alpha1 = block[1];
    int table[8] = {alpha0, alpha1};
    if (alpha0 > alpha1) {
        for (int i = 2; i < 8; ++i)
            table[i] = ((8 - i) * alpha0 + (i - 1) * alpha1) / 7;
    } else {
        for (int i = 2; i < 6; ++i)
            table[i] = ((6 - i) * alpha0 + (i - 1) * alpha1) / 5;
        table[6] = 0;
        table[7] = 255;
    }
    uint64_t bits = 0;
    for (int i = 0; i < 6; ++i)
        bits |= uint64_t{block[2 + i]} << (8 * i);
    for (int pixel = 0; pixel < 16; ++pixel)
        alphas[pixel] = static_cast<uint8_t>(table[(bits >> (3 * pixel)) & 7]);
}

}  // namespace

bool DecodeS3tcLevel(uint16_t format, uint32_t width, uint32_t height, const uint8_t* blocks,
                     std::vector<uint8_t>& rgba) {
    const bool dxt1 = format == GL_COMPRESSED_RGBA_S3TC_DXT1_EXT;
    const bool dxt3 = format == GL_COMPRESSED_RGBA_S3TC_DXT3_EXT;
    const bool dxt5 = format == GL_COMPRESSED_RGBA_S3TC_DXT5_EXT;
    if (!dxt1 && !dxt3 && !dxt5)
        return false;
    if (!ResizeBuffer(rgba, size_t{width} * height * 4))
        return false;

    const size_t blockBytes = dxt1 ? 8 : 16;
    const uint32_t blocksAcross = (width + 3) / 4;
    const uint32_t blocksDown = (height + 3) / 4;
    for (uint32_t by = 0; by < blocksDown; ++by) {
        for (uint32_t bx = 0; bx < blocksAcross; ++bx) {
            const uint8_t* block = blocks + (size_t{by} * blocksAcross + bx) * blockBytes;
            const uint8_t* colourBlock = dxt1 ? block : block + 8;
            Colour table[4];
            ColourTable(colourBlock, dxt1, table);
            uint8_t alphas[16];
            if (dxt5)
                InterpolatedAlphas(block, alphas);
            const uint32_t indices = ReadLE32(colourBlock + 4);
            for (int pixel = 0; pixel < 16; ++pixel) {
                const uint32_t x = bx * 4 + pixel % 4;
                const uint32_t y = by * 4 + pixel / 4;
                if (x >= width || y >= height)
                    continue;
                Colour c = table[(indices >> (2 * pixel)) & 3];
                if (dxt3)
                    c.a = static_cast<uint8_t>(((block[pixel / 2] >> (4 * (pixel % 2))) & 15) * 17);
                else if (dxt5)
                    c.a = alphas[pixel];
                uint8_t* out = rgba.data() + (size_t{y} * width + x) * 4;
                out[0] = c.r;
                out[1] = c.g;
                out[2] = c.b;
                out[3] = c.a;
            }
        }
    }
    return true;
}
