// Scene work that needs a GL context: mesh upload to buffer objects and the
// wireframes the scene primitives draw.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "resources/gl_extensions.h"
#include "scene/scene.h"
#include "scene/scene_file.h"
#include "support/gl_test_window.h"
#include "support/scene_builder.h"

namespace {

struct BufferQueries {
    PFNGLISBUFFERARBPROC isBuffer = nullptr;
    PFNGLGETBUFFERPARAMETERIVARBPROC parameter = nullptr;
    PFNGLGETBUFFERSUBDATAARBPROC subData = nullptr;

    bool Fetch() {
        isBuffer = reinterpret_cast<PFNGLISBUFFERARBPROC>(GetGLProcAddress("glIsBufferARB"));
        parameter = reinterpret_cast<PFNGLGETBUFFERPARAMETERIVARBPROC>(
            GetGLProcAddress("glGetBufferParameterivARB"));
        subData = reinterpret_cast<PFNGLGETBUFFERSUBDATAARBPROC>(
            GetGLProcAddress("glGetBufferSubDataARB"));
        return isBuffer && parameter && subData;
    }
    std::vector<float> Contents(uint32_t buffer) const {
        qglBindBufferARB(GL_ARRAY_BUFFER_ARB, buffer);
        GLint size = 0;
        parameter(GL_ARRAY_BUFFER_ARB, GL_BUFFER_SIZE_ARB, &size);
        std::vector<float> values(static_cast<size_t>(size) / sizeof(float));
        subData(GL_ARRAY_BUFFER_ARB, 0, size, values.data());
        qglBindBufferARB(GL_ARRAY_BUFFER_ARB, 0);
        return values;
    }
};

TEST(SceneBuffers, UploadMovesMeshArraysIntoBuffersAndClearDeletesThem) {
    GLTestWindow window;
    ASSERT_TRUE(window.Created());
    GLExtensions extensions;
    extensions.Probe();
    ASSERT_TRUE(extensions.vertexBufferObjects);
    BufferQueries queries;
    ASSERT_TRUE(queries.Fetch());

    Scene source;
    source.materials.push_back(MakeMaterial("plain"));
    source.meshes.push_back(MakeMesh("bare", 0, 2, 0));
    source.meshes.push_back(MakeMesh("mapped", 0, 1, 2));
    WriteSceneOrFail(source, window.Folder().File("level.dme"));

    Scene scene;
    scene.SetUseBufferObjects(true);
    ASSERT_EQ(scene.Load(window.Folder().File("level.dme")), LoadOk);
    EXPECT_TRUE(scene.useBufferObjects);
    GLint bound = -1;
    glGetIntegerv(GL_ARRAY_BUFFER_BINDING_ARB, &bound);
    EXPECT_EQ(bound, 0);

    std::vector<uint32_t> buffers;
    for (size_t m = 0; m < scene.meshes.size(); ++m) {
        const Mesh& mesh = scene.meshes[m];
        const Mesh& original = source.meshes[m];
        EXPECT_EQ(mesh.vertexCount, original.vertexCount);
        EXPECT_TRUE(mesh.positions.empty());
        EXPECT_TRUE(mesh.normals.empty());
        ASSERT_NE(mesh.positionBuffer, 0u);
        ASSERT_NE(mesh.normalBuffer, 0u);
        EXPECT_EQ(queries.Contents(mesh.positionBuffer), original.positions);
        EXPECT_EQ(queries.Contents(mesh.normalBuffer), original.normals);
        buffers.push_back(mesh.positionBuffer);
        buffers.push_back(mesh.normalBuffer);
        ASSERT_EQ(mesh.uvChannels.size(), original.uvChannels.size());
        for (size_t c = 0; c < mesh.uvChannels.size(); ++c) {
            EXPECT_TRUE(mesh.uvChannels[c].coordinates.empty());
            ASSERT_NE(mesh.uvChannels[c].buffer, 0u);
            EXPECT_EQ(queries.Contents(mesh.uvChannels[c].buffer),
                      original.uvChannels[c].coordinates);
            buffers.push_back(mesh.uvChannels[c].buffer);
        }
    }
    std::vector<uint32_t> distinct = buffers;
    std::sort(distinct.begin(), distinct.end());
    EXPECT_EQ(std::unique(distinct.begin(), distinct.end()), distinct.end());
    EXPECT_EQ(buffers.size(), 2u + 2u + 2u);

    scene.Clear();
    EXPECT_TRUE(scene.meshes.empty());
    for (const uint32_t buffer : buffers)
        EXPECT_FALSE(queries.isBuffer(buffer)) << buffer;
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    // The cleared scene loads again from nothing, into new buffers.
    ASSERT_EQ(scene.Load(window.Folder().File("level.dme")), LoadOk);
    ASSERT_EQ(scene.meshes.size(), 2u);
    EXPECT_NE(scene.meshes[1].uvChannels[1].buffer, 0u);
    EXPECT_EQ(queries.Contents(scene.meshes[1].uvChannels[1].buffer),
              source.meshes[1].uvChannels[1].coordinates);
}

// One line segment or point of the feedback buffer, in object coordinates
// (the projection maps them one to one onto the window).
struct Vertex {
    float x, y, z;
};
struct Segment {
    Vertex a, b;
};

struct Capture {
    std::vector<Segment> segments;
    std::vector<Vertex> points;
};

constexpr float kDepthRange = 1000.0f;

Capture CaptureDrawing(const DHelper& primitive) {
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, viewport[2], 0, viewport[3], -kDepthRange, kDepthRange);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();

