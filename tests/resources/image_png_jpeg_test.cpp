#include <gtest/gtest.h>

#include <png.h>

#include <cstdlib>
#include <string>

#include "platform/gl.h"
#include "resources/image.h"
#include "support/image_files.h"
#include "support/temp_dir.h"

namespace {

using ::testing::internal::CaptureStderr;
using ::testing::internal::GetCapturedStderr;

// The rows of a picture in the opposite order.
Bytes Flipped(const Bytes& pixels, uint32_t width, uint32_t height, int channels) {
    Bytes out;
    const size_t rowBytes = size_t{width} * channels;
    for (uint32_t row = height; row-- > 0;)
        out.insert(out.end(), pixels.begin() + row * rowBytes,
                   pixels.begin() + (row + 1) * rowBytes);
    return out;
}

int MaxDifference(const Bytes& a, const Bytes& b) {
    int largest = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i)
        largest = std::max(largest, std::abs(a[i] - b[i]));
    return largest;
}

class PngJpeg : public ::testing::Test {
protected:
    std::string Path(const char* name) const { return dir_.File(name); }
    int Load(const std::string& path) { return image_.Load(path.c_str()); }

    TempDir dir_;
    Image image_;
};

TEST_F(PngJpeg, PngWriterAndReaderKeepRowsBottomFirst) {
    for (int bits : {24, 32}) {
        const int channels = bits / 8;
        const Bytes bottomFirst = PatternPixels(5, 3, channels);
        Image source;
        ASSERT_EQ(source.SetPixels(5, 3, bits, bottomFirst.data()), ImageOk);
        // The writer takes the rows as stored: put the top row first, as a screenshot does.
        ASSERT_EQ(source.FlipVertical(), ImageOk);
        const std::string path = Path(bits == 24 ? "rgb.png" : "rgba.png");
        ASSERT_EQ(source.SavePNG(path.c_str()), ImageOk);

        ASSERT_EQ(Load(path), ImageOk);
        EXPECT_EQ(image_.width, 5u);
        EXPECT_EQ(image_.height, 3u);
        EXPECT_EQ(image_.bitsPerPixel, bits);
        EXPECT_EQ(image_.pixelFormat, bits == 24 ? GL_RGB : GL_RGBA);
        EXPECT_FALSE(image_.compressed);
        EXPECT_EQ(image_.pixels, bottomFirst);
    }
    // Upper-case extension too; the file is the same.
    const std::string upper = Path("RGB.PNG");
    WriteFile(upper, ReadFile(Path("rgb.png")));
    EXPECT_EQ(Load(upper), ImageOk);
}

TEST_F(PngJpeg, PngColourTypesAreConvertedToEightBitRgbOrRgba) {
    // Palette 2 x 2, 8-bit indices, with tRNS making entry 1 half transparent.
    PngPicture palette;
    palette.width = 2;
    palette.height = 2;
    palette.colourType = PNG_COLOR_TYPE_PALETTE;
    palette.palette = {10, 20, 30, 40, 50, 60};
    palette.rows = {0, 1, 1, 0};  // top row first
    WritePngFile(Path("palette.png"), palette);
    ASSERT_EQ(Load(Path("palette.png")), ImageOk);
    EXPECT_EQ(image_.bitsPerPixel, 24);
    EXPECT_EQ(image_.pixels, (Bytes{40, 50, 60, 10, 20, 30, 10, 20, 30, 40, 50, 60}));

    palette.transparency = {255, 128};
    WritePngFile(Path("palette_trns.png"), palette);
    ASSERT_EQ(Load(Path("palette_trns.png")), ImageOk);
    EXPECT_EQ(image_.pixelFormat, GL_RGBA);
    EXPECT_EQ(image_.bitsPerPixel, 32);
    EXPECT_EQ(image_.pixels,
              (Bytes{40, 50, 60, 128, 10, 20, 30, 255, 10, 20, 30, 255, 40, 50, 60, 128}));

    // 1-bit grey: bits 1 0 1 in the top row, 0 1 0 below.
    PngPicture grey1;
    grey1.width = 3;
    grey1.height = 2;
    grey1.bitDepth = 1;
    grey1.colourType = PNG_COLOR_TYPE_GRAY;
    grey1.rows = {0xA0, 0x40};
    WritePngFile(Path("grey1.png"), grey1);
    ASSERT_EQ(Load(Path("grey1.png")), ImageOk);
    EXPECT_EQ(image_.bitsPerPixel, 24);
    EXPECT_EQ(image_.pixels, (Bytes{0, 0, 0, 255, 255, 255, 0, 0, 0,  //
                                    255, 255, 255, 0, 0, 0, 255, 255, 255}));

    // 16-bit grey with alpha: the high bytes remain.
    PngPicture grey16;
    grey16.width = 1;
    grey16.height = 1;
    grey16.bitDepth = 16;
    grey16.colourType = PNG_COLOR_TYPE_GRAY_ALPHA;
    grey16.rows = {0x12, 0x34, 0xAB, 0xCD};
    WritePngFile(Path("grey16.png"), grey16);
    ASSERT_EQ(Load(Path("grey16.png")), ImageOk);
    EXPECT_EQ(image_.bitsPerPixel, 32);
    EXPECT_EQ(image_.pixels, (Bytes{0x12, 0x12, 0x12, 0xAB}));

    // 16-bit RGB with a transparent colour, interlaced.
    PngPicture rgb16;
    rgb16.width = 2;
    rgb16.height = 1;
    rgb16.bitDepth = 16;
    rgb16.colourType = PNG_COLOR_TYPE_RGB;
    rgb16.interlaced = true;
    rgb16.rows = {0, 1, 0, 2, 0, 3, 0x80, 0, 0x90, 0, 0xA0, 0};
    rgb16.transparency = {1, 2, 3};
    WritePngFile(Path("rgb16.png"), rgb16);
    ASSERT_EQ(Load(Path("rgb16.png")), ImageOk);
    EXPECT_EQ(image_.bitsPerPixel, 32);
    // The first pixel is the transparent colour (1, 2, 3).
    EXPECT_EQ(image_.pixels, (Bytes{0, 0, 0, 0, 0x80, 0x90, 0xA0, 255}));
}

