// Sound sources: files reached by name, and blocks of the application's memory.
#ifndef DRAVON_ENGINE_FILE_SOUND_SOURCE_H
#define DRAVON_ENGINE_FILE_SOUND_SOURCE_H

#include "core/String.h"
#include "dravon/AudioStreamFormat.h"
#include "dravon/IAudioStream.h"
#include "dravon/IPlayingSound.h"
#include "dravon/ISoundSource.h"

namespace nox {
namespace audio {

class SampleBuffer;
class SoundEngine;

//! A source whose data is the file of its name, opened through the engine's file manager.
//! It remembers the format of its last opening and caches the samples of sounds decoded whole.
class FileSoundSource : public ISoundSource {
public:
    FileSoundSource(const char* name, int streaming, SoundEngine* engine);
    ~FileSoundSource() override;

    const char* getName() override { return name_.c_str(); }
    int getStreamMode() override { return streaming_; }
    int getPlayLength() override;
    void setDefaultMinDistance(float distance) override { defaultMinDistance_ = distance; }
    float getDefaultMinDistance() override;
    void setDefaultMaxDistance(float distance) override { defaultMaxDistance_ = distance; }
    float getDefaultMaxDistance() override;
    void forgetSampleData() override;
    void setForcedStreamingThreshold(int bytes) override { forcedStreamingThreshold_ = bytes; }
    int getForcedStreamingThreshold() override { return forcedStreamingThreshold_; }
    IInputFile* createInputFile(IFileManager* fileManager) override;

    //! Opens the data, decides between streaming and decoding whole, and asks the engine's
    //! driver for a paused sound. Called by the engine with its lock held. Null on failure.
    IPlayingSound* createSound(IFileManager* fileManager, bool playLooped, bool is3D);

    const CharString& getNameString() const { return name_; }
    //! The format read at the last opening; a channel count of 0 means none yet.
    const AudioStreamFormat& getFormat() const { return format_; }
    //! The cached samples (borrowed), or null.
    SampleBuffer* getSampleBuffer() const { return samples_; }
    SoundEngine* getEngine() const { return engine_; }
    //! Cuts the source off from an engine that is being destroyed.
    void detachEngine() { engine_ = nullptr; }

private:
    void decideStreaming(s64 decodedBytes);
    IPlayingSound* createDecodedSound(IAudioStream* stream, bool playLooped, bool is3D);

    CharString name_;
    int streaming_;
    int forcedStreamingThreshold_ = 1000000;
    float defaultMinDistance_ = -1.0f;
    float defaultMaxDistance_ = -1.0f;
    AudioStreamFormat format_;
    SampleBuffer* samples_ = nullptr;
    SoundEngine* engine_;
};

//! A source over a block of the application's memory, which is never copied. It starts as
//! SOURCE_STREAM_NEVER.
class MemorySoundSource : public FileSoundSource {
public:
    MemorySoundSource(const void* memory, int sizeInBytes, const char* name, SoundEngine* engine);

    //! A new memory file over the block, carrying the source's name; the file manager is unused.
    IInputFile* createInputFile(IFileManager* fileManager) override;

private:
    const void* memory_;
    int sizeInBytes_;
};

//! Orders sources by name: bytes as signed values, then the shorter name first.
struct SourceNameLess {
    bool operator()(const FileSoundSource* a, const FileSoundSource* b) const {
        return a->getNameString() < b->getNameString();
    }
};

} // namespace audio
} // namespace nox

#endif
