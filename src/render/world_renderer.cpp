// World rendering: the ball with its lights, the rope, the level's meshes in
// an opaque and a transparent pass, the collision outlines and the aim
// marker. The geometry they draw is built by the GL-free helpers at the top.

#include "render/world_renderer.h"

#include <algorithm>
#include <string>

#include "core/outline.h"
#include "physics/player.h"
#include "physics/rope.h"
#include "platform/gl.h"
#include "render/camera.h"
#include "scene/scene.h"

// ---------------------------------------------------------------------------
// GL-free helpers

Vector3d CameraTranslation(const Camera& camera) {
    const double lag = camera.drawingLag;
    return {camera.previousPosition.x + camera.step.x * lag,
            -(camera.previousPosition.y + camera.step.y * lag),
            camera.previousPosition.z + camera.step.z * lag};
}

float AttenuatedIntensity(const Light& light, float distance) {
    if (!light.IsOmni())
        return light.intensity;
    const float start = light.attenuationStart;
    const float end = light.attenuationEnd;
    if (distance < start)
        return light.intensity;
    if (distance > end)
        return 0.0f;
    if (!(end > start))
        return 0.0f;  // start == end: the light ends exactly at this distance
    return light.intensity * (1.0f - (distance - start) / (end - start));
}

Vector2 DrawnPosition(const TBaseObject& body, double lag) {
    return body.position - body.velocity * lag;
}

void BuildRopePolyline(const TPlayer& ball, double lag, std::vector<Vector2>& points) {
    points.clear();
    const TRope* rope = ball.rope;
    if (rope == nullptr || !(rope->flying || rope->attached))
        return;
    points.push_back(rope->flying ? DrawnPosition(*rope, lag) : rope->position);
    size_t wrapCount = rope->wrapPoints.size();
    // A flying hook's newest wrap point is only a candidate until it catches.
    if (!rope->attached && wrapCount > 0)
        --wrapCount;
    for (size_t i = 0; i < wrapCount; ++i)
        points.push_back(rope->wrapPoints[i].position);
    points.push_back(DrawnPosition(ball, lag));
}

namespace {

// Unit normal of the segment from b to a: (a - b) turned a quarter turn.
Vector2 SegmentNormal(const Vector2& a, const Vector2& b) {
    Vector2 normal = (a - b).RotateQuarter(9);
    normal.Normalize();
    return normal;
}

struct RibbonJoint {
    Vector2 point;
    Vector2 offset;  // half the ribbon's width, across the rope
    double v;
};

void AppendRibbonVertex(RopeRibbon& ribbon, const RibbonJoint& joint, double side, float u) {
    ribbon.positions.push_back(static_cast<float>(joint.point.x + joint.offset.x * side));
    ribbon.positions.push_back(0.0f);
    ribbon.positions.push_back(static_cast<float>(joint.point.y + joint.offset.y * side));
    ribbon.texCoords.push_back(u);
    ribbon.texCoords.push_back(static_cast<float>(joint.v));
}

void AppendRibbonQuad(RopeRibbon& ribbon, const RibbonJoint& from, const RibbonJoint& to) {
    AppendRibbonVertex(ribbon, from, 1.0, 0.0f);
    AppendRibbonVertex(ribbon, to, 1.0, 0.0f);
    AppendRibbonVertex(ribbon, to, -1.0, 1.0f);
    AppendRibbonVertex(ribbon, from, -1.0, 1.0f);
}

}  // namespace

void BuildRopeRibbon(const std::vector<Vector2>& points, RopeRibbon& ribbon) {
    ribbon.positions.clear();
    ribbon.texCoords.clear();
    const size_t count = points.size();
    if (count < 2)
        return;
    ribbon.positions.reserve((count - 1) * 4 * 3);
    ribbon.texCoords.reserve((count - 1) * 4 * 2);

    Vector2 normal = SegmentNormal(points[0], points[1]);
    RibbonJoint joint{points[0], normal * kRopeHalfWidth, 0.0};
    for (size_t j = 0; j + 1 < count; ++j) {
        RibbonJoint next{points[j + 1], normal * kRopeHalfWidth,
                         joint.v + kRopeTextureRate * Distance(points[j], points[j + 1])};
        if (j + 2 < count) {
            // An inner joint sits on the mean of the two segments' normals.
            const Vector2 nextNormal = SegmentNormal(points[j + 1], points[j + 2]);
            Vector2 mean = (nextNormal + normal) * 0.5;
            mean.Normalize();
            next.offset = mean * kRopeHalfWidth;
            normal = nextNormal;
        }
        AppendRibbonQuad(ribbon, joint, next);
        joint = next;
    }
}

