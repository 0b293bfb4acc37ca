#pragma once
// OpenGL 1.1 with the extension types, the loader of extension entry points
// (wglGetProcAddress on the original platform) and the entry points the
// program uses.

#include <GL/gl.h>
#include <GL/glext.h>

// The address of a GL entry point, or nullptr.
void* GetGLProcAddress(const char* name);

// Extension entry points, one set for the process (the driver's), null until
// the extension table fetches them.
extern PFNGLACTIVETEXTUREARBPROC qglActiveTextureARB;
extern PFNGLCLIENTACTIVETEXTUREARBPROC qglClientActiveTextureARB;
extern PFNGLCOMPRESSEDTEXIMAGE2DARBPROC qglCompressedTexImage2DARB;
extern PFNGLBINDBUFFERARBPROC qglBindBufferARB;
extern PFNGLDELETEBUFFERSARBPROC qglDeleteBuffersARB;
extern PFNGLGENBUFFERSARBPROC qglGenBuffersARB;
extern PFNGLBUFFERDATAARBPROC qglBufferDataARB;
