#include "SharedFile.h"

#include <map>
#include <mutex>

namespace nox {
namespace audio {

namespace {

//! The files open in the process, by identity.
struct OpenFiles {
    std::mutex lock;
    std::map<FileIdentity, SharedFile*> byIdentity;
};

OpenFiles& openFiles() {
    // Never destroyed: files may still be released while the process exits.
    static OpenFiles* files = new OpenFiles();
    return *files;
}

} // namespace

SharedFile* SharedFile::acquire(const char* fileName) {
    // The identity is known only once the file is open, so a reader that joins a shared handle
    // holds a second one for a moment.
    Handle handle;
    FileIdentity identity;
    if (!fileName || !openHandle(fileName, handle, identity))
        return nullptr;
    OpenFiles& files = openFiles();
    SharedFile* shared;
    {
        std::lock_guard<std::mutex> guard(files.lock);
        SharedFile*& slot = files.byIdentity[identity];
        if (!slot) {
            slot = new SharedFile(handle, identity);
            return slot;
        }
        ++slot->readerCount_;
        shared = slot;
    }
    closeHandle(handle);
    return shared;
}

void SharedFile::release() {
    OpenFiles& files = openFiles();
    {
        std::lock_guard<std::mutex> guard(files.lock);
        if (--readerCount_ > 0)
            return;
        files.byIdentity.erase(identity_);
    }
    closeHandle(handle_);
    delete this;
}

} // namespace audio
} // namespace nox
