// Disk files open for reading, with one system handle per file however many readers it has.
#ifndef DRAVON_PLATFORM_SYSTEM_SHARED_FILE_H
#define DRAVON_PLATFORM_SYSTEM_SHARED_FILE_H

#include "dravon/Types.h"

#include <cstdint>

namespace nox {
namespace audio {

//! Where a file lives: its volume (device) and its number there (inode, file index). Handles
//! with the same identity reach the same file, whatever names it was opened under; a file
//! replaced on disk under the same name has a new identity.
struct FileIdentity {
    u64 volume = 0;
    u64 index = 0;

    bool operator<(const FileIdentity& other) const {
        return volume != other.volume ? volume < other.volume : index < other.index;
    }
};

//! A disk file open for reading, shared by all of its readers: each acquire() of the same file
//! joins one system handle, which closes with the last release(). Reads name their offset and
//! move no position of the handle, so readers keep positions of their own and may read from
//! several threads at once. acquire() and release() may be called from any thread.
class SharedFile {
public:
    //! Opens `fileName` for reading, joining the handle already open on the same file if there
    //! is one. Null when the file does not open (the name is not a file, no handle is left...).
    static SharedFile* acquire(const char* fileName);

    //! Lets go of one acquire(); the last closes the handle.
    void release();

    //! Reads up to `size` bytes at `offset` into `buffer`. Returns the number of bytes read:
    //! fewer only at the end of the file, 0 there or on failure.
    s32 readAt(void* buffer, u32 size, s64 offset) const;

    //! The file's size in bytes now, or -1 when it cannot be measured.
    s64 getSize() const;

private:
    typedef std::intptr_t Handle;

    SharedFile(Handle handle, const FileIdentity& identity)
        : handle_(handle), identity_(identity) {}
    SharedFile(const SharedFile&) = delete;
    SharedFile& operator=(const SharedFile&) = delete;

    //! The system's side: opens a new handle and tells which file it reached.
    static bool openHandle(const char* fileName, Handle& handle, FileIdentity& identity);
    static void closeHandle(Handle handle);

    Handle handle_;
    FileIdentity identity_;
    //! Readers that acquired the file and have not released it; guarded by the table's lock.
    s32 readerCount_ = 1;
};

} // namespace audio
} // namespace nox

#endif
