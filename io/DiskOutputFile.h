// A file written to the disk.
#ifndef DRAVON_IO_DISK_OUTPUT_FILE_H
#define DRAVON_IO_DISK_OUTPUT_FILE_H

#include "core/IOutputFile.h"
#include "core/String.h"

#include <cstdio>

namespace nox {
namespace audio {

//! A disk file opened with mode "wb", or "ab" when appending.
class DiskOutputFile : public IOutputFile {
public:
    DiskOutputFile(const char* fileName, bool append);
    ~DiskOutputFile() override;

    s32 write(const void* buffer, u32 sizeToWrite) override;
    bool seek(s32 finalPos, bool relativeMovement) override;
    s32 getPos() override;
    const char* getFileName() override { return fileName_.c_str(); }

    bool isOpen() const { return stream_ != nullptr; }

private:
    CharString fileName_;
    std::FILE* stream_ = nullptr;
};

//! Opens a disk file for writing; null when it does not open.
IOutputFile* createDiskOutputFile(const char* fileName, bool append);

} // namespace audio
} // namespace nox

#endif
