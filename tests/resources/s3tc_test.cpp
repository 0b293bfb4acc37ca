#include "resources/s3tc.h"

#include <gtest/gtest.h>

#include "platform/gl.h"

namespace {

using Bytes = std::vector<uint8_t>;

// The RGBA of pixel (x, y) of a decoded level.
Bytes Pixel(const Bytes& rgba, uint32_t width, uint32_t x, uint32_t y) {
    const size_t at = (size_t{y} * width + x) * 4;
    return Bytes(rgba.begin() + at, rgba.begin() + at + 4);
}

// Colour 0 pure red (0xF800), colour 1 pure blue (0x001F); pixel i of row 0
// takes index i, rows 1-3 take index 0.
const uint8_t kFourColourBlock[8] = {0x00, 0xF8, 0x1F, 0x00, 0xE4, 0x00, 0x00, 0x00};

TEST(S3tc, Dxt1BlocksHaveFourColoursOrThreeAndTransparentBlack) {
    Bytes rgba;
    ASSERT_TRUE(DecodeS3tcLevel(GL_COMPRESSED_RGBA_S3TC_DXT1_EXT, 4, 4, kFourColourBlock, rgba));
    ASSERT_EQ(rgba.size(), 64u);
    EXPECT_EQ(Pixel(rgba, 4, 0, 0), (Bytes{255, 0, 0, 255}));
    EXPECT_EQ(Pixel(rgba, 4, 1, 0), (Bytes{0, 0, 255, 255}));
    EXPECT_EQ(Pixel(rgba, 4, 2, 0), (Bytes{170, 0, 85, 255}));
    EXPECT_EQ(Pixel(rgba, 4, 3, 0), (Bytes{85, 0, 170, 255}));
    EXPECT_EQ(Pixel(rgba, 4, 3, 3), (Bytes{255, 0, 0, 255}));

    // Colour 0 below colour 1: index 2 is the midpoint, index 3 transparent.
    const uint8_t threeColour[8] = {0x1F, 0x00, 0x00, 0xF8, 0xE4, 0x00, 0x00, 0x00};
    ASSERT_TRUE(DecodeS3tcLevel(GL_COMPRESSED_RGBA_S3TC_DXT1_EXT, 4, 4, threeColour, rgba));
    EXPECT_EQ(Pixel(rgba, 4, 2, 0), (Bytes{127, 0, 127, 255}));
    EXPECT_EQ(Pixel(rgba, 4, 3, 0), (Bytes{0, 0, 0, 0}));

    EXPECT_FALSE(DecodeS3tcLevel(GL_RGBA, 4, 4, kFourColourBlock, rgba));
}

TEST(S3tc, Dxt3AndDxt5CarryTheirAlphaBlocks) {
    Bytes block(16, 0);
    // DXT3: 4-bit alphas, pixel 0 in the low nibble of byte 0.
    block[0] = 0xF0;  // pixel 0 alpha 0, pixel 1 alpha 15
    block[1] = 0x08;  // pixel 2 alpha 8
    std::copy(kFourColourBlock, kFourColourBlock + 8, block.begin() + 8);
    Bytes rgba;
    ASSERT_TRUE(DecodeS3tcLevel(GL_COMPRESSED_RGBA_S3TC_DXT3_EXT, 4, 4, block.data(), rgba));
    EXPECT_EQ(Pixel(rgba, 4, 0, 0), (Bytes{255, 0, 0, 0}));
    EXPECT_EQ(Pixel(rgba, 4, 1, 0), (Bytes{0, 0, 255, 255}));
    EXPECT_EQ(Pixel(rgba, 4, 2, 0)[3], 136);

    // DXT5 with alpha 0 above alpha 1: eight steps; pixel 0 index 0, pixel 1
    // index 1, pixel 2 index 2 = (6 * 200 + 1 * 60) / 7 = 180.
    Bytes dxt5 = {200, 60, 0x88, 0x00, 0, 0, 0, 0};
    dxt5.insert(dxt5.end(), kFourColourBlock, kFourColourBlock + 8);
    ASSERT_TRUE(DecodeS3tcLevel(GL_COMPRESSED_RGBA_S3TC_DXT5_EXT, 4, 4, dxt5.data(), rgba));
    EXPECT_EQ(Pixel(rgba, 4, 0, 0)[3], 200);
    EXPECT_EQ(Pixel(rgba, 4, 1, 0)[3], 60);
    EXPECT_EQ(Pixel(rgba, 4, 2, 0)[3], 180);
    EXPECT_EQ(Pixel(rgba, 4, 2, 0)[0], 170);  // the colour block is always four-colour
    // Alpha 0 not above alpha 1: indices 6 and 7 are 0 and 255.
    dxt5[0] = 10;
    dxt5[1] = 20;
    dxt5[2] = 6 | (7 << 3);
    dxt5[3] = 0;
    ASSERT_TRUE(DecodeS3tcLevel(GL_COMPRESSED_RGBA_S3TC_DXT5_EXT, 4, 4, dxt5.data(), rgba));
    EXPECT_EQ(Pixel(rgba, 4, 0, 0)[3], 0);
    EXPECT_EQ(Pixel(rgba, 4, 1, 0)[3], 255);
}

TEST(S3tc, LevelsSmallerThanABlockOrBetweenBlocksAreClipped) {
    // 5 x 2: two blocks across; the second block's colour 0 is green.
    Bytes blocks(kFourColourBlock, kFourColourBlock + 8);
    blocks.insert(blocks.end(), {0xE0, 0x07, 0x00, 0x00, 0, 0, 0, 0});
    Bytes rgba;
    ASSERT_TRUE(DecodeS3tcLevel(GL_COMPRESSED_RGBA_S3TC_DXT1_EXT, 5, 2, blocks.data(), rgba));
    ASSERT_EQ(rgba.size(), 5u * 2 * 4);
    EXPECT_EQ(Pixel(rgba, 5, 1, 0), (Bytes{0, 0, 255, 255}));
    EXPECT_EQ(Pixel(rgba, 5, 4, 0), (Bytes{0, 255, 0, 255}));
    EXPECT_EQ(Pixel(rgba, 5, 4, 1), (Bytes{0, 255, 0, 255}));
    ASSERT_TRUE(DecodeS3tcLevel(GL_COMPRESSED_RGBA_S3TC_DXT1_EXT, 1, 1, blocks.data(), rgba));
    EXPECT_EQ(rgba, (Bytes{255, 0, 0, 255}));
}

}  // namespace
