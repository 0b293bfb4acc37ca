// The generated pictures: every shipped file loads with the game's own
// loaders, the menu sheets have their items where the menus look for them,
// and the hand-written BMP and DXT1 writers agree with the game's decoders.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>

#include "platform/bitmap_font.h"
#include "platform/gl.h"
#include "quarn-pictures/canvas.h"
#include "quarn-pictures/level_pictures.h"
#include "quarn-pictures/menu_pictures.h"
#include "quarn-pictures/picture_files.h"
#include "quarn-pictures/pictures.h"
#include "quarn-pictures/textures.h"
#include "resources/image.h"
#include "resources/s3tc.h"
#include "resources/texture_loader.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// One channel of a loaded uncompressed picture, counted from the top row.
int Channel(const Image& image, uint32_t x, uint32_t yFromTop, int channel) {
    const uint32_t row = image.height - 1 - yFromTop;
    return image.pixels[row * image.RowBytes() + x * (image.bitsPerPixel / 8) + channel];
}

struct CellStats {
    double meanAlpha = 0.0;
    double meanBrightness = 0.0;  // of the visible pixels, weighted by alpha
    int lightOpaquePixels = 0;    // text
    int darkOpaquePixels = 0;     // plate or outline
};

CellStats StatsOf(const Image& image, uint32_t left, uint32_t top, uint32_t width,
                  uint32_t height) {
    CellStats stats;
    double alphaSum = 0.0, lightSum = 0.0;
    for (uint32_t y = top; y < top + height; ++y)
        for (uint32_t x = left; x < left + width; ++x) {
            const double alpha = Channel(image, x, y, 3) / 255.0;
            const double light =
                (Channel(image, x, y, 0) + Channel(image, x, y, 1) + Channel(image, x, y, 2)) /
                (3.0 * 255.0);
            alphaSum += alpha;
            lightSum += light * alpha;
            if (alpha > 0.7 && light > 0.7)
                ++stats.lightOpaquePixels;
            if (alpha > 0.7 && light < 0.3)
                ++stats.darkOpaquePixels;
        }
    stats.meanAlpha = alphaSum / (width * height);
    stats.meanBrightness = alphaSum > 0 ? lightSum / alphaSum : 0.0;
    return stats;
}

bool IsPowerOfTwo(uint32_t side) {
    return side && (side & (side - 1)) == 0;
}

class GamePicturesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder_ = std::make_unique<TempDir>();
        std::string error;
        written_ = WriteGamePictures(folder_->Path(), FindBoldSansFontFile(), error);
        error_ = error;
    }
    static void TearDownTestSuite() { folder_.reset(); }

    void SetUp() override { ASSERT_TRUE(written_) << error_; }

    static Image Load(const std::string& name) {
        Image image;
        EXPECT_EQ(image.Load(folder_->File(name).c_str()), ImageOk) << name;
        return image;
    }

    static std::unique_ptr<TempDir> folder_;
    static bool written_;
    static std::string error_;
};

std::unique_ptr<TempDir> GamePicturesTest::folder_;
bool GamePicturesTest::written_ = false;
std::string GamePicturesTest::error_;

TEST_F(GamePicturesTest, IconsAreSquareTilesWithClearCorners) {
    for (const PictureFile& file : IconPictures()) {
        SCOPED_TRACE(file.path);
        const Image image = Load(file.path);
        ASSERT_EQ(image.pixelFormat, GL_RGBA);
        ASSERT_EQ(image.width, image.height);
        const std::string path = file.path;
        EXPECT_NE(path.find(std::to_string(image.width) + "x" + std::to_string(image.width)),
                  std::string::npos);
        const auto alpha = [&image](uint32_t x, uint32_t y) {
            return image.pixels[(static_cast<size_t>(y) * image.width + x) * 4 + 3];
        };
        const uint32_t last = image.width - 1, middle = image.width / 2;
        EXPECT_EQ(alpha(0, 0) + alpha(last, 0) + alpha(0, last) + alpha(last, last), 0);
        EXPECT_EQ(alpha(middle, middle), 255);
    }
    EXPECT_EQ(IconPictures().size(), 7u);
}

