#pragma once
// Scene primitives: small wireframe-drawable shapes placed in a level by name
// (start points, end zones, checkpoints, sound areas, field objects) and the
// bounding volumes of meshes. A primitive holds only its geometry.

#include "core/vector.h"

enum PrimitiveTypeCode : int {
    TypeBox = 0,
    TypeCircle = 1,
    TypeCube = 2,
    TypeCylinder = 3,
    TypePoint = 4,
    TypeSphere = 6,  // there is no code 5
};

class DHelper {
public:
    // Owners hold primitives through the base, so destruction goes through it.
    virtual ~DHelper() = default;
    // Draws the primitive as a wireframe in the current colour and transform.
    virtual void Draw() const = 0;
    virtual int TypeCode() const = 0;
};

class Box : public DHelper {
public:
    Box() : a{0, 0, 0}, b{0, 0, 0} {}
    Box(Vector cornerA, Vector cornerB) : a(cornerA), b(cornerB) {}
    void Draw() const override;
    int TypeCode() const override { return TypeBox; }

    Vector a;  // any two opposite corners; no order is assumed
    Vector b;
};

class Circle : public DHelper {
public:
    Circle(Vector2f centre, float r) : centre(centre), radius(r) {}
    void Draw() const override;
    int TypeCode() const override { return TypeCircle; }

    Vector2f centre;
    float radius;
};

class Cube : public DHelper {
public:
    Cube(Vector centre, float halfSize) : centre(centre), halfSize(halfSize) {}
    void Draw() const override;
    int TypeCode() const override { return TypeCube; }

    Vector centre;
    float halfSize;
};

class Cylinder : public DHelper {
public:
    // Axis parallel to y, from the end centre down to (x, y - height, z).
    Cylinder(Vector endCentre, float height, float radius)
        : centre(endCentre), height(height), radius(radius) {}
    void Draw() const override;
    int TypeCode() const override { return TypeCylinder; }

    Vector centre;
    float height;
    float radius;
};

class Point : public DHelper {
public:
    explicit Point(Vector position) : position(position) {}
    void Draw() const override;
    int TypeCode() const override { return TypePoint; }

    Vector position;
};

class Sphere : public DHelper {
public:
    Sphere() : centre{0, 0, 0}, radius(0) {}
    Sphere(Vector centre, float radius) : centre(centre), radius(radius) {}
    void Draw() const override;
    int TypeCode() const override { return TypeSphere; }

    Vector centre;
    float radius;
};
