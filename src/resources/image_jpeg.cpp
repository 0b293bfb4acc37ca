// JPEG files through libjpeg's 6b interface. Grey files are converted to RGB.
// A damaged file (a library error, or a warning such as data ending early)
// returns ImageDamaged instead of ending the program.
//
// The error manager leaves by longjmp to the recovery point; the functions
// that set one hold only plain locals, so no destructor is skipped.

#include <csetjmp>
#include <cstdio>

// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>

#include "platform/gl.h"
#include "resources/image.h"
#include "resources/image_bytes.h"

namespace {

struct JpegError {
    jpeg_error_mgr manager;
    std::jmp_buf recovery;
};

[[noreturn]] void LeaveOnError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JpegError*>(info->err)->recovery, 1);
}

// Warnings (level -1) mean damaged data: the picture would come out partly
// grey. Trace messages (levels 0 and above) are ignored.
void LeaveOnWarning(j_common_ptr info, int level) {
    if (level < 0)
        LeaveOnError(info);
}

void InstallErrorManager(JpegError& error) {
    jpeg_std_error(&error.manager);
    error.manager.error_exit = LeaveOnError;
    error.manager.emit_message = LeaveOnWarning;
}

int DecodeJpeg(jpeg_decompress_struct& info, JpegError& error, std::FILE* file, Image& image) {
    if (setjmp(error.recovery))
        return ImageDamaged;
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    if (info.num_components != 1 && info.num_components != 3)
        return ImageDamaged;
    info.out_color_space = JCS_RGB;
    if (info.image_width > kMaxImageSide || info.image_height > kMaxImageSide)
        return ImageOutOfMemory;
    jpeg_start_decompress(&info);
    if (info.output_components != 3)
        return ImageDamaged;

    const size_t rowBytes = size_t{info.output_width} * 3;
    if (!ResizeBuffer(image.pixels, rowBytes * info.output_height))
        return ImageOutOfMemory;
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image.pixels.data() + info.output_scanline * rowBytes;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);

    image.width = info.output_width;
    image.height = info.output_height;
    image.bitsPerPixel = 24;
    image.pixelFormat = GL_RGB;
    image.compressed = false;
    return ImageOk;
}

int EncodeJpeg(jpeg_compress_struct& info, JpegError& error, std::FILE* file, const Image& image) {
    if (setjmp(error.recovery))
        return ImageUnsupported;
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = image.width;
    info.image_height = image.height;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, image.quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    // JPEG wants the top row first: hand over the stored rows from the last.
    const size_t rowBytes = image.RowBytes();
    while (info.next_scanline < info.image_height) {
        const size_t storedRow = image.height - 1 - info.next_scanline;
        JSAMPROW row = const_cast<JSAMPLE*>(image.pixels.data() + storedRow * rowBytes);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    return ImageOk;
}

}  // namespace

int Image::LoadJPEG(const char* path) {
    std::FILE* file = std::fopen(path, "rb");
    if (!file)
        return ImageCannotOpen;
    jpeg_decompress_struct info{};
    JpegError error{};
    InstallErrorManager(error);
    info.err = &error.manager;
    int result = DecodeJpeg(info, error, file, *this);
    jpeg_destroy_decompress(&info);
    std::fclose(file);
    if (result == ImageOk)
        result = FlipVertical();
    return result;
}

int Image::SaveJPEG(const char* path) const {
    if (bitsPerPixel != 24 || width == 0 || height == 0 || pixels.size() < RowBytes() * height)
        return ImageUnsupported;
    std::FILE* file = std::fopen(path, "wb");
    if (!file)
        return ImageCannotOpen;
    jpeg_compress_struct info{};
    JpegError error{};
    InstallErrorManager(error);
    info.err = &error.manager;
    int result = EncodeJpeg(info, error, file, *this);
    jpeg_destroy_compress(&info);
    if (std::fclose(file) != 0 && result == ImageOk)
        result = ImageUnsupported;
    return result;
}
