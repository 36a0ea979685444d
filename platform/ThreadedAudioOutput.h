// An output that plays from a thread of its own, like a sound device.
#ifndef DRAVON_PLATFORM_THREADED_AUDIO_OUTPUT_H
#define DRAVON_PLATFORM_THREADED_AUDIO_OUTPUT_H

#include "AudioOutput.h"
#include "WaveOutQueue.h"

#include <thread>

namespace nox {
namespace audio {

//! Runs play() on its own thread from start() until stop(), which shuts the queue, waits for
//! the thread and then calls close().
class ThreadedAudioOutput : public AudioOutput {
public:
    void start(WaveOutQueue* queue) override;
    void stop() override;

protected:
    //! The thread's body: plays from `queue` until a wait on it returns false.
    virtual void play(WaveOutQueue& queue) = 0;
    //! Releases what open() acquired; the thread has ended.
    virtual void close() = 0;

private:
    WaveOutQueue* queue_ = nullptr;
    std::thread thread_;
};

} // namespace audio
} // namespace nox

#endif
