// Draws the ball, the rope, the level's meshes and outlines and the aim
// marker in a real 640 x 480 window and reads the pixels back.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "physics/player.h"
#include "physics/rope.h"
#include "platform/gl.h"
#include "render/camera.h"
#include "render/gl_window.h"
#include "render/world_renderer.h"
#include "resources/gl_extensions.h"
#include "scene/scene.h"
#include "support/gl_test_window.h"
#include "support/scene_builder.h"

namespace {

using Rgb = std::array<int, 3>;

const Rgb kBlack{0, 0, 0};
const Rgb kWhite{255, 255, 255};

class TestTexture {
public:
    TestTexture(int width, int height, GLenum format, const std::vector<uint8_t>& texels) {
        glGenTextures(1, &name_);
        glBindTexture(GL_TEXTURE_2D, name_);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(format), width, height, 0, format,
                     GL_UNSIGNED_BYTE, texels.data());
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
        glBindTexture(GL_TEXTURE_2D, 0);
    }
    ~TestTexture() { glDeleteTextures(1, &name_); }
    TestTexture(const TestTexture&) = delete;
    TestTexture& operator=(const TestTexture&) = delete;

    GLuint Name() const { return name_; }

private:
    GLuint name_ = 0;
};

TestTexture OneColour(uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255) {
    return TestTexture(1, 1, GL_RGBA, {r, g, b, a});
}

Rgb PixelAt(int x, int y) {
    glFinish();
    unsigned char rgba[4] = {0, 0, 0, 0};
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return {rgba[0], rgba[1], rgba[2]};
}

float DepthAt(int x, int y) {
    glFinish();
    float depth = 0.0f;
    glReadPixels(x, y, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    return depth;
}

bool Near(const Rgb& a, const Rgb& b, int tolerance) {
    for (int i = 0; i < 3; ++i) {
        if (std::abs(a[i] - b[i]) > tolerance)
            return false;
    }
    return true;
}

::testing::AssertionResult PixelIs(int x, int y, const Rgb& expected, int tolerance = 2) {
    const Rgb actual = PixelAt(x, y);
    if (Near(actual, expected, tolerance))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "pixel (" << x << ", " << y << ") is (" << actual[0] << ", " << actual[1] << ", "
           << actual[2] << "), expected (" << expected[0] << ", " << expected[1] << ", "
           << expected[2] << ")";
}

// Pixels from the window centre to a plane offset of `units` seen from
// `distance` away: 45 degrees cover 240 pixels above the centre.
int Pixels(double units, double distance) {
    const double halfHeight = distance * std::tan(22.5 * 3.14159265358979323846 / 180.0);
    return static_cast<int>(std::lround(units / halfHeight * 240.0));
}

// A rectangle of the plane x0..x1, z0..z1 at depth y (positive: farther from
// the camera), facing the camera unless `clockwise`; UV channel 0 spans 0..1
// over it.
Mesh PlaneQuad(uint8_t materialIndex, float x0, float z0, float x1, float z1, float y,
               bool clockwise = false) {
    Mesh mesh = MakeMesh("quad", materialIndex, 0, 1, Vector{x0, y, z0});
    mesh.boundingBox = Box(Vector{x0, y, z0}, Vector{x1, y, z1});
    const float corners[4][4] = {{x0, z0, 0, 0}, {x1, z0, 1, 0}, {x1, z1, 1, 1}, {x0, z1, 0, 1}};
    const int ccw[6] = {0, 1, 2, 0, 2, 3};
    const int cw[6] = {0, 2, 1, 0, 3, 2};
    for (int i : clockwise ? cw : ccw) {
        const float* c = corners[i];
        mesh.positions.insert(mesh.positions.end(), {c[0], y, c[1]});
        mesh.normals.insert(mesh.normals.end(), {0.0f, -1.0f, 0.0f});
        mesh.uvChannels[0].coordinates.insert(mesh.uvChannels[0].coordinates.end(), {c[2], c[3]});
    }
    mesh.vertexCount = 6;
    return mesh;
}

// Material with colour and map flags, its maps showing `textures` in slot order.
Material TexturedMaterial(uint8_t flags, Rgb colour, std::vector<GLuint> textures = {}) {
    Material material = MakeMaterial("m", flags);
    for (int i = 0; i < 3; ++i)
        material.colour[i] = static_cast<uint8_t>(colour[i]);
    for (size_t i = 0; i < textures.size() && i < material.maps.size(); ++i)
        material.maps[i].texture = textures[i];
    return material;
}

class WorldRendererGL : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(window.Created());
        extensions.Probe();
        Configure(window.Get().lightCount, false, 0.0f);
        textures = {white.Name(), white.Name()};
    }

    // The renderer with the window's GL: this many lights, anisotropic
    // filtering as given.
    void Configure(int lightCount, bool anisotropic, float level) {
        renderer.Configure(lightCount, extensions.multitexture, anisotropic, level);
    }
    void DrawBallAndRope(const TPlayer& ball, const std::vector<LightOrderEntry>& lights,
                         double lag) {
        renderer.DrawBallAndRope(camera, ball, lights, lag, textures);
    }
    void DrawWorld(const Scene& scene, bool showOutlines) {
        renderer.DrawWorld(camera, scene, showOutlines);
    }
    void DrawCursorMarker(float x, float y, uint32_t texture) {
        renderer.DrawCursorMarker(camera, x, y, texture);
    }

    // Puts the camera centre on plane point (x, y) at the given distance.
    void LookAt(double x, double y, float z) {
        camera.ApplySettings(500.0f, 1.0f, 30.0f, z);
        camera.position.Set(-x, z, -y);
        camera.previousPosition = camera.position;
        camera.step.Clear();
        camera.drawingLag = 1.0;
    }

    void NewFrame() {
        glClearColor(0, 0, 0, 0);
        window.Get().BeginFrame();
    }

    GLTestWindow window;
    GLExtensions extensions;
    Camera camera;
    TestTexture white = OneColour(255, 255, 255);
    WorldRenderer renderer;
    BallTextures textures;
};

