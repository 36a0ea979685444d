// Three-component float vector for positions, directions and up vectors.
#ifndef DRAVON_VECTOR3_H
#define DRAVON_VECTOR3_H

#include "Types.h"

namespace nox {
namespace audio {

//! A point or direction in 3D space, passed by value or by constant reference.
struct Vector3 {
    f32 x = 0.0f;
    f32 y = 0.0f;
    f32 z = 0.0f;

    Vector3() = default;
    Vector3(f32 x_, f32 y_, f32 z_) : x(x_), y(y_), z(z_) {}

    bool operator==(const Vector3& o) const { return x == o.x && y == o.y && z == o.z; }
    bool operator!=(const Vector3& o) const { return !(*this == o); }
};

} // namespace audio
} // namespace nox

#endif
