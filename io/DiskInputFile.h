// A file read from the disk.
#ifndef DRAVON_IO_DISK_INPUT_FILE_H
#define DRAVON_IO_DISK_INPUT_FILE_H

#include "core/String.h"
#include "dravon/IInputFile.h"
#include "platform/system/SharedFile.h"

namespace nox {
namespace audio {

//! A disk file opened for reading. All files open on the same disk file share one system handle
//! and each keeps its own position, so hundreds of streams of one sound hold one descriptor.
//! Its size is measured once, at opening; seeking past the end is allowed. Small reads are
//! served from a read-ahead block, as a buffered stream would: decoders read byte by byte.
class DiskInputFile : public IInputFile {
public:
    //! Opens `fileName` as given (never made absolute); an empty name opens nothing.
    explicit DiskInputFile(const char* fileName);
    ~DiskInputFile() override;

    s32 read(void* buffer, u32 sizeToRead) override;
    bool seek(s32 finalPos, bool relativeMovement) override;
    s32 getSize() override { return fileSize_; }
    s32 getPos() override { return position_; }
    const char* getFileName() override { return fileName_.c_str(); }

    bool isOpen() const { return file_ != nullptr; }

    //! Bytes read ahead at a time; reads of this size or more go to the file directly.
    static constexpr u32 readAheadSize = 4096;

private:
    //! Copies what the read-ahead block holds of `size` bytes at `at`; returns how many.
    u32 copyReadAhead(u8* target, u32 size, s64 at) const;

    CharString fileName_;
    SharedFile* file_ = nullptr;
    s32 fileSize_ = 0;
    s32 position_ = 0;
    u8 readAhead_[readAheadSize];
    s64 readAheadStart_ = 0;
    u32 readAheadLength_ = 0;
};

//! Opens a disk file; null when it does not open.
IInputFile* createDiskInputFile(const char* fileName);

} // namespace audio
} // namespace nox

#endif
