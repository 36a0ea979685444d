#include "ThreadedAudioOutput.h"

namespace nox {
namespace audio {

void ThreadedAudioOutput::start(WaveOutQueue* queue) {
    queue_ = queue;
    thread_ = std::thread([this] { play(*queue_); });
}

void ThreadedAudioOutput::stop() {
    if (thread_.joinable()) {
        queue_->shut();
        thread_.join();
    }
    close();
}

} // namespace audio
} // namespace nox
