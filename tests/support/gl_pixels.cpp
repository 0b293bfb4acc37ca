#include "support/gl_pixels.h"

#include <cstdlib>

#include "platform/gl.h"

FramePixels::FramePixels(int width, int height)
    : width_(width), height_(height), bytes_(static_cast<size_t>(width) * height * 3) {
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, bytes_.data());
}

Rgb FramePixels::At(int x, int yFromTop) const {
    const size_t at = (static_cast<size_t>(height_ - 1 - yFromTop) * width_ + x) * 3;
    return {bytes_[at], bytes_[at + 1], bytes_[at + 2]};
}

bool Near(const Rgb& got, const Rgb& want, int tolerance) {
    return std::abs(got.r - want.r) <= tolerance && std::abs(got.g - want.g) <= tolerance &&
           std::abs(got.b - want.b) <= tolerance;
}
