#include <gtest/gtest.h>

#include <string>

#include "platform/gl.h"
#include "render/gl_window.h"
#include "resources/texture_loader.h"
#include "support/gl_pixels.h"
#include "support/gl_test_window.h"
#include "support/image_files.h"

namespace {

constexpr char kWindow1024[] = "[Video]\nwidth=1024\nheight=768\nbpp=32\nfullscreen=0\n";

// The colour of sheet cell (row, column) in the test sheet; row 0 is the top.
Rgb CellColour(int row, int column) {
    return {row * 32 + 16, column * 200 + 20, 255 - row * 32};
}

// A 16 x 32 sheet: 2 columns of 8 pixels, 8 rows of 4 pixels, each cell one
// colour. Stored bottom row first, so picture row 0 is the last stored rows.
std::string TestSheet() {
    Bytes rgb;
    for (int y = 0; y < 32; ++y) {
        const int row = 7 - y / 4;
        for (int x = 0; x < 16; ++x) {
            const Rgb c = CellColour(row, x / 8);
            rgb.insert(rgb.end(), {static_cast<uint8_t>(c.r), static_cast<uint8_t>(c.g),
                                   static_cast<uint8_t>(c.b)});
        }
    }
    return TgaUncompressedFile(16, 32, 24, rgb);
}

struct GLStateSnapshot {
    double projection[16];
    double modelview[16];
    GLint matrixMode;
    GLint viewport[4];
    GLint listBase;

    static GLStateSnapshot Take() {
        GLStateSnapshot s{};
        glGetDoublev(GL_PROJECTION_MATRIX, s.projection);
        glGetDoublev(GL_MODELVIEW_MATRIX, s.modelview);
        glGetIntegerv(GL_MATRIX_MODE, &s.matrixMode);
        glGetIntegerv(GL_VIEWPORT, s.viewport);
        glGetIntegerv(GL_LIST_BASE, &s.listBase);
        return s;
    }
};

void ExpectSameState(const GLStateSnapshot& before, const GLStateSnapshot& after) {
    for (int i = 0; i < 16; ++i) {
        EXPECT_DOUBLE_EQ(after.projection[i], before.projection[i]) << i;
        EXPECT_DOUBLE_EQ(after.modelview[i], before.modelview[i]) << i;
    }
    EXPECT_EQ(after.matrixMode, GL_MODELVIEW);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(after.viewport[i], before.viewport[i]);
    EXPECT_EQ(after.listBase, before.listBase);
}

Rgb CurrentColour() {
    float c[4] = {};
    glGetFloatv(GL_CURRENT_COLOR, c);
    return {static_cast<int>(c[0] * 255), static_cast<int>(c[1] * 255),
            static_cast<int>(c[2] * 255)};
}

class OverlayGL : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(window_.Created());
        gl_ = &window_.Get();
        window_.Folder().Write("sheet.tga", TestSheet());
        loader_.Configure(0, false, 256);
        ASSERT_TRUE(loader_.LoadTexture("sheet.tga", sheet_));
        gl_->BeginFrame();
    }

    // After every quad: depth test on, blending and texturing off, white.
    void ExpectQuadStateAfter(const GLStateSnapshot& before) {
        EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
        EXPECT_FALSE(glIsEnabled(GL_BLEND));
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
        EXPECT_TRUE(Near(CurrentColour(), {255, 255, 255}, 0));
        GLint source = 0, destination = 0;
        glGetIntegerv(GL_BLEND_SRC, &source);
        glGetIntegerv(GL_BLEND_DST, &destination);
        EXPECT_EQ(source, GL_SRC_ALPHA);
        EXPECT_EQ(destination, GL_ONE_MINUS_SRC_ALPHA);
        ExpectSameState(before, GLStateSnapshot::Take());
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }

    GLTestWindow window_{kWindow1024};
    GLWindow* gl_ = nullptr;
    TextureLoader loader_;
    uint32_t sheet_ = 0;
};

TEST_F(OverlayGL, SheetCellsSampleTheirQuarterOfTheSheet) {
    // Row 7 highlighted: the bottom-right cell, stretched over the window.
    glMatrixMode(GL_PROJECTION);  // the quads leave modelview behind
    const GLStateSnapshot before = GLStateSnapshot::Take();
    glMatrixMode(GL_MODELVIEW);
    EXPECT_EQ(gl_->GetOverlay().DrawSheetCell(7, true, 0.0f, 0.0f, 1.0f, 1.0f, sheet_), 0);
    ExpectQuadStateAfter(before);
    FramePixels frame(1024, 768);
    for (int x : {300, 512, 700})
        for (int y : {250, 384, 500})
            EXPECT_TRUE(Near(frame.At(x, y), CellColour(7, 1))) << frame.At(x, y);

    // Row 0 normal, in the left half: the top-left cell; the right half stays black.
    gl_->BeginFrame();
    gl_->GetOverlay().DrawSheetCell(0, false, 0.0f, 0.0f, 0.5f, 1.0f, sheet_);
    frame = FramePixels(1024, 768);
    EXPECT_TRUE(Near(frame.At(256, 384), CellColour(0, 0))) << frame.At(256, 384);
    EXPECT_TRUE(Near(frame.At(768, 384), {0, 0, 0}, 0));

    // The title strip: row 0 across both columns.
    gl_->BeginFrame();
    gl_->GetOverlay().DrawSheetTitle(0.0f, 0.0f, 1.0f, 1.0f, sheet_);
    frame = FramePixels(1024, 768);
    EXPECT_TRUE(Near(frame.At(200, 384), CellColour(0, 0))) << frame.At(200, 384);
    EXPECT_TRUE(Near(frame.At(824, 384), CellColour(0, 1))) << frame.At(824, 384);
}

