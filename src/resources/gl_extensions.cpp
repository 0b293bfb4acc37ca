#include "resources/gl_extensions.h"

#include <cstring>

namespace {

template <typename Function>
void Fetch(Function& entry, const char* name) {
    entry = reinterpret_cast<Function>(GetGLProcAddress(name));
}

bool Present(const char* name) {
    return HasExtension(reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS)), name);
}

}  // namespace

bool HasExtension(const char* extensions, const char* name) {
    if (!extensions || !name || !*name || std::strchr(name, ' '))
        return false;
    const size_t length = std::strlen(name);
    const char* start = extensions;
    for (;;) {
        const char* match = std::strstr(start, name);
        if (!match)
            return false;
        const char* end = match + length;
        if ((match == start || match[-1] == ' ') && (*end == ' ' || *end == '\0'))
            return true;
        start = end;
    }
}

bool IsSoftwareRenderer(const char* renderer) {
    if (!renderer)
        return false;
    const char* const kSoftware[] = {"llvmpipe", "softpipe", "Software Rasterizer", "swrast"};
    for (const char* name : kSoftware) {
        if (std::strstr(renderer, name))
            return true;
    }
    return false;
}

bool DriverCompresses(const GLExtensions& extensions, bool texcompSetting) {
    return texcompSetting && extensions.textureCompression && !extensions.softwareRenderer;
}

void GLExtensions::Probe() {
    GLint size = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &size);
    maxTextureSize = size;
    if (!glGetString(GL_VERSION))
        return;

    generateMipmap = Present("GL_SGIS_generate_mipmap");
    anisotropicFilter = Present("GL_EXT_texture_filter_anisotropic");
    s3tc = Present("GL_EXT_texture_compression_s3tc");
    textureCompression = Present("GL_ARB_texture_compression");
    vertexBufferObjects = Present("GL_ARB_vertex_buffer_object");
    multitexture = Present("GL_ARB_multitexture");
    softwareRenderer = IsSoftwareRenderer(reinterpret_cast<const char*>(glGetString(GL_RENDERER)));

    if (multitexture) {
        Fetch(qglActiveTextureARB, "glActiveTextureARB");
        Fetch(qglClientActiveTextureARB, "glClientActiveTextureARB");
    }
    if (textureCompression)
        Fetch(qglCompressedTexImage2DARB, "glCompressedTexImage2DARB");
    if (vertexBufferObjects) {
        Fetch(qglBindBufferARB, "glBindBufferARB");
        Fetch(qglDeleteBuffersARB, "glDeleteBuffersARB");
        Fetch(qglGenBuffersARB, "glGenBuffersARB");
        Fetch(qglBufferDataARB, "glBufferDataARB");
    }
}
