#pragma once
// World rendering: the ball with its lights, the rope, the level's meshes in
// an opaque and a transparent pass, the collision outlines and the aim
// marker, each drawn through the camera it is given. The geometry is built by
// the GL-free functions below the class; the class only hands it to GL.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/vector.h"
#include "render/ball_mesh.h"
#include "render/light_order.h"

class Camera;
class Scene;
class TBaseObject;
class TPlayer;
struct Light;

// The game's textures of the ball and the rope (GL texture names).
struct BallTextures {
    uint32_t ball = 0;
    uint32_t rope = 0;
};

// A flat ribbon 5 units wide in the plane y = 0 along a polyline: one quad
// per segment, corners A_j, A_j+1, B_j+1, B_j, texture u 0 on the A side
// and 1 on the B side, v growing with the rope length.
struct RopeRibbon {
    std::vector<float> positions;  // x, y, z per vertex
    std::vector<float> texCoords;  // u, v per vertex

    size_t VertexCount() const { return positions.size() / 3; }
};

class WorldRenderer {
public:
    // Builds the ball mesh; draws with one light and one texture unit until
    // configured.
    WorldRenderer();

    // What the GL in use offers: how many lights may light the ball, whether
    // the second texture unit may be used, and the anisotropic filtering
    // level textures are bound with (none when `anisotropic` is false).
    void Configure(int lightCount, bool multitexture, bool anisotropic, float anisotropyLevel);

    void DrawBallAndRope(const Camera& camera, const TPlayer& ball,
                         const std::vector<LightOrderEntry>& lights, double lag,
                         const BallTextures& textures);
    // Another run's ball and rope, unlit and translucent (`alpha` its
    // opacity), over what is drawn already.
    void DrawGhost(const Camera& camera, const TPlayer& ball, float alpha,
                   const BallTextures& textures);
    void DrawWorld(const Camera& camera, const Scene& scene, bool showOutlines) const;
    void DrawCursorMarker(const Camera& camera, float x, float y, uint32_t texture) const;
    // The aim line: a thin line through the points of the plane, over the
    // level, in the catching colour when `catches`, else the missing one.
    // Fewer than two points draw nothing.
    void DrawAimLine(const Camera& camera, const std::vector<Vector2>& points, bool catches) const;

    const BallMesh& Ball() const { return ballMesh_; }
    int LightCount() const { return lightCount_; }
    bool Multitexture() const { return multitexture_; }

private:
    BallMesh ballMesh_;
    // The rope's geometry, rebuilt every frame into the same storage.
    std::vector<Vector2> ropePoints_;
    RopeRibbon ribbon_;
    int lightCount_ = 1;
    bool multitexture_ = false;
    bool anisotropic_ = false;
    float anisotropyLevel_ = 0.0f;
};

constexpr double kRopeHalfWidth = 2.5;

// The aim line's colours: ending where the hook would catch, or at its reach.
struct LineColour {
    float red, green, blue;
};
constexpr LineColour kAimLineCatches{0.25f, 1.0f, 0.6f};
constexpr LineColour kAimLineMisses{1.0f, 0.5f, 0.2f};
// Texture v per unit of rope length: the rope texture repeats every 10 units.
constexpr double kRopeTextureRate = 0.1;

// The model-view translation that follows the camera's rotation:
// previous position + step x drawing lag, with y negated. The camera holds
// the negated plane point it looks at in x and z, but its distance from the
// plane in y as the eye's own coordinate (-700: the eye stands on the -y
// side, looking along +y), so the view moves the world by -y to bring the
// eye to the origin.
Vector3d CameraTranslation(const Camera& camera);

// Intensity of a light for a ball at `distance`: omni lights keep their
// intensity nearer than the attenuation start, fade linearly to zero at the
// end, and give nothing beyond it. With start equal to end the light stops
// there: a ball exactly at that distance gets nothing. Directional lights
// never fade.
float AttenuatedIntensity(const Light& light, float distance);

// Where a body is drawn between two steps: position - velocity x lag.
Vector2 DrawnPosition(const TBaseObject& body, double lag);

// The rope from the hook to the ball: the hook, the wrap points (all of them
// while the hook is caught, all but the newest while it flies), the ball.
// Empty while the rope is idle or the ball has none.
void BuildRopePolyline(const TPlayer& ball, double lag, std::vector<Vector2>& points);

// Fills the ribbon for `points`; fewer than two points give no quad.
void BuildRopeRibbon(const std::vector<Vector2>& points, RopeRibbon& ribbon);