TEST_F(WorldRendererGL, TheCameraCentresTheBallAndShowsThePlaneUpright) {
    constexpr double kDistance = 700.0;
    LookAt(100.0, 50.0, -700.0);  // the default distance setting
    TPlayer ball;
    ball.position = {100.0, 50.0};

    NewFrame();
    DrawBallAndRope(ball, {}, 0.0);
    EXPECT_TRUE(PixelIs(320, 240, kWhite)) << "the ball at the camera centre";
    EXPECT_TRUE(PixelIs(320 + 12, 240, kBlack)) << "the ball is about 4 pixels wide";

    // 100 units to the right of the centre lands right; 100 above lands above.
    const int offset = Pixels(100.0, kDistance);
    NewFrame();
    DrawCursorMarker(200.0f, 50.0f, white.Name());
    EXPECT_TRUE(PixelIs(320 + offset, 240, kWhite));
    EXPECT_TRUE(PixelIs(320 - offset, 240, kBlack));
    NewFrame();
    DrawCursorMarker(100.0f, 150.0f, white.Name());
    EXPECT_TRUE(PixelIs(320, 240 + offset, kWhite)) << "up the plane is up the screen";
    EXPECT_TRUE(PixelIs(320, 240 - offset, kBlack));

    // Between two steps the view is blended by the drawing lag.
    camera.step.Set(-20.0, 0.0, 0.0);
    camera.drawingLag = 0.5;
    ball.position = {110.0, 50.0};
    NewFrame();
    DrawBallAndRope(ball, {}, 0.0);
    EXPECT_TRUE(PixelIs(320, 240, kWhite));
    // And the ball by its own lag: position - velocity x lag.
    ball.position = {130.0, 50.0};
    ball.velocity = {40.0, 0.0};
    NewFrame();
    DrawBallAndRope(ball, {}, 0.5);
    EXPECT_TRUE(PixelIs(320, 240, kWhite));
}

