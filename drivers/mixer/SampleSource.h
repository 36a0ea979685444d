// What a software-mixed sound reads: 16-bit stereo frames at the mixing rate.
#ifndef DRAVON_DRIVERS_MIXER_SAMPLE_SOURCE_H
#define DRAVON_DRIVERS_MIXER_SAMPLE_SOURCE_H

#include "dravon/IAudioStream.h"
#include "dravon/RefCounted.h"

namespace nox {
namespace audio {

//! Delivers the frames of a stream as interleaved signed 16-bit stereo at the mixing rate: the
//! base of the direct and the resampling paths, holding what both need (the formats, the rate
//! and a reference to the stream). Used under the engine's lock only.
class SampleSource : public RefCounted {
public:
    SampleSource(u32 mixingRate, IAudioStream* stream);
    ~SampleSource() override;

    //! Writes up to `frameCount` stereo frames; fewer only at the end of the stream.
    virtual s32 read(s16* buffer, s32 frameCount) = 0;
    //! Moves the stream to frame `position`; 0 restarts the sound. False when refused.
    virtual bool setPosition(s32 position) = 0;

    //! What read() delivers: 2 channels, ESF_S16, the mixing rate, the stream's frame count.
    const AudioStreamFormat& getOutputFormat() const { return outputFormat_; }

protected:
    AudioStreamFormat outputFormat_;
    AudioStreamFormat streamFormat_;
    u32 mixingRate_;
    IAudioStream* stream_;
};

//! True when the mixer can play streams of `format`: mono or stereo, 8-bit or 16-bit, 1 to
//! 768000 frames per second.
bool isMixableFormat(const AudioStreamFormat& format);

//! A new source over `stream` (not null), the caller's reference: a DirectSampleSource when the
//! stream is already 16-bit stereo at `mixingRate`, a ResamplingSampleSource otherwise. Null,
//! with a line, for a format the mixer cannot play, or when out of memory.
SampleSource* createSampleSource(u32 mixingRate, IAudioStream* stream);

} // namespace audio
} // namespace nox

#endif
