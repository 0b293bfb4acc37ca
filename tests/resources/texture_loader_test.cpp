#include "resources/texture_loader.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/gl.h"
#include "resources/image.h"
#include "support/image_files.h"
#include "support/temp_dir.h"

namespace {

TEST(DdsLevels, BlockSizesRoundUpToWholeBlocks) {
    EXPECT_EQ(CompressedLevelSize(GL_COMPRESSED_RGBA_S3TC_DXT1_EXT, 2, 2), 8u);
    EXPECT_EQ(CompressedLevelSize(GL_COMPRESSED_RGBA_S3TC_DXT5_EXT, 1, 1), 16u);
    EXPECT_EQ(CompressedLevelSize(GL_COMPRESSED_RGBA_S3TC_DXT3_EXT, 5, 4), 32u);
    EXPECT_EQ(CompressedLevelSize(GL_COMPRESSED_RGBA_S3TC_DXT1_EXT, 16, 8), 64u);
}

class DdsPlan : public ::testing::Test {
protected:
    std::vector<DdsLevel> Plan(const char* fourCC, uint32_t w, uint32_t h, uint32_t linearSize,
                               uint32_t mips, size_t dataBytes) {
        const std::string path = dir_.File("p.dds");
        WriteFile(path, DdsFile(fourCC, w, h, linearSize, mips, dataBytes));
        Image image;
        EXPECT_EQ(image.Load(path.c_str()), ImageOk);
        return PlanDdsLevels(image);
    }
    TempDir dir_;
};

TEST_F(DdsPlan, LevelsStopAtTheEndOfTheDataRead) {
    // DXT1 8 x 4 with two levels: 16 bytes, then 4 x 2 in 8 bytes.
    std::vector<DdsLevel> levels = Plan("DXT1", 8, 4, 16, 2, 64);
    ASSERT_EQ(levels.size(), 2u);
    EXPECT_EQ(levels[0].size, 16u);
    EXPECT_EQ(levels[0].offset, 0u);
    EXPECT_EQ(levels[1].level, 1);
    EXPECT_EQ(levels[1].width, 4u);
    EXPECT_EQ(levels[1].height, 2u);
    EXPECT_EQ(levels[1].offset, 16u);
    EXPECT_EQ(levels[1].size, 8u);

    // The second level is one byte short in the file: only level 0 goes up.
    EXPECT_EQ(Plan("DXT1", 8, 4, 16, 2, 23).size(), 1u);
    // Level 0 itself is short: nothing goes up.
    EXPECT_TRUE(Plan("DXT1", 8, 4, 16, 1, 15).empty());
    // A header size far beyond the data uploads only what is there.
    EXPECT_TRUE(Plan("DXT5", 65536, 65536, 16, 1, 16).empty());

    // One level, a single 4 x 4 block.
    levels = Plan("DXT5", 4, 4, 16, 1, 16);
    ASSERT_EQ(levels.size(), 1u);
    EXPECT_EQ(levels[0].size, 16u);
    // A mip count of 0 still means the one stored level.
    EXPECT_EQ(Plan("DXT1", 4, 4, 8, 0, 8).size(), 1u);
}

TEST_F(DdsPlan, NarrowChainsClampSidesToOneAndEndWhenBothReachZero) {
    // 8 x 2 DXT3: 8x2, 4x1, 2x1, 1x1, then both sides 0 ends the chain.
    const std::vector<DdsLevel> levels = Plan("DXT3", 8, 2, 32, 9, 32 * 4);
    ASSERT_EQ(levels.size(), 4u);
    EXPECT_EQ(levels[1].width, 4u);
    EXPECT_EQ(levels[1].height, 1u);
    EXPECT_EQ(levels[2].width, 2u);
    EXPECT_EQ(levels[2].height, 1u);
    EXPECT_EQ(levels[3].width, 1u);
    EXPECT_EQ(levels[3].height, 1u);
    EXPECT_EQ(levels[3].offset, 32u + 16 + 16);
}

}  // namespace
