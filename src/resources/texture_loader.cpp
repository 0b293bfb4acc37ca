#include "resources/texture_loader.h"

#include <algorithm>

#include "platform/gl.h"
#include "resources/gl_extensions.h"
#include "resources/image.h"
#include "resources/s3tc.h"

namespace {

// S3TC levels as stored, or decoded to RGBA when the driver has no
// compressed-texture entry point.
void UploadCompressed(const Image& image) {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    std::vector<DdsLevel> levels = PlanDdsLevels(image);
    std::vector<uint8_t> decoded;
    for (size_t i = 0; i < levels.size(); ++i) {
        const DdsLevel& level = levels[i];
        const uint8_t* blocks = image.pixels.data() + level.offset;
        const GLsizei w = static_cast<GLsizei>(level.width);
        const GLsizei h = static_cast<GLsizei>(level.height);
        if (qglCompressedTexImage2DARB) {
            qglCompressedTexImage2DARB(GL_TEXTURE_2D, level.level, image.pixelFormat, w, h, 0,
                                       static_cast<GLsizei>(level.size), blocks);
        } else if (DecodeS3tcLevel(image.pixelFormat, level.width, level.height, blocks, decoded)) {
            glTexImage2D(GL_TEXTURE_2D, level.level, GL_RGBA, w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                         decoded.data());
        } else {
            levels.resize(i);  // out of memory: keep the levels already up
            break;
        }
    }
    // Files with fewer levels than a full chain stay complete: mipmapping
    // stops at the last level uploaded.
    if (!levels.empty())
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, levels.back().level);
}

void UploadUncompressed(const Image& image, bool compress, bool generateMipmaps,
                        Minification minification) {
    GLint internalFormat = image.pixelFormat;
    if (compress)
        internalFormat =
            image.pixelFormat == GL_RGBA ? GL_COMPRESSED_RGBA_ARB : GL_COMPRESSED_RGB_ARB;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
    glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    if (generateMipmaps) {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER,
                        minification == Minification::NearestLevel ? GL_LINEAR_MIPMAP_NEAREST
                                                                   : GL_LINEAR_MIPMAP_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_GENERATE_MIPMAP_SGIS, GL_TRUE);
    } else {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    }
    glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, static_cast<GLsizei>(image.width),
                 static_cast<GLsizei>(image.height), 0, image.pixelFormat, GL_UNSIGNED_BYTE,
                 image.pixels.data());
}

}  // namespace

size_t CompressedLevelSize(uint16_t format, uint32_t width, uint32_t height) {
    const size_t blockBytes = format == GL_COMPRESSED_RGBA_S3TC_DXT1_EXT ? 8 : 16;
    return ((size_t{width} + 3) / 4) * ((size_t{height} + 3) / 4) * blockBytes;
}

std::vector<DdsLevel> PlanDdsLevels(const Image& image) {
    std::vector<DdsLevel> levels;
    const int count = std::max<int>(image.mipLevels, 1);
    uint32_t width = image.width;
    uint32_t height = image.height;
    size_t offset = 0;
    for (int level = 0; level < count; ++level) {
        if (width == 0 && height == 0)
            break;
        width = std::max<uint32_t>(width, 1);
        height = std::max<uint32_t>(height, 1);
        if (width > kMaxImageSide || height > kMaxImageSide)
            break;
        const size_t size = CompressedLevelSize(image.pixelFormat, width, height);
        if (size > image.pixels.size() - offset)
            break;  // the level is not all inside the data read
        levels.push_back({level, width, height, offset, size});
        offset += size;
        width /= 2;
        height /= 2;
    }
    return levels;
}

Minification MinificationFor(const GLExtensions& extensions) {
    return extensions.softwareRenderer ? Minification::NearestLevel : Minification::Trilinear;
}

void TextureLoader::Configure(uint8_t compressionFlags, bool generateMipmaps, int maxTextureSize,
                              Minification minification) {
    compress_ = (compressionFlags & kCompressUncompressedPictures) != 0;
    generateMipmaps_ = generateMipmaps;
    maxTextureSize_ = maxTextureSize;
    minification_ = minification;
}

bool TextureLoader::LoadTexture(const char* path, uint32_t& texture) const {
    Image image;
    if (image.Load(path) != ImageOk)
        return false;
    if (!image.compressed && maxTextureSize_ > 0 &&
        image.width > static_cast<uint32_t>(maxTextureSize_)) {
        const uint32_t side = static_cast<uint32_t>(maxTextureSize_);
        if (image.Resample(side, std::min(image.height, side)) != ImageOk)
            return false;
    }

    GLuint name = 0;
    glGenTextures(1, &name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glBindTexture(GL_TEXTURE_2D, name);
    if (image.compressed)
        UploadCompressed(image);
    else
        UploadUncompressed(image, compress_, generateMipmaps_, minification_);
    texture = name;
    return true;
}
