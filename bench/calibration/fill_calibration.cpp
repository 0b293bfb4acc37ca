// quarn-fill-calibration WIDTH HEIGHT SECONDS: what covering a window once
// with textured pixels costs on the GL in use. For SECONDS it clears the
// window, fills it with one quad of a bilinear-filtered 256 x 256 picture and
// swaps, through the game's own window (GLWindow), and prints
//
//     fill calibration WIDTH x HEIGHT: N frames in S s, F per second
//
// bench/frame_rate.sh runs it beside each game measurement, in the same X
// server, to set the game's frame rate against the machine's.

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "core/clock.h"
#include "core/settings.h"
#include "platform/gl.h"
#include "platform/message_queue.h"
#include "render/gl_window.h"

namespace {

constexpr int kPictureSide = 256;

intptr_t IgnoreMessages(const WindowMessage&, void*) {
    return 0;
}

GLuint MakePicture() {
    std::vector<unsigned char> rgb(kPictureSide * kPictureSide * 3);
    for (int y = 0; y < kPictureSide; ++y) {
        for (int x = 0; x < kPictureSide; ++x) {
            unsigned char* texel = &rgb[(y * kPictureSide + x) * 3];
            texel[0] = static_cast<unsigned char>(x);
            texel[1] = static_cast<unsigned char>(y);
            texel[2] = static_cast<unsigned char>((x ^ y) & 0xFF);
        }
    }
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, kPictureSide, kPictureSide, 0, GL_RGB, GL_UNSIGNED_BYTE,
                 rgb.data());
    return texture;
}

void FillWindow(GLuint texture) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 1, 0, 1, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    glColor3f(1.0f, 1.0f, 1.0f);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(0.0f, 0.0f);
    glTexCoord2f(4.0f, 0.0f);
    glVertex2f(1.0f, 0.0f);
    glTexCoord2f(4.0f, 3.0f);
    glVertex2f(1.0f, 1.0f);
    glTexCoord2f(0.0f, 3.0f);
    glVertex2f(0.0f, 1.0f);
    glEnd();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: quarn-fill-calibration WIDTH HEIGHT SECONDS\n");
        return 2;
    }
    setenv("QUARN_MESSAGEBOX", "stderr", 1);
    VideoSettings video;
    video.width = std::atoi(argv[1]);
    video.height = std::atoi(argv[2]);
    const double seconds = std::atof(argv[3]);
    GLWindow window(video);
    if (Failed(window.Create(IgnoreMessages)))
        return 1;
    const GLuint texture = MakePicture();

    Clock& clock = SystemClock();
    int64_t frequency = 1;
    clock.PerformanceFrequency(&frequency);
    const int64_t start = clock.PerformanceCounter();
    int64_t now = start;
    long frames = 0;
    while (static_cast<double>(now - start) / static_cast<double>(frequency) < seconds) {
        WindowMessage message;
        while (PeekWindowMessage(&message)) {
        }
        window.BeginFrame();
        FillWindow(texture);
        window.EndFrame();
        ++frames;
        now = clock.PerformanceCounter();
    }
    const double elapsed = static_cast<double>(now - start) / static_cast<double>(frequency);
    std::printf("fill calibration %d x %d: %ld frames in %.3f s, %.1f per second\n", video.width,
                video.height, frames, elapsed, frames / elapsed);
    glDeleteTextures(1, &texture);
    window.Destroy();
    return 0;
}
