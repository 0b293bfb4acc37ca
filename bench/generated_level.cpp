#include "generated_level.h"

#include <cmath>
#include <string>

#include "scene/scene.h"

namespace {

constexpr double kSpacing = 150.0;
constexpr double kRockRadius = 30.0;
constexpr int kRockCorners = 10;

Vector PlaneVector(double x, double y) {
    return {static_cast<float>(x), 0.0f, static_cast<float>(y)};
}

int Side(size_t edges) {
    const double rocks = static_cast<double>(edges) / kRockCorners;
    return static_cast<int>(std::ceil(std::sqrt(rocks)));
}

}  // namespace

void BuildRockField(Scene& scene, size_t edges) {
    const int side = Side(edges);
    const double extent = side * kSpacing;
    Shape room;
    room.name = "room";
    Polyline walls;
    walls.closed = 1;
    walls.points = {PlaneVector(-kSpacing, -kSpacing), PlaneVector(extent, -kSpacing),
                    PlaneVector(extent, extent), PlaneVector(-kSpacing, extent)};
    walls.pointCount = static_cast<uint32_t>(walls.points.size());
    room.polylines.push_back(walls);
    room.polylineCount = 1;
    scene.shapes.push_back(std::move(room));

    size_t made = 0;
    for (int row = 0; row < side && made < edges; ++row) {
        Shape shape;
        shape.name = (row % 7 == 3 ? "DEATH_row" : "row") + std::to_string(row);
        for (int column = 0; column < side && made < edges; ++column) {
            Polyline rock;
            rock.closed = 1;
            // Alternate rows are shifted by half a spacing, like bricks.
            const double cx = column * kSpacing + (row % 2 == 0 ? 0.0 : kSpacing * 0.5);
            const double cy = row * kSpacing;
            for (int k = 0; k < kRockCorners; ++k) {
                const double angle = 2.0 * 3.141592653589793 * k / kRockCorners;
                rock.points.push_back(PlaneVector(cx + kRockRadius * std::sin(angle),
                                                  cy + kRockRadius * std::cos(angle)));
            }
            rock.pointCount = kRockCorners;
            shape.polylines.push_back(std::move(rock));
            made += kRockCorners;
        }
        shape.polylineCount = static_cast<uint32_t>(shape.polylines.size());
        scene.shapes.push_back(std::move(shape));
    }
}

Vector2 OpenSpot(const Scene& scene) {
    // Between the rocks of the middle row and column: the middle of a gap.
    const double extent = static_cast<double>(scene.shapes.front().polylines[0].points[1].x);
    const int middle = static_cast<int>(extent / kSpacing) / 2;
    return {middle * kSpacing + kSpacing * 0.25, middle * kSpacing + kSpacing * 0.5};
}

void AddBigMesh(Scene& scene, size_t vertices) {
    Mesh mesh;
    mesh.name = "terrain";
    mesh.vertexCount = static_cast<uint32_t>(vertices);
    mesh.positions.resize(vertices * 3);
    mesh.normals.resize(vertices * 3);
    for (size_t i = 0; i < vertices; ++i) {
        mesh.positions[i * 3 + 0] = static_cast<float>(i % 1000);
        mesh.positions[i * 3 + 1] = static_cast<float>((i * 7) % 13);
        mesh.positions[i * 3 + 2] = static_cast<float>(i / 1000);
        mesh.normals[i * 3 + 2] = 1.0f;
    }
    UvChannel channel;
    channel.coordinates.resize(vertices * 2, 0.5f);
    mesh.uvChannels.push_back(std::move(channel));
    mesh.uvChannelCount = 1;
    scene.meshes.push_back(std::move(mesh));
}