// ---------------------------------------------------------------------------
// Drawing

namespace {

constexpr float kCursorHalfSize = 12.0f;
constexpr float kDeathOutline[3] = {0.75f, 0.0f, 0.0f};
constexpr float kOutline[3] = {1.0f, 0.0f, 0.5f};

// Loads the camera into the model-view matrix: the rotation, then the
// translation.
void LoadCameraTransform(const Camera& camera, bool doublePrecision) {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const Vector3d t = CameraTranslation(camera);
    const Vector3d& axis = camera.rotationAxis;
    if (doublePrecision) {
        glRotated(camera.rotationAngle, axis.x, axis.y, axis.z);
        glTranslated(t.x, t.y, t.z);
    } else {
        glRotatef(static_cast<float>(camera.rotationAngle), static_cast<float>(axis.x),
                  static_cast<float>(axis.y), static_cast<float>(axis.z));
        glTranslatef(static_cast<float>(t.x), static_cast<float>(t.y), static_cast<float>(t.z));
    }
}

bool HasTextureUnits() {
    return qglActiveTextureARB != nullptr && qglClientActiveTextureARB != nullptr;
}

// Makes unit 0 or 1 the active and client-active texture unit. Without the
// multitexture entry points only unit 0 exists and nothing needs switching.
void SelectTextureUnit(int unit) {
    if (!HasTextureUnits())
        return;
    qglActiveTextureARB(GL_TEXTURE0_ARB + unit);
    qglClientActiveTextureARB(GL_TEXTURE0_ARB + unit);
}

// How textures are bound: with the second unit where the GL has one and the
// renderer may use it, and with anisotropic filtering when that is on.
struct TextureOptions {
    bool multitexture = false;
    bool anisotropic = false;
    float anisotropyLevel = 0.0f;
};

bool CanUseSecondUnit(const TextureOptions& options) {
    return options.multitexture && HasTextureUnits();
}

bool UsesBuffers(const Scene& scene, const Mesh& mesh) {
    return scene.useBufferObjects && mesh.positionBuffer != 0 && qglBindBufferARB != nullptr;
}

void UnbindArrayBuffer(bool buffered) {
    if (buffered)
        qglBindBufferARB(GL_ARRAY_BUFFER_ARB, 0);
}

// A mesh whose client arrays are shorter than its vertex count is not drawn.
bool HasVertexData(const Mesh& mesh, bool buffered) {
    if (buffered)
        return mesh.normalBuffer != 0;
    const size_t needed = static_cast<size_t>(mesh.vertexCount) * 3;
    return mesh.positions.size() >= needed && mesh.normals.size() >= needed;
}

// The UV channel a map names, or null when the mesh has no usable channel of
// that number; such a map is left out.
const UvChannel* MapChannel(const Mesh& mesh, const MaterialMap& map, bool buffered) {
    if (map.uvChannel >= mesh.uvChannels.size())
        return nullptr;
    const UvChannel& channel = mesh.uvChannels[map.uvChannel];
    if (buffered && channel.buffer != 0)
        return &channel;
    if (channel.coordinates.size() >= static_cast<size_t>(mesh.vertexCount) * 2)
        return &channel;
    return nullptr;
}

void SetMeshArrays(const Mesh& mesh, bool buffered) {
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    if (buffered) {
        qglBindBufferARB(GL_ARRAY_BUFFER_ARB, mesh.positionBuffer);
        glVertexPointer(3, GL_FLOAT, 0, nullptr);
        qglBindBufferARB(GL_ARRAY_BUFFER_ARB, mesh.normalBuffer);
        glNormalPointer(GL_FLOAT, 0, nullptr);
    } else {
        glVertexPointer(3, GL_FLOAT, 0, mesh.positions.data());
        glNormalPointer(GL_FLOAT, 0, mesh.normals.data());
    }
}

void UnsetMeshArrays() {
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}

void BindTexture(const TextureOptions& options, uint32_t texture) {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    if (options.anisotropic)
        glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT, options.anisotropyLevel);
}

void SetScrollMatrix(const Material& material) {
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    if (material.scrollAxis == 'X')
        glTranslatef(material.scrollOffset, 0.0f, 0.0f);
    else
        glTranslatef(0.0f, material.scrollOffset, 0.0f);
    glMatrixMode(GL_MODELVIEW);
}

void ResetScrollMatrix() {
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
}

