#include "ThreadedAudioOutput.h"

namespace nox {
namespace audio {

bool ThreadedAudioOutput::start(AudioFeed* feed) {
    feed_ = feed;
    return thread_.start(this);
}

void ThreadedAudioOutput::run(ThreadStartBlock*) {
    play(*feed_);
}

void ThreadedAudioOutput::stop() {
    if (feed_)
        feed_->shut();
    thread_.join();
    close();
}

} // namespace audio
} // namespace nox
