#include "SampleSource.h"

#include "DirectSampleSource.h"
#include "ResamplingSampleSource.h"
#include "platform/system/Logger.h"

#include <new>

namespace nox {
namespace audio {

SampleSource::SampleSource(u32 mixingRate, IAudioStream* stream)
    : streamFormat_(stream->getFormat()), mixingRate_(mixingRate), stream_(stream) {
    stream_->incRef();
    outputFormat_ = streamFormat_;
    outputFormat_.channelCount = 2;
    outputFormat_.sampleFormat = ESF_S16;
    outputFormat_.sampleRate = static_cast<s32>(mixingRate);
}

SampleSource::~SampleSource() {
    stream_->decRef();
}

namespace {
// Far above any real rate, and low enough for the resampler's fixed-point step.
const s32 maxMixableRate = 768000;
} // namespace

bool isMixableFormat(const AudioStreamFormat& format) {
    return (format.channelCount == 1 || format.channelCount == 2) &&
           (format.sampleFormat == ESF_U8 || format.sampleFormat == ESF_S16) &&
           format.sampleRate > 0 && format.sampleRate <= maxMixableRate;
}

SampleSource* createSampleSource(u32 mixingRate, IAudioStream* stream) {
    AudioStreamFormat format = stream->getFormat();
    if (!isMixableFormat(format)) {
        logText("The software mixer plays only mono and stereo 8-bit or 16-bit sounds of up to "
                "768000 Hz.",
                LOG_LEVEL_INFO);
        return nullptr;
    }
    if (static_cast<u32>(format.sampleRate) != mixingRate || format.channelCount != 2 ||
        format.sampleFormat != ESF_S16)
        return new (std::nothrow) ResamplingSampleSource(mixingRate, stream);
    return new (std::nothrow) DirectSampleSource(mixingRate, stream);
}

} // namespace audio
} // namespace nox
