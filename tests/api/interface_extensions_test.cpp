// The exported functions beside the interfaces: a source's format.
#include "LogCapture.h"
#include "WavBuilder.h"
#include "dravon/dravon.h"

#include <gtest/gtest.h>

using namespace nox::audio;
using dravon_test::Bytes;

namespace {

// A source that is not the library's own.
class ForeignSource : public ISoundSource {
public:
    const char* getName() override { return "foreign.wav"; }
    int getStreamMode() override { return SOURCE_STREAM_AUTO; }
    int getPlayLength() override { return 1000; }
    void setDefaultMinDistance(float) override {}
    float getDefaultMinDistance() override { return 1.0f; }
    void setDefaultMaxDistance(float) override {}
    float getDefaultMaxDistance() override { return 1e9f; }
    void forgetSampleData() override {}
    void setForcedStreamingThreshold(int) override {}
    int getForcedStreamingThreshold() override { return 0; }
    IInputFile* createInputFile(IFileManager*) override { return nullptr; }
};

} // namespace

TEST(SoundSourceFormat, IsKnownOnceTheDataIsOpenedAndOnlyForTheLibrarysSources) {
    dravon_test::StdoutCapture quiet;
    ISoundEngine* engine = createDravonDevice(OUTPUT_DRIVER_NULL, 0, DRAVON_SDK_VERSION);
    Bytes wav = dravon_test::makeWav16(1, 22050, std::vector<std::int16_t>(2205, 7));
    ISoundSource* source =
        engine->addSoundSourceFromMemory(wav.data(), static_cast<int>(wav.size()), "tone.wav");
    AudioStreamFormat format;
    format.channelCount = 9;
    EXPECT_FALSE(getDravonSoundSourceFormat(source, &format)) << "not opened yet";
    EXPECT_EQ(format.channelCount, 0);
    ASSERT_EQ(source->getPlayLength(), 100);
    ASSERT_TRUE(getDravonSoundSourceFormat(source, &format));
    EXPECT_EQ(format.channelCount, 1);
    EXPECT_EQ(format.sampleRate, 22050);
    EXPECT_EQ(format.sampleFormat, ESF_S16);
    EXPECT_EQ(format.frameCount, 2205);

    ForeignSource* foreign = new ForeignSource();
    format.channelCount = 9;
    EXPECT_FALSE(getDravonSoundSourceFormat(foreign, &format));
    EXPECT_FALSE(getDravonSoundSourceFormat(nullptr, &format));
    EXPECT_EQ(format.channelCount, 9) << "left as it was";
    EXPECT_FALSE(getDravonSoundSourceFormat(source, nullptr));
    foreign->decRef();
    engine->decRef();
}
