// Capture of everything a device would play into a RIFF WAVE file, in real time.
#ifndef DRAVON_PLATFORM_WAV_FILE_AUDIO_OUTPUT_H
#define DRAVON_PLATFORM_WAV_FILE_AUDIO_OUTPUT_H

#include "ThreadedAudioOutput.h"
#include "core/String.h"

#include <cstdio>

namespace nox {
namespace audio {

//! Plays into a WAVE file at the pace of a sound device: from the first buffer written, a clock
//! runs at the sample rate and every 10 ms the next 10 ms of queued bytes are written, or
//! silence where the owner did not queue enough, exactly as a device would have played a gap.
//! A buffer is done when the clock has passed its end. A reset stops the clock until the next
//! write. The header's sizes are written when the output stops, so the file is complete once
//! the device is closed.
class WavFileAudioOutput : public ThreadedAudioOutput {
public:
    explicit WavFileAudioOutput(const char* path) : path_(path) {}
    //! MMSYSERR_NODRIVER when the file cannot be created.
    MMRESULT open(const WAVEFORMATEX& format) override;

protected:
    void play(WaveOutQueue& queue) override;
    void close() override;

private:
    //! Plays from the first queued bytes until a reset (true) or shut (false).
    bool playUntilReset(WaveOutQueue& queue, u8* tick, s32 tickBytes);
    void writeHeader();
    void writeData(const u8* bytes, s32 count);

    CharString path_;
    std::FILE* file_ = nullptr;
    WAVEFORMATEX format_ = {};
    u32 dataBytes_ = 0;
};

} // namespace audio
} // namespace nox

#endif
