// Engines and sounds that record what the engine asks of them, for tests of the engine core.
#ifndef DRAVON_TESTS_ENGINE_FIXTURES_H
#define DRAVON_TESTS_ENGINE_FIXTURES_H

#include "LogCapture.h"
#include "TestFiles.h"
#include "engine/PlayingSound.h"
#include "engine/SampleBuffer.h"
#include "engine/SoundEngine.h"
#include "io/MemoryInputFile.h"

#include <atomic>
#include <deque>
#include <gtest/gtest.h>
#include <mutex>
#include <string>
#include <vector>

namespace dravon_test {

using namespace nox::audio;

//! A playing sound that counts its hook calls. It ends when told to or when stopped.
class RecordingSound : public PlayingSound {
public:
    using PlayingSound::PlayingSound;
    void updateListener(float engineVolume, Vector3 position, Vector3 look, Vector3 up,
                        bool linear) override {
        ++listenerUpdates;
        apply3DInSoftware(engineVolume, position, look, up, linear);
    }
    bool hasEnded() override { return ended || stops > 0; }
    void onPause() override { ++pauses; }
    void onResume() override { ++resumes; }
    void onStop() override { ++stops; }
    void setEffectivePan(float pan) override { effectivePan = pan; }
    void setEffectiveVolume(float volume) override { effectiveVolume = volume; }

    std::atomic<bool> ended{false};
    // Atomic because the update thread and the application both reach the hooks.
    std::atomic<int> listenerUpdates{0}, pauses{0}, resumes{0}, stops{0};
    std::atomic<float> effectivePan{-99.0f}, effectiveVolume{-99.0f};
};

typedef AtomicallyCounted<RecordingSound> CountedSound;

//! An engine whose driver hooks make RecordingSounds and which counts its update passes.
class RecordingEngine : public SoundEngine {
public:
    explicit RecordingEngine(int options = 0);
    ~RecordingEngine() override;

    IPlayingSound* createSoundFromSamples(SampleBuffer* samples, ISoundSource* source,
                                          bool playLooped, bool is3D, float minDistance,
                                          float maxDistance) override;
    IPlayingSound* createSoundFromStream(IAudioStream* stream, ISoundSource* source,
                                         bool playLooped, bool is3D, float minDistance,
                                         float maxDistance) override;
    void updateDriver() override;

    //! The sounds made so far, in order (borrowed; they may be gone once released). The hooks
    //! run on the playing threads; read these once the plays are done.
    std::vector<CountedSound*> made;
    std::vector<bool> madeFromStream;
    std::atomic<int> passes{0};
    bool makeSounds = true;

private:
    IPlayingSound* record(ISoundSource* source, bool playLooped, bool is3D, float minDistance,
                          float maxDistance, bool fromStream);

    std::mutex madeLock_;
};

//! A file provider that serves named blocks of memory and counts how often each is opened.
//! Files may be opened from any thread; add them before.
class MemoryProvider : public IFileProvider {
public:
    void add(const std::string& name, const Bytes& bytes);
    IInputFile* openFile(const char* fileName) override;
    int opened(const std::string& name) const;

private:
    struct Entry {
        Entry(const std::string& entryName, const Bytes& content)
            : name(entryName), bytes(content) {}
        std::string name;
        Bytes bytes;
        std::atomic<int> opened{0};
    };
    // A deque, so that entries never move.
    std::deque<Entry> entries_;
};

//! A stream of `frames` frames of `format` that delivers only `deliver` of them.
class FakeStream : public IAudioStream {
public:
    FakeStream(const AudioStreamFormat& format, s32 deliver) : format_(format), left_(deliver) {}
    AudioStreamFormat getFormat() override { return format_; }
    bool setPosition(s32) override { return false; }
    s32 readFrames(void* target, s32 frameCount) override;

private:
    AudioStreamFormat format_;
    s32 left_;
};

//! A loader that accepts files whose content starts with its four-byte magic, reads their format
//! from the next 20 bytes (channels, frames, rate, sample format, then frames to deliver) and
//! logs every request under its name into a shared journal.
class FakeStreamLoader : public IAudioStreamLoader {
public:
    FakeStreamLoader(const char* name, const char* extension, std::vector<std::string>* journal,
                     const char* magic = "FAKE")
        : name_(name), extension_(extension), magic_(magic), journal_(journal) {}
    bool isALoadableFileExtension(const char* fileName) override;
    IAudioStream* createAudioStream(IInputFile* file) override;

private:
    std::string name_, extension_, magic_;
    std::vector<std::string>* journal_;
};

//! Content that a FakeStreamLoader of that magic accepts.
Bytes fakeStreamFile(s32 channels, s32 frames, s32 rate, s32 sampleFormat, s32 deliver,
                     const char* magic = "FAKE");

//! A recording engine with a provider serving "tone.fake" (stereo 16-bit, 100 frames at
//! 44100 Hz) and a FakeStreamLoader for ".fake" names journaling into `journal`.
class EngineTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    //! Plays "tone.fake" tracked, optionally paused; the caller releases the result.
    CountedSound* playTracked(bool paused = false);
    //! Plays "tone.fake" in 3D at `position`, tracked; the caller releases the result.
    CountedSound* playTracked3D(Vector3 position);
    //! The interface carries the default arguments of the play operations.
    ISoundEngine* api() { return engine; }

    //! Null once a test has released it.
    RecordingEngine* engine = nullptr;
    MemoryProvider* provider = nullptr;
    FakeStreamLoader* loader = nullptr;
    std::vector<std::string> journal;
};

} // namespace dravon_test

#endif
