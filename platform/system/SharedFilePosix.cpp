#include "SharedFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace nox {
namespace audio {

namespace {
const u32 largestRead = 0x7FFFFFFF;
} // namespace

bool SharedFile::openHandle(const char* fileName, Handle& handle, FileIdentity& identity) {
    int descriptor = ::open(fileName, O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    struct stat info;
    if (fstat(descriptor, &info) != 0) {
        ::close(descriptor);
        return false;
    }
    identity.volume = static_cast<u64>(info.st_dev);
    identity.index = static_cast<u64>(info.st_ino);
    handle = descriptor;
    return true;
}

void SharedFile::closeHandle(Handle handle) {
    ::close(static_cast<int>(handle));
}

s32 SharedFile::readAt(void* buffer, u32 size, s64 offset) const {
    if (offset < 0)
        return 0;
    if (size > largestRead)
        size = largestRead;
    u8* bytes = static_cast<u8*>(buffer);
    u32 done = 0;
    // pread may stop short (a signal, a network file system); read on until the end.
    while (done < size) {
        ssize_t got = pread(static_cast<int>(handle_), bytes + done, size - done,
                            static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        done += static_cast<u32>(got);
    }
    return static_cast<s32>(done);
}

s64 SharedFile::getSize() const {
    struct stat info;
    if (fstat(static_cast<int>(handle_), &info) != 0)
        return -1;
    return static_cast<s64>(info.st_size);
}

} // namespace audio
} // namespace nox
