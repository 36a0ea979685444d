// The reference-counted base of nearly every Dravon object.
#ifndef DRAVON_REF_COUNTED_H
#define DRAVON_REF_COUNTED_H

#include "Types.h"

namespace nox {
namespace audio {

//! Base of every reference-counted object except playing sounds (see ISoundRefCount).
//! An object starts with a count of 1 that belongs to whoever created it or received it from a
//! create or play operation. Holders call incRef() for each reference they keep and decRef()
//! when they let it go; the last decRef() destroys the object. Getters return borrowed pointers.
//! The count is not atomic: such an object is used by one thread at a time or under the
//! engine's lock.
class RefCounted {
public:
    RefCounted() = default;
    RefCounted(const RefCounted&) = delete;
    RefCounted& operator=(const RefCounted&) = delete;

    //! Destroys the object; called by decRef() when the count reaches zero.
    virtual ~RefCounted() = default;

    //! Adds one reference.
    void incRef() { ++referenceCount_; }

    //! Releases one reference. Returns true when this call destroyed the object.
    bool decRef() {
        if (--referenceCount_ == 0) {
            delete this;
            return true;
        }
        return false;
    }

    //! The current number of references (for diagnostics and tests).
    s32 getReferenceCount() const { return referenceCount_; }

private:
    s32 referenceCount_ = 1;
    // Reserved pointer: null at creation and never read or changed by the library.
    [[maybe_unused]] void* reserved_ = nullptr;
};

} // namespace audio
} // namespace nox

#endif
