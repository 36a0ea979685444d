// Driver 2 on the system's real wave-out device (under Wine, its ALSA null device). The
// device's clock is not checked for pace: only that buffers come back and sound advances.
#include "LogCapture.h"
#include "WavBuilder.h"
#include "api/DeviceCreation.h"
#include "dravon/dravon.h"
#include "drivers/mixer/WinMMEngineTestSeam.h"
#include "platform/system/Thread.h"

#include <gtest/gtest.h>
#include <string>

using namespace nox::audio;
using dravon_test::Bytes;
using dravon_test::StdoutCapture;

namespace {

s32 doneCount(WinMMEngine* engine) {
    s32 done = 0;
    for (s32 i = 0; i < WinMMEngine::bufferCount; ++i)
        done += (getRingHeader(*engine, i).dwFlags & WHDR_DONE) ? 1 : 0;
    return done;
}

// Waits up to about ten seconds for the device to hand back at least `count` buffers.
bool waitForDone(WinMMEngine* engine, s32 count) {
    for (s32 tries = 0; tries < 1000; ++tries) {
        if (doneCount(engine) >= count)
            return true;
        sleepMilliseconds(10);
    }
    return false;
}

} // namespace

TEST(WinMMDevice, OpensTheDefaultDeviceAndGetsEveryBufferBack) {
    StdoutCapture log;
    WinMMEngine* engine =
        static_cast<WinMMEngine*>(createDriverEngine(OUTPUT_DRIVER_WINMM, 0, nullptr));
    ASSERT_NE(engine, nullptr);
    ASSERT_TRUE(engine->initDriver());
    EXPECT_EQ(doneCount(engine), WinMMEngine::bufferCount);
    engine->update();
    EXPECT_LT(doneCount(engine), WinMMEngine::bufferCount);
    // The whole ring plays out and comes back done, then is queued again.
    EXPECT_TRUE(waitForDone(engine, WinMMEngine::bufferCount));
    engine->update();
    EXPECT_LT(doneCount(engine), WinMMEngine::bufferCount);
    engine->decRef();
    const std::string text = log.take();
    EXPECT_EQ(text.find("could not"), std::string::npos) << text;
}

TEST(WinMMDevice, PlaysASoundToItsEndAndReleasesCleanly) {
    // Half a second of a stereo ramp at the mixing rate.
    std::vector<s16> samples(2 * 22050);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<s16>((i * 37) % 20000 - 10000);
    Bytes wav = dravon_test::makeWav16(2, 44100, samples);
    StdoutCapture log;
    ISoundEngine* engine =
        createDravonDevice(OUTPUT_DRIVER_WINMM, ENGINE_OPT_MULTITHREADED, DRAVON_SDK_VERSION);
    ASSERT_NE(engine, nullptr);
    engine->addSoundSourceFromMemory(wav.data(), static_cast<int>(wav.size()), "ramp.wav");
    IPlayingSound* sound = engine->play2D("ramp.wav", false, false, true);
    ASSERT_NE(sound, nullptr);
    const int length = sound->getPlayLength();
    // The update thread mixes while the device plays; positions only move forward.
    int last = 0;
    bool advanced = false, monotonic = true;
    for (s32 tries = 0; tries < 1000 && !sound->isFinished(); ++tries) {
        int position = sound->getPlayPosition();
        monotonic = monotonic && position >= last;
        advanced = advanced || position > 0;
        last = position;
        sleepMilliseconds(10);
    }
    const bool finished = sound->isFinished();
    sound->decRef();
    engine->decRef();
    const std::string text = log.take();
    EXPECT_EQ(length, 500); // milliseconds
    EXPECT_TRUE(advanced);
    EXPECT_TRUE(monotonic);
    EXPECT_TRUE(finished) << "last position " << last;
    EXPECT_NE(text.find("Using winMM driver\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("ould not"), std::string::npos) << text;
}

TEST(WinMMDevice, OutputListNamesDevicesThatOpenByName) {
    IOutputDeviceList* list = createDravonOutputDeviceList();
    ASSERT_NE(list, nullptr);
    StdoutCapture log;
    for (int i = 0; i < list->getDeviceCount(); ++i) {
        ISoundEngine* engine = createDravonDeviceOnOutput(
            OUTPUT_DRIVER_WINMM, 0, list->getDeviceName(i), DRAVON_SDK_VERSION);
        EXPECT_NE(engine, nullptr) << list->getDeviceName(i);
        if (engine)
            engine->decRef();
    }
    EXPECT_EQ(list->getDeviceName(list->getDeviceCount()), nullptr);
    list->decRef();
    EXPECT_EQ(
        createDravonDeviceOnOutput(OUTPUT_DRIVER_WINMM, 0, "no such device", DRAVON_SDK_VERSION),
        nullptr);
    EXPECT_NE(log.take().find("Could not start up winMM device: Specified device identifier is "
                              "out of range.\n"),
              std::string::npos);
}