// Binds the material's map of `slot` on the active unit with its coordinate
// array. False, with nothing changed, when the slot has no map or the mesh
// lacks the map's UV channel.
bool BindMap(const TextureOptions& options, const Material& material, int slot, const Mesh& mesh,
             bool buffered) {
    const MaterialMap* map = material.SlotMap(slot);
    if (map == nullptr)
        return false;
    const UvChannel* channel = MapChannel(mesh, *map, buffered);
    if (channel == nullptr)
        return false;
    BindTexture(options, map->texture);
    if (material.Scrolls())
        SetScrollMatrix(material);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    if (buffered && channel->buffer != 0) {
        qglBindBufferARB(GL_ARRAY_BUFFER_ARB, channel->buffer);
        glTexCoordPointer(2, GL_FLOAT, 0, nullptr);
    } else {
        if (buffered)
            qglBindBufferARB(GL_ARRAY_BUFFER_ARB, 0);
        glTexCoordPointer(2, GL_FLOAT, 0, channel->coordinates.data());
    }
    return true;
}

void UnbindMap(const Material& material) {
    glDisable(GL_TEXTURE_2D);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    if (material.Scrolls())
        ResetScrollMatrix();
}

// Which units a mesh's texture set-up bound, so the same can be undone.
struct BoundUnits {
    bool unit0 = false;
    bool unit1 = false;
    bool reflection = false;
};

void UnbindUnits(const Material& material, const BoundUnits& bound) {
    if (bound.unit1) {
        SelectTextureUnit(1);
        UnbindMap(material);
        SelectTextureUnit(0);
    }
    if (bound.unit0)
        UnbindMap(material);
    if (bound.reflection) {
        glDisable(GL_TEXTURE_GEN_S);
        glDisable(GL_TEXTURE_GEN_T);
        glDisable(GL_TEXTURE_2D);
    }
}

BoundUnits SetOpaqueTextures(const TextureOptions& options, const Material& material,
                             const Mesh& mesh, bool buffered) {
    BoundUnits bound;
    switch (material.mapFlags) {
        case MapFlagsNone:
            glDisable(GL_TEXTURE_2D);
            break;
        case MapFlagsBase:
            SelectTextureUnit(0);
            bound.unit0 = BindMap(options, material, MapSlotBase, mesh, buffered);
            break;
        case MapFlagsBaseAndOverlay:
            SelectTextureUnit(0);
            bound.unit0 = BindMap(options, material, MapSlotBase, mesh, buffered);
            if (CanUseSecondUnit(options)) {
                SelectTextureUnit(1);
                bound.unit1 = BindMap(options, material, MapSlotOverlay, mesh, buffered);
                SelectTextureUnit(0);
            }
            break;
        case MapFlagsReflection: {
            const MaterialMap* map = material.SlotMap(MapSlotReflection);
            if (map == nullptr)
                break;
            SelectTextureUnit(0);
            BindTexture(options, map->texture);
            glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
            glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
            glEnable(GL_TEXTURE_GEN_S);
            glEnable(GL_TEXTURE_GEN_T);
            bound.reflection = true;
            break;
        }
        default:
            break;  // any other combination is drawn untextured
    }
    return bound;
}

BoundUnits SetTransparentTextures(const TextureOptions& options, const Material& material,
                                  const Mesh& mesh, bool buffered) {
    BoundUnits bound;
    if (material.mapFlags != MapFlagsOpacity && material.mapFlags != MapFlagsOpacityAndBase)
        return bound;  // untextured and unblended
    SelectTextureUnit(0);
    bound.unit0 = BindMap(options, material, MapSlotOpacity, mesh, buffered);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    if (material.mapFlags == MapFlagsOpacityAndBase && CanUseSecondUnit(options)) {
        SelectTextureUnit(1);
        bound.unit1 = BindMap(options, material, MapSlotBase, mesh, buffered);
        // Unit 1 keeps this mode for every later mesh that uses it.
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
        SelectTextureUnit(0);
    }
    return bound;
}

// The material of a mesh, or null for an index past the material list.
const Material* MeshMaterial(const Scene& scene, const Mesh& mesh) {
    if (mesh.materialIndex >= scene.materials.size())
        return nullptr;
    return &scene.materials[mesh.materialIndex];
}

void SetMaterialColourAndCulling(const Material& material) {
    glColor3ub(material.colour[0], material.colour[1], material.colour[2]);
    if (material.twoSided)
        glDisable(GL_CULL_FACE);
    else
        glEnable(GL_CULL_FACE);
}

void DrawMeshTriangles(const Mesh& mesh) {
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(mesh.vertexCount));
}

