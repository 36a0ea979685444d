// Ogg Vorbis files, decoded by vorbisfile.
#ifndef DRAVON_DECODERS_OGG_VORBIS_AUDIO_STREAM_H
#define DRAVON_DECODERS_OGG_VORBIS_AUDIO_STREAM_H

#include "StreamLoader.h"
#include "dravon/IAudioStream.h"
#include "dravon/IInputFile.h"

// vorbisfile's header otherwise defines static callback tables over stdio that nothing here uses.
#define OV_EXCLUDE_STATIC_CALLBACKS
#include <vorbis/vorbisfile.h>

namespace nox {
namespace audio {

//! Lets vorbisfile read an IInputFile and delivers signed 16-bit little-endian frames. Seeks to
//! any frame. A chained file is delivered up to the first change of rate or channel count.
class OggVorbisAudioStream : public IAudioStream {
public:
    //! Opens the decoder on the file from its current position (its start). The stream keeps
    //! the file only when vorbisfile accepts it and libvorbis can take its codebooks safely
    //! (see VorbisChecks.h); nothing is logged otherwise.
    explicit OggVorbisAudioStream(IInputFile* file);
    ~OggVorbisAudioStream() override;

    AudioStreamFormat getFormat() override { return format_; }
    //! False when the file cannot seek or vorbisfile cannot reach `frame`.
    bool setPosition(s32 frame) override;
    s32 readFrames(void* target, s32 frameCount) override;

    //! True when vorbisfile accepted the file.
    bool isOpen() const { return file_ != nullptr; }

private:
    bool hasFormatOf(const vorbis_info* info) const;
    void dropFile();

    OggVorbis_File decoder_;
    IInputFile* file_;
    AudioStreamFormat format_;
};

//! Loader of OggVorbisAudioStreams, first asked for names containing ".ogg".
class OggVorbisStreamLoader : public StreamLoader<OggVorbisAudioStream> {
public:
    explicit OggVorbisStreamLoader(IFileManager* fileManager)
        : StreamLoader<OggVorbisAudioStream>(fileManager, {".ogg"}) {}
};

} // namespace audio
} // namespace nox

#endif
