// The engine's stream loaders, and the choice of one for a file.
#ifndef DRAVON_ENGINE_STREAM_LOADER_LIST_H
#define DRAVON_ENGINE_STREAM_LOADER_LIST_H

#include "dravon/IAudioStreamLoader.h"

#include <mutex>
#include <vector>

namespace nox {
namespace audio {

//! The loaders in registration order, each referenced. Registering replaces the list by a new
//! one under a small lock, and an opening works on the list it took at its start, so a loader
//! may be registered while other threads open files.
class StreamLoaderList {
public:
    StreamLoaderList();
    //! Releases every loader.
    ~StreamLoaderList();
    StreamLoaderList(const StreamLoaderList&) = delete;
    StreamLoaderList& operator=(const StreamLoaderList&) = delete;

    //! Appends `loader` (referenced); null is ignored.
    void add(IAudioStreamLoader* loader);
    //! Releases every loader.
    void clear();

    //! Offers `file` to the loaders, newest first: those whose extensions match the lower-cased
    //! name, then all of them, rewinding the file between attempts. Returns a new stream (the
    //! caller's) or null, logging why. Openings on several threads run at once.
    IAudioStream* open(IInputFile* file);

private:
    class Snapshot;

    //! The current list, with a reference for the caller.
    Snapshot* take();
    //! Replaces the list by a copy with `added` appended, or by an empty one for null.
    void publish(IAudioStreamLoader* added);

    std::mutex lock_;
    Snapshot* current_;
};

} // namespace audio
} // namespace nox

#endif
