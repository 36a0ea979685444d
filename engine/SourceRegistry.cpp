#include "SourceRegistry.h"

#include <algorithm>

namespace nox {
namespace audio {

int compareSourceNames(const char* a, const char* b) {
    for (; *a && *b; ++a, ++b) {
        signed char x = static_cast<signed char>(*a);
        signed char y = static_cast<signed char>(*b);
        if (x != y)
            return x < y ? -1 : 1;
    }
    // One name is a prefix of the other: the shorter sorts first.
    return (*a != 0) - (*b != 0);
}

SourceRegistry::~SourceRegistry() {
    for (SoundSource* source : sources_)
        source->decRef();
}

std::size_t SourceRegistry::lowerBound(const char* name) const {
    auto position = std::lower_bound(sources_.begin(), sources_.end(), name,
                                     [](SoundSource* source, const char* key) {
                                         return compareSourceNames(source->getName(), key) < 0;
                                     });
    return static_cast<std::size_t>(position - sources_.begin());
}

s32 SourceRegistry::indexOf(const char* name) const {
    std::size_t index = lowerBound(name);
    if (index < sources_.size() && compareSourceNames(sources_[index]->getName(), name) == 0)
        return static_cast<s32>(index);
    return -1;
}

SoundSource* SourceRegistry::find(const char* name) {
    std::lock_guard<std::mutex> guard(lock_);
    s32 index = indexOf(name);
    if (index < 0)
        return nullptr;
    sources_[index]->incRef();
    return sources_[index];
}

SoundSource* SourceRegistry::add(SoundSource* candidate) {
    std::lock_guard<std::mutex> guard(lock_);
    std::size_t index = lowerBound(candidate->getName());
    SoundSource* source = candidate;
    if (index < sources_.size() &&
        compareSourceNames(sources_[index]->getName(), candidate->getName()) == 0)
        source = sources_[index];
    else
        sources_.insert(sources_.begin() + static_cast<std::ptrdiff_t>(index), candidate);
    source->incRef();
    return source;
}

SoundSource* SourceRegistry::remove(ISoundSource* source) {
    std::lock_guard<std::mutex> guard(lock_);
    s32 index = indexOf(source->getName());
    if (index < 0 || sources_[index] != source)
        return nullptr;
    SoundSource* removed = sources_[index];
    sources_.erase(sources_.begin() + index);
    return removed;
}

std::vector<SoundSource*> SourceRegistry::removeAll() {
    std::lock_guard<std::mutex> guard(lock_);
    std::vector<SoundSource*> removed;
    removed.swap(sources_);
    return removed;
}

SoundSource* SourceRegistry::at(s32 index) {
    std::lock_guard<std::mutex> guard(lock_);
    if (index < 0 || static_cast<std::size_t>(index) >= sources_.size())
        return nullptr;
    return sources_[index];
}

s32 SourceRegistry::count() {
    std::lock_guard<std::mutex> guard(lock_);
    return static_cast<s32>(sources_.size());
}

} // namespace audio
} // namespace nox
