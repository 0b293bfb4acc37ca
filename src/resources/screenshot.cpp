#include "resources/screenshot.h"

#include <cstdio>
#include <vector>

#include "platform/gl.h"
#include "resources/image.h"
#include "resources/image_bytes.h"

namespace {

const char* ExtensionOf(int8_t format) {
    switch (format) {
        case ScreenshotTGA:
            return "tga";
        case ScreenshotJPEG:
            return "jpg";
        case ScreenshotPNG:
            return "png";
        default:
            return nullptr;
    }
}

}  // namespace

std::string ScreenshotFileName(const std::tm& localTime, int8_t format) {
    const char* extension = ExtensionOf(format);
    if (!extension)
        return std::string();
    char name[64];
    std::snprintf(name, sizeof(name), "screenshot%.4d%.2d%.2d%.2d%.2d%.2d.%s",
                  localTime.tm_year + 1900, localTime.tm_mon + 1, localTime.tm_mday,
                  localTime.tm_hour, localTime.tm_min, localTime.tm_sec, extension);
    return name;
}

void TakeScreenshot(int width, int height, int8_t format, const std::string& folder) {
    if (format <= 0 || !ExtensionOf(format) || width <= 0 || height <= 0)
        return;
    const std::time_t now = std::time(nullptr);
    std::tm localTime{};
    if (!localtime_r(&now, &localTime))
        return;
    const std::string fileName = ScreenshotFileName(localTime, format);
    const std::string name = folder.empty() ? fileName : folder + "/" + fileName;

    std::vector<uint8_t> capture;
    if (!ResizeBuffer(capture, size_t{static_cast<uint32_t>(width)} * height * 3))
        return;
    // Rows packed tightly: width x 3 bytes each, whatever the width.
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glPixelStorei(GL_PACK_SKIP_ROWS, 0);
    glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, capture.data());
    glPopClientAttrib();

    Image image;
    if (image.SetPixels(static_cast<uint32_t>(width), static_cast<uint32_t>(height), 24,
                        capture.data()) != ImageOk)
        return;
    switch (format) {
        case ScreenshotTGA:
            image.SaveTGA(name.c_str());
            break;
        case ScreenshotJPEG:
            image.quality = 100;
            image.SaveJPEG(name.c_str());
            break;
        case ScreenshotPNG:
            if (image.FlipVertical() == ImageOk)
                image.SavePNG(name.c_str());
            break;
    }
}