TEST_F(WorldRendererGL, LightsFadeWithTheirListDistance) {
    LookAt(0.0, 0.0, -200.0);
    TPlayer ball;
    ball.position = {0.0, 0.0};

    NewFrame();
    DrawBallAndRope(ball, {}, 0.0);
    EXPECT_TRUE(PixelIs(320, 240, kWhite)) << "unlit without lights";
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));

    // An omni light above the ball, white, fading from 10 to 30.
    Light lamp = MakeOmniLight("lamp", {0.0f, 0.0f, 100.0f}, 10.0f, 30.0f);
    lamp.colour[0] = lamp.colour[1] = lamp.colour[2] = 1.0f;
    lamp.intensity = 1.0f;
    auto litCentre = [&](std::vector<LightOrderEntry> lights) {
        NewFrame();
        DrawBallAndRope(ball, lights, 0.0);
        return PixelAt(320, 240)[0];
    };
    const int full = litCentre({{&lamp, 5.0f}});
    const int half = litCentre({{&lamp, 20.0f}});
    const int zero = litCentre({{&lamp, 30.0f}});
    // Unlit by its diffuse part the ball shows the ambient terms:
    // 0.2 x 0.2 (scene) + 0.5 x 0.2 (light 0) = 0.14.
    EXPECT_NEAR(zero, 36, 3);
    EXPECT_GT(full, 200);
    EXPECT_NEAR(half, (full + zero) / 2.0, 2.0) << "half the diffuse at half way";
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    EXPECT_FALSE(glIsEnabled(GL_LIGHT0));

    // Only the first lightCount entries light the ball.
    const std::vector<LightOrderEntry> twoLights{{&lamp, 30.0f}, {&lamp, 5.0f}};
    Configure(1, false, 0.0f);
    EXPECT_NEAR(litCentre(twoLights), zero, 2);
    Configure(2, false, 0.0f);
    EXPECT_NEAR(litCentre(twoLights), full, 2) << "light 1 adds its diffuse, no ambient";
    EXPECT_FALSE(glIsEnabled(GL_LIGHT1));

    // A directional light never fades.
    Light sun = MakeDirectionalLight("sun", {0.0f, 0.0f, 1.0f});
    sun.intensity = 1.0f;
    EXPECT_NEAR(litCentre({{&sun, 0.0f}}), full, 3);
}

TEST_F(WorldRendererGL, AnAttachedRopeIsOneRibbonFiveUnitsWide) {
    constexpr double kDistance = 200.0;
    LookAt(0.0, 0.0, -200.0);
    TRope rope;
    TPlayer ball;
    ball.rope = &rope;
    ball.position = {0.0, -150.0};
    rope.position = {0.0, 150.0};

    NewFrame();
    DrawBallAndRope(ball, {}, 0.0);
    EXPECT_TRUE(PixelIs(320, 240, kBlack)) << "an idle rope is not drawn";

    rope.attached = true;
    NewFrame();
    DrawBallAndRope(ball, {}, 0.0);
    int lit = 0;
    for (int x = 280; x < 360; ++x)
        lit += PixelAt(x, 240) == kWhite ? 1 : 0;
    EXPECT_NEAR(lit, Pixels(5.0, kDistance), 1) << "5 units across";
    EXPECT_TRUE(PixelIs(320, 240, kWhite));
    EXPECT_TRUE(PixelIs(320, 240 + Pixels(70.0, kDistance), kWhite)) << "up to the hook";
    EXPECT_TRUE(PixelIs(320 + Pixels(6.0, kDistance), 240, kBlack));
}

TEST_F(WorldRendererGL, OutlinesShowDeadlyShapesInDarkRed) {
    constexpr double kDistance = 200.0;
    LookAt(0.0, 0.0, -200.0);
    Scene scene;
    auto line = [](float z) { return MakePolyline(false, {{-60, 0, z}, {60, 0, z}}); };
    scene.shapes.push_back(MakeShape("DEATH_spikes", {line(30.0f)}));
    scene.shapes.push_back(MakeShape("wall", {line(-30.0f), MakePolyline(false, {{0, 0, 0}})}));
    scene.shapes.push_back(MakeShape("deathly", {line(-60.0f)}));

    // The colour found in the column x = 320 near a plane height.
    auto colourNear = [&](float z) {
        const int row = 240 + Pixels(z, kDistance);
        for (int y = row - 3; y <= row + 3; ++y) {
            const Rgb pixel = PixelAt(320, y);
            if (pixel != kBlack)
                return pixel;
        }
        return kBlack;
    };

    NewFrame();
    DrawWorld(scene, false);
    EXPECT_EQ(colourNear(30.0f), kBlack) << "outlines are hidden unless asked for";

    NewFrame();
    DrawWorld(scene, true);
    EXPECT_TRUE(Near(colourNear(30.0f), {191, 0, 0}, 1));
    EXPECT_TRUE(Near(colourNear(-30.0f), {255, 0, 128}, 1));
    EXPECT_TRUE(Near(colourNear(-60.0f), {255, 0, 128}, 1)) << "the prefix is case-sensitive";
    EXPECT_EQ(colourNear(0.0f), kBlack) << "a one-point polyline shows nothing";
    EXPECT_TRUE(PixelIs(320 + Pixels(80.0, kDistance), 240 + Pixels(30.0, kDistance), kBlack));
}