    std::vector<GLfloat> feedback(8192);
    glFeedbackBuffer(static_cast<GLsizei>(feedback.size()), GL_3D, feedback.data());
    glRenderMode(GL_FEEDBACK);
    primitive.Draw();
    const GLint count = glRenderMode(GL_RENDER);

    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);

    // Window depth 0.5 - z / (2 x range) back to object z.
    const auto vertexAt = [&](GLint i) {
        return Vertex{feedback[i] - viewport[0], feedback[i + 1] - viewport[1],
                      (0.5f - feedback[i + 2]) * 2.0f * kDepthRange};
    };
    Capture capture;
    for (GLint i = 0; i < count;) {
        const GLint token = static_cast<GLint>(feedback[i]);
        if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
            capture.segments.push_back({vertexAt(i + 1), vertexAt(i + 4)});
            i += 7;
        } else if (token == GL_POINT_TOKEN) {
            capture.points.push_back(vertexAt(i + 1));
            i += 4;
        } else {
            ADD_FAILURE() << "unexpected feedback token " << token;
            break;
        }
    }
    return capture;
}

bool Near(const Vertex& a, const Vertex& b) {
    return std::fabs(a.x - b.x) < 1e-3f && std::fabs(a.y - b.y) < 1e-3f &&
           std::fabs(a.z - b.z) < 0.05f;
}

// Whether the segment from a to b (either way round) was drawn.
bool Drawn(const Capture& capture, const Vertex& a, const Vertex& b) {
    for (const Segment& s : capture.segments) {
        if ((Near(s.a, a) && Near(s.b, b)) || (Near(s.a, b) && Near(s.b, a)))
            return true;
    }
    return false;
}

void ExpectBoxEdges(const Capture& capture, const Vector& low, const Vector& high) {
    ASSERT_EQ(capture.segments.size(), 12u);
    const float xs[2] = {low.x, high.x};
    const float ys[2] = {low.y, high.y};
    const float zs[2] = {low.z, high.z};
    for (int i = 0; i < 8; ++i) {
        const Vertex corner{xs[i & 1], ys[(i >> 1) & 1], zs[(i >> 2) & 1]};
        for (int axis = 0; axis < 3; ++axis) {
            const int j = i ^ (1 << axis);
            const Vertex other{xs[j & 1], ys[(j >> 1) & 1], zs[(j >> 2) & 1]};
            EXPECT_TRUE(Drawn(capture, corner, other))
                << "edge (" << corner.x << " " << corner.y << " " << corner.z << ") - (" << other.x
                << " " << other.y << " " << other.z << ")";
        }
    }
}