TEST_F(OverlayGL, FractionRectanglesLandOnTruncatedVirtualCoordinates) {
    // 0.16 of the height is 95 virtual units: rows 95 to 227 (0.38) are covered.
    gl_->GetOverlay().DrawSheetCell(3, false, 0.25f, 0.16f, 0.5f, 0.38f, sheet_);
    const FramePixels frame(1024, 768);
    const double scaleY = 768.0 / 600.0;
    const int top = static_cast<int>(95 * scaleY);      // 121.6
    const int bottom = static_cast<int>(227 * scaleY);  // 290.56
    // Inside the edges the cell shows (blended with its neighbours by the
    // linear filter right at the edge), outside them nothing is drawn.
    const Rgb black = {0, 0, 0};
    EXPECT_FALSE(Near(frame.At(384, top + 2), black, 0)) << frame.At(384, top + 2);
    EXPECT_TRUE(Near(frame.At(384, top - 2), black, 0)) << frame.At(384, top - 2);
    EXPECT_FALSE(Near(frame.At(384, bottom - 2), black, 0));
    EXPECT_TRUE(Near(frame.At(384, bottom + 2), black, 0));
    EXPECT_TRUE(Near(frame.At(254, 200), black, 0));
    EXPECT_FALSE(Near(frame.At(258, 200), black, 0));
    EXPECT_TRUE(Near(frame.At(384, (top + bottom) / 2), CellColour(3, 0)))
        << frame.At(384, (top + bottom) / 2);
}

TEST_F(OverlayGL, ImagesOfTheVirtualScreenCoverTheWholeWindowUpright) {
    window_.Folder().Write("solid.tga", TgaUncompressedFile(2, 2, 24, Bytes(12, 200)));
    uint32_t solid = 0;
    ASSERT_TRUE(loader_.LoadTexture("solid.tga", solid));
    const GLStateSnapshot before = GLStateSnapshot::Take();
    EXPECT_EQ(gl_->GetOverlay().DrawImage(0, 0, 800, 600, solid), 0);
    ExpectQuadStateAfter(before);
    FramePixels frame(1024, 768);
    for (int y = 0; y < 768; ++y)
        for (int x = 0; x < 1024; ++x)
            if (!Near(frame.At(x, y), {200, 200, 200}))
                FAIL() << "pixel " << x << "," << y << " is " << frame.At(x, y);
    gl_->BeginFrame();
    EXPECT_EQ(gl_->GetOverlay().DrawFullScreenImage(solid), 0);
    ExpectQuadStateAfter(before);
    frame = FramePixels(1024, 768);
    for (int y = 0; y < 768; ++y)
        for (int x = 0; x < 1024; ++x)
            if (!Near(frame.At(x, y), {200, 200, 200}))
                FAIL() << "pixel " << x << "," << y << " is " << frame.At(x, y);

    // A picture with a red top half and a blue bottom half shows upright.
    Bytes rgb;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            rgb.insert(rgb.end(), {static_cast<uint8_t>(y >= 2 ? 255 : 0), 0,
                                   static_cast<uint8_t>(y < 2 ? 255 : 0)});
    window_.Folder().Write("halves.tga", TgaUncompressedFile(4, 4, 24, rgb));
    uint32_t halves = 0;
    ASSERT_TRUE(loader_.LoadTexture("halves.tga", halves));

    gl_->BeginFrame();
    gl_->GetOverlay().DrawImage(0, 0, 800, 600, halves);
    frame = FramePixels(1024, 768);
    for (int x : {0, 511, 1023}) {
        EXPECT_TRUE(Near(frame.At(x, 100), {255, 0, 0})) << frame.At(x, 100);
        EXPECT_TRUE(Near(frame.At(x, 667), {0, 0, 255})) << frame.At(x, 667);
    }
    gl_->BeginFrame();
    gl_->GetOverlay().DrawFullScreenImage(halves);
    frame = FramePixels(1024, 768);
    EXPECT_TRUE(Near(frame.At(100, 100), {255, 0, 0}));
    EXPECT_TRUE(Near(frame.At(900, 667), {0, 0, 255}));

    // A cursor-sized image at (400, 300): 32 x 32 virtual units, 40.96 pixels.
    gl_->BeginFrame();
    gl_->GetOverlay().DrawImage(400, 300, 32, 32, halves);
    frame = FramePixels(1024, 768);
    EXPECT_TRUE(Near(frame.At(520, 390), {255, 0, 0})) << frame.At(520, 390);
    EXPECT_TRUE(Near(frame.At(510, 380), {0, 0, 0}, 0));
    EXPECT_TRUE(Near(frame.At(520, 418), {0, 0, 255})) << frame.At(520, 418);
    EXPECT_TRUE(Near(frame.At(520, 430), {0, 0, 0}, 0));
}