TEST_F(WorldRendererGL, OpaqueMeshesAreTexturedByTheirMapFlags) {
    constexpr double kDistance = 200.0;
    LookAt(0.0, 0.0, -200.0);
    const TestTexture stripes(4, 1, GL_RGBA,
                              {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 255});
    const Rgb red{255, 0, 0}, green{0, 255, 0}, blue{0, 0, 255};
    Scene scene;
    scene.materials.push_back(TexturedMaterial(1, kWhite, {stripes.Name()}));
    scene.meshes.push_back(PlaneQuad(0, -80, -40, 80, 40, 0));
    scene.BuildTransparentList();

    // The quad spans u 0..1 over x -80..80: one stripe per 40 units.
    const int stripe[4] = {320 - Pixels(60, kDistance), 320 - Pixels(20, kDistance),
                           320 + Pixels(20, kDistance), 320 + Pixels(60, kDistance)};
    NewFrame();
    DrawWorld(scene, false);
    EXPECT_TRUE(PixelIs(stripe[0], 240, red));
    EXPECT_TRUE(PixelIs(stripe[1], 240, green));
    EXPECT_TRUE(PixelIs(stripe[2], 240, blue));
    EXPECT_TRUE(PixelIs(stripe[3], 240, kWhite));

    // The material colour modulates the texture.
    scene.materials[0].colour[0] = 128;
    NewFrame();
    DrawWorld(scene, false);
    EXPECT_TRUE(PixelIs(stripe[3], 240, {128, 255, 255}));
    scene.materials[0].colour[0] = 255;

    // Scrolling by a quarter along X moves the picture one stripe along u.
    scene.materials[0].scrollAxis = 'X';
    scene.materials[0].scrollOffset = 0.25f;
    NewFrame();
    DrawWorld(scene, false);
    EXPECT_TRUE(PixelIs(stripe[0], 240, green));
    EXPECT_TRUE(PixelIs(stripe[3], 240, red));
    double matrix[16];
    glGetDoublev(GL_TEXTURE_MATRIX, matrix);
    EXPECT_EQ(matrix[12], 0.0) << "the texture matrix is reset after the mesh";

    // With anisotropic filtering on, every bound map gets the level.
    Configure(window.Get().lightCount, extensions.anisotropicFilter, 4.0f);
    NewFrame();
    DrawWorld(scene, false);
    if (extensions.anisotropicFilter) {
        float level = 0.0f;
        glBindTexture(GL_TEXTURE_2D, stripes.Name());
        glGetTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT, &level);
        EXPECT_EQ(level, 4.0f);
        glBindTexture(GL_TEXTURE_2D, 0);
    }

    // Flags 32: the slot-5 map with sphere-map coordinates, no array.
    const TestTexture yellow = OneColour(255, 255, 0);
    scene.materials[0] = TexturedMaterial(32, kWhite, {yellow.Name()});
    NewFrame();
    DrawWorld(scene, false);
    EXPECT_TRUE(PixelIs(320, 240, {255, 255, 0}));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_S));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_T));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));

    // Flags 0 and any unlisted value draw the material colour alone.
    for (uint8_t flags : {0, 3}) {
        scene.materials[0] = TexturedMaterial(flags, {10, 200, 30}, {stripes.Name()});
        NewFrame();
        DrawWorld(scene, false);
        EXPECT_TRUE(PixelIs(stripe[0], 240, {10, 200, 30})) << "flags " << int{flags};
    }

    // A one-sided mesh seen from behind is culled; a two-sided one is not.
    scene.meshes[0] = PlaneQuad(0, -80, -40, 80, 40, 0, true);
    NewFrame();
    DrawWorld(scene, false);
    EXPECT_TRUE(PixelIs(320, 240, kBlack));
    scene.materials[0].twoSided = 1;
    NewFrame();
    DrawWorld(scene, false);
    EXPECT_TRUE(PixelIs(320, 240, {10, 200, 30}));
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
}

