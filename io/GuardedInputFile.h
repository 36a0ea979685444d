// One input file read by several owners at once, each at offsets of its own.
#ifndef DRAVON_IO_GUARDED_INPUT_FILE_H
#define DRAVON_IO_GUARDED_INPUT_FILE_H

#include "dravon/IInputFile.h"
#include "platform/system/Mutex.h"

namespace nox {
namespace audio {

//! Reads a file at given offsets for several owners (the entries of one archive), from any
//! threads. A lock keeps each seek together with its read. Owners share it through a
//! std::shared_ptr, whose count is atomic where the file's own count is not: the file is
//! referenced once, here, and released with the last owner.
class GuardedInputFile {
public:
    //! References `file`, which from then on is read only through this object.
    explicit GuardedInputFile(IInputFile* file);
    ~GuardedInputFile();
    GuardedInputFile(const GuardedInputFile&) = delete;
    GuardedInputFile& operator=(const GuardedInputFile&) = delete;

    //! Reads up to `size` bytes at `offset`; 0 when the file cannot move there or fails.
    s32 readAt(void* buffer, u32 size, s64 offset);

private:
    IInputFile* file_;
    Mutex* lock_;
};

} // namespace audio
} // namespace nox

#endif