// The 12-vertex ring through centre + r (cos, sin) in the plane of the two
// unit directions u and v.
void ExpectRing(const Capture& capture, const Vertex& c, float r, const Vertex& u,
                const Vertex& v) {
    for (int k = 0; k < 12; ++k) {
        const double a0 = k * M_PI / 6, a1 = (k + 1) * M_PI / 6;
        const auto at = [&](double angle) {
            const float cs = static_cast<float>(std::cos(angle)) * r;
            const float sn = static_cast<float>(std::sin(angle)) * r;
            return Vertex{c.x + cs * u.x + sn * v.x, c.y + cs * u.y + sn * v.y,
                          c.z + cs * u.z + sn * v.z};
        };
        EXPECT_TRUE(Drawn(capture, at(a0), at(a1))) << "ring step " << k;
    }
}

TEST(PrimitiveDrawing, WireframesFollowTheirGeometry) {
    GLTestWindow window;
    ASSERT_TRUE(window.Created());

    // Boxes: the same twelve edges whichever way round the corners are given.
    const Vector low{100, 120, -50};
    const Vector high{180, 200, 30};
    ExpectBoxEdges(CaptureDrawing(Box(low, high)), low, high);
    ExpectBoxEdges(CaptureDrawing(Box(high, low)), low, high);

    // A cube of edge 10 spans its centre - 5 to centre + 5.
    const Cube cube({200, 200, 0}, 10 * 0.5f);
    ExpectBoxEdges(CaptureDrawing(cube), {195, 195, -5}, {205, 205, 5});

    const Capture circle = CaptureDrawing(Circle({300, 240}, 40));
    EXPECT_EQ(circle.segments.size(), 12u);
    ExpectRing(circle, {300, 240, 0}, 40, {1, 0, 0}, {0, 1, 0});

    const Capture sphere = CaptureDrawing(Sphere({320, 240, 10}, 50));
    EXPECT_EQ(sphere.segments.size(), 36u);
    ExpectRing(sphere, {320, 240, 10}, 50, {1, 0, 0}, {0, 1, 0});
    ExpectRing(sphere, {320, 240, 10}, 50, {0, 0, 1}, {0, 1, 0});
    ExpectRing(sphere, {320, 240, 10}, 50, {1, 0, 0}, {0, 0, 1});

    // A cylinder hangs from its end centre: rings at y and y - height and
    // three rectangles through the axis.
    const Capture cylinder = CaptureDrawing(Cylinder({300, 300, 0}, 100, 30));
    EXPECT_EQ(cylinder.segments.size(), 36u);
    ExpectRing(cylinder, {300, 300, 0}, 30, {1, 0, 0}, {0, 0, 1});
    ExpectRing(cylinder, {300, 200, 0}, 30, {1, 0, 0}, {0, 0, 1});
    for (const int degrees : {0, 60, 120}) {
        const float dx = 30 * static_cast<float>(std::cos(degrees * M_PI / 180));
        const float dz = 30 * static_cast<float>(std::sin(degrees * M_PI / 180));
        EXPECT_TRUE(Drawn(cylinder, {300 + dx, 300, dz}, {300 - dx, 300, -dz})) << degrees;
        EXPECT_TRUE(Drawn(cylinder, {300 - dx, 300, -dz}, {300 - dx, 200, -dz})) << degrees;
        EXPECT_TRUE(Drawn(cylinder, {300 + dx, 200, dz}, {300 + dx, 300, dz})) << degrees;
    }

    // Height 0 draws both rings on top of each other.
    const Capture flat = CaptureDrawing(Cylinder({300, 300, 0}, 0, 30));
    EXPECT_EQ(flat.segments.size(), 36u);
    for (const Segment& s : flat.segments) {
        EXPECT_FLOAT_EQ(s.a.y, 300.0f);
        EXPECT_FLOAT_EQ(s.b.y, 300.0f);
    }

    const Capture point = CaptureDrawing(Point({123, 234, 5}));
    EXPECT_TRUE(point.segments.empty());
    ASSERT_EQ(point.points.size(), 1u);
    EXPECT_TRUE(Near(point.points[0], {123, 234, 5}));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
