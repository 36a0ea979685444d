// The WinMM engine's ring of buffers on the virtual output, and whole-engine playback.
#include "LogCapture.h"
#include "TestFiles.h"
#include "WavBuilder.h"
#include "api/DeviceCreation.h"
#include "dravon/dravon.h"
#include "drivers/mixer/WinMMEngineTestSeam.h"
#include "platform/audio/VirtualAudioOutput.h"
#include "platform/system/Thread.h"
#include "platform/waveout/WaveOutTestSeam.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace nox::audio;
using dravon_test::Bytes;
using dravon_test::StdoutCapture;

namespace {

const s32 ringFrames = WinMMEngine::bufferCount * WinMMEngine::framesPerBuffer;

std::vector<s16> pattern(size_t frames) {
    return dravon_test::patternSamples(2 * frames);
}

// Installs a virtual output as the default one for the duration of a test.
class WinMMOnVirtualOutput : public ::testing::Test {
protected:
    WinMMOnVirtualOutput() { installVirtualAudioOutput(&output); }
    ~WinMMOnVirtualOutput() override { installVirtualAudioOutput(nullptr); }

    WinMMEngine* makeEngine() {
        StdoutCapture quiet;
        return static_cast<WinMMEngine*>(createDriverEngine(OUTPUT_DRIVER_WINMM, 0, nullptr));
    }

    s32 doneCount(WinMMEngine* engine) {
        s32 done = 0;
        for (s32 i = 0; i < WinMMEngine::bufferCount; ++i)
            done += (getRingHeader(*engine, i).dwFlags & WHDR_DONE) ? 1 : 0;
        return done;
    }

    VirtualAudioOutput output;
};

TEST_F(WinMMOnVirtualOutput, FirstPassQueuesTheWholeRingAndIdlePassesQueueNothing) {
    WinMMEngine* engine = makeEngine();
    ASSERT_TRUE(engine->initDriver());
    EXPECT_EQ(doneCount(engine), WinMMEngine::bufferCount);
    engine->update();
    EXPECT_EQ(doneCount(engine), 0);
    // Everything queued plays, nothing more: 8192 frames.
    EXPECT_EQ(output.advance(ringFrames + 1000), ringFrames);
    EXPECT_EQ(doneCount(engine), WinMMEngine::bufferCount);
    engine->update();
    EXPECT_EQ(doneCount(engine), 0);
    EXPECT_EQ(output.advance(100), 100);
    // No buffer has finished: the pass only does its housekeeping (a stopped sound leaves the
    // playing list) and makes no wave-out call.
    Bytes wav = dravon_test::makeWav16(2, 44100, pattern(100));
    ISoundEngine* api = engine;
    api->addSoundSourceFromMemory(wav.data(), static_cast<int>(wav.size()), "short.wav");
    IPlayingSound* sound = api->play2D("short.wav", true, false, true);
    sound->stop();
    ASSERT_TRUE(api->isCurrentlyPlaying("short.wav"));
    const u32 callsBefore = getWaveOutCallCount();
    engine->update();
    EXPECT_EQ(getWaveOutCallCount(), callsBefore);
    EXPECT_FALSE(api->isCurrentlyPlaying("short.wav"));
    EXPECT_EQ(output.advance(ringFrames), ringFrames - 100);
    sound->decRef();
    engine->decRef();
}

TEST_F(WinMMOnVirtualOutput, DoneBuffersAreRefilledInIndexOrderAcrossTheWrap) {
    WinMMEngine* engine = makeEngine();
    engine->update();
    // Buffers 0 to 29 play; then 30, 31 and the refilled 0 play: the wrap from 31 to 0.
    output.advance(30 * WinMMEngine::framesPerBuffer);
    engine->update();
    output.advance(3 * WinMMEngine::framesPerBuffer);
    EXPECT_TRUE(getRingHeader(*engine, 30).dwFlags & WHDR_DONE);
    EXPECT_TRUE(getRingHeader(*engine, 31).dwFlags & WHDR_DONE);
    EXPECT_TRUE(getRingHeader(*engine, 0).dwFlags & WHDR_DONE);
    EXPECT_FALSE(getRingHeader(*engine, 1).dwFlags & WHDR_DONE);
    engine->update();
    EXPECT_EQ(doneCount(engine), 0);
    // The device plays the whole queue without a gap: 29 buffers from the first round's
    // refill, then 31, 0 (wrapped), ...: all 32 remain queued.
    EXPECT_EQ(output.advance(2 * ringFrames), ringFrames);
    engine->decRef();
}

TEST_F(WinMMOnVirtualOutput, AFailedOpenIsLoggedAndTheEngineNeverTouchesTheDevice) {
    output.failOpensWith(AUDIO_OUTPUT_NOT_FOUND);
    const u32 callsBefore = getWaveOutCallCount();
    StdoutCapture out;
    ISoundEngine* engine =
        createDravonDevice(OUTPUT_DRIVER_WINMM, ENGINE_OPT_MULTITHREADED, DRAVON_SDK_VERSION);
    std::vector<std::string> lines = out.takeLines();
    EXPECT_EQ(engine, nullptr);
    // waveOutOpen, and nothing else: neither setting up nor destroying the engine touches the
    // layer once the open has failed.
    EXPECT_EQ(getWaveOutCallCount() - callsBefore, 1u);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), "Could not start up winMM device: No device driver is present.");
    EXPECT_EQ(output.getOpenCount(), 1);
    EXPECT_FALSE(output.isPlaying());
    // Automatic detection tries the WinMM engine once, and nothing else.
    StdoutCapture again;
    EXPECT_EQ(createDravonDevice(OUTPUT_DRIVER_AUTO_DETECT, 0, DRAVON_SDK_VERSION), nullptr);
    lines = again.takeLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), "Could not start up winMM device: No device driver is present.");
    EXPECT_EQ(output.getOpenCount(), 2);
}

