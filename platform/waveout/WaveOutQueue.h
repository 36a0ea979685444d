// The buffers written to a wave-out device and not yet played, in the order written.
#ifndef DRAVON_PLATFORM_WAVEOUT_WAVE_OUT_QUEUE_H
#define DRAVON_PLATFORM_WAVEOUT_WAVE_OUT_QUEUE_H

#include "WaveOut.h"
#include "platform/audio/AudioFeed.h"

#include <condition_variable>
#include <mutex>

namespace nox {
namespace audio {

//! Queue of WAVEHDRs linked through `lpNext`, the feed of the device's output. The device's
//! owner pushes and resets on its thread; a buffer is marked WHDR_DONE and leaves the queue once
//! the output has taken its last byte. A reset is the feed's restart. All members lock.
class WaveOutQueue : public AudioFeed {
public:
    //! Appends `header` (flags: WHDR_INQUEUE set, WHDR_DONE cleared) and wakes the output.
    void push(WAVEHDR* header);
    //! Marks every queued buffer done and empties the queue.
    void reset();
    bool isEmpty();

    Chunk peek(u8* target, s32 maxBytes) override;
    //! Every buffer played to its end is marked WHDR_DONE and leaves the queue.
    void take(const Chunk& chunk) override;
    //! How many times reset() was called.
    u32 getEpoch() override;
    bool waitForBytes() override;
    bool sleepUntil(std::chrono::steady_clock::time_point deadline) override;
    void shut() override;

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