TEST_F(WorldRendererGL, TransparentMeshesBlendWithoutWritingDepth) {
    LookAt(0.0, 0.0, -200.0);
    ASSERT_TRUE(extensions.multitexture) << "Mesa offers GL_ARB_multitexture";
    const TestTexture halfRed = OneColour(255, 0, 0, 128);
    const TestTexture green(1, 1, GL_RGB, {0, 255, 0});
    const Rgb blue{0, 0, 255};

    Scene scene;
    scene.materials.push_back(TexturedMaterial(0, blue));
    scene.meshes.push_back(PlaneQuad(0, -100, -100, 100, 100, 20));  // the backdrop
    scene.BuildTransparentList();
    NewFrame();
    DrawWorld(scene, false);
    const float backdropDepth = DepthAt(320, 240);

    // Flags 8: the opacity map's alpha blends the mesh over what is behind.
    scene.materials.push_back(TexturedMaterial(8, kWhite, {halfRed.Name()}));
    scene.meshes.push_back(PlaneQuad(1, -50, -50, 50, 50, -10));
    scene.BuildTransparentList();
    ASSERT_EQ(scene.transparentList.size(), 1u);
    NewFrame();
    DrawWorld(scene, false);
    EXPECT_TRUE(PixelIs(320, 240, {128, 0, 127}));
    EXPECT_EQ(DepthAt(320, 240), backdropDepth) << "no depth writes";

    // Flags 9: unit 1 replaces the colour with the base map, the alpha stays
    // the opacity map's. The maps are in slot order: slot 0, then slot 3.
    scene.materials[1] = TexturedMaterial(9, kWhite, {green.Name(), halfRed.Name()});
    NewFrame();
    DrawWorld(scene, false);
    EXPECT_TRUE(PixelIs(320, 240, {0, 128, 127}));
    EXPECT_EQ(DepthAt(320, 240), backdropDepth);

    // Flags 10: in the transparent pass, untextured and unblended.
    scene.materials[1] = TexturedMaterial(10, {0, 255, 0}, {halfRed.Name(), halfRed.Name()});
    NewFrame();
    DrawWorld(scene, false);
    EXPECT_TRUE(PixelIs(320, 240, {0, 255, 0}));
    EXPECT_EQ(DepthAt(320, 240), backdropDepth);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    GLboolean depthMask = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthMask);
    EXPECT_EQ(depthMask, GL_TRUE);
}

TEST_F(WorldRendererGL, TheCursorMarkerIsDrawnOverNearerMeshes) {
    constexpr double kDistance = 200.0;
    LookAt(0.0, 0.0, -200.0);
    const TestTexture yellow = OneColour(255, 255, 0);
    const Rgb blue{0, 0, 255};
    Scene scene;
    scene.materials.push_back(TexturedMaterial(0, blue));
    scene.meshes.push_back(PlaneQuad(0, -60, -60, 60, 60, -50));  // between camera and plane
    scene.BuildTransparentList();

    NewFrame();
    DrawWorld(scene, false);
    DrawCursorMarker(0.0f, 0.0f, yellow.Name());
    EXPECT_TRUE(PixelIs(320, 240, {255, 255, 0}));
    EXPECT_TRUE(PixelIs(320 + Pixels(11.0, kDistance), 240, {255, 255, 0}));
    EXPECT_TRUE(PixelIs(320 + Pixels(20.0, kDistance), 240, blue)) << "24 units across";
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
}

