#pragma once
// A cache from texture name (the file's relative path) to GL texture name:
// every picture is loaded once per manager, and the manager deletes all its
// textures together. Callers hold GL texture names only and never delete them.

#include <cstdint>
#include <list>
#include <string>

#include "resources/texture_loader.h"

class TextureManager {
public:
    TextureManager() = default;
    ~TextureManager();
    TextureManager(const TextureManager&) = delete;
    TextureManager& operator=(const TextureManager&) = delete;

    // Settings for later loads; textures already loaded keep theirs.
    void Init(uint8_t compressionFlags, bool generateMipmaps, int maxTextureSize,
              Minification minification = Minification::Trilinear);
    // Writes the texture of `name`, loading the file on first use. On failure
    // shows "Texture not found!" with the name, returns false and leaves
    // `texture` alone; failures are not remembered.
    bool Get(const std::string& name, uint32_t& texture);
    // Deletes every texture; the manager stays usable.
    void Clear();

    size_t Count() const { return entries_.size(); }

private:
    struct Entry {
        uint32_t key;  // NameHash of the name, compared before the name
        uint32_t texture;
        std::string name;
    };

    int maxTextureSize_ = 256;
    uint8_t compressionFlags_ = 0;
    bool generateMipmaps_ = false;
    Minification minification_ = Minification::Trilinear;
    std::list<Entry> entries_;  // in order of loading
};
