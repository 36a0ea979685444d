#include "StreamLoaderList.h"

#include "core/String.h"
#include "platform/system/Logger.h"

namespace nox {
namespace audio {

//! One version of the list; never changed once published.
class StreamLoaderList::Snapshot : public RefCounted {
public:
    Snapshot() = default;
    Snapshot(const Snapshot& older, IAudioStreamLoader* added) : loaders(older.loaders) {
        loaders.push_back(added);
        for (IAudioStreamLoader* loader : loaders)
            loader->incRef();
    }
    ~Snapshot() override {
        for (IAudioStreamLoader* loader : loaders)
            loader->decRef();
    }

    std::vector<IAudioStreamLoader*> loaders;
};

namespace {

// The first stream a loader makes of `file`, newest loader first; with `byExtension` only the
// loaders that claim the name are asked.
IAudioStream* askLoaders(const std::vector<IAudioStreamLoader*>& loaders, IInputFile* file,
                         const char* lowerCaseName, bool byExtension, bool& needsRewind) {
    for (auto it = loaders.rbegin(); it != loaders.rend(); ++it) {
        IAudioStreamLoader* loader = *it;
        if (byExtension && !loader->isALoadableFileExtension(lowerCaseName))
            continue;
        if (needsRewind) {
            file->seek(0, false);
            needsRewind = false;
        }
        if (IAudioStream* stream = loader->createAudioStream(file))
            return stream;
        needsRewind = true;
    }
    return nullptr;
}

} // namespace

StreamLoaderList::StreamLoaderList() : current_(new Snapshot()) {}

StreamLoaderList::~StreamLoaderList() {
    current_->decRef();
}

StreamLoaderList::Snapshot* StreamLoaderList::take() {
    std::lock_guard<std::mutex> guard(lock_);
    current_->incRef();
    return current_;
}

void StreamLoaderList::publish(IAudioStreamLoader* added) {
    Snapshot* older;
    {
        // Registrations are rare: copying the list under the lock leaves the openings free.
        std::lock_guard<std::mutex> guard(lock_);
        older = current_;
        current_ = added ? new Snapshot(*older, added) : new Snapshot();
    }
    // Openings still working on the older list keep it alive.
    older->decRef();
}

void StreamLoaderList::add(IAudioStreamLoader* loader) {
    if (loader)
        publish(loader);
}

void StreamLoaderList::clear() {
    publish(nullptr);
}

IAudioStream* StreamLoaderList::open(IInputFile* file) {
    CharString name(file->getFileName());
    name.makeLower();
    Snapshot* list = take();
    // Openings run in parallel on the threads of the plays; the loaders make no shared state.
    bool needsRewind = false;
    IAudioStream* stream = askLoaders(list->loaders, file, name.c_str(), true, needsRewind);
    if (!stream)
        stream = askLoaders(list->loaders, file, name.c_str(), false, needsRewind);
    list->decRef();
    if (stream)
        return stream;
    if (name.find(".mp3") >= 0)
        logText("Could not open audio stream for sound file (maybe the Dravon mp3 plugin is "
                "missing?)",
                name.c_str(), LOG_LEVEL_INFO);
    else
        logText("Could not open audio stream for sound file", name.c_str(), LOG_LEVEL_INFO);
    return nullptr;
}

} // namespace audio
} // namespace nox
