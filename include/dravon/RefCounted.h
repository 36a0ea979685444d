// The reference-counted base of nearly every Dravon object.
#ifndef DRAVON_REF_COUNTED_H
#define DRAVON_REF_COUNTED_H

#include "Types.h"

#include <atomic>

namespace nox {
namespace audio {

//! Base of every reference-counted object except playing sounds (see ISoundRefCount).
//! An object starts with a count of 1 that belongs to whoever created it or received it from a
//! create or play operation. Holders call incRef() for each reference they keep and decRef()
//! when they let it go; the last decRef() destroys the object. Getters return borrowed pointers.
//! The count is atomic: the engine and its update thread hold references to sources, sample
//! buffers and the engine's lock while the application holds its own, so any thread may call
//! incRef() and decRef(). That makes only the count thread safe, not the object.
class RefCounted {
public:
    RefCounted() = default;
    RefCounted(const RefCounted&) = delete;
    RefCounted& operator=(const RefCounted&) = delete;

    //! Destroys the object; called by decRef() when the count reaches zero.
    virtual ~RefCounted() = default;

    //! Adds one reference.
    void incRef() { referenceCount_.fetch_add(1, std::memory_order_relaxed); }

    //! Releases one reference. Returns true when this call destroyed the object.
    bool decRef() {
        // Acquire-release, so that everything done through other references happens before the
        // destruction.
        if (referenceCount_.fetch_sub(1, std::memory_order_acq_rel) != 1)
            return false;
        delete this;
        return true;
    }

    //! The current number of references (for diagnostics and tests); another thread may change
    //! it at any moment.
    s32 getReferenceCount() const { return referenceCount_.load(std::memory_order_relaxed); }

private:
    // Same size and alignment as a plain 32-bit count, so the layout of every object is kept.
    std::atomic<s32> referenceCount_{1};
    // Reserved pointer: null at creation and never read or changed by the library.
    [[maybe_unused]] void* reserved_ = nullptr;
};

static_assert(sizeof(std::atomic<s32>) == sizeof(s32), "the count keeps its 32-bit layout");

} // namespace audio
} // namespace nox

#endif
