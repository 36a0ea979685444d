// A file read from the disk through a buffered standard I/O stream.
#ifndef DRAVON_IO_DISK_INPUT_FILE_H
#define DRAVON_IO_DISK_INPUT_FILE_H

#include "core/String.h"
#include "dravon/IInputFile.h"

#include <cstdio>

namespace nox {
namespace audio {

//! A disk file opened with mode "rb". Its size is measured once, at opening.
class DiskInputFile : public IInputFile {
public:
    //! Opens `fileName` as given (never made absolute); an empty name opens nothing.
    explicit DiskInputFile(const char* fileName);
    ~DiskInputFile() override;

    s32 read(void* buffer, u32 sizeToRead) override;
    bool seek(s32 finalPos, bool relativeMovement) override;
    s32 getSize() override { return fileSize_; }
    s32 getPos() override;
    const char* getFileName() override { return fileName_.c_str(); }

    bool isOpen() const { return stream_ != nullptr; }

private:
    CharString fileName_;
    std::FILE* stream_ = nullptr;
    s32 fileSize_ = 0;
};

//! Opens a disk file; null when it does not open.
IInputFile* createDiskInputFile(const char* fileName);

} // namespace audio
} // namespace nox

#endif
