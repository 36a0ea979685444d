// A decoder turning one open file into PCM frames on demand.
#ifndef DRAVON_I_AUDIO_STREAM_H
#define DRAVON_I_AUDIO_STREAM_H

#include "AudioStreamFormat.h"
#include "RefCounted.h"
#include "Types.h"

namespace nox {
namespace audio {

//! Decodes one file into interleaved frames. A stream keeps the file it was made from until it
//! is destroyed. Streams are not safe for concurrent use.
class IAudioStream : public virtual RefCounted {
public:
    ~IAudioStream() override = default;

    //! The format of the frames; it never changes during the stream's life.
    virtual AudioStreamFormat getFormat() = 0;

    //! Moves the read position to `frame`, counted from the first frame. Returns true when the
    //! stream is there. Every stream supports frame 0, which restarts a looping sound.
    virtual bool setPosition(s32 frame) = 0;

    //! Decodes up to `frameCount` frames into `target`, which has room for `frameCount` times
    //! the bytes per frame. Returns the number of whole frames written: fewer than asked only at
    //! the end of the data, and 0 after the end.
    virtual s32 readFrames(void* target, s32 frameCount) = 0;
};

} // namespace audio
} // namespace nox

#endif