TEST_F(GamePicturesTest, EveryShippedPictureLoadsWithTheGameLoaderInItsFormat) {
    struct Expected {
        const char* name;
        uint32_t width, height;
        uint16_t format;
    };
    constexpr uint16_t kDxt1 = GL_COMPRESSED_RGBA_S3TC_DXT1_EXT;
    const Expected expected[] = {
        {"Textures/quarn.png", 128, 128, GL_RGB},  {"Textures/rope.png", 32, 64, GL_RGB},
        {"Textures/rock.png", 256, 256, GL_RGB},   {"Textures/lava.png", 256, 256, GL_RGB},
        {"Textures/water.png", 256, 256, GL_RGB},  {"Textures/moss.png", 256, 256, GL_RGB},
        {"Textures/glass.png", 256, 256, GL_RGB},  {"Textures/glass_alpha.png", 256, 256, GL_RGBA},
        {"Textures/grid.png", 256, 256, GL_RGB},   {"Textures/metal.jpg", 256, 256, GL_RGB},
        {"Textures/brick.tga", 256, 256, GL_RGB},  {"Textures/wood.bmp", 128, 128, GL_RGB},
        {"Textures/crystal.dds", 128, 128, kDxt1}, {"Textures/sky.jpg", 256, 256, GL_RGB},
        {"Textures/exit.png", 128, 128, GL_RGB},   {"Textures/belt.png", 256, 256, GL_RGB},
        {"Textures/ice.png", 256, 256, GL_RGB},    {"Textures/basalt.png", 256, 256, GL_RGB},
        {"Textures/hazard.png", 256, 256, GL_RGB}, {"Menu/background.png", 512, 512, GL_RGBA},
        {"Menu/MainMenu.png", 512, 512, GL_RGBA},  {"Menu/GameMenu.png", 512, 512, GL_RGBA},
        {"Menu/cursor.png", 32, 32, GL_RGBA},      {"Menu/Credits.png", 512, 512, GL_RGBA},
    };
    std::vector<Expected> files(std::begin(expected), std::end(expected));
    int signCount = 0;
    const SignText* signs = Signs(signCount);
    std::vector<std::string> signPaths;
    for (int i = 0; i < signCount; ++i)
        signPaths.push_back(std::string("Textures/") + signs[i].file);
    for (const std::string& path : signPaths)
        files.push_back({path.c_str(), 512, 128, GL_RGB});
    std::set<std::string> names;
    for (const Expected& file : files) {
        SCOPED_TRACE(file.name);
        names.insert(file.name);
        const Image image = Load(file.name);
        EXPECT_EQ(image.width, file.width);
        EXPECT_EQ(image.height, file.height);
        EXPECT_TRUE(IsPowerOfTwo(image.width) && IsPowerOfTwo(image.height));
        EXPECT_EQ(image.pixelFormat, file.format);
        if (file.format == kDxt1) {
            // A full chain 128 .. 1, every level inside the data read.
            EXPECT_TRUE(image.compressed);
            EXPECT_EQ(image.mipLevels, 8);
            const std::vector<DdsLevel> levels = PlanDdsLevels(image);
            ASSERT_EQ(levels.size(), 8u);
            EXPECT_EQ(levels.back().width, 1u);
            EXPECT_EQ(levels.back().offset + levels.back().size, image.pixels.size());
            continue;
        }
        EXPECT_FALSE(image.compressed);
        ASSERT_EQ(image.pixels.size(), image.RowBytes() * image.height);
        if (file.format == GL_RGBA) {
            // Transparency where the game shows through, and something drawn.
            int transparent = 0, opaque = 0;
            for (size_t i = 3; i < image.pixels.size(); i += 4) {
                transparent += image.pixels[i] < 250;
                opaque += image.pixels[i] > 128;
            }
            EXPECT_GT(transparent, 0);
            EXPECT_GT(opaque, 0);
        }
    }
    // Nothing is written that the lists do not know.
    for (const PictureFile& icon : IconPictures())
        names.insert(icon.path);
    std::set<std::string> found;
    for (const auto& entry : fs::recursive_directory_iterator(folder_->Path()))
        if (entry.is_regular_file())
            found.insert(fs::relative(entry.path(), folder_->Path()).generic_string());
    EXPECT_EQ(found, names);
}