void DrawOpaqueMesh(const TextureOptions& options, const Scene& scene, const Mesh& mesh) {
    const Material* material = MeshMaterial(scene, mesh);
    const bool buffered = UsesBuffers(scene, mesh);
    if (material == nullptr || !HasVertexData(mesh, buffered))
        return;
    SetMaterialColourAndCulling(*material);
    SetMeshArrays(mesh, buffered);
    const BoundUnits bound = SetOpaqueTextures(options, *material, mesh, buffered);
    DrawMeshTriangles(mesh);
    UnbindUnits(*material, bound);
    UnsetMeshArrays();
    UnbindArrayBuffer(buffered);
}

void DrawTransparentMesh(const TextureOptions& options, const Scene& scene, const Mesh& mesh) {
    const Material* material = MeshMaterial(scene, mesh);
    const bool buffered = UsesBuffers(scene, mesh);
    if (material == nullptr || !HasVertexData(mesh, buffered))
        return;
    glDepthMask(GL_FALSE);
    SetMaterialColourAndCulling(*material);
    SetMeshArrays(mesh, buffered);
    const BoundUnits bound = SetTransparentTextures(options, *material, mesh, buffered);
    DrawMeshTriangles(mesh);
    UnbindUnits(*material, bound);
    UnsetMeshArrays();
    UnbindArrayBuffer(buffered);
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
}

void DrawOutlines(const Scene& scene) {
    glLineWidth(1.0f);
    for (const Shape& shape : scene.shapes) {
        glColor3fv(IsDeadlyOutline(shape.name) ? kDeathOutline : kOutline);
        for (const Polyline& polyline : shape.polylines) {
            glBegin(polyline.closed ? GL_LINE_LOOP : GL_LINE_STRIP);
            for (const Vector& point : polyline.points)
                glVertex3f(point.x, point.y, point.z);
            glEnd();
        }
    }
}

void DrawRopeRibbon(const Camera& camera, const RopeRibbon& ribbon, uint32_t texture) {
    LoadCameraTransform(camera, false);
    glColor3f(1.0f, 1.0f, 1.0f);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    // The ball leaves its normal array on; the ribbon has no normals, and a
    // long rope would read past the ball's.
    glDisableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, ribbon.positions.data());
    glTexCoordPointer(2, GL_FLOAT, 0, ribbon.texCoords.data());
    glDrawArrays(GL_QUADS, 0, static_cast<GLsizei>(ribbon.VertexCount()));
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisable(GL_TEXTURE_2D);
}

// Sets up GL_LIGHT0 .. GL_LIGHTn-1 from the first n entries of the light
// order; the camera transform must be current. Returns n.
int SetBallLights(const std::vector<LightOrderEntry>& lights, int lightCount) {
    const int count = std::min(static_cast<int>(lights.size()), lightCount);
    if (count <= 0)
        return 0;
    glEnable(GL_LIGHTING);
    for (int i = 0; i < count; ++i) {
        const Light* light = lights[i].light;
        if (light == nullptr)
            continue;
        const GLenum id = GL_LIGHT0 + i;
        glEnable(id);
        const float position[4] = {light->position.x, light->position.y, light->position.z,
                                   light->IsOmni() ? 1.0f : 0.0f};
        glLightfv(id, GL_POSITION, position);
        const float intensity = AttenuatedIntensity(*light, lights[i].distance);
        const float diffuse[4] = {intensity * light->colour[0], intensity * light->colour[1],
                                  intensity * light->colour[2], 1.0f};
        glLightfv(id, GL_DIFFUSE, diffuse);
        const float level = i == 0 ? 0.5f : 0.0f;
        const float ambient[4] = {level, level, level, 1.0f};
        glLightfv(id, GL_AMBIENT, ambient);
    }
    return count;
}

}  // namespace

WorldRenderer::WorldRenderer() {
    BuildBallMesh(ballMesh_);
}

void WorldRenderer::Configure(int lightCount, bool multitexture, bool anisotropic,
                              float anisotropyLevel) {
    lightCount_ = lightCount;
    multitexture_ = multitexture;
    anisotropic_ = anisotropic;
    anisotropyLevel_ = anisotropyLevel;
}