TEST_F(WorldRendererGL, AFrameFromBufferObjectsLeavesTheStateItFound) {
    constexpr double kDistance = 200.0;
    LookAt(0.0, 0.0, -200.0);
    ASSERT_TRUE(extensions.multitexture && extensions.vertexBufferObjects);
    const TestTexture pink(1, 1, GL_RGB, {255, 128, 255});
    const TestTexture cyan(1, 1, GL_RGB, {128, 255, 255});
    const TestTexture halfRed = OneColour(255, 0, 0, 128);

    Scene scene;
    scene.SetUseBufferObjects(true);
    scene.materials.push_back(TexturedMaterial(5, kWhite, {pink.Name(), cyan.Name()}));
    scene.materials.push_back(TexturedMaterial(9, kWhite, {cyan.Name(), halfRed.Name()}));
    scene.materials[0].scrollAxis = 'Y';
    scene.materials[0].scrollOffset = 0.5f;
    scene.meshes.push_back(PlaneQuad(0, -100, -50, -20, 50, 0));
    scene.meshes.push_back(PlaneQuad(1, 20, -50, 100, 50, 0));
    scene.BuildTransparentList();
    scene.UploadBuffers();
    ASSERT_TRUE(scene.useBufferObjects);
    ASSERT_NE(scene.meshes[0].positionBuffer, 0u);
    ASSERT_TRUE(scene.meshes[0].positions.empty());

    Light lamp = MakeDirectionalLight("sun", {0, 0, 1});
    TRope rope;
    rope.attached = true;
    rope.position = {0.0, 60.0};
    TPlayer ball;
    ball.position = {0.0, 0.0};
    ball.rope = &rope;
    auto drawFrame = [&] {
        NewFrame();
        DrawBallAndRope(ball, {{&lamp, 0.0f}}, 0.0);
        DrawWorld(scene, true);
        DrawCursorMarker(0.0f, -30.0f, white.Name());
    };
    const int left = 320 - Pixels(60, kDistance);
    drawFrame();
    // Unit 1 modulates the base map on the first frame ...
    EXPECT_TRUE(PixelIs(left, 240, {128, 128, 255}, 3));
    EXPECT_TRUE(PixelIs(320 + Pixels(60, kDistance), 240, {64, 128, 128}, 3));
    // ... and, once a flags-9 mesh set it, replaces it on the following ones.
    drawFrame();
    EXPECT_TRUE(PixelIs(left, 240, {128, 255, 255}, 3));
    EXPECT_TRUE(PixelIs(320, 240 + Pixels(30, kDistance), kWhite)) << "the rope";
    EXPECT_TRUE(PixelIs(320, 240 - Pixels(30, kDistance), kWhite)) << "the marker";

    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_S));
    GLboolean depthMask = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthMask);
    EXPECT_EQ(depthMask, GL_TRUE);
    float colour[4] = {};
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_EQ(colour[0] + colour[1] + colour[2] + colour[3], 4.0f) << "colour white";
    GLint binding = -1;
    glGetIntegerv(GL_ARRAY_BUFFER_BINDING_ARB, &binding);
    EXPECT_EQ(binding, 0) << "client arrays work after the world";
    GLint activeUnit = 0;
    glGetIntegerv(GL_ACTIVE_TEXTURE_ARB, &activeUnit);
    EXPECT_EQ(activeUnit, GL_TEXTURE0_ARB);
    for (int unit = 0; unit < 2; ++unit) {
        qglActiveTextureARB(GL_TEXTURE0_ARB + unit);
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D)) << "unit " << unit;
        double matrix[16];
        glGetDoublev(GL_TEXTURE_MATRIX, matrix);
        EXPECT_EQ(matrix[13], 0.0) << "unit " << unit;
    }
    GLint mode = 0;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
    EXPECT_EQ(mode, GL_REPLACE) << "unit 1 keeps its mode";
    qglActiveTextureARB(GL_TEXTURE0_ARB);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    // The ball, drawn from client arrays after the buffered world, is there.
    NewFrame();
    DrawBallAndRope(ball, {}, 0.0);
    EXPECT_TRUE(PixelIs(320, 240, kWhite));
}

TEST_F(WorldRendererGL, DamagedMeshesAreSkippedOrDrawnUntextured) {
    LookAt(0.0, 0.0, -200.0);
    const TestTexture red = OneColour(255, 0, 0);
    Scene scene;
    scene.materials.push_back(TexturedMaterial(1, {0, 255, 0}, {red.Name()}));
    scene.meshes.push_back(PlaneQuad(0, -20, -20, 20, 20, 0));
    scene.meshes[0].uvChannels.clear();  // the map names a channel the mesh lacks
    scene.meshes.push_back(PlaneQuad(7, 30, -20, 70, 20, 0));  // no material 7
    scene.meshes.push_back(PlaneQuad(0, -70, -20, -30, 20, 0));
    scene.meshes[2].positions.resize(6);          // shorter than its vertex count
    scene.transparentList.push_back({0.0f, 99});  // no mesh 99
    NewFrame();
    DrawWorld(scene, false);
    EXPECT_TRUE(PixelIs(320, 240, {0, 255, 0})) << "drawn without its texture";
    EXPECT_TRUE(PixelIs(320 + Pixels(50, 200.0), 240, kBlack));
    EXPECT_TRUE(PixelIs(320 - Pixels(50, 200.0), 240, kBlack));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
