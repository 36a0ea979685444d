// Where an audio output takes the bytes it plays from.
#ifndef DRAVON_PLATFORM_AUDIO_AUDIO_FEED_H
#define DRAVON_PLATFORM_AUDIO_AUDIO_FEED_H

#include "dravon/Types.h"

#include <chrono>

namespace nox {
namespace audio {

//! A queue of bytes in the output's format that the output's client fills (the buffers written
//! to a wave-out device, a mixer's output). The output copies bytes out with peek() and hands
//! them back with take() once they are played, on its own thread or on a test's manual clock;
//! it waits for bytes, and for its own clock, on the feed, which wakes it when bytes arrive or
//! when it is shut. The client may drop everything queued at any moment (a restart): bytes
//! peeked before it are then not taken. Every member may be called from any thread.
class AudioFeed {
public:
    //! Bytes copied by peek(), and the restart count they belong to.
    struct Chunk {
        s32 bytes;
        u32 epoch;
    };

    //! Copies up to `maxBytes` of the queued bytes that follow those already taken.
    virtual Chunk peek(u8* target, s32 maxBytes) = 0;
    //! Marks the bytes of `chunk` played. A chunk peeked before the last restart is ignored.
    virtual void take(const Chunk& chunk) = 0;
    //! How many times the client has restarted the feed.
    virtual u32 getEpoch() = 0;

    //! Blocks until bytes are queued (true) or shut() was called (false).
    virtual bool waitForBytes() = 0;
    //! Blocks until `deadline` (true) or shut() (false).
    virtual bool sleepUntil(std::chrono::steady_clock::time_point deadline) = 0;
    //! Wakes and ends every wait, for good.
    virtual void shut() = 0;

protected:
    ~AudioFeed() = default;
};

} // namespace audio
} // namespace nox

#endif
