#include "scene/primitives.h"

#include <initializer_list>

#include "platform/gl.h"

namespace {

// cos and sin of k x 30 degrees, k = 0 to 11: every circle of the family is a
// 12-vertex loop through these angles.
constexpr int kCircleSteps = 12;
constexpr float kCos[kCircleSteps] = {1.0f,  0.866025f,  0.5f,  0.0f, -0.5f, -0.866025f,
                                      -1.0f, -0.866025f, -0.5f, 0.0f, 0.5f,  0.866025f};
constexpr float kSin[kCircleSteps] = {0.0f, 0.5f,  0.866025f,  1.0f,  0.866025f,  0.5f,
                                      0.0f, -0.5f, -0.866025f, -1.0f, -0.866025f, -0.5f};

void DrawBoxEdges(const Vector& a, const Vector& b) {
    glBegin(GL_LINE_LOOP);
    glVertex3f(a.x, a.y, a.z);
    glVertex3f(b.x, a.y, a.z);
    glVertex3f(b.x, b.y, a.z);
    glVertex3f(a.x, b.y, a.z);
    glEnd();

    glBegin(GL_LINE_LOOP);
    glVertex3f(a.x, a.y, b.z);
    glVertex3f(b.x, a.y, b.z);
    glVertex3f(b.x, b.y, b.z);
    glVertex3f(a.x, b.y, b.z);
    glEnd();

    glBegin(GL_LINES);
    glVertex3f(a.x, a.y, a.z);
    glVertex3f(a.x, a.y, b.z);
    glVertex3f(b.x, a.y, a.z);
    glVertex3f(b.x, a.y, b.z);
    glVertex3f(b.x, b.y, a.z);
    glVertex3f(b.x, b.y, b.z);
    glVertex3f(a.x, b.y, a.z);
    glVertex3f(a.x, b.y, b.z);
    glEnd();
}

}  // namespace

void Box::Draw() const {
    DrawBoxEdges(a, b);
}

void Cube::Draw() const {
    const Vector low{centre.x - halfSize, centre.y - halfSize, centre.z - halfSize};
    const Vector high{centre.x + halfSize, centre.y + halfSize, centre.z + halfSize};
    DrawBoxEdges(low, high);
}

void Circle::Draw() const {
    glBegin(GL_LINE_LOOP);
    for (int k = 0; k < kCircleSteps; ++k)
        glVertex3f(centre.x + radius * kCos[k], centre.y + radius * kSin[k], 0.0f);
    glEnd();
}

void Cylinder::Draw() const {
    const float bottom = centre.y - height;
    for (const float y : {centre.y, bottom}) {
        glBegin(GL_LINE_LOOP);
        for (int k = 0; k < kCircleSteps; ++k)
            glVertex3f(centre.x + radius * kCos[k], y, centre.z + radius * kSin[k]);
        glEnd();
    }
    // Three rectangles through the axis, at 0, 60 and 120 degrees.
    for (const int k : {0, 2, 4}) {
        const float dx = radius * kCos[k];
        const float dz = radius * kSin[k];
        glBegin(GL_LINE_LOOP);
        glVertex3f(centre.x + dx, centre.y, centre.z + dz);
        glVertex3f(centre.x - dx, centre.y, centre.z - dz);
        glVertex3f(centre.x - dx, bottom, centre.z - dz);
        glVertex3f(centre.x + dx, bottom, centre.z + dz);
        glEnd();
    }
}

void Point::Draw() const {
    glBegin(GL_POINTS);
    glVertex3f(position.x, position.y, position.z);
    glEnd();
}

void Sphere::Draw() const {
    const Vector& c = centre;
    glBegin(GL_LINE_LOOP);
    for (int k = 0; k < kCircleSteps; ++k)
        glVertex3f(c.x + radius * kCos[k], c.y + radius * kSin[k], c.z);
    glEnd();
    glBegin(GL_LINE_LOOP);
    for (int k = 0; k < kCircleSteps; ++k)
        glVertex3f(c.x, c.y + radius * kSin[k], c.z + radius * kCos[k]);
    glEnd();
    glBegin(GL_LINE_LOOP);
    for (int k = 0; k < kCircleSteps; ++k)
        glVertex3f(c.x + radius * kCos[k], c.y, c.z + radius * kSin[k]);
    glEnd();
}
