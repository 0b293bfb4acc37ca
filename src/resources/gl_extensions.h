#pragma once
// The table of what the GL driver offers: the largest texture size, the
// extensions the program uses and their entry points.

#include "platform/gl.h"

struct GLExtensions {
    int maxTextureSize = 0;
    bool generateMipmap = false;       // GL_SGIS_generate_mipmap
    bool anisotropicFilter = false;    // GL_EXT_texture_filter_anisotropic
    bool s3tc = false;                 // GL_EXT_texture_compression_s3tc
    bool textureCompression = false;   // GL_ARB_texture_compression
    bool vertexBufferObjects = false;  // GL_ARB_vertex_buffer_object
    bool multitexture = false;         // GL_ARB_multitexture
    // The renderer samples textures on the CPU (Mesa's llvmpipe, softpipe,
    // swrast): there a texture the driver compressed costs several times a
    // plain one, and trilinear filtering about twice bilinear.
    bool softwareRenderer = false;

    // Fills the table; needs a current GL context. Probing again gives the same.
    void Probe();
};

// Whole-word search of one extension name in a space-separated extension
// string. A name that is empty or holds a space is never present.
bool HasExtension(const char* extensions, const char* name);

// Whether a GL_RENDERER string names a renderer that draws on the CPU.
bool IsSoftwareRenderer(const char* renderer);

// Whether the driver should compress uncompressed pictures as they are
// uploaded: the texcomp setting asks for it, the GL can, and it samples
// compressed textures at no extra cost.
bool DriverCompresses(const GLExtensions& extensions, bool texcompSetting);
