// A readable file: on disk, in memory, inside an archive, or supplied by the application.
#ifndef DRAVON_I_INPUT_FILE_H
#define DRAVON_I_INPUT_FILE_H

#include "RefCounted.h"
#include "Types.h"

namespace nox {
namespace audio {

//! A file that the library reads sound data from. Applications implement it to hand their own
//! data to the engine through an IFileProvider; decoders read only through it. One thread at
//! a time may use a file.
class IInputFile : public virtual RefCounted {
public:
    //! Copies up to `sizeToRead` bytes from the current position into `buffer` and advances the
    //! position. Returns the number of bytes copied: 0 at the end of the file or on failure.
    virtual s32 read(void* buffer, u32 sizeToRead) = 0;

    //! Moves to `finalPos` counted from the start, or from the current position when
    //! `relativeMovement` is true. Returns true on success.
    virtual bool seek(s32 finalPos, bool relativeMovement) = 0;

    //! The size of the file in bytes.
    virtual s32 getSize() = 0;

    //! The current position in bytes from the start.
    virtual s32 getPos() = 0;

    //! The name the file was opened under; the file owns the text.
    virtual const char* getFileName() = 0;
};

} // namespace audio
} // namespace nox

#endif