TEST_F(GamePicturesTest, MenuSheetsHaveItemsExactlyInTheRowsTheMenusDraw) {
    struct Sheet {
        const char* name;
        std::set<int> entryRows;
        int unavailableRow;  // the entry without an action: drawn dimmed
    };
    const Sheet sheets[] = {{"Menu/MainMenu.png", {1, 2, 4, 5, 6}, 2},
                            {"Menu/GameMenu.png", {1, 2, 3, 5}, 3}};
    for (const Sheet& sheet : sheets) {
        SCOPED_TRACE(sheet.name);
        const Image image = Load(sheet.name);
        ASSERT_EQ(image.pixelFormat, GL_RGBA);
        ASSERT_EQ(image.width, 512u);

        // Row 0: the title strip, with content in both halves and across the middle.
        const CellStats titleLeft = StatsOf(image, 0, 0, 256, 64);
        const CellStats titleRight = StatsOf(image, 256, 0, 256, 64);
        const CellStats titleMiddle = StatsOf(image, 224, 0, 64, 64);
        EXPECT_GT(titleLeft.meanAlpha, 0.05);
        EXPECT_GT(titleRight.meanAlpha, 0.05);
        EXPECT_GT(titleMiddle.lightOpaquePixels, 100);

        for (int row = 1; row < kSheetRows; ++row) {
            SCOPED_TRACE(row);
            const CellStats normal = StatsOf(image, 0, row * 64, 256, 64);
            const CellStats lit = StatsOf(image, 256, row * 64, 256, 64);
            if (!sheet.entryRows.count(row)) {
                EXPECT_EQ(normal.meanAlpha, 0.0);
                EXPECT_EQ(lit.meanAlpha, 0.0);
                continue;
            }
            EXPECT_GT(normal.meanAlpha, 0.4);
            EXPECT_GT(lit.meanAlpha, 0.4);
            // A label: light letters on a dark plate, or dark outlines round them.
            EXPECT_GT(normal.darkOpaquePixels, 300);
            if (row != sheet.unavailableRow) {
                EXPECT_GT(normal.lightOpaquePixels, 300);
                EXPECT_GT(lit.meanBrightness, normal.meanBrightness + 0.15);
            } else {
                EXPECT_LT(normal.lightOpaquePixels, 50);  // dimmed letters
                EXPECT_GT(lit.meanBrightness, normal.meanBrightness);
            }
            // Clear margins, so linear filtering never pulls in a neighbouring row.
            EXPECT_EQ(StatsOf(image, 0, row * 64, 512, 1).meanAlpha, 0.0);
            EXPECT_EQ(StatsOf(image, 0, row * 64 + 63, 512, 1).meanAlpha, 0.0);
        }
    }
}

TEST_F(GamePicturesTest, BackgroundCursorAndCreditsHaveTheirTransparency) {
    const Image background = Load("Menu/background.png");
    const CellStats centre = StatsOf(background, 128, 128, 256, 256);
    EXPECT_GE(centre.meanAlpha, 0.5);
    EXPECT_LE(centre.meanAlpha, 0.7);
    const CellStats border = StatsOf(background, 0, 0, 512, 8);
    EXPECT_GT(border.meanAlpha, 0.9);

    // The arrow's tip is the top-left corner: the menu draws the picture there.
    const Image cursor = Load("Menu/cursor.png");
    EXPECT_GT(Channel(cursor, 2, 2, 3), 200);
    EXPECT_EQ(StatsOf(cursor, 24, 0, 8, 8).meanAlpha, 0.0);
    EXPECT_EQ(StatsOf(cursor, 0, 30, 4, 2).meanAlpha, 0.0);
    EXPECT_LT(StatsOf(cursor, 0, 0, 32, 32).meanAlpha, 0.5);

    const Image credits = Load("Menu/Credits.png");
    const CellStats text = StatsOf(credits, 64, 160, 384, 260);
    EXPECT_GT(text.meanAlpha, 0.85);
    EXPECT_GT(text.lightOpaquePixels, 2000);
}

