// Sound sources: files reached by name, and blocks of the application's memory.
#ifndef DRAVON_ENGINE_SOUND_SOURCE_H
#define DRAVON_ENGINE_SOUND_SOURCE_H

#include "core/Relaxed.h"
#include "core/String.h"
#include "dravon/AudioStreamFormat.h"
#include "dravon/IAudioStream.h"
#include "dravon/IPlayingSound.h"
#include "dravon/ISoundSource.h"

#include <atomic>
#include <mutex>

namespace nox {
namespace audio {

class SampleBuffer;
class SoundEngine;

//! The engine's sound source. Its data is the file of its name, opened through the engine's file
//! manager, unless a subclass opens it otherwise (MemorySoundSource). It remembers the format of
//! its last opening and caches the samples of sounds decoded whole.
//! Every operation may be called from any thread: the settings are stored whole, and opening,
//! the streaming decision and the cache are guarded by the source's own lock, so that two plays
//! racing on one source decode it once.
class SoundSource : public ISoundSource {
public:
    SoundSource(const char* name, int streaming, SoundEngine* engine);
    ~SoundSource() override;

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
    //! driver for a paused sound. Runs without the engine's lock. Null on failure, and when the
    //! source has no engine.
    IPlayingSound* createSound(IFileManager* fileManager, bool playLooped, bool is3D);

    //! The format read at the last opening; a channel count of 0 means none yet.
    AudioStreamFormat getFormat() const;
    //! The cached samples (borrowed: valid until forgetSampleData() or destruction), or null.
    SampleBuffer* getSampleBuffer() const;
    //! The engine the source is registered with; null once removed or its engine is gone.
    SoundEngine* getEngine() const { return engine_; }
    //! Cuts the source off from its engine: on removal, and when the engine is destroyed.
    void detachEngine() { engine_ = nullptr; }
    //! Returns once no play is opening or decoding the source's data; after detachEngine()
    //! none starts again, so the data (the application's memory) is no longer read.
    void awaitOpenings();

private:
    IAudioStream* openStream(SoundEngine* engine, IFileManager* fileManager);
    void decideStreaming();
    IPlayingSound* createDecodedSound(SoundEngine* engine, IAudioStream* stream, bool playLooped,
                                      bool is3D);

    const CharString name_;
    Relaxed<int> streaming_;
    Relaxed<int> forcedStreamingThreshold_{1000000};
    Relaxed<float> defaultMinDistance_{-1.0f};
    Relaxed<float> defaultMaxDistance_{-1.0f};
    // Guards format_ and samples_, and makes one play at a time open the data.
    mutable std::mutex lock_;
    AudioStreamFormat format_;
    SampleBuffer* samples_ = nullptr;
    std::atomic<SoundEngine*> engine_;
};

//! A source over a block of the application's memory, which is never copied. It starts as
//! SOURCE_STREAM_NEVER.
class MemorySoundSource : public SoundSource {
public:
    MemorySoundSource(const void* memory, int sizeInBytes, const char* name, SoundEngine* engine);

    //! A new memory file over the block, carrying the source's name; the file manager is unused.
    IInputFile* createInputFile(IFileManager* fileManager) override;

private:
    const void* const memory_;
    const int sizeInBytes_;
};

} // namespace audio
} // namespace nox

#endif
