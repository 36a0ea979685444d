#include "ResamplingSampleSource.h"

namespace nox {
namespace audio {

namespace {

const s32 blockFrames = RateConverter::blockFrames;
// A block of at most two 16-bit channels.
const s32 readBufferBytes = blockFrames * 4;

s32 widenU8(u8 byte) {
    return static_cast<s16>((byte - 128) * 256);
}

} // namespace

ResamplingSampleSource::ResamplingSampleSource(u32 mixingRate, IAudioStream* stream)
    : SampleSource(mixingRate, stream), converter_(streamFormat_.channelCount == 2) {
    converter_.start(refill());
}

s32 ResamplingSampleSource::refill() {
    u8 bytes[readBufferBytes];
    s32 frames = stream_->readFrames(bytes, blockFrames);
    const s32 length = frames < 0 ? 0 : (frames > blockFrames ? blockFrames : frames);
    const s32 channels = streamFormat_.channelCount;
    s32* left = converter_.getBlock(0);
    s32* right = converter_.getBlock(1);
    if (streamFormat_.sampleFormat == ESF_S16) {
        const s16* samples = reinterpret_cast<const s16*>(bytes);
        for (s32 i = 0; i < length; ++i)
            left[i] = samples[channels * i];
        if (isStereo())
            for (s32 i = 0; i < length; ++i)
                right[i] = samples[2 * i + 1];
        return length;
    }
    for (s32 i = 0; i < length; ++i)
        left[i] = widenU8(bytes[channels * i]);
    if (isStereo())
        for (s32 i = 0; i < length; ++i)
            right[i] = widenU8(bytes[2 * i + 1]);
    return length;
}

s32 ResamplingSampleSource::read(s16* buffer, s32 frameCount) {
    const f32 step = static_cast<f32>(streamFormat_.sampleRate) / static_cast<f32>(mixingRate_);
    s32 remaining = frameCount;
    while (remaining > 0) {
        s32 chunk = remaining < blockFrames ? remaining : blockFrames;
        s32 n = converter_.convert(buffer, chunk, step);
        if (n == 0) {
            s32 length = refill();
            if (length == 0)
                break;
            converter_.proceed(length);
            continue;
        }
        remaining -= n;
        buffer += 2 * n;
    }
    return frameCount - remaining;
}

bool ResamplingSampleSource::setPosition(s32 position) {
    if (!stream_->setPosition(position))
        return false;
    converter_.start(refill());
    return true;
}

} // namespace audio
} // namespace nox
