// Values that one thread stores and another reads without a lock.
#ifndef DRAVON_CORE_RELAXED_H
#define DRAVON_CORE_RELAXED_H

#include "dravon/Vector3.h"

#include <atomic>

namespace nox {
namespace audio {

//! A 32-bit (or smaller) value written by one thread and read by another without a lock: each
//! store and load is whole, and the reader sees whatever was stored last. No ordering with other
//! memory is implied.
template <typename T> class Relaxed {
public:
    Relaxed(T value = T()) : value_(value) {}
    Relaxed(const Relaxed&) = delete;
    Relaxed& operator=(const Relaxed&) = delete;
    operator T() const { return value_.load(std::memory_order_relaxed); }
    Relaxed& operator=(T value) {
        value_.store(value, std::memory_order_relaxed);
        return *this;
    }

private:
    std::atomic<T> value_;
};

//! A Vector3 stored component by component, each component whole.
class RelaxedVector3 {
public:
    RelaxedVector3(const Vector3& v = Vector3()) : x_(v.x), y_(v.y), z_(v.z) {}
    operator Vector3() const { return Vector3(x_, y_, z_); }
    RelaxedVector3& operator=(const Vector3& v) {
        x_ = v.x;
        y_ = v.y;
        z_ = v.z;
        return *this;
    }

private:
    Relaxed<f32> x_, y_, z_;
};

} // namespace audio
} // namespace nox

#endif
