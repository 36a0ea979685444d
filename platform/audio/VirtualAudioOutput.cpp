#include "VirtualAudioOutput.h"

#include <atomic>

namespace nox {
namespace audio {

namespace {
std::atomic<VirtualAudioOutput*> installedOutput{nullptr};
} // namespace

void installVirtualAudioOutput(VirtualAudioOutput* output) {
    installedOutput = output;
}

VirtualAudioOutput* getInstalledVirtualAudioOutput() {
    return installedOutput;
}

E_AUDIO_OUTPUT_RESULT VirtualAudioOutput::open(const AudioOutputFormat& format) {
    ++openCount_;
    frameBytes_ = static_cast<s32>(format.getBytesPerFrame());
    return openResult_;
}

s32 VirtualAudioOutput::advance(s32 frames) {
    if (!feed_ || frames <= 0)
        return 0;
    u8 bytes[4096];
    s32 rest = frames * frameBytes_;
    s32 playedBytes = 0;
    while (rest > 0) {
        AudioFeed::Chunk chunk = feed_->peek(bytes, rest < 4096 ? rest : 4096);
        if (chunk.bytes == 0)
            break;
        played_.insert(played_.end(), bytes, bytes + chunk.bytes);
        feed_->take(chunk);
        rest -= chunk.bytes;
        playedBytes += chunk.bytes;
    }
    return playedBytes / frameBytes_;
}

} // namespace audio
} // namespace nox
