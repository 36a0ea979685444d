// Capture of everything a device would play into a RIFF WAVE file, in real time.
#ifndef DRAVON_PLATFORM_AUDIO_WAV_FILE_AUDIO_OUTPUT_H
#define DRAVON_PLATFORM_AUDIO_WAV_FILE_AUDIO_OUTPUT_H

#include "ThreadedAudioOutput.h"
#include "core/String.h"

#include <cstdio>

namespace nox {
namespace audio {

//! Plays into a WAVE file at the pace of a sound device: from the first bytes fed, a clock runs
//! at the sample rate and every 10 ms the next 10 ms of fed bytes are written, or silence where
//! the client did not feed enough, exactly as a device would have played a gap. Bytes are taken
//! from the feed when the clock has passed them. A restart of the feed stops the clock until
//! bytes come again. The header's sizes are written when the output stops, so the file is
//! complete once the device is closed.
class WavFileAudioOutput : public ThreadedAudioOutput {
public:
    explicit WavFileAudioOutput(const char* path) : path_(path) {}
    //! AUDIO_OUTPUT_NOT_FOUND when the file cannot be created.
    E_AUDIO_OUTPUT_RESULT open(const AudioOutputFormat& format) override;

protected:
    void play(AudioFeed& feed) override;
    void close() override;

private:
    //! Plays from the first fed bytes until a restart (true) or shut (false).
    bool playUntilRestart(AudioFeed& feed, u8* tick, s32 tickBytes);
    void writeHeader();
    void writeData(const u8* bytes, s32 count);

    CharString path_;
    std::FILE* file_ = nullptr;
    AudioOutputFormat format_;
    u32 dataBytes_ = 0;
};

} // namespace audio
} // namespace nox

#endif
