#pragma once
// The program's one graphics object: the window, the GL context, the video
// settings, the bitmap font and the projection. World rendering and the 2D
// overlay are operations of this same object, defined in scene/ and
// resources/ beside the code they draw.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/win_types.h"
#include "platform/window_messages.h"

class Camera;
class TPlayer;
class Scene;
struct Light;
class PlatformWindow;

// One entry of the game's light order: a scene light and its distance to the ball.
struct LightOrderEntry {
    const Light* light = nullptr;
    float distance = 0.0f;
};

// The built-in ball: the lower half of a subdivided icosahedron.
constexpr uint32_t kBallVertexCount = 480;
struct BallMesh {
    float positions[kBallVertexCount * 3];
    float normals[kBallVertexCount * 3];
    float texCoords[kBallVertexCount * 2];
    uint32_t vertexCount = 0;
};
// Fills the ball mesh; generated once by the window's constructor.
void BuildBallMesh(BallMesh& mesh);

// Base display-list number of the bitmap font (codes 0-254), 0 without a font.
extern uint32_t g_fontBase;

class GLWindow {
public:
    // Builds the ball mesh and reads the Video settings; opens nothing yet.
    GLWindow();
    ~GLWindow();
    GLWindow(const GLWindow&) = delete;
    GLWindow& operator=(const GLWindow&) = delete;

    HRESULT Create(WindowProcedure procedure);
    void Destroy();  // also run by the destructor when the window is still open
    int Resize(int width, int height);
    void Perspective(float fovY, float aspect, float zNear, float zFar);
    void SetupAnisotropy(bool present);
    int BeginFrame();
    int EndFrame();
    void RequestScreenshot() { screenshotRequested = true; }

    // 2D overlay (virtual 800 x 600 screen for quads, window pixels for text).
    int PrintText(int x, int y, const char* format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 4, 5)))
#endif
        ;
    int DrawSheetTitle(float left, float top, float right, float bottom, uint32_t texture);
    int DrawSheetCell(int row, bool highlighted, float left, float top, float right, float bottom,
                      uint32_t texture);
    int DrawImage(int x, int y, int width, int height, uint32_t texture);
    int DrawFullScreenImage(uint32_t texture);

    // World rendering.
    void DrawBallAndRope(const TPlayer& ball, const std::vector<LightOrderEntry>& lights,
                         double lag);
    void DrawWorld(const Scene& scene, bool showOutlines);
    void DrawCursorMarker(float x, float y, uint32_t texture);

    // Values other parts store for rendering.
    const Camera* camera = nullptr;
    int lightCount = 0;
    bool multitexture = false;
    bool screenshotRequested = false;
    bool anisotropic = false;
    float anisotropyLevel = 0.0f;
    uint32_t ropeTexture = 0;
    BallMesh ballMesh;
    uint32_t ballTexture = 0;

    // Video settings read at construction.
    int width = 640;
    int height = 480;
    int bitsPerPixel = 32;
    bool fullscreen = false;
    bool texcomp = true;
    float anisoFilter = 0.0f;

    // The platform window and GL context; null until Create succeeds.
    PlatformWindow* Window() const {
        return window_.get();
    }

private:
    HRESULT CreateFailure(const char* message);

    std::unique_ptr<PlatformWindow> window_;  // released by Destroy
    int pixelFormatColorBits_ = 0;            // filled at the first creation, then kept
};