TEST_F(GamePicturesTest, DrawingTwiceWritesTheSameBytes) {
    TempDir again;
    std::string error;
    ASSERT_TRUE(WriteGamePictures(again.Path(), FindBoldSansFontFile(), error)) << error;
    for (const PictureFile& file : GamePictures()) {
        SCOPED_TRACE(file.path);
        const std::string first = ReadBytes(folder_->File(file.path));
        EXPECT_FALSE(first.empty());
        EXPECT_TRUE(first == ReadBytes(again.File(file.path)));
    }
}

TEST(GamePicturesWriteTest, AMissingFontOrFolderIsReportedWithTheFile) {
    TempDir folder;
    std::string error;
    EXPECT_FALSE(WriteGamePictures(folder.Path(), "/nonexistent/font.ttf", error));
    EXPECT_NE(error.find("Menu/"), std::string::npos) << error;

    folder.Write("blocked", "a file where a folder should be");
    error.clear();
    EXPECT_FALSE(WriteGamePictures(folder.File("blocked"), FindBoldSansFontFile(), error));
    EXPECT_NE(error.find("blocked/Textures/quarn.png"), std::string::npos) << error;
}

// Difference of two columns (or rows) of a picture, averaged over the channels.
double LineDifference(const Canvas& canvas, bool columns, int a, int b) {
    const int length = columns ? canvas.height : canvas.width;
    double sum = 0.0;
    for (int i = 0; i < length; ++i) {
        const Rgba& p = columns ? canvas.At(a, i) : canvas.At(i, a);
        const Rgba& q = columns ? canvas.At(b, i) : canvas.At(i, b);
        sum += std::fabs(p.r - q.r) + std::fabs(p.g - q.g) + std::fabs(p.b - q.b);
    }
    return sum / (3.0 * length);
}

TEST(LevelTexturesTest, RepeatWithoutASeam) {
    const struct {
        const char* name;
        Canvas canvas;
    } textures[] = {
        {"rock", RockTexture()},     {"lava", LavaTexture()},   {"water", WaterTexture()},
        {"moss", MossTexture()},     {"glass", GlassTexture()}, {"grid", GridTexture()},
        {"brick", BrickTexture()},   {"wood", WoodTexture()},   {"crystal", CrystalTexture()},
        {"belt", BeltTexture()},     {"ice", IceTexture()},     {"basalt", BasaltTexture()},
        {"hazard", HazardTexture()}, {"rope", RopeTexture()},
    };
    for (const auto& texture : textures) {
        SCOPED_TRACE(texture.name);
        const Canvas& c = texture.canvas;
        for (bool columns : {true, false}) {
            const int last = (columns ? c.width : c.height) - 1;
            if (!columns || std::string(texture.name) != "rope") {
                // The wrap from the last line to the first is no harsher than
                // the steps inside the picture.
                double inside = 0.0;
                for (int i = 0; i < last; ++i)
                    inside = std::max(inside, LineDifference(c, columns, i, i + 1));
                EXPECT_LE(LineDifference(c, columns, last, 0), inside * 1.05 + 1e-6)
                    << (columns ? "columns" : "rows");
            }
        }
    }
}

TEST(BmpWriterTest, RowsArePaddedToFourBytesAndStoredBottomUp) {
    Canvas canvas(6, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 6; ++x)
            canvas.At(x, y) = Rgb8(40 * x + 5, 80 * y + 7, 10 * (x + y) + 9);
    const std::vector<uint8_t> file = EncodeBmp24(canvas);
    EXPECT_EQ(file.size(), 54u + 20u * 3u);  // 18 bytes of pixels, 2 of padding per row

    TempDir folder;
    folder.Write("six.bmp", std::string(file.begin(), file.end()));
    Image image;
    ASSERT_EQ(image.Load(folder.File("six.bmp").c_str()), ImageOk);
    EXPECT_EQ(image.width, 6u);
    EXPECT_EQ(image.height, 3u);
    EXPECT_EQ(image.pixels, CanvasBytes(canvas, 3, true));
    EXPECT_EQ(Channel(image, 5, 0, 0), 205);  // top row, last column, red
}

