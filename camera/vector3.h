// Three doubles with value semantics: positions and directions of the camera,
// the viewpoints, the model and the sky. y is up; the ground is the x-z plane.
#pragma once

#include <cmath>

// π, for turning degrees into radians and back.
constexpr double kPi = 3.14159265358979323846;

struct Vector3 {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    constexpr Vector3() = default;
    constexpr Vector3(double x_, double y_, double z_) : x(x_), y(y_), z(z_) {}

    constexpr Vector3 operator+(const Vector3& o) const { return {x + o.x, y + o.y, z + o.z}; }
    constexpr Vector3 operator-(const Vector3& o) const { return {x - o.x, y - o.y, z - o.z}; }
    constexpr Vector3 operator*(double s) const { return {x * s, y * s, z * s}; }
    constexpr Vector3 operator/(double s) const { return {x / s, y / s, z / s}; }
    constexpr bool operator==(const Vector3& o) const { return x == o.x && y == o.y && z == o.z; }
    constexpr bool operator!=(const Vector3& o) const { return !(*this == o); }
};

inline double length(const Vector3& v) {
    return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
}

// Defined only for a non-zero vector; callers that may meet (0, 0, 0) check first.
inline Vector3 normalise(const Vector3& v) {
    return v / length(v);
}

inline constexpr double dot(const Vector3& a, const Vector3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

inline constexpr Vector3 cross(const Vector3& a, const Vector3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
