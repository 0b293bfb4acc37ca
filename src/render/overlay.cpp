
#include "render/overlay.h"

#include <algorithm>
#include <cmath>
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
    BuildGlyphTexture(fontFile);
}

void Overlay::BuildGlyphTexture(const std::string& fontFile) {
    BitmapFontAtlas atlas;
    BuildBitmapFontAtlas(fontFile, kFontHeight, 0, kFontGlyphCount, atlas);
    GLint previous = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &previous);
    GLint alignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_ALPHA8, atlas.width, atlas.height, 0, GL_ALPHA,
                 GL_UNSIGNED_BYTE, atlas.alpha.data());
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(previous));
    glyphTexture_ = texture;
    glyphTextureWidth_ = atlas.width;
    glyphTextureHeight_ = atlas.height;
    for (int code = 0; code < 256; ++code) {
        const AtlasGlyph& glyph = atlas.glyphs[code];
        glyphs_[code] = {glyph.present, glyph.x,     glyph.y,     glyph.width,
                         glyph.height,  glyph.xorig, glyph.yorig, glyph.advance};
    }
}

void Overlay::FreeFont() {
    if (fontBase_ != 0)
        glDeleteLists(fontBase_, kFontListCount);
    fontBase_ = 0;
    if (glyphTexture_ != 0) {
        const GLuint texture = glyphTexture_;
        glDeleteTextures(1, &texture);
    }
    glyphTexture_ = 0;
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

    // The line starts where the font's lists would start it: at the raster
    // position (x - 1, height - y - 13) in window pixels.
    const float rasterX = static_cast<float>(ClampToInt(int64_t{x} - 1));
    const float rasterY =
        static_cast<float>(ClampToInt(int64_t{windowHeight_} - y - kBaselineDrop));
    DrawGlyphLine(rasterX, rasterY, text);

    glEnable(GL_DEPTH_TEST);
    return 0;
}

// Each glyph covers the pixels glBitmap would set: its bitmap's lower-left at
// floor(raster - origin), the raster moving on by the advance. The quads sit
// on whole pixels in a projection of window pixels and sample the texture at
// texel centres, so every pixel is exactly a glyph bit; the alpha test drops
// the clear ones as glBitmap leaves them.
void Overlay::DrawGlyphLine(float rasterX, float rasterY, const char* text) const {
    if (glyphTexture_ == 0 || drawableWidth_ <= 0 || drawableHeight_ <= 0)
        return;
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    GLint alphaFunction = GL_ALWAYS, environment = GL_MODULATE, previousTexture = 0;
    GLfloat alphaReference = 0.0f;
    glGetIntegerv(GL_ALPHA_TEST_FUNC, &alphaFunction);
    glGetFloatv(GL_ALPHA_TEST_REF, &alphaReference);
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &environment);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &previousTexture);
    const bool alphaTest = glIsEnabled(GL_ALPHA_TEST);
    const bool texturing = glIsEnabled(GL_TEXTURE_2D);

    glViewport(0, 0, drawableWidth_, drawableHeight_);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, drawableWidth_, 0, drawableHeight_, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, glyphTexture_);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.5f);

    const float sScale = 1.0f / static_cast<float>(glyphTextureWidth_);
    const float tScale = 1.0f / static_cast<float>(glyphTextureHeight_);
    glBegin(GL_QUADS);
    for (const char* c = text; *c; ++c) {
        const Glyph& glyph = glyphs_[static_cast<unsigned char>(*c)];
        if (!glyph.present)
            continue;
        if (glyph.width > 0 && glyph.height > 0) {
            const float left = std::floor(rasterX - glyph.xorig);
            const float bottom = std::floor(rasterY - glyph.yorig);
            const float right = left + static_cast<float>(glyph.width);
            const float top = bottom + static_cast<float>(glyph.height);
            const float s0 = static_cast<float>(glyph.x) * sScale;
            const float s1 = static_cast<float>(glyph.x + glyph.width) * sScale;
            const float t0 = static_cast<float>(glyph.y) * tScale;
            const float t1 = static_cast<float>(glyph.y + glyph.height) * tScale;
            glTexCoord2f(s0, t0);
            glVertex2f(left, bottom);
            glTexCoord2f(s1, t0);
            glVertex2f(right, bottom);
            glTexCoord2f(s1, t1);
            glVertex2f(right, top);
            glTexCoord2f(s0, t1);
            glVertex2f(left, top);
        }
        rasterX += glyph.advance;
    }
    glEnd();

    glAlphaFunc(static_cast<GLenum>(alphaFunction), alphaReference);
    if (!alphaTest)
        glDisable(GL_ALPHA_TEST);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, environment);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(previousTexture));
    if (!texturing)
        glDisable(GL_TEXTURE_2D);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glViewport(viewport[0], viewport[1], viewport[2], viewport[3]);
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
