// An output that plays from a thread of its own, like a sound device.
#ifndef DRAVON_PLATFORM_AUDIO_THREADED_AUDIO_OUTPUT_H
#define DRAVON_PLATFORM_AUDIO_THREADED_AUDIO_OUTPUT_H

#include "AudioOutput.h"
#include "platform/system/Thread.h"

namespace nox {
namespace audio {

//! Runs play() on its own thread from start() until stop(), which shuts the feed, waits for
//! the thread and then calls close().
class ThreadedAudioOutput : public AudioOutput, private IThreadRunnable {
public:
    //! False when the thread cannot be created.
    bool start(AudioFeed* feed) override;
    void stop() override;

protected:
    //! The thread's body: plays from `feed` until a wait on it returns false.
    virtual void play(AudioFeed& feed) = 0;
    //! Releases what open() acquired; the thread has ended.
    virtual void close() = 0;

private:
    void run(ThreadStartBlock* block) override;

    AudioFeed* feed_ = nullptr;
    JoinableThread thread_;
};

} // namespace audio
} // namespace nox

#endif
