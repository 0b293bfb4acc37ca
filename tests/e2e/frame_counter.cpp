// Counts the frames a program shows, for the soak script: preloaded into
// quarn (LD_PRELOAD), it passes every SDL_GL_SwapWindow on to SDL and writes
// the running count to the file named by QUARN_FRAME_COUNT_FILE, every 50
// frames and at exit. The game itself is not changed.

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>

struct SDL_Window;

namespace {

using SwapFunction = void (*)(SDL_Window*);

unsigned long g_frames = 0;

void WriteCount() {
    // Other programs started with the same environment show no frames.
    const char* path = std::getenv("QUARN_FRAME_COUNT_FILE");
    if (path == nullptr || g_frames == 0)
        return;
    if (std::FILE* file = std::fopen(path, "w")) {
        std::fprintf(file, "%lu\n", g_frames);
        std::fclose(file);
    }
}

struct CountAtExit {
    ~CountAtExit() { WriteCount(); }
} g_countAtExit;

}  // namespace

extern "C" void SDL_GL_SwapWindow(SDL_Window* window) {
    static const SwapFunction next =
        reinterpret_cast<SwapFunction>(dlsym(RTLD_NEXT, "SDL_GL_SwapWindow"));
    if (next != nullptr)
        next(window);
    if (++g_frames % 50 == 0)
        WriteCount();
}