TEST_F(OverlayGL, PrintTextDrawsGreenGlyphsBelowTheGivenTop) {
    const GLStateSnapshot before = GLStateSnapshot::Take();
    EXPECT_EQ(gl_->GetOverlay().PrintText(100, 200, "HHHH %d", 42), 0);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(Near(CurrentColour(), {0, 255, 0}, 0));
    ExpectSameState(before, GLStateSnapshot::Take());
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    const FramePixels frame(1024, 768);
    int top = 768, bottom = -1, left = 1024, right = -1, lit = 0;
    for (int y = 0; y < 768; ++y) {
        for (int x = 0; x < 1024; ++x) {
            const Rgb c = frame.At(x, y);
            if (c.r == 0 && c.g == 0 && c.b == 0)
                continue;
            ++lit;
            EXPECT_EQ(c.r, 0);
            EXPECT_EQ(c.b, 0);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
            left = std::min(left, x);
            right = std::max(right, x);
        }
    }
    ASSERT_GT(lit, 40);
    // A 12-pixel line whose baseline is 13 pixels below y.
    EXPECT_GE(top, 200);
    EXPECT_LE(top, 206);
    EXPECT_LE(bottom, 213);
    EXPECT_GE(bottom, 208);
    EXPECT_GE(left, 99);
    EXPECT_LE(left, 103);
    EXPECT_GT(right, left + 30);
}

TEST_F(OverlayGL, PrintTextWithoutFormatOrOutsideTheWindowDrawsNothing) {
    EXPECT_EQ(gl_->GetOverlay().PrintText(10, 10, nullptr), -1);
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));  // left as the failure found it
    EXPECT_TRUE(Near(CurrentColour(), {0, 255, 0}, 0));

    // Below the window nothing shows.
    EXPECT_EQ(gl_->GetOverlay().PrintText(10, 900, "below"), 0);
    // Text longer than the buffer is cut, not overrun.
    const std::string longText(400, 'W');
    EXPECT_EQ(gl_->GetOverlay().PrintText(0, 0, "%s", longText.c_str()), 0);
    const FramePixels frame(1024, 768);
    for (int x = 0; x < 1024; x += 7)
        EXPECT_TRUE(Near(frame.At(x, 760), {0, 0, 0}, 0)) << x;
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// The glyphs as the font's display lists draw them with glBitmap, from the
// raster position PrintText starts a line at.
void DrawWithFontLists(const GLWindow& window, uint32_t fontBase, int x, int y,
                       const std::string& text) {
    glPushAttrib(GL_VIEWPORT_BIT | GL_TRANSFORM_BIT | GL_LIST_BIT);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glViewport(x - 1, window.height - y - 13, 0, 0);
    glColor3f(0.0f, 1.0f, 0.0f);
    glRasterPos4f(0.0f, 0.0f, 0.0f, 1.0f);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopAttrib();
    glDisable(GL_DEPTH_TEST);
    glListBase(fontBase);
    glCallLists(static_cast<GLsizei>(text.size()), GL_UNSIGNED_BYTE, text.data());
    glListBase(0);
    glEnable(GL_DEPTH_TEST);
}

std::vector<unsigned char> WindowPixels() {
    std::vector<unsigned char> pixels(1024 * 768 * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 1024, 768, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

TEST_F(OverlayGL, PrintTextSetsExactlyThePixelsOfTheFontsBitmaps) {
    struct Line {
        int x, y;
        const char* text;
    };
    const Line lines[] = {
        {10, 50, "Collisions: 3"},
        {10, 65, "Time: 0:12.345"},
        {497, 384, "Press a key to play"},
        {10, 10, "Version: Release 1.0.1.0"},
        {0, 0, "\x80\xc4\xd6\xe9 @#%&*()[]{}"},
        {1000, 760, "edge of the window"},
    };
    const uint32_t fontBase = gl_->GetOverlay().FontBase();
    ASSERT_NE(fontBase, 0u);
    for (const Line& line : lines) {
        gl_->BeginFrame();
        DrawWithFontLists(*gl_, fontBase, line.x, line.y, line.text);
        const std::vector<unsigned char> bitmaps = WindowPixels();
        gl_->BeginFrame();
        gl_->GetOverlay().PrintText(line.x, line.y, "%s", line.text);
        const std::vector<unsigned char> printed = WindowPixels();
        size_t lit = 0;
        for (unsigned char value : printed)
            lit += value != 0 ? 1 : 0;
        EXPECT_GT(lit, 10u) << line.text;
        EXPECT_TRUE(bitmaps == printed) << line.text;
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
