// A file over a block of memory, which is not copied.
#ifndef DRAVON_IO_MEMORY_INPUT_FILE_H
#define DRAVON_IO_MEMORY_INPUT_FILE_H

#include "core/String.h"
#include "dravon/IInputFile.h"

namespace nox {
namespace audio {

//! Reads `length` bytes at `memory`. When `deleteMemoryWhenDropped` is true the file owns the
//! block and frees it with delete[]; otherwise the caller keeps it valid for the file's life.
class MemoryInputFile : public IInputFile {
public:
    MemoryInputFile(void* memory, s32 length, const char* fileName, bool deleteMemoryWhenDropped);
    ~MemoryInputFile() override;

    s32 read(void* buffer, u32 sizeToRead) override;
    bool seek(s32 finalPos, bool relativeMovement) override;
    s32 getSize() override { return length_; }
    s32 getPos() override { return position_; }
    const char* getFileName() override { return fileName_.c_str(); }

private:
    CharString fileName_;
    u8* memory_;
    s32 length_;
    s32 position_ = 0;
    bool deleteMemory_;
};

//! A new memory file; never fails.
IInputFile* createMemoryInputFile(void* memory, s32 length, const char* fileName,
                                  bool deleteMemoryWhenDropped);

} // namespace audio
} // namespace nox

#endif
