// End to end: an application mounts a stored zip and plays a WAV out of it.
#include "TestFiles.h"
#include "WavBuilder.h"
#include "ZipBuilder.h"

#include "dravon/dravon.h"

#include <gtest/gtest.h>

using namespace nox::audio;
using namespace dravon_test;

TEST(ZipPlaybackTest, WavInsideAStoredZipPlaysThroughTheEngine) {
    // 22050 frames at 11025 Hz: two seconds.
    writeFile("zpt_beep.wav", makeWav16(1, 11025, patternSamples(22050)));
    runShell(
        "rm -rf zpt_sounds.zip zpt_sfx && mkdir -p zpt_sfx && mv zpt_beep.wav zpt_sfx/Beep.WAV");
    runZip("-0 zpt_sounds.zip zpt_sfx/Beep.WAV");
    runShell("rm -rf zpt_sfx");

    ISoundEngine* engine = createDravonDevice(OUTPUT_DRIVER_NULL, 0, DRAVON_SDK_VERSION);
    ASSERT_NE(engine, nullptr);
    EXPECT_FALSE(addDravonZipArchive(nullptr, "zpt_sounds.zip", true, true));
    EXPECT_FALSE(addDravonZipArchive(engine, "zpt_missing.zip", true, true));
    ASSERT_TRUE(addDravonZipArchive(engine, "zpt_sounds.zip", true, true));
    // The null driver makes no sound, but the play opens and decodes the entry.
    EXPECT_EQ(engine->play2D("sounds/beep.wav"), nullptr);
    ISoundSource* source = engine->getSoundSource("sounds/beep.wav");
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(source->getPlayLength(), 2000);
    engine->decRef();
}

TEST(ZipPlaybackTest, NameOutsideTheArchiveHasNoLength) {
    writeFile("zpt_empty.zip", ZipBuilder().add("other.wav", Bytes{1, 2, 3}).build());
    ISoundEngine* engine = createDravonDevice(OUTPUT_DRIVER_NULL, 0, DRAVON_SDK_VERSION);
    ASSERT_NE(engine, nullptr);
    ASSERT_TRUE(addDravonZipArchive(engine, "zpt_empty.zip", false, false));
    ISoundSource* source = engine->getSoundSource("zpt_not_there.wav");
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(source->getPlayLength(), -1);
    engine->decRef();
}
