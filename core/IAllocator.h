// The allocator through which strings and arrays get and free their storage.
#ifndef DRAVON_CORE_I_ALLOCATOR_H
#define DRAVON_CORE_I_ALLOCATOR_H

#include <cstddef>
#include <new>
#include <utility>

namespace nox {
namespace audio {

//! Stateless allocator over the global array new and delete. Storage is raw: elements are
//! constructed and destroyed in place, so arrays can hold strings and other non-trivial types.
template <typename T> class IAllocator {
public:
    T* allocate(std::size_t count) {
        // T may be a pointer (arrays of pointers), whose own size is meant.
        // NOLINTNEXTLINE(bugprone-sizeof-expression)
        return static_cast<T*>(::operator new[](count * sizeof(T)));
    }
    void deallocate(T* pointer) { ::operator delete[](pointer); }

    template <typename... Args> void construct(T* at, Args&&... args) {
        new (at) T(std::forward<Args>(args)...);
    }
    void destruct(T* at) { at->~T(); }
};

} // namespace audio
} // namespace nox

#endif
