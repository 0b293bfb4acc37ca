#include "platform/bitmap_font.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <sys/stat.h>

#include <algorithm>
#include <vector>

#include "platform/gl.h"

namespace {

// Windows-1252 codes 0x80-0x9F; 0 marks the five codes the page leaves empty.
constexpr uint16_t kCodePage1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

const char* const kFontCandidates[] = {
    "/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf",
    "/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf",
    "/usr/local/share/fonts/LiberationSans-Bold.ttf",
};

bool FileExists(const char* path) {
    struct stat info;
    return stat(path, &info) == 0 && S_ISREG(info.st_mode);
}

class FreeTypeFace {
public:
    FreeTypeFace(const std::string& file) {
        if (FT_Init_FreeType(&library_) != 0) {
            library_ = nullptr;
            return;
        }
        if (FT_New_Face(library_, file.c_str(), 0, &face_) != 0)
            face_ = nullptr;
    }
    ~FreeTypeFace() {
        if (face_)
            FT_Done_Face(face_);
        if (library_)
            FT_Done_FreeType(library_);
    }
    FreeTypeFace(const FreeTypeFace&) = delete;
    FreeTypeFace& operator=(const FreeTypeFace&) = delete;

    FT_Face Face() const { return face_; }

private:
    FT_Library library_ = nullptr;
    FT_Face face_ = nullptr;
};

// A cell height of pixelHeight: ascender plus descender, as a GDI font of
// that height has.
bool SetCellHeight(FT_Face face, int pixelHeight) {
    FT_Size_RequestRec request = {};
    request.type = FT_SIZE_REQUEST_TYPE_CELL;
    request.height = pixelHeight * 64;
    return FT_Request_Size(face, &request) == 0;
}

// One glyph as glBitmap takes it: one bit a pixel, rows bottom first, rows
// padded to whole bytes, with its origin and advance.
struct MonoGlyph {
    int width = 0;
    int height = 0;
    int rowBytes = 0;
    float xorig = 0.0f, yorig = 0.0f, advance = 0.0f;
    std::vector<uint8_t> bits;

    bool Bit(int column, int row) const {
        return (bits[static_cast<size_t>(row) * rowBytes + column / 8] >> (7 - column % 8)) & 1;
    }
};

MonoGlyph TakeGlyph(const FT_GlyphSlot glyph) {
    const FT_Bitmap& bitmap = glyph->bitmap;
    MonoGlyph mono;
    mono.width = static_cast<int>(bitmap.width);
    mono.height = static_cast<int>(bitmap.rows);
    mono.rowBytes = (mono.width + 7) / 8;
    mono.xorig = static_cast<float>(-glyph->bitmap_left);
    mono.yorig = static_cast<float>(mono.height - glyph->bitmap_top);
    mono.advance = static_cast<float>(glyph->advance.x) / 64.0f;
    mono.bits.assign(static_cast<size_t>(mono.rowBytes) * mono.height + 1, 0);
    for (int row = 0; row < mono.height && mono.rowBytes > 0; ++row) {
        const unsigned char* source = bitmap.buffer + row * bitmap.pitch;
        uint8_t* target =
            mono.bits.data() + static_cast<size_t>(mono.height - 1 - row) * mono.rowBytes;
        for (int i = 0; i < mono.rowBytes; ++i)
            target[i] = source[i];
    }
    return mono;
}

// Calls visit(i, glyph) for codes firstCode + i, i from 0 to count - 1, with
// the code's glyph or null where it has none. Returns whether the font loaded.
template <typename Visit>
bool ForEachGlyph(const std::string& fontFile, int pixelHeight, int firstCode, int count,
                  Visit visit) {
    FreeTypeFace font(fontFile);
    FT_Face face = font.Face();
    const bool usable = face && SetCellHeight(face, pixelHeight);
    for (int i = 0; i < count; ++i) {
        const int code = firstCode + i;
        const uint32_t character = (code >= 0 && code < 256) ? Windows1252ToUnicode(code) : 0;
        const FT_UInt index = usable && character >= 0x20 ? FT_Get_Char_Index(face, character) : 0;
        if (index == 0 || FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0 ||
            (face->glyph->bitmap.rows > 0 &&
             face->glyph->bitmap.pixel_mode != FT_PIXEL_MODE_MONO)) {
            visit(i, nullptr);
            continue;
        }
        const MonoGlyph glyph = TakeGlyph(face->glyph);
        visit(i, &glyph);
    }
    return usable;
}

int NextPowerOfTwo(int value) {
    int power = 1;
    while (power < value)
        power *= 2;
    return power;
}

}  // namespace

