// The buffers written to a wave-out device and not yet played, in the order written.
#ifndef DRAVON_PLATFORM_WAVE_OUT_QUEUE_H
#define DRAVON_PLATFORM_WAVE_OUT_QUEUE_H

#include "WaveOut.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace nox {
namespace audio {

//! Queue of WAVEHDRs linked through `lpNext`. The device's owner pushes and resets on its
//! thread; the output copies bytes out with peek() and hands them back with take() once they
//! are played, on its own thread or on a test's manual clock. All members lock.
class WaveOutQueue {
public:
    //! Bytes copied by peek(), and the reset count they belong to.
    struct Chunk {
        s32 bytes;
        u32 epoch;
    };

    //! Appends `header` (flags: WHDR_INQUEUE set, WHDR_DONE cleared) and wakes the output.
    void push(WAVEHDR* header);
    //! Copies up to `maxBytes` of the queued bytes that follow those already taken.
    Chunk peek(u8* target, s32 maxBytes);
    //! Marks the bytes of `chunk` played: every buffer played to its end is marked WHDR_DONE
    //! and leaves the queue. A chunk peeked before the last reset() is ignored.
    void take(const Chunk& chunk);
    //! Marks every queued buffer done and empties the queue.
    void reset();
    bool isEmpty();
    //! How many times reset() was called.
    u32 getEpoch();

    //! Blocks until bytes are queued (true) or shut() was called (false).
    bool waitForBytes();
    //! Blocks until `deadline` (true) or shut() (false).
    bool sleepUntil(std::chrono::steady_clock::time_point deadline);
    //! Wakes and ends every wait, for good.
    void shut();

private:
    static void markDone(WAVEHDR* header);
    void popHead();

    std::mutex mutex_;
    std::condition_variable wake_;
    WAVEHDR* head_ = nullptr;
    WAVEHDR* tail_ = nullptr;
    //! Bytes of the head buffer already played.
    u32 headOffset_ = 0;
    u32 epoch_ = 0;
    bool shut_ = false;
};

} // namespace audio
} // namespace nox

#endif
