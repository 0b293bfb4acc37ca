
#include "render/overlay.h"

#include <algorithm>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/bitmap_font.h"
#include "platform/gl.h"

namespace {

// Font glyphs hang 13 pixels below the given y: y is the top of a 12-pixel line.
constexpr int kBaselineDrop = 13;

constexpr int kFontListCount = 256;
constexpr int kFontGlyphCount = 255;  // codes 0-254
constexpr int kFontHeight = 12;

constexpr float kSheetRowHeight = 0.125f;  // 8 rows
constexpr float kSheetColumnWidth = 0.5f;  // 2 columns

struct TexturedQuad {
    int left, top, right, bottom;        // virtual-screen units
    float sLeft, sRight, tBottom, tTop;  // texture coordinates
};

void PushVirtualScreen() {
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, kVirtualScreenWidth, kVirtualScreenHeight, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
}

void PopVirtualScreen() {
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}

int DrawTexturedQuad(const TexturedQuad& quad, uint32_t texture) {
    PushVirtualScreen();
    glColor3f(1.0f, 1.0f, 1.0f);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glBindTexture(GL_TEXTURE_2D, texture);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

    glBegin(GL_QUADS);
    glTexCoord2f(quad.sLeft, quad.tBottom);
    glVertex2i(quad.left, quad.bottom);
    glTexCoord2f(quad.sRight, quad.tBottom);
    glVertex2i(quad.right, quad.bottom);
    glTexCoord2f(quad.sRight, quad.tTop);
    glVertex2i(quad.right, quad.top);
    glTexCoord2f(quad.sLeft, quad.tTop);
    glVertex2i(quad.left, quad.top);
    glEnd();

    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    PopVirtualScreen();
    return 0;
}

TexturedQuad FractionQuad(float left, float top, float right, float bottom) {
    TexturedQuad quad{};
    quad.left = VirtualScreenCoordinate(left, kVirtualScreenWidth);
    quad.right = VirtualScreenCoordinate(right, kVirtualScreenWidth);
    quad.top = VirtualScreenCoordinate(top, kVirtualScreenHeight);
    quad.bottom = VirtualScreenCoordinate(bottom, kVirtualScreenHeight);
    return quad;
}

// Window sizes come from settings.ini and may be anything an int holds.
int ClampToInt(int64_t value) {
    return static_cast<int>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

}  // namespace

void Overlay::BuildFont() {
    fontBase_ = glGenLists(kFontListCount);
    const std::string fontFile = FindBoldSansFontFile();
    if (fontFile.empty()) {
        std::fprintf(stderr,
                     "Quarn: Liberation Sans Bold not found (install fonts-liberation2); "
                     "on-screen text stays blank.\n");
    }
    if (!BuildBitmapFontLists(fontFile, kFontHeight, fontBase_, 0, kFontGlyphCount) &&
        !fontFile.empty()) {
        std::fprintf(stderr, "Quarn: cannot load the font %s; on-screen text stays blank.\n",
                     fontFile.c_str());
    }
}

void Overlay::FreeFont() {
    if (fontBase_ != 0)
        glDeleteLists(fontBase_, kFontListCount);
    fontBase_ = 0;
}

int Overlay::PrintText(int x, int y, const char* format, ...) {
    glColor3f(textColor_[0], textColor_[1], textColor_[2]);
    glDisable(GL_DEPTH_TEST);
    if (!format)
        return -1;

    char text[kOverlayTextBufferBytes];
    va_list arguments;
    va_start(arguments, format);
    const int length = std::vsnprintf(text, sizeof(text), format, arguments);
    va_end(arguments);
    if (length < 0)
        text[0] = '\0';

    // A zero-size viewport at the text's spot: the raster position lands
    // exactly on its origin and stays valid even outside the window.
    glPushAttrib(GL_VIEWPORT_BIT | GL_TRANSFORM_BIT);
    PushVirtualScreen();
    glViewport(ClampToInt(int64_t{x} - 1), ClampToInt(int64_t{windowHeight_} - y - kBaselineDrop),
               0, 0);
    glRasterPos4f(0.0f, 0.0f, 0.0f, 1.0f);
    PopVirtualScreen();
    glPopAttrib();

    glPushAttrib(GL_LIST_BIT);
    glListBase(fontBase_);
    glCallLists(static_cast<GLsizei>(std::strlen(text)), GL_UNSIGNED_BYTE, text);
    glPopAttrib();

    glEnable(GL_DEPTH_TEST);
    return 0;
}

int Overlay::DrawSheetTitle(float left, float top, float right, float bottom, uint32_t texture) {
    TexturedQuad quad = FractionQuad(left, top, right, bottom);
    quad.sLeft = 0.0f;
    quad.sRight = 1.0f;
    quad.tBottom = 1.0f - kSheetRowHeight;
    quad.tTop = 1.0f;
    return DrawTexturedQuad(quad, texture);
}

int Overlay::DrawSheetCell(int row, bool highlighted, float left, float top, float right,
                           float bottom, uint32_t texture) {
    TexturedQuad quad = FractionQuad(left, top, right, bottom);
    quad.sLeft = highlighted ? kSheetColumnWidth : 0.0f;
    quad.sRight = highlighted ? 1.0f : kSheetColumnWidth;
    quad.tBottom = 1.0f - static_cast<float>(row + 1) * kSheetRowHeight;
    quad.tTop = 1.0f - static_cast<float>(row) * kSheetRowHeight;
    return DrawTexturedQuad(quad, texture);
}

int Overlay::DrawImage(int x, int y, int width, int height, uint32_t texture) {
    const TexturedQuad quad = {x, y, x + width, y + height, 0.0f, 1.0f, 0.0f, 1.0f};
    return DrawTexturedQuad(quad, texture);
}

int Overlay::DrawFullScreenImage(uint32_t texture) {
    const TexturedQuad quad = {0,    0,   kVirtualScreenWidth, kVirtualScreenHeight, 0.0f, 1.0f,
                               0.0f, 1.0f};
    return DrawTexturedQuad(quad, texture);
}
