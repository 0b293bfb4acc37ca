#include "render/light_order.h"

#include <cmath>

#include "scene/scene.h"

namespace {

float DistanceToBall(const Light& light, const Vector2& ball) {
    if (!light.IsOmni())
        return 0.0f;
    const double dx = light.position.x - ball.x;
    const double dy = light.position.y;
    const double dz = light.position.z - ball.y;
    return static_cast<float>(std::sqrt(dx * dx + dy * dy + dz * dz));
}

}  // namespace

void SortLights(const Scene& scene, const Vector2& ball, std::vector<LightOrderEntry>& order) {
    order.clear();
    for (const Light& light : scene.lights) {
        if (light.colour[0] == 0.0f && light.colour[1] == 0.0f && light.colour[2] == 0.0f)
            continue;
        LightOrderEntry entry;
        entry.light = &light;
        entry.distance = DistanceToBall(light, ball);
        order.push_back(entry);
    }
    // Insertion sort: an entry moves only in front of strictly greater distances.
    for (size_t i = 1; i < order.size(); ++i) {
        const LightOrderEntry entry = order[i];
        size_t j = i;
        while (j > 0 && order[j - 1].distance > entry.distance) {
            order[j] = order[j - 1];
            --j;
        }
        order[j] = entry;
    }
}
