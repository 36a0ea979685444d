#include "ResamplingSampleSource.h"

#include "MixKernels.h"
#include "decoders/DumbLibrary.h"

#include <cstring>

namespace nox {
namespace audio {

namespace {

const s32 readBufferBytes = ResamplingSampleSource::blockFrames * 4;

s32 widenU8(u8 byte) {
    return static_cast<s16>((byte - 128) * 256);
}

void rewind(DUMB_RESAMPLER& resampler, s32 length) {
    resampler.pos = 0;
    resampler.subpos = 0;
    resampler.start = 0;
    resampler.end = length;
    resampler.dir = 1;
    resampler.overshot = 0;
}

} // namespace

ResamplingSampleSource::ResamplingSampleSource(u32 mixingRate, IAudioStream* stream)
    : ISampleSource(mixingRate, stream) {
    prepareDumbResampler();
    refill();
    resetResamplers();
}

void ResamplingSampleSource::refill() {
    u8 bytes[readBufferBytes];
    s32 frames = stream_->readFrames(bytes, blockFrames);
    blockLength_ = frames < 0 ? 0 : (frames > blockFrames ? blockFrames : frames);
    const s32 channels = streamFormat_.channelCount;
    if (streamFormat_.sampleFormat == ESF_S16) {
        const s16* samples = reinterpret_cast<const s16*>(bytes);
        for (s32 i = 0; i < blockLength_; ++i)
            leftBlock_[i] = samples[channels * i];
        if (isStereo())
            for (s32 i = 0; i < blockLength_; ++i)
                rightBlock_[i] = samples[2 * i + 1];
        return;
    }
    for (s32 i = 0; i < blockLength_; ++i)
        leftBlock_[i] = widenU8(bytes[channels * i]);
    if (isStereo())
        for (s32 i = 0; i < blockLength_; ++i)
            rightBlock_[i] = widenU8(bytes[2 * i + 1]);
}

void ResamplingSampleSource::resetResamplers() {
    dumb_reset_resampler(&left_, leftBlock_, 1, 0, 0, blockLength_);
    dumb_reset_resampler(&right_, rightBlock_, 1, 0, 0, blockLength_);
}

void ResamplingSampleSource::rewindResamplers() {
    rewind(left_, blockLength_);
    rewind(right_, blockLength_);
}

s32 ResamplingSampleSource::read(s16* buffer, s32 frameCount) {
    const f32 step = static_cast<f32>(streamFormat_.sampleRate) / static_cast<f32>(mixingRate_);
    s32 left[blockFrames];
    s32 right[blockFrames];
    s32 remaining = frameCount;
    while (remaining > 0) {
        s32 chunk = remaining < blockFrames ? remaining : blockFrames;
        // The resampler adds into its output.
        std::memset(left, 0, sizeof(s32) * chunk);
        s32 n = static_cast<s32>(dumb_resample_1_1(&left_, left, chunk, 1.0f, step));
        if (n == 0) {
            refill();
            if (blockLength_ == 0)
                break;
            rewindResamplers();
            continue;
        }
        if (isStereo()) {
            // Asked for the whole chunk like the left one, so that it meets the block's end
            // (and keeps the same history) exactly as the left one did.
            std::memset(right, 0, sizeof(s32) * chunk);
            dumb_resample_1_1(&right_, right, chunk, 1.0f, step);
            interleaveStereo(buffer, left, right, n);
        } else {
            monoToStereo(buffer, left, n);
        }
        remaining -= n;
        buffer += 2 * n;
    }
    return frameCount - remaining;
}

bool ResamplingSampleSource::setPosition(s32 position) {
    if (!stream_->setPosition(position))
        return false;
    refill();
    resetResamplers();
    return true;
}

} // namespace audio
} // namespace nox
