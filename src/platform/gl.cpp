#include "platform/gl.h"

#include <SDL.h>

void* GetGLProcAddress(const char* name) {
    return SDL_GL_GetProcAddress(name);
}