TEST_F(PngJpeg, DamagedPngFailsWithTheDecodeCode) {
    Image source;
    const Bytes rgb = PatternPixels(4, 4, 3);
    ASSERT_EQ(source.SetPixels(4, 4, 24, rgb.data()), ImageOk);
    ASSERT_EQ(source.SavePNG(Path("good.png").c_str()), ImageOk);
    const std::string good = ReadFile(Path("good.png"));

    for (size_t length = 0; length < good.size(); ++length) {
        WriteFile(Path("cut.png"), good.substr(0, length));
        const int result = Load(Path("cut.png"));
        EXPECT_EQ(result, ImagePngDecode) << "cut to " << length;
        EXPECT_TRUE(image_.pixels.empty());
    }
    std::string corrupt = good;
    corrupt[good.size() / 2] = static_cast<char>(corrupt[good.size() / 2] ^ 0x5A);
    WriteFile(Path("corrupt.png"), corrupt);
    EXPECT_EQ(Load(Path("corrupt.png")), ImagePngDecode);

    // An IHDR claiming 100000 x 100000 is refused before any allocation.
    PngPicture huge;
    huge.width = 1;
    huge.height = 1;
    huge.rows = {1, 2, 3};
    WritePngFile(Path("huge.png"), huge);
    std::string bytes = ReadFile(Path("huge.png"));
    bytes[16 + 1] = 0x01;  // width 0x00010001 (the CRC is now wrong as well)
    bytes[20 + 1] = 0x01;
    WriteFile(Path("huge.png"), bytes);
    EXPECT_EQ(Load(Path("huge.png")), ImagePngDecode);
}

TEST_F(PngJpeg, PngWriterRefusesWhatItCannotWrite) {
    Image empty;
    EXPECT_EQ(empty.SavePNG(Path("e.png").c_str()), ImageUnsupported);
    Image source;
    const Bytes rgb = PatternPixels(2, 2, 3);
    ASSERT_EQ(source.SetPixels(2, 2, 24, rgb.data()), ImageOk);
    EXPECT_EQ(source.SavePNG(Path("no/folder/x.png").c_str()), ImageCannotOpen);
    EXPECT_EQ(source.SaveJPEG(Path("no/folder/x.jpg").c_str()), ImageCannotOpen);
    const Bytes rgba = PatternPixels(2, 2, 4);
    ASSERT_EQ(source.SetPixels(2, 2, 32, rgba.data()), ImageOk);
    EXPECT_EQ(source.SaveJPEG(Path("x.jpg").c_str()), ImageUnsupported);
}

