// The engine's sound sources, sorted by name, for any number of threads.
#ifndef DRAVON_ENGINE_SOURCE_REGISTRY_H
#define DRAVON_ENGINE_SOURCE_REGISTRY_H

#include "SoundSource.h"

#include <mutex>
#include <vector>

namespace nox {
namespace audio {

//! Name order of the registry: bytes compared as signed values, the first difference decides;
//! otherwise the shorter name first. Negative when `a` sorts before `b`, 0 when they are equal.
int compareSourceNames(const char* a, const char* b);

//! Holds one reference to each registered source, in name order; no two names are equal.
//! Lookups and insertions are a bisection search plus, for an insertion, one move of the
//! entries behind it. Every operation takes the registry's own lock, held only for the search
//! and the move; sources found are handed out with a reference of the caller's, taken under
//! the lock, so that another thread's removal cannot free them meanwhile.
class SourceRegistry {
public:
    SourceRegistry() = default;
    //! Releases the sources still registered.
    ~SourceRegistry();
    SourceRegistry(const SourceRegistry&) = delete;
    SourceRegistry& operator=(const SourceRegistry&) = delete;

    //! The source named `name`, with one reference for the caller; null when there is none.
    SoundSource* find(const char* name);
    //! Registers `candidate` unless a source of its name is registered; the registry then keeps
    //! the caller's reference to it. Returns the registered source of that name with a new
    //! reference for the caller: `candidate`, or the one found (and `candidate` is untouched).
    SoundSource* add(SoundSource* candidate);
    //! Unregisters `source`. Returns it when it was registered, with the registry's reference,
    //! which passes to the caller; otherwise null.
    SoundSource* remove(ISoundSource* source);
    //! Unregisters every source; their references pass to the caller.
    std::vector<SoundSource*> removeAll();

    //! The source at `index` in name order (borrowed), or null outside the range.
    SoundSource* at(s32 index);
    s32 count();

private:
    //! The first position whose name is not below `name`. The caller holds the lock.
    std::size_t lowerBound(const char* name) const;
    //! The position of the source named `name`, or -1. The caller holds the lock.
    s32 indexOf(const char* name) const;

    std::mutex lock_;
    std::vector<SoundSource*> sources_;
};

} // namespace audio
} // namespace nox

#endif
