// Draws compiled outlines in a real GL context with back faces culled, seen
// from the play camera: at depth -700 looking along +y, scene +z up.

#include <gtest/gtest.h>

#include <array>

#include "levelc/level_compiler.h"
#include "platform/gl.h"
#include "scene/scene.h"
#include "support/gl_test_window.h"

namespace {

const char* const kLevel = R"(material red
    colour 200 40 20
end
material green
    colour 20 200 40
end
outline block
    material red
    solid -100 -100  100 -100  100 100  -100 100
end
outline room
    material green
    thickness 20
    loop 200 -200  200 200  -200 200  -200 -200
end
)";

void DrawScene(const Scene& scene, GLenum culledFace) {
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glRotated(-90.0, 1.0, 0.0, 0.0);
    glTranslated(0.0, 700.0, 0.0);
    glEnable(GL_CULL_FACE);
    glCullFace(culledFace);
    glEnableClientState(GL_VERTEX_ARRAY);
    for (const Mesh& mesh : scene.meshes) {
        const Material& material = scene.materials[mesh.materialIndex];
        glColor3ub(material.colour[0], material.colour[1], material.colour[2]);
        glVertexPointer(3, GL_FLOAT, 0, mesh.positions.data());
        glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(mesh.vertexCount));
    }
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisable(GL_CULL_FACE);
    glFinish();
}

std::array<unsigned char, 3> PixelAt(int x, int y) {
    unsigned char rgba[4] = {0, 0, 0, 0};
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return {rgba[0], rgba[1], rgba[2]};
}

TEST(LevelCompilerGL, FrontsFaceTheCameraAndBandsSitOnTheirLines) {
    GLTestWindow window;
    ASSERT_TRUE(window.Created());
    Scene scene;
    LevelSource source;
    Diagnostics diagnostics;
    ASSERT_TRUE(ParseLevelSource(kLevel, "gl.level", source, diagnostics));
    ASSERT_TRUE(CompileLevel(source, scene, diagnostics));

    // 640 x 480 with a 45 degree field of view: the fronts at depth -50 are
    // 650 away, so one level unit is about 0.89 pixels.
    const std::array<unsigned char, 3> red{200, 40, 20};
    const std::array<unsigned char, 3> green{20, 200, 40};
    const std::array<unsigned char, 3> black{0, 0, 0};
    DrawScene(scene, GL_BACK);
    EXPECT_EQ(PixelAt(320, 240), red) << "the solid's front is drawn";
    EXPECT_EQ(PixelAt(320 + 60, 240 + 60), red);
    EXPECT_EQ(PixelAt(320 + 130, 240), black) << "between the block and the room";
    EXPECT_EQ(PixelAt(320 + 178, 240), green) << "the room's band at x = 200";
    EXPECT_EQ(PixelAt(320 - 178, 240), green) << "the room's band at x = -200";
    EXPECT_EQ(PixelAt(320, 240 + 178), green) << "the room's band at y = 200";

    // With front faces culled instead, the block's front is gone.
    DrawScene(scene, GL_FRONT);
    EXPECT_EQ(PixelAt(320, 240), black);
}

}  // namespace