TEST_F(WinMMOnVirtualOutput, AutoDetectGoesStraightToWinMMAndDirectSoundIsInvalid) {
    StdoutCapture out;
    ISoundEngine* automatic = createDravonDevice(OUTPUT_DRIVER_AUTO_DETECT, 0, DRAVON_SDK_VERSION);
    ISoundEngine* directSound =
        createDravonDevice(OUTPUT_DRIVER_DIRECTSOUND, 0, DRAVON_SDK_VERSION);
    std::vector<std::string> lines = out.takeLines();
    ASSERT_NE(automatic, nullptr);
    EXPECT_EQ(directSound, nullptr);
    EXPECT_EQ(std::vector<std::string>(lines.end() - 2, lines.end()),
              (std::vector<std::string>{"Using winMM driver", "Invalid sound driver specified."}));
    automatic->decRef();
}

TEST(WaveOutResults, EveryListedResultHasItsTextAndOthersTheirNumber) {
    const std::pair<MMRESULT, std::string> expected[] = {
        {MMSYSERR_BADDEVICEID, "Specified device identifier is out of range."},
        {MMSYSERR_ALLOCATED, "Specified resource is already allocated."},
        {MMSYSERR_INVALHANDLE, "Specified device handle is invalid."},
        {MMSYSERR_NODRIVER, "No device driver is present."},
        {MMSYSERR_NOMEM, "Unable to allocate or lock memory."},
        {WAVERR_BADFORMAT, "Attempted to open with an unsupported waveform-audio format."},
        {WAVERR_UNPREPARED, "The data block hasn't been prepared."},
        {WAVERR_SYNC, "The device is synchronous but waveOutOpen was called without using the "
                      "WAVE_ALLOWSYNC flag."},
        {11, "11"},
    };
    // The logger exists while an engine does.
    ISoundEngine* keeper = createDravonDevice(OUTPUT_DRIVER_NULL, 0, DRAVON_SDK_VERSION);
    for (const auto& result : expected) {
        StdoutCapture out;
        EXPECT_TRUE(WinMMEngine::reportWaveOutFailure(result.first, "ctx"));
        EXPECT_EQ(out.takeLines(), (std::vector<std::string>{"ctx: " + result.second}));
    }
    StdoutCapture out;
    EXPECT_FALSE(WinMMEngine::reportWaveOutFailure(MMSYSERR_NOERROR, "ctx"));
    EXPECT_EQ(out.take(), "");
    keeper->decRef();
}

std::vector<s16> samplesOf(const std::vector<u8>& bytes, size_t offset, size_t count) {
    std::vector<s16> samples(count);
    for (size_t i = 0; i < count; ++i)
        samples[i] = static_cast<s16>(bytes[offset + 2 * i] | (bytes[offset + 2 * i + 1] << 8));
    return samples;
}

