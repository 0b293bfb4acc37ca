#include "resources/texture_manager.h"

#include "core/name_hash.h"
#include "platform/gl.h"
#include "platform/message_box.h"
#include "resources/texture_loader.h"

namespace {
constexpr const char* kTextureNotFoundCaption = "Texture not found!";
}

TextureManager::~TextureManager() {
    Clear();
}

void TextureManager::Init(uint8_t compressionFlags, bool generateMipmaps, int maxTextureSize,
                          Minification minification) {
    compressionFlags_ = compressionFlags;
    minification_ = minification;
    generateMipmaps_ = generateMipmaps;
    maxTextureSize_ = maxTextureSize;
}

bool TextureManager::Get(const std::string& name, uint32_t& texture) {
    const uint32_t key = entries_.empty() ? 0 : NameHash(name);
    for (const Entry& entry : entries_) {
        if (entry.key == key && entry.name == name) {
            texture = entry.texture;
            return true;
        }
    }

    TextureLoader loader;
    loader.Configure(compressionFlags_, generateMipmaps_, maxTextureSize_, minification_);
    uint32_t loaded = 0;
    if (!loader.LoadTexture(name.c_str(), loaded)) {
        ShowMessageBox(name.c_str(), kTextureNotFoundCaption, MB_OK | MB_ICONERROR);
        return false;
    }
    entries_.push_back({NameHash(name), loaded, name});
    texture = loaded;
    return true;
}

void TextureManager::Clear() {
    for (const Entry& entry : entries_) {
        const GLuint texture = entry.texture;
        glDeleteTextures(1, &texture);
    }
    entries_.clear();
}
