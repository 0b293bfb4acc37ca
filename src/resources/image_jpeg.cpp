// JPEG files through libjpeg's 6b interface. Grey files are converted to RGB.
// A library error returns ImageDamaged instead of ending the program. Warnings
// are reported on standard error and decoding goes on, as with libjpeg's own
// handling, except when the compressed data ends inside a scan: the rows
// after it would be made up, so that file is damaged too.
//
// The error manager leaves by longjmp to the recovery point; the functions
// that set one hold only plain locals, so no destructor is skipped.

#include <csetjmp>
#include <cstdio>

// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>
// After jpeglib.h: the message codes.
#include <jerror.h>

#include "platform/gl.h"
#include "resources/image.h"
#include "resources/image_bytes.h"

namespace {

struct JpegError {
    jpeg_error_mgr manager;
    std::jmp_buf recovery;
    int warnings;                        // seen while decoding
    bool dataEnded;                      // the compressed data ended inside a scan
    char firstWarning[JMSG_LENGTH_MAX];  // the text of the first one
};

JpegError& ErrorOf(j_common_ptr info) {
    return *reinterpret_cast<JpegError*>(info->err);
}

[[noreturn]] void LeaveOnError(j_common_ptr info) {
    std::longjmp(ErrorOf(info).recovery, 1);
}

// Decoding: warnings (level -1) are counted and the first one kept for the
// log; data that ends inside a scan stops the decode. Trace messages (levels
// 0 and above) are ignored.
void NoteWarning(j_common_ptr info, int level) {
    if (level >= 0)
        return;
    JpegError& error = ErrorOf(info);
    if (error.manager.msg_code == JWRN_HIT_MARKER) {
        error.dataEnded = true;
        (*error.manager.format_message)(info, error.firstWarning);
        LeaveOnError(info);
    }
    if (error.warnings++ == 0)
        (*error.manager.format_message)(info, error.firstWarning);
}

// Encoding: a warning means the file written is not the picture.
void LeaveOnWarning(j_common_ptr info, int level) {
    if (level < 0)
        LeaveOnError(info);
}

void InstallErrorManager(JpegError& error, void (*emitMessage)(j_common_ptr, int)) {
    jpeg_std_error(&error.manager);
    error.manager.error_exit = LeaveOnError;
    error.manager.emit_message = emitMessage;
}

void ReportWarnings(const char* path, const JpegError& error, int result) {
    if (error.dataEnded) {
        std::fprintf(stderr, "Quarn: %s: the JPEG data ends before the last row (%s); refused.\n",
                     path, error.firstWarning);
    } else if (result == ImageOk && error.warnings == 1) {
        std::fprintf(stderr, "Quarn: %s: JPEG warning: %s; the picture is used.\n", path,
                     error.firstWarning);
    } else if (result == ImageOk && error.warnings > 1) {
        std::fprintf(stderr, "Quarn: %s: JPEG warning: %s (and %d more); the picture is used.\n",
                     path, error.firstWarning, error.warnings - 1);
    }
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
    InstallErrorManager(error, NoteWarning);
    info.err = &error.manager;
    int result = DecodeJpeg(info, error, file, *this);
    jpeg_destroy_decompress(&info);
    std::fclose(file);
    ReportWarnings(path, error, result);
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
    InstallErrorManager(error, LeaveOnWarning);
    info.err = &error.manager;
    int result = EncodeJpeg(info, error, file, *this);
    jpeg_destroy_compress(&info);
    if (std::fclose(file) != 0 && result == ImageOk)
        result = ImageUnsupported;
    return result;
}