std::string FindBoldSansFontFile() {
    for (const char* candidate : kFontCandidates) {
        if (FileExists(candidate))
            return candidate;
    }
    return "";
}

uint32_t Windows1252ToUnicode(uint8_t code) {
    if (code >= 0x80 && code <= 0x9F)
        return kCodePage1252High[code - 0x80];
    return code;
}

bool BuildBitmapFontLists(const std::string& fontFile, int pixelHeight, uint32_t listBase,
                          int firstCode, int count) {
    GLint alignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    const bool usable = ForEachGlyph(
        fontFile, pixelHeight, firstCode, count, [listBase](int i, const MonoGlyph* glyph) {
            glNewList(listBase + static_cast<uint32_t>(i), GL_COMPILE);
            if (glyph) {
                glBitmap(glyph->width, glyph->height, glyph->xorig, glyph->yorig, glyph->advance,
                         0.0f, glyph->bits.data());
            }
            glEndList();
        });
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    return usable;
}

bool BuildBitmapFontAtlas(const std::string& fontFile, int pixelHeight, int firstCode, int count,
                          BitmapFontAtlas& atlas) {
    atlas = BitmapFontAtlas();
    std::vector<MonoGlyph> glyphs(static_cast<size_t>(count > 0 ? count : 0));
    int cellWidth = 1, cellHeight = 1;
    const bool usable =
        ForEachGlyph(fontFile, pixelHeight, firstCode, count, [&](int i, const MonoGlyph* glyph) {
            const int code = firstCode + i;
            if (!glyph || code < 0 || code > 255)
                return;
            glyphs[i] = *glyph;
            atlas.glyphs[code].present = true;
            cellWidth = std::max(cellWidth, glyph->width + 1);
            cellHeight = std::max(cellHeight, glyph->height + 1);
        });
    // Sixteen cells a row, each glyph at the lower-left of its cell.
    constexpr int kColumns = 16;
    const int rows = (count + kColumns - 1) / kColumns;
    atlas.width = NextPowerOfTwo(kColumns * cellWidth);
    atlas.height = NextPowerOfTwo(std::max(rows, 1) * cellHeight);
    atlas.alpha.assign(static_cast<size_t>(atlas.width) * atlas.height, 0);
    for (int i = 0; i < count; ++i) {
        const int code = firstCode + i;
        if (code < 0 || code > 255 || !atlas.glyphs[code].present)
            continue;
        const MonoGlyph& mono = glyphs[i];
        AtlasGlyph& glyph = atlas.glyphs[code];
        glyph.x = (i % kColumns) * cellWidth;
        glyph.y = (i / kColumns) * cellHeight;
        glyph.width = mono.width;
        glyph.height = mono.height;
        glyph.xorig = mono.xorig;
        glyph.yorig = mono.yorig;
        glyph.advance = mono.advance;
        for (int row = 0; row < mono.height; ++row) {
            for (int column = 0; column < mono.width; ++column) {
                if (mono.Bit(column, row))
                    atlas.alpha[static_cast<size_t>(glyph.y + row) * atlas.width + glyph.x +
                                column] = 255;
            }
        }
    }
    return usable;
}