TEST_F(WinMMOnVirtualOutput, AStereoWavThroughDriverTwoComesOutBitForBit) {
    const size_t frames = 10000;
    std::vector<s16> samples = pattern(frames);
    Bytes wav = dravon_test::makeWav16(2, 44100, samples);
    StdoutCapture quiet;
    ISoundEngine* engine = createDravonDevice(OUTPUT_DRIVER_WINMM, 0, DRAVON_SDK_VERSION);
    ASSERT_NE(engine, nullptr);
    engine->addSoundSourceFromMemory(wav.data(), static_cast<int>(wav.size()), "tone.wav");
    IPlayingSound* sound = engine->play2D("tone.wav", false, false, true);
    ASSERT_NE(sound, nullptr);
    for (s32 pass = 0; pass < 8; ++pass) {
        engine->update();
        output.advance(ringFrames / 2);
    }
    EXPECT_TRUE(sound->isFinished());
    sound->decRef();
    engine->decRef();
    const std::vector<u8>& played = output.getPlayed();
    ASSERT_GE(played.size(), frames * 4);
    EXPECT_EQ(samplesOf(played, 0, 2 * frames), samples);
    EXPECT_EQ(samplesOf(played, 4 * frames, 2 * 256), std::vector<s16>(2 * 256, 0));
}

TEST_F(WinMMOnVirtualOutput, TheUpdateThreadKeepsALoopedSoundContinuousWhileTheDevicePlays) {
    // The device plays on this thread while the engine refills on its own: whatever the timing,
    // the bytes played are the queued buffers in order, so the loop comes out without a gap
    // or a repeat once it has started.
    const size_t loopFrames = 1000;
    std::vector<s16> loop = pattern(loopFrames);
    Bytes wav = dravon_test::makeWav16(2, 44100, loop);
    StdoutCapture quiet;
    ISoundEngine* engine =
        createDravonDevice(OUTPUT_DRIVER_WINMM, ENGINE_OPT_MULTITHREADED, DRAVON_SDK_VERSION);
    ASSERT_NE(engine, nullptr);
    engine->addSoundSourceFromMemory(wav.data(), static_cast<int>(wav.size()), "loop.wav");
    engine->play2D("loop.wav", true);
    const size_t wantedBytes = 30000 * 4;
    for (s32 round = 0; round < 2000 && output.getPlayed().size() < wantedBytes; ++round) {
        output.advance(700);
        nox::audio::sleepMilliseconds(2);
    }
    engine->decRef();
    const std::vector<u8>& played = output.getPlayed();
    ASSERT_GE(played.size(), wantedBytes);
    std::vector<s16> samples = samplesOf(played, 0, played.size() / 2);
    size_t start = 0;
    while (start < samples.size() && samples[start] == 0)
        ++start;
    ASSERT_EQ(start % (2 * WinMMEngine::framesPerBuffer), 0u);
    ASSERT_LT(start, samples.size() / 2);
    for (size_t i = start; i < samples.size(); ++i)
        ASSERT_EQ(samples[i], loop[(i - start) % loop.size()]) << "sample " << i;
}

TEST(WavCaptureOutput, RecordsAValidWaveFileOfTheRightLength) {
    const size_t frames = 4410;
    std::vector<s16> samples = pattern(frames);
    Bytes wav = dravon_test::makeWav16(2, 44100, samples);
    const std::string path = "winmm_capture.wav";
    std::remove(path.c_str());
    ISoundEngine* engine = createDravonDeviceOnOutput(OUTPUT_DRIVER_WINMM, 0,
                                                      ("wav:" + path).c_str(), DRAVON_SDK_VERSION);
    ASSERT_NE(engine, nullptr);
    engine->addSoundSourceFromMemory(wav.data(), static_cast<int>(wav.size()), "tone.wav");
    IPlayingSound* sound = engine->play2D("tone.wav", false, false, true);
    ASSERT_NE(sound, nullptr);
    // The capture plays in real time: 100 ms of sound, then silence until the release.
    for (s32 pass = 0; pass < 15; ++pass) {
        engine->update();
        nox::audio::sleepMilliseconds(20);
    }
    EXPECT_TRUE(sound->isFinished());
    sound->decRef();
    engine->decRef();
    Bytes file = dravon_test::readFile(path);
    ASSERT_GE(file.size(), 44u + frames * 4);
    EXPECT_EQ(std::string(file.begin(), file.begin() + 4), "RIFF");
    EXPECT_EQ(std::string(file.begin() + 8, file.begin() + 16), "WAVEfmt ");
    const u32 riffSize = file[4] | file[5] << 8 | file[6] << 16 | static_cast<u32>(file[7]) << 24;
    const u32 dataSize =
        file[40] | file[41] << 8 | file[42] << 16 | static_cast<u32>(file[43]) << 24;
    EXPECT_EQ(riffSize, file.size() - 8);
    EXPECT_EQ(dataSize, file.size() - 44);
    EXPECT_EQ(dataSize % 4, 0u);
    EXPECT_EQ(samplesOf(file, 44, 2 * frames), samples);
}

} // namespace