void WorldRenderer::DrawBallAndRope(const Camera& camera, const TPlayer& ball,
                                    const std::vector<LightOrderEntry>& lights, double lag,
                                    const BallTextures& textures) {
    LoadCameraTransform(camera, false);
    SelectTextureUnit(0);
    const Vector2 drawn = DrawnPosition(ball, lag);

    BuildRopePolyline(ball, lag, ropePoints_);
    if (!ropePoints_.empty()) {
        BuildRopeRibbon(ropePoints_, ribbon_);
        if (ribbon_.VertexCount() > 0)
            DrawRopeRibbon(camera, ribbon_, textures.rope);
    }

    const int litCount = SetBallLights(lights, lightCount_);

    LoadCameraTransform(camera, false);
    glTranslatef(static_cast<float>(drawn.x), 0.0f, static_cast<float>(drawn.y));
    glColor3f(1.0f, 1.0f, 1.0f);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, ballMesh_.positions);
    glNormalPointer(GL_FLOAT, 0, ballMesh_.normals);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, textures.ball);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, 0, ballMesh_.texCoords);
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(ballMesh_.vertexCount));

    glDisable(GL_TEXTURE_2D);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    if (litCount > 0) {
        glDisable(GL_LIGHTING);
        for (int i = 0; i < litCount; ++i)
            glDisable(GL_LIGHT0 + i);
    }
}

void WorldRenderer::DrawGhost(const Camera& camera, const TPlayer& ball, float alpha,
                              const BallTextures& textures) {
    SelectTextureUnit(0);
    glDisable(GL_LIGHTING);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDepthMask(GL_FALSE);  // the live ball behind it still shows
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glColor4f(1.0f, 1.0f, 1.0f, alpha);

    BuildRopePolyline(ball, 1.0, ropePoints_);
    BuildRopeRibbon(ropePoints_, ribbon_);
    if (ribbon_.VertexCount() > 0) {
        LoadCameraTransform(camera, false);
        glBindTexture(GL_TEXTURE_2D, textures.rope);
        glVertexPointer(3, GL_FLOAT, 0, ribbon_.positions.data());
        glTexCoordPointer(2, GL_FLOAT, 0, ribbon_.texCoords.data());
        glDrawArrays(GL_QUADS, 0, static_cast<GLsizei>(ribbon_.VertexCount()));
    }

    const Vector2 drawn = DrawnPosition(ball, 1.0);
    LoadCameraTransform(camera, false);
    glTranslatef(static_cast<float>(drawn.x), 0.0f, static_cast<float>(drawn.y));
    glBindTexture(GL_TEXTURE_2D, textures.ball);
    glVertexPointer(3, GL_FLOAT, 0, ballMesh_.positions);
    glTexCoordPointer(2, GL_FLOAT, 0, ballMesh_.texCoords);
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(ballMesh_.vertexCount));

    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisable(GL_TEXTURE_2D);
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

void WorldRenderer::DrawWorld(const Camera& camera, const Scene& scene, bool showOutlines) const {
    const TextureOptions options{multitexture_, anisotropic_, anisotropyLevel_};
    LoadCameraTransform(camera, true);
    glDisable(GL_TEXTURE_2D);
    if (showOutlines)
        DrawOutlines(scene);

    glColor3f(1.0f, 1.0f, 1.0f);
    for (const Mesh& mesh : scene.meshes) {
        if (mesh.transparent != 1)
            DrawOpaqueMesh(options, scene, mesh);
    }
    for (const TransparentEntry& entry : scene.transparentList) {
        if (entry.meshIndex < scene.meshes.size())
            DrawTransparentMesh(options, scene, scene.meshes[entry.meshIndex]);
    }

    glColor3f(1.0f, 1.0f, 1.0f);
    glDisable(GL_CULL_FACE);
}

void WorldRenderer::DrawCursorMarker(const Camera& camera, float x, float y,
                                     uint32_t texture) const {
    LoadCameraTransform(camera, false);
    glColor3f(1.0f, 1.0f, 1.0f);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glBindTexture(GL_TEXTURE_2D, texture);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    const float h = kCursorHalfSize;
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(x - h, 0.0f, y - h);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(x + h, 0.0f, y - h);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(x + h, 0.0f, y + h);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(x - h, 0.0f, y + h);
    glEnd();
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
}

void WorldRenderer::DrawAimLine(const Camera& camera, const std::vector<Vector2>& points,
                                bool catches) const {
    if (points.size() < 2)
        return;
    LoadCameraTransform(camera, true);
    const LineColour& colour = catches ? kAimLineCatches : kAimLineMisses;
    glColor3f(colour.red, colour.green, colour.blue);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glLineWidth(1.0f);
    glBegin(GL_LINE_STRIP);
    for (const Vector2& point : points)
        glVertex3d(point.x, 0.0, point.y);
    glEnd();
    glEnable(GL_DEPTH_TEST);
    glColor3f(1.0f, 1.0f, 1.0f);
}
