#include "platform/bitmap_font.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <sys/stat.h>

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

void CompileEmptyList(uint32_t list) {
    glNewList(list, GL_COMPILE);
    glEndList();
}

// One glyph as glBitmap wants it: rows bottom first, one byte alignment.
void CompileGlyphList(uint32_t list, const FT_GlyphSlot glyph) {
    const FT_Bitmap& bitmap = glyph->bitmap;
    const int rowBytes = (static_cast<int>(bitmap.width) + 7) / 8;
    const int rows = static_cast<int>(bitmap.rows);
    std::vector<GLubyte> bits(static_cast<size_t>(rowBytes) * rows + 1, 0);
    for (int row = 0; row < rows && rowBytes > 0; ++row) {
        const unsigned char* source = bitmap.buffer + row * bitmap.pitch;
        GLubyte* target = bits.data() + static_cast<size_t>(rows - 1 - row) * rowBytes;
        for (int i = 0; i < rowBytes; ++i)
            target[i] = source[i];
    }
    glNewList(list, GL_COMPILE);
    glBitmap(static_cast<GLsizei>(bitmap.width), rows, static_cast<GLfloat>(-glyph->bitmap_left),
             static_cast<GLfloat>(rows - glyph->bitmap_top),
             static_cast<GLfloat>(glyph->advance.x) / 64.0f, 0.0f, bits.data());
    glEndList();
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
    FreeTypeFace font(fontFile);
    FT_Face face = font.Face();
    const bool usable = face && SetCellHeight(face, pixelHeight);

    GLint alignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (int i = 0; i < count; ++i) {
        const uint32_t list = listBase + static_cast<uint32_t>(i);
        const int code = firstCode + i;
        const uint32_t character = (code >= 0 && code < 256) ? Windows1252ToUnicode(code) : 0;
        const FT_UInt index = usable && character >= 0x20 ? FT_Get_Char_Index(face, character) : 0;
        if (index == 0 || FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0 ||
            (face->glyph->bitmap.rows > 0 &&
             face->glyph->bitmap.pixel_mode != FT_PIXEL_MODE_MONO)) {
            CompileEmptyList(list);
            continue;
        }
        CompileGlyphList(list, face->glyph);
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    return usable;
}
