#include "resources/image_bytes.h"

#include <cstdio>
#include <memory>
#include <new>
#include <stdexcept>

namespace {

// Whole files above this size are refused before anything is allocated.
constexpr long kMaxFileBytes = 512l << 20;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

bool ResizeBuffer(std::vector<uint8_t>& buffer, size_t size) {
    try {
        buffer.resize(size);
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
    return true;
}

bool ReadWholeFile(const char* path, std::vector<uint8_t>& contents) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path, "rb"));
    if (!file)
        return false;
    if (std::fseek(file.get(), 0, SEEK_END) != 0)
        return false;
    const long size = std::ftell(file.get());
    if (size < 0 || size > kMaxFileBytes || std::fseek(file.get(), 0, SEEK_SET) != 0)
        return false;
    if (!ResizeBuffer(contents, static_cast<size_t>(size)))
        return false;
    return size == 0 ||
           std::fread(contents.data(), 1, contents.size(), file.get()) == contents.size();
}