TEST_F(PngJpeg, JpegRoundTripIsUprightAndLeavesThePictureAlone) {
    // Blocks of flat colour survive quality 100 closely.
    const uint32_t w = 16;
    const uint32_t h = 16;
    Bytes bottomFirst;
    for (uint32_t y = 0; y < h; ++y)
        for (uint32_t x = 0; x < w; ++x) {
            bottomFirst.push_back(y < 8 ? 200 : 30);
            bottomFirst.push_back(x < 8 ? 180 : 60);
            bottomFirst.push_back(90);
        }
    Image source;
    ASSERT_EQ(source.SetPixels(w, h, 24, bottomFirst.data()), ImageOk);
    ASSERT_EQ(source.SaveJPEG(Path("p.jpg").c_str()), ImageOk);
    EXPECT_EQ(source.pixels, bottomFirst);

    ASSERT_EQ(Load(Path("p.jpg")), ImageOk);
    EXPECT_EQ(image_.width, w);
    EXPECT_EQ(image_.height, h);
    EXPECT_EQ(image_.bitsPerPixel, 24);
    EXPECT_EQ(image_.pixelFormat, GL_RGB);
    // Chroma is subsampled, so compare the middle of each flat quarter.
    const Bytes flipped = Flipped(bottomFirst, w, h, 3);
    for (uint32_t y : {3u, 4u, 11u, 12u}) {
        for (uint32_t x : {3u, 4u, 11u, 12u}) {
            const size_t at = (y * w + x) * 3;
            for (uint32_t c = 0; c < 3; ++c)
                EXPECT_NEAR(image_.pixels[at + c], bottomFirst[at + c], 8) << x << "," << y;
            EXPECT_GT(std::abs(image_.pixels[at] - flipped[at]), 100) << x << "," << y;
        }
    }

    const std::string upper = Path("P.JPG");
    WriteFile(upper, ReadFile(Path("p.jpg")));
    EXPECT_EQ(Load(upper), ImageOk);
    WriteFile(Path("p.jpeg"), ReadFile(Path("p.jpg")));
    EXPECT_EQ(Load(Path("p.jpeg")), ImageUnsupported);
}

TEST_F(PngJpeg, GreyJpegBecomesRgb) {
    const Bytes topFirst = {0, 0, 255, 255, 0, 0, 255, 255, 128, 128, 128, 128};  // 4 x 3
    WriteGreyJpegFile(Path("g.jpg"), 4, 3, topFirst);
    ASSERT_EQ(Load(Path("g.jpg")), ImageOk);
    EXPECT_EQ(image_.bitsPerPixel, 24);
    ASSERT_EQ(image_.pixels.size(), 4u * 3 * 3);
    Bytes expected;
    for (uint32_t row = 3; row-- > 0;)
        for (uint32_t x = 0; x < 4; ++x)
            expected.insert(expected.end(), 3, topFirst[row * 4 + x]);
    EXPECT_LE(MaxDifference(image_.pixels, expected), 8);
}

TEST_F(PngJpeg, JpegWarningsAreToleratedButDataCutBeforeTheLastRowIsNot) {
    Image source;
    const Bytes rgb = PatternPixels(16, 8, 3);
    ASSERT_EQ(source.SetPixels(16, 8, 24, rgb.data()), ImageOk);
    ASSERT_EQ(source.SaveJPEG(Path("good.jpg").c_str()), ImageOk);
    const std::string good = ReadFile(Path("good.jpg"));
    ASSERT_EQ(Load(Path("good.jpg")), ImageOk);
    const Bytes decoded = image_.pixels;

    // Without its end-of-image marker (2 bytes) every row is still there;
    // cut anywhere earlier, rows would be made up or the headers are gone.
    for (size_t length = 0; length < good.size(); ++length) {
        WriteFile(Path("cut.jpg"), good.substr(0, length));
        if (length + 2 >= good.size()) {
            ASSERT_EQ(Load(Path("cut.jpg")), ImageOk) << "cut to " << length;
            EXPECT_EQ(image_.pixels, decoded) << "cut to " << length;
        } else {
            EXPECT_EQ(Load(Path("cut.jpg")), ImageDamaged) << "cut to " << length;
            EXPECT_TRUE(image_.pixels.empty());
        }
    }

    // Stray bytes before the scan: libjpeg warns, skips them and decodes
    // every pixel; the log names the warning.
    std::string stray = good;
    const size_t scan = stray.find("\xFF\xDA");
    ASSERT_NE(scan, std::string::npos);
    stray.insert(scan, "\x12\x34");
    WriteFile(Path("stray.jpg"), stray);
    CaptureStderr();
    const int result = Load(Path("stray.jpg"));
    const std::string log = GetCapturedStderr();
    ASSERT_EQ(result, ImageOk);
    EXPECT_EQ(image_.pixels, decoded);
    EXPECT_NE(log.find("stray.jpg: JPEG warning: Corrupt JPEG data: 2 extraneous bytes before "
                       "marker 0xda"),
              std::string::npos)
        << log;

    WriteFile(Path("text.jpg"), "this is not a picture at all");
    EXPECT_EQ(Load(Path("text.jpg")), ImageDamaged);
}

}  // namespace
