#include "platform/gl.h"

#include <SDL.h>

PFNGLACTIVETEXTUREARBPROC qglActiveTextureARB = nullptr;
PFNGLCLIENTACTIVETEXTUREARBPROC qglClientActiveTextureARB = nullptr;
PFNGLCOMPRESSEDTEXIMAGE2DARBPROC qglCompressedTexImage2DARB = nullptr;
PFNGLBINDBUFFERARBPROC qglBindBufferARB = nullptr;
PFNGLDELETEBUFFERSARBPROC qglDeleteBuffersARB = nullptr;
PFNGLGENBUFFERSARBPROC qglGenBuffersARB = nullptr;
PFNGLBUFFERDATAARBPROC qglBufferDataARB = nullptr;

void* GetGLProcAddress(const char* name) {
    return SDL_GL_GetProcAddress(name);
}
