// RIFF WAVE files holding uncompressed PCM.
#ifndef DRAVON_DECODERS_WAV_AUDIO_STREAM_H
#define DRAVON_DECODERS_WAV_AUDIO_STREAM_H

#include "StreamLoader.h"
#include "dravon/IAudioStream.h"
#include "dravon/IInputFile.h"

namespace nox {
namespace audio {

//! Finds the "fmt " and "data" chunks of a WAVE file and copies 8-bit or 16-bit PCM frames
//! straight from the file. Any other encoding is refused with a line naming it.
class WavAudioStream : public IAudioStream {
public:
    //! Parses the header from the file's current position (its start). The stream keeps the file
    //! only when it is a usable PCM WAVE file.
    explicit WavAudioStream(IInputFile* file);
    ~WavAudioStream() override;

    AudioStreamFormat getFormat() override { return format_; }
    //! Rewinds to the first frame, whatever frame is asked for.
    bool setPosition(s32 frame) override;
    s32 readFrames(void* target, s32 frameCount) override;

    //! True when the header was accepted.
    bool isOpen() const { return file_ != nullptr; }

private:
    bool readHeader();
    bool findFormatChunk(u32& chunkSize);
    bool readFormat(u32 chunkSize);
    bool findDataChunk();
    void dropFile();

    IInputFile* file_;
    AudioStreamFormat format_;
    s32 dataStart_ = 0;
};

//! Loader of WavAudioStreams, first asked for names containing ".wav".
class WavStreamLoader : public StreamLoader<WavAudioStream> {
public:
    explicit WavStreamLoader(IFileManager* fileManager)
        : StreamLoader<WavAudioStream>(fileManager, {".wav"}) {}
};

//! The name of a WAVE format tag as the refusal line writes it, or null for an unnamed tag.
const char* getWaveFormatTagName(u32 tag);

} // namespace audio
} // namespace nox

#endif
