#pragma once
// OpenGL 1.1 with the extension types, and the loader of extension entry
// points (wglGetProcAddress on the original platform).

#include <GL/gl.h>
#include <GL/glext.h>

// The address of a GL entry point, or nullptr.
void* GetGLProcAddress(const char* name);
