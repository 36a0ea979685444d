// A writable file.
#ifndef DRAVON_CORE_I_OUTPUT_FILE_H
#define DRAVON_CORE_I_OUTPUT_FILE_H

#include "dravon/RefCounted.h"
#include "dravon/Types.h"

namespace nox {
namespace audio {

//! A file that bytes are written to; one thread at a time.
class IOutputFile : public virtual RefCounted {
public:
    //! Writes `sizeToWrite` bytes from `buffer`; returns the number written.
    virtual s32 write(const void* buffer, u32 sizeToWrite) = 0;
    //! Moves to `finalPos` from the start, or from the current position when relative.
    virtual bool seek(s32 finalPos, bool relativeMovement) = 0;
    //! The current position in bytes.
    virtual s32 getPos() = 0;
    //! The name the file was opened under; the file owns the text.
    virtual const char* getFileName() = 0;
};

} // namespace audio
} // namespace nox

#endif
