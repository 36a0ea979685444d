// Bad data reaching the engine's play path: every loader is offered truncated and random
// content under every recognised extension; plays fail with a line, never crash or leak.
#include "EngineFixtures.h"

#include "dravon/dravon.h"
#include "engine/SoundSource.h"

#include <gtest/gtest.h>
#include <random>

using namespace dravon_test;

namespace {

class BadFilesTest : public testing::Test {
protected:
    void SetUp() override {
        StdoutCapture quiet;
        engine = createDravonDevice(OUTPUT_DRIVER_NULL, 0, DRAVON_SDK_VERSION);
        ASSERT_NE(engine, nullptr);
    }
    void TearDown() override { engine->decRef(); }

    //! Plays `content` from memory under `name`; returns the last line logged (or "").
    std::string play(const Bytes& content, const std::string& name) {
        StdoutCapture out;
        ISoundSource* source = engine->addSoundSourceFromMemory(
            content.data(), static_cast<int>(content.size()), name.c_str());
        EXPECT_NE(source, nullptr) << name;
        EXPECT_EQ(engine->play2D(source, false, true, true), nullptr);
        engine->removeSoundSource(source);
        std::vector<std::string> lines = out.takeLines();
        return lines.empty() ? "" : lines.back();
    }

    ISoundEngine* engine = nullptr;
};

const char* const extensions[] = {".wav", ".ogg", ".mod", ".xm", ".s3m", ".it", ".dat"};

} // namespace

TEST_F(BadFilesTest, RandomBytesUnderEveryExtensionFailWithTheEngineLine) {
    std::mt19937 random(20261206);
    for (const char* extension : extensions) {
        for (std::size_t size : {1u, 3u, 4u, 12u, 44u, 100u, 1000u, 5000u}) {
            Bytes content(size);
            for (u8& byte : content)
                byte = static_cast<u8>(random());
            std::string name = "r" + std::to_string(size) + extension;
            EXPECT_EQ(play(content, name), "Could not open audio stream for sound file: " + name);
        }
    }
}

TEST_F(BadFilesTest, TruncatedWavNeverReadsPastItsEnd) {
    const Bytes whole = makeWav16(2, 22050, patternSamples(400));
    for (std::size_t size = 1; size < whole.size(); size += 3) {
        Bytes content(whole.begin(), whole.begin() + static_cast<long>(size));
        play(content, "cut" + std::to_string(size) + ".wav");
    }
    // A file cut inside its data still plays what is there.
    Bytes content(whole.begin(), whole.end() - 100);
    ISoundSource* source = engine->addSoundSourceFromMemory(
        content.data(), static_cast<int>(content.size()), "short.wav");
    {
        StdoutCapture quiet;
        engine->play2D(source, false, true, true);
    }
    SampleBuffer* samples = static_cast<SoundSource*>(source)->getSampleBuffer();
    ASSERT_NE(samples, nullptr);
    EXPECT_EQ(samples->format.frameCount, 175) << "25 frames of 4 bytes are missing";
}

TEST_F(BadFilesTest, HeadersThatPromiseTooMuchAreCaught) {
    // A RIFF header whose format chunk claims a huge size, and one with zero channels.
    Bytes huge = makeWav16(1, 8000, patternSamples(16));
    huge[16] = 0xFF;
    huge[17] = 0xFF;
    huge[18] = 0xFF;
    huge[19] = 0x7F;
    play(huge, "huge.wav");
    Bytes silent = makeWav16(1, 8000, patternSamples(16));
    silent[22] = 0;
    play(silent, "nochannels.wav");
    SUCCEED() << "no crash, no sanitizer report";
}
