// MP3 files decoded by libmpg123: the stream and the loader that the MP3 plug-in registers.
#ifndef DRAVON_PLUGINS_MP3_AUDIO_STREAM_H
#define DRAVON_PLUGINS_MP3_AUDIO_STREAM_H

#include "dravon/IAudioStream.h"
#include "dravon/IAudioStreamLoader.h"
#include "dravon/IInputFile.h"

#include <mpg123.h>

namespace dravon_mp3 {

using nox::audio::AudioStreamFormat;
using nox::audio::IInputFile;
using nox::audio::s32;

//! Lets libmpg123 read an IInputFile and delivers signed 16-bit frames at the file's own rate.
//! The length is measured by scanning the whole file once, so it is exact for files with
//! encoder delay and padding information. Any frame can be reached.
class Mp3AudioStream : public nox::audio::IAudioStream {
public:
    //! Opens the decoder on the file from its start. The stream keeps the file only when the file
    //! starts like an MP3 file (an ID3v2 tag or a frame header) and a frame decodes.
    explicit Mp3AudioStream(IInputFile* file);
    ~Mp3AudioStream() override;

    AudioStreamFormat getFormat() override { return format_; }
    bool setPosition(s32 frame) override;
    //! Delivers frames up to the end of the file, or up to a change of rate or channel count.
    s32 readFrames(void* target, s32 frameCount) override;

    bool isOpen() const { return decoder_ != nullptr; }

private:
    bool open();
    void close();

    IInputFile* file_;
    mpg123_handle* decoder_ = nullptr;
    AudioStreamFormat format_;
};

//! Creates Mp3AudioStreams; asked first for names containing ".mp3", and for every file when no
//! loader wanted its name.
class Mp3StreamLoader : public nox::audio::IAudioStreamLoader {
public:
    bool isALoadableFileExtension(const char* fileName) override;
    nox::audio::IAudioStream* createAudioStream(IInputFile* file) override;
};

} // namespace dravon_mp3

#endif
