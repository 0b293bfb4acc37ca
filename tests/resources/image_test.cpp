#include "resources/image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/gl.h"
#include "support/image_files.h"
#include "support/temp_dir.h"

namespace {

class ImageFiles : public ::testing::Test {
protected:
    int LoadBytes(const std::string& name, const std::string& bytes) {
        const std::string path = dir_.File(name);
        WriteFile(path, bytes);
        return image_.Load(path.c_str());
    }

    // Every proper prefix of a valid file must fail, leaving an empty image.
    void ExpectEveryPrefixFails(const std::string& name, const std::string& bytes) {
        for (size_t length = 0; length < bytes.size(); ++length) {
            const int result = LoadBytes(name, bytes.substr(0, length));
            EXPECT_NE(result, ImageOk) << name << " cut to " << length << " bytes";
            EXPECT_TRUE(image_.pixels.empty());
            EXPECT_EQ(image_.width, 0u);
        }
        EXPECT_EQ(LoadBytes(name, bytes), ImageOk) << name;
    }

    TempDir dir_;
    Image image_;
};

TEST(ImageOperations, ResetFreesPixelsAndRestoresQuality) {
    Image image;
    EXPECT_EQ(image.quality, 100);
    const Bytes rgba = PatternPixels(2, 2, 4);
    ASSERT_EQ(image.SetPixels(2, 2, 32, rgba.data()), ImageOk);
    EXPECT_EQ(image.pixelFormat, GL_RGBA);
    EXPECT_EQ(image.bitsPerPixel, 32);
    EXPECT_EQ(image.pixels, rgba);
    image.quality = 40;
    image.Reset();
    EXPECT_EQ(image.quality, 100);
    EXPECT_EQ(image.width, 0u);
    EXPECT_EQ(image.height, 0u);
    EXPECT_EQ(image.pixelFormat, 0);
    EXPECT_TRUE(image.pixels.empty());

    EXPECT_EQ(image.SetPixels(2, 2, 16, rgba.data()), ImageUnsupported);
    const Bytes rgb = PatternPixels(3, 1, 3);
    ASSERT_EQ(image.SetPixels(3, 1, 24, rgb.data()), ImageOk);
    EXPECT_EQ(image.pixelFormat, GL_RGB);
    EXPECT_EQ(image.RowBytes(), 9u);
}

TEST(ImageOperations, FlipVerticalSwapsOuterRowsAndKeepsTheMiddle) {
    Image image;
    const Bytes rgb = PatternPixels(2, 3, 3);
    ASSERT_EQ(image.SetPixels(2, 3, 24, rgb.data()), ImageOk);
    ASSERT_EQ(image.FlipVertical(), ImageOk);
    const Bytes row0(rgb.begin(), rgb.begin() + 6);
    const Bytes row1(rgb.begin() + 6, rgb.begin() + 12);
    const Bytes row2(rgb.begin() + 12, rgb.end());
    EXPECT_EQ(Bytes(image.pixels.begin(), image.pixels.begin() + 6), row2);
    EXPECT_EQ(Bytes(image.pixels.begin() + 6, image.pixels.begin() + 12), row1);
    EXPECT_EQ(Bytes(image.pixels.begin() + 12, image.pixels.end()), row0);

    ASSERT_EQ(image.SetPixels(2, 1, 24, rgb.data()), ImageOk);
    ASSERT_EQ(image.FlipVertical(), ImageOk);
    EXPECT_EQ(image.pixels, row0);
}

TEST(ImageOperations, ResampleTakesNearestSourceColumnsAndRows) {
    Image image;
    const Bytes rgba = PatternPixels(4, 2, 4);
    ASSERT_EQ(image.SetPixels(4, 2, 32, rgba.data()), ImageOk);
    ASSERT_EQ(image.Resample(2, 2), ImageOk);
    EXPECT_EQ(image.width, 2u);
    EXPECT_EQ(image.height, 2u);
    ASSERT_EQ(image.pixels.size(), 16u);
    for (uint32_t row = 0; row < 2; ++row) {
        for (uint32_t column = 0; column < 2; ++column) {
            const uint8_t* got = image.pixels.data() + (row * 2 + column) * 4;
            const uint8_t* want = rgba.data() + (row * 4 + column * 2) * 4;
            EXPECT_EQ(Bytes(got, got + 4), Bytes(want, want + 4)) << row << "," << column;
        }
    }

    // Growing repeats pixels: 2 x 1 to 3 x 2 takes columns 0, 0, 1 of row 0.
    const Bytes rgb = PatternPixels(2, 1, 3);
    ASSERT_EQ(image.SetPixels(2, 1, 24, rgb.data()), ImageOk);
    ASSERT_EQ(image.Resample(3, 2), ImageOk);
    const Bytes first(rgb.begin(), rgb.begin() + 3);
    const Bytes second(rgb.begin() + 3, rgb.end());
    Bytes expectedRow = first;
    expectedRow.insert(expectedRow.end(), first.begin(), first.end());
    expectedRow.insert(expectedRow.end(), second.begin(), second.end());
    EXPECT_EQ(Bytes(image.pixels.begin(), image.pixels.begin() + 9), expectedRow);
    EXPECT_EQ(Bytes(image.pixels.begin() + 9, image.pixels.end()), expectedRow);

    EXPECT_EQ(image.Resample(0, 2), ImageUnsupported);
    EXPECT_EQ(image.Resample(kMaxImageSide + 1, 1), ImageOutOfMemory);
}

TEST_F(ImageFiles, ExtensionAloneChoosesTheDecoder) {
    const std::string bmp = BmpFile24(2, 2, PatternPixels(2, 2, 3));
    EXPECT_EQ(LoadBytes("a.bmp", bmp), ImageOk);
    EXPECT_EQ(LoadBytes("a.BMP", bmp), ImageOk);
    EXPECT_EQ(LoadBytes("a.Bmp", bmp), ImageUnsupported);
    EXPECT_EQ(LoadBytes("a.jpeg", bmp), ImageUnsupported);
    EXPECT_EQ(LoadBytes("a.Png", bmp), ImageUnsupported);
    EXPECT_EQ(LoadBytes("bmp", bmp), ImageOk);  // only the last three characters count
    EXPECT_EQ(LoadBytes("mp", bmp), ImageUnsupported);
    // The content is never used to guess: a BMP named .tga is a bad TGA.
    EXPECT_EQ(LoadBytes("a.tga", bmp), ImageTgaHeader);
    EXPECT_EQ(LoadBytes("a.dds", bmp), ImageDdsNoMagic);
    EXPECT_EQ(LoadBytes("a.png", bmp), ImagePngDecode);
    EXPECT_EQ(image_.Load(dir_.File("missing.bmp").c_str()), ImageCannotOpen);
    EXPECT_EQ(image_.Load(dir_.File("missing.png").c_str()), ImageCannotOpen);
    EXPECT_EQ(image_.Load(dir_.File("missing.jpg").c_str()), ImageCannotOpen);
    EXPECT_EQ(image_.Load(nullptr), ImageUnsupported);
}

TEST_F(ImageFiles, Bmp24RowsArriveTightlyPackedBottomRowFirst) {
    for (uint32_t width : {4u, 5u, 6u, 7u}) {
        const Bytes rgb = PatternPixels(width, 3, 3);
        const std::string file = BmpFile24(width, 3, rgb);
        const size_t storedRow = width == 4 ? 12 : width == 5 ? 16 : width * 3 + width % 4;
        ASSERT_EQ(file.size(), 54 + 3 * storedRow);
        ASSERT_EQ(LoadBytes("p.bmp", file), ImageOk) << width;
        EXPECT_EQ(image_.width, width);
        EXPECT_EQ(image_.height, 3u);
        EXPECT_EQ(image_.bitsPerPixel, 24);
        EXPECT_EQ(image_.pixelFormat, GL_RGB);
        EXPECT_FALSE(image_.compressed);
        EXPECT_EQ(image_.pixels, rgb) << width;
    }
}

TEST_F(ImageFiles, Bmp8ExpandsIndicesThroughThePaletteAfterAnyHeader) {
    const Bytes palette = PatternPixels(16, 1, 3);
    const Bytes indices = {0, 1, 2, 15, 0, 14, 2, 2, 1, 0};  // 5 x 2, rows padded to 8
    Bytes expected;
    for (uint8_t index : indices)
        expected.insert(expected.end(), palette.begin() + index * 3,
                        palette.begin() + index * 3 + 3);
    // The palette follows the information header, whatever its size, and
    // holds the header's colour count of entries (256 when it is 0).
    struct Form {
        uint32_t infoHeaderBytes;
        uint32_t colourCount;
    };
    for (const Form form : {Form{40, 256}, Form{108, 256}, Form{124, 256}, Form{40, 16},
                            Form{124, 16}, Form{108, 0}}) {
        const std::string file =
            BmpFile8(5, 2, palette, indices, form.infoHeaderBytes, form.colourCount);
        ASSERT_EQ(LoadBytes("p.bmp", file), ImageOk) << form.infoHeaderBytes;
        EXPECT_EQ(image_.width, 5u);
        EXPECT_EQ(image_.bitsPerPixel, 24);
        EXPECT_EQ(image_.pixels, expected)
            << form.infoHeaderBytes << " header bytes, " << form.colourCount << " colours";
    }

    // Indices past the stored entries and counts past 256 are damage.
    Bytes beyond = indices;
    beyond[7] = 16;
    EXPECT_EQ(LoadBytes("p.bmp", BmpFile8(5, 2, palette, beyond, 124, 16)), ImageDamaged);
    EXPECT_EQ(LoadBytes("p.bmp", BmpFile8(5, 2, palette, beyond, 40, 17)), ImageOk);
    EXPECT_EQ(LoadBytes("p.bmp", BmpFile8(5, 2, palette, indices, 40, 257)), ImageDamaged);
}

TEST_F(ImageFiles, BmpFailuresAndDamage) {
    std::string file = BmpFile24(4, 2, PatternPixels(4, 2, 3));
    std::string bad = file;
    bad[0] = 'X';
    EXPECT_EQ(LoadBytes("b.bmp", bad), ImageBmpNoMagic);
    bad = file;
    bad[28] = 32;
    EXPECT_EQ(LoadBytes("b.bmp", bad), ImageBmpDepth);
    bad = file;
    bad[10] = 100;  // pixel data would start beyond the rows the file holds
    EXPECT_EQ(LoadBytes("b.bmp", bad), ImageDamaged);
    bad = file;
    bad[13] = 0x7F;  // offset far beyond the file
    EXPECT_EQ(LoadBytes("b.bmp", bad), ImageDamaged);
    bad = file;
    bad[25] = static_cast<char>(0xFF);  // negative height: top-down files are not read
    EXPECT_EQ(LoadBytes("b.bmp", bad), ImageDamaged);
    bad = file;
    bad[30] = 1;  // run-length compressed
    EXPECT_EQ(LoadBytes("b.bmp", bad), ImageDamaged);
    bad = file;
    bad[21] = 0x40;  // absurd width: refused before any allocation
    EXPECT_EQ(LoadBytes("b.bmp", bad), ImageDamaged);
    bad = file;
    bad[14] = 12;  // the oldest 12-byte header keeps its fields elsewhere
    EXPECT_EQ(LoadBytes("b.bmp", bad), ImageDamaged);
    bad = BmpFile8(3, 2, {1, 2, 3}, {0, 0, 0, 0, 0, 0}, 124, 16);
    bad[15] = 0x10;  // a header past the end leaves no room for the palette
    EXPECT_EQ(LoadBytes("b.bmp", bad), ImageDamaged);

    ExpectEveryPrefixFails("b.bmp", file);
    ExpectEveryPrefixFails("c.bmp", BmpFile8(3, 2, {1, 2, 3}, {0, 0, 0, 0, 0, 0}));
    ExpectEveryPrefixFails("d.bmp", BmpFile8(3, 2, {1, 2, 3}, {0, 0, 0, 0, 0, 0}, 108, 2));
}

TEST_F(ImageFiles, TgaEveryFormDecodesBottomRowFirst) {
    const Bytes rgb = PatternPixels(3, 2, 3);
    const Bytes rgba = PatternPixels(3, 2, 4);

    ASSERT_EQ(LoadBytes("t.tga", TgaUncompressedFile(3, 2, 24, rgb)), ImageOk);
    EXPECT_EQ(image_.pixelFormat, GL_RGB);
    EXPECT_EQ(image_.bitsPerPixel, 24);
    EXPECT_EQ(image_.pixels, rgb);

    ASSERT_EQ(LoadBytes("t.tga", TgaUncompressedFile(3, 2, 32, rgba)), ImageOk);
    EXPECT_EQ(image_.pixelFormat, GL_RGBA);
    EXPECT_EQ(image_.bitsPerPixel, 32);
    EXPECT_EQ(image_.pixels, rgba);

    // A run of the first pixel over the first two, then raw packets.
    Bytes runPixels = rgba;
    std::copy(rgba.begin(), rgba.begin() + 4, runPixels.begin() + 4);
    ASSERT_EQ(LoadBytes("t.tga", TgaRunLengthFile(3, 2, 32, runPixels, 2)), ImageOk);
    EXPECT_EQ(image_.pixels, runPixels);
    ASSERT_EQ(LoadBytes("t.tga", TgaRunLengthFile(3, 2, 24, rgb, 0)), ImageOk);
    EXPECT_EQ(image_.pixels, rgb);
    // A picture larger than one packet of 128.
    const Bytes big = PatternPixels(20, 10, 3);
    ASSERT_EQ(LoadBytes("t.tga", TgaRunLengthFile(20, 10, 24, big, 0)), ImageOk);
    EXPECT_EQ(image_.pixels, big);

    const Bytes palette = {1, 2, 3, 4, 5, 6};
    ASSERT_EQ(LoadBytes("t.tga", TgaColourMappedFile(2, 2, palette, {1, 0, 0, 1})), ImageOk);
    EXPECT_EQ(image_.pixelFormat, GL_RGB);
    EXPECT_EQ(image_.pixels, (Bytes{4, 5, 6, 1, 2, 3, 1, 2, 3, 4, 5, 6}));
}

TEST_F(ImageFiles, TgaDescriptorTurnsEveryStoredOrderBottomUp) {
    // The outer rows start and end with two equal pixels, so the run of two
    // that opens a run-length file is exact from whichever corner it starts.
    const uint32_t w = 4;
    const uint32_t h = 3;
    auto picture = [&](int channels) {
        Bytes pixels = PatternPixels(w, h, channels);
        for (uint32_t y : {0u, h - 1}) {
            uint8_t* row = pixels.data() + y * w * channels;
            std::copy_n(row, channels, row + channels);
            std::copy_n(row + 3 * channels, channels, row + 2 * channels);
        }
        return pixels;
    };
    const Bytes indices = {3, 23, 43, 63, 83, 103, 123, 143, 163, 183, 203, 223};
    const Bytes palette = PatternPixels(256, 1, 3);
    Bytes mapped;
    for (uint8_t index : indices)
        mapped.insert(mapped.end(), palette.begin() + index * 3, palette.begin() + index * 3 + 3);

    // Bit 4: right to left; bit 5: top row first; the alpha depth bits change nothing.
    for (const uint8_t descriptor : {0x00, 0x10, 0x20, 0x30, 0x28}) {
        for (const uint8_t depth : {24, 32}) {
            const Bytes pixels = picture(depth / 8);
            const std::string file = TgaUncompressedFile(w, h, depth, pixels, descriptor);
            if ((descriptor & 0x30) != 0) {
                ASSERT_NE(file.substr(18), TgaUncompressedFile(w, h, depth, pixels).substr(18));
            }
            ASSERT_EQ(LoadBytes("d.tga", file), ImageOk);
            EXPECT_EQ(image_.pixels, pixels) << "descriptor " << int{descriptor} << " raw";
            ASSERT_EQ(LoadBytes("d.tga", TgaRunLengthFile(w, h, depth, pixels, 2, descriptor)),
                      ImageOk);
            EXPECT_EQ(image_.pixels, pixels) << "descriptor " << int{descriptor} << " rle";
        }
        ASSERT_EQ(LoadBytes("d.tga", TgaColourMappedFile(w, h, palette, indices, descriptor)),
                  ImageOk);
        EXPECT_EQ(image_.pixels, mapped) << "descriptor " << int{descriptor} << " mapped";
    }
}

TEST_F(ImageFiles, TgaRejectsOtherHeadersSizesAndDepths) {
    const std::string good = TgaUncompressedFile(2, 2, 24, PatternPixels(2, 2, 3));
    // Any change of the first 12 bytes leaves every accepted form.
    for (size_t at = 0; at < 12; ++at) {
        std::string bad = good;
        bad[at] = static_cast<char>(bad[at] ^ 0x01);
        if (at == 2)
            bad[at] = 3;  // uncompressed grey
        EXPECT_EQ(LoadBytes("h.tga", bad), ImageTgaHeader) << "byte " << at;
    }
    EXPECT_EQ(LoadBytes("h.tga", TgaHeader(TgaForm::Uncompressed, 0, 2, 24)), ImageTgaHeader);
    EXPECT_EQ(LoadBytes("h.tga", TgaHeader(TgaForm::RunLength, 2, 0, 24)), ImageTgaHeader);
    EXPECT_EQ(LoadBytes("h.tga", TgaHeader(TgaForm::Uncompressed, 2, 2, 16) + std::string(8, 'x')),
              ImageTgaHeader);
    EXPECT_EQ(
        LoadBytes("h.tga", TgaHeader(TgaForm::ColourMapped, 2, 2, 24) + std::string(800, 'x')),
        ImageTgaHeader);
    EXPECT_EQ(LoadBytes("h.tga", std::string()), ImageTgaHeader);
}

TEST_F(ImageFiles, TgaShortDataAndBadPacketsFailWithTheirCodes) {
    const Bytes rgb = PatternPixels(2, 2, 3);
    std::string uncompressed = TgaUncompressedFile(2, 2, 24, rgb);
    uncompressed.pop_back();
    EXPECT_EQ(LoadBytes("s.tga", uncompressed), ImageTgaDataShort);
    EXPECT_TRUE(image_.pixels.empty());

    const std::string header = TgaHeader(TgaForm::RunLength, 2, 2, 24);
    // A run of 3 then a run of 2: one pixel too many.
    EXPECT_EQ(LoadBytes("r.tga", header + "\x82" + "abc" + "\x81" + "abc"), ImageTgaPacketOverrun);
    // A raw packet of 5 pixels in a 4-pixel picture.
    EXPECT_EQ(LoadBytes("r.tga", header + "\x04" + std::string(15, 'a')), ImageTgaPacketOverrun);
    // A raw packet whose second pixel is cut short.
    EXPECT_EQ(LoadBytes("r.tga", header + "\x03" + "abcab"), ImageTgaPacketOverrun);
    // The run pixel is cut short.
    EXPECT_EQ(LoadBytes("r.tga", header + "\x83" + "ab"), ImageTgaDataShort);
    // Two pixels filled, then the file ends before the next packet header.
    EXPECT_EQ(LoadBytes("r.tga", header + "\x81" + "abc"), ImageTgaPacketHeader);
    // 65535 x 65535 is past the size limit: refused before allocating.
    EXPECT_EQ(LoadBytes("r.tga", TgaHeader(TgaForm::RunLength, 65535, 65535, 32) + "\xFF" + "abcd"),
              ImageOutOfMemory);
    // The colour map or the indices cut short.
    std::string mapped = TgaColourMappedFile(2, 2, {}, {0, 0, 0, 0});
    mapped.pop_back();
    EXPECT_EQ(LoadBytes("m.tga", mapped), ImageTgaDataShort);

    ExpectEveryPrefixFails("u.tga", TgaUncompressedFile(3, 2, 32, PatternPixels(3, 2, 4)));
    ExpectEveryPrefixFails("r.tga", TgaRunLengthFile(3, 2, 24, PatternPixels(3, 2, 3), 2));
    ExpectEveryPrefixFails("m.tga", TgaColourMappedFile(2, 2, {9, 8, 7}, {0, 0, 0, 0}));
}

TEST_F(ImageFiles, TgaWriterRoundTripsAndWritesTheDefaultOrigin) {
    Image source;
    const Bytes rgba = PatternPixels(3, 2, 4);
    ASSERT_EQ(source.SetPixels(3, 2, 32, rgba.data()), ImageOk);
    const std::string path = dir_.File("w.tga");
    ASSERT_EQ(source.SaveTGA(path.c_str()), ImageOk);
    const std::string bytes = ReadFile(path);
    ASSERT_EQ(bytes.size(), 18u + 3 * 2 * 4);
    EXPECT_EQ(bytes, TgaUncompressedFile(3, 2, 32, rgba));
    ASSERT_EQ(image_.Load(path.c_str()), ImageOk);
    EXPECT_EQ(image_.pixels, rgba);

    EXPECT_EQ(source.SaveTGA(dir_.File("no/such/folder.tga").c_str()), ImageCannotOpen);
    source.Reset();
    EXPECT_EQ(source.SaveTGA(path.c_str()), ImageUnsupported);
}

TEST_F(ImageFiles, DdsReadsTheLinearSizeTimesTheMipFactor) {
    // DXT1 4 x 4: one 8-byte block per level 0.
    ASSERT_EQ(LoadBytes("d.dds", DdsFile("DXT1", 4, 4, 8, 1, 64)), ImageOk);
    EXPECT_TRUE(image_.compressed);
    EXPECT_EQ(image_.pixelFormat, GL_COMPRESSED_RGBA_S3TC_DXT1_EXT);
    EXPECT_EQ(image_.width, 4u);
    EXPECT_EQ(image_.height, 4u);
    EXPECT_EQ(image_.mipLevels, 1);
    EXPECT_EQ(image_.pixels.size(), 8u);
    EXPECT_EQ(image_.pixels[5], 5);  // bytes kept as stored

    ASSERT_EQ(LoadBytes("d.dds", DdsFile("DXT1", 8, 4, 16, 2, 64)), ImageOk);
    EXPECT_EQ(image_.mipLevels, 2);
    EXPECT_EQ(image_.width, 8u);
    EXPECT_EQ(image_.pixels.size(), 32u);

    ASSERT_EQ(LoadBytes("d.dds", DdsFile("DXT3", 4, 4, 16, 1, 64)), ImageOk);
    EXPECT_EQ(image_.pixelFormat, GL_COMPRESSED_RGBA_S3TC_DXT3_EXT);
    EXPECT_EQ(image_.pixels.size(), 16u);
    ASSERT_EQ(LoadBytes("d.dds", DdsFile("DXT5", 8, 8, 64, 3, 512)), ImageOk);
    EXPECT_EQ(image_.pixelFormat, GL_COMPRESSED_RGBA_S3TC_DXT5_EXT);
    EXPECT_EQ(image_.pixels.size(), 256u);

    // Only the low byte of the mip count is kept; 0x102 reads as 2 levels.
    ASSERT_EQ(LoadBytes("d.dds", DdsFile("DXT1", 8, 4, 16, 0x102, 64)), ImageOk);
    EXPECT_EQ(image_.mipLevels, 2);
    // A linear size far beyond the file reads what is there and allocates no more.
    ASSERT_EQ(LoadBytes("d.dds", DdsFile("DXT5", 4, 4, 0xFFFFFFFF, 9, 40)), ImageOk);
    EXPECT_EQ(image_.pixels.size(), 40u);
}

TEST_F(ImageFiles, DdsFailures) {
    std::string bad = DdsFile("DXT1", 4, 4, 8, 1, 8);
    bad[3] = 'X';
    EXPECT_EQ(LoadBytes("d.dds", bad), ImageDdsNoMagic);
    EXPECT_EQ(LoadBytes("d.dds", DdsFile("DXT2", 4, 4, 8, 1, 8)), ImageDdsFormat);
    EXPECT_EQ(LoadBytes("d.dds", DdsFile("ATI2", 4, 4, 8, 1, 8)), ImageDdsFormat);
    // Every cut inside the header fails; cuts in the data read what is there.
    const std::string file = DdsFile("DXT1", 4, 4, 8, 1, 8);
    for (size_t length = 0; length < 128; ++length)
        EXPECT_NE(LoadBytes("d.dds", file.substr(0, length)), ImageOk) << length;
    EXPECT_EQ(LoadBytes("d.dds", file.substr(0, 100)), ImageDamaged);
    ASSERT_EQ(LoadBytes("d.dds", file.substr(0, 131)), ImageOk);
    EXPECT_EQ(image_.pixels.size(), 3u);
}

}  // namespace
