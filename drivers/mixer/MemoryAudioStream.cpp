#include "MemoryAudioStream.h"

#include <cstring>

namespace nox {
namespace audio {

MemoryAudioStream::MemoryAudioStream(SampleBuffer* samples) : samples_(samples) {
    samples_->incRef();
}

MemoryAudioStream::~MemoryAudioStream() {
    samples_->decRef();
}

s64 MemoryAudioStream::getTotalBytes() const {
    const AudioStreamFormat& format = samples_->format;
    return samples_->data && format.frameCount > 0
               ? static_cast<s64>(format.frameCount) * format.getBytesPerFrame()
               : 0;
}

bool MemoryAudioStream::setPosition(s32 frame) {
    s64 offset = static_cast<s64>(frame) * samples_->format.getBytesPerFrame();
    if (frame < 0 || offset > getTotalBytes())
        return false;
    readOffset_ = offset;
    return true;
}

s32 MemoryAudioStream::readFrames(void* target, s32 frameCount) {
    const s64 bytesPerFrame = samples_->format.getBytesPerFrame();
    if (frameCount <= 0 || bytesPerFrame <= 0)
        return 0;
    s64 count = frameCount * bytesPerFrame;
    s64 rest = getTotalBytes() - readOffset_;
    if (count > rest)
        count = rest;
    if (count <= 0)
        return 0;
    std::memcpy(target, samples_->data + readOffset_, static_cast<size_t>(count));
    readOffset_ += count;
    return static_cast<s32>(count / bytesPerFrame);
}

} // namespace audio
} // namespace nox