std::vector<uint8_t> Decode(const Canvas& canvas) {
    std::vector<uint8_t> decoded;
    const std::vector<uint8_t> blocks = EncodeDxt1Level(canvas);
    EXPECT_EQ(blocks.size(),
              CompressedLevelSize(GL_COMPRESSED_RGBA_S3TC_DXT1_EXT, canvas.width, canvas.height));
    EXPECT_TRUE(DecodeS3tcLevel(GL_COMPRESSED_RGBA_S3TC_DXT1_EXT, canvas.width, canvas.height,
                                blocks.data(), decoded));
    return decoded;
}

struct Error {
    int largest = 0;
    double mean = 0.0;
    bool allOpaque = true;
};

Error Compare(const Canvas& canvas, const std::vector<uint8_t>& decoded) {
    const std::vector<uint8_t> original = CanvasBytes(canvas, 4, false);
    Error error;
    long sum = 0;
    for (size_t i = 0; i < original.size(); ++i) {
        if (i % 4 == 3) {
            error.allOpaque = error.allOpaque && decoded[i] == 255;
            continue;
        }
        const int d = std::abs(original[i] - decoded[i]);
        error.largest = std::max(error.largest, d);
        sum += d;
    }
    error.mean = static_cast<double>(sum) / (original.size() / 4 * 3);
    return error;
}

TEST(Dxt1EncoderTest, RoundTripsThroughTheGameDecoderWithinATolerance) {
    // Two colours that 5:6:5 holds exactly come back exactly.
    Canvas checker(8, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            checker.At(x, y) = (x + y) % 2 ? Rgb8(255, 0, 0) : Rgb8(0, 0, 255);
    Error error = Compare(checker, Decode(checker));
    EXPECT_EQ(error.largest, 0);
    EXPECT_TRUE(error.allOpaque);

    // A flat picture (both end colours equal) stays opaque, with no transparent black.
    const Canvas flat(4, 4, Rgb8(96, 128, 160));
    error = Compare(flat, Decode(flat));
    EXPECT_LE(error.largest, 4);
    EXPECT_TRUE(error.allOpaque);

    // A smooth gradient in two directions: small errors everywhere.
    Canvas gradient(32, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            gradient.At(x, y) = Rgb8(x * 8, y * 8, 255 - (x + y) * 4);
    error = Compare(gradient, Decode(gradient));
    EXPECT_LE(error.largest, 24);
    EXPECT_LT(error.mean, 6.0);
    EXPECT_TRUE(error.allOpaque);

    // A size that is not a multiple of 4: the edge blocks repeat the last pixels.
    Canvas odd(6, 2, Rgb8(20, 200, 60));
    error = Compare(odd, Decode(odd));
    EXPECT_LE(error.largest, 4);
}

TEST(Dxt1EncoderTest, TheShippedDdsHoldsEveryMipLevelOfThePicture) {
    const Canvas crystal = CrystalTexture();
    const std::vector<Canvas> chain = MipChain(crystal);
    ASSERT_EQ(chain.size(), 8u);
    EXPECT_EQ(chain[3].width, 16);
    EXPECT_EQ(chain.back().width, 1);

    TempDir folder;
    const std::string path = folder.File("crystal.dds");
    ASSERT_TRUE(SavePicture(crystal, PictureFormat::DdsDxt1, path));
    Image image;
    ASSERT_EQ(image.Load(path.c_str()), ImageOk);
    const std::vector<DdsLevel> levels = PlanDdsLevels(image);
    ASSERT_EQ(levels.size(), chain.size());
    for (size_t i = 0; i < levels.size(); ++i) {
        SCOPED_TRACE(i);
        ASSERT_EQ(levels[i].width, static_cast<uint32_t>(chain[i].width));
        std::vector<uint8_t> decoded;
        ASSERT_TRUE(DecodeS3tcLevel(image.pixelFormat, levels[i].width, levels[i].height,
                                    image.pixels.data() + levels[i].offset, decoded));
        const Error error = Compare(chain[i], decoded);
        // Small levels crowd several facets into one block, so they lose more.
        EXPECT_LT(error.mean, i == 0 ? 4.0 : 10.0);
        EXPECT_LE(error.largest, 80);
        EXPECT_TRUE(error.allOpaque);
    }
}

}  // namespace
