// dvptest.dll: a plug-in whose loader reads files that start with "TEST" into silent frames.
#include "dravon/dravon.h"

#include <cstring>

using namespace nox::audio;

namespace {

// One second of silence at 8000 Hz, mono 8-bit.
class SilenceStream : public IAudioStream {
public:
    explicit SilenceStream(IInputFile* file) : file_(file) { file_->incRef(); }
    ~SilenceStream() override { file_->decRef(); }

    AudioStreamFormat getFormat() override {
        AudioStreamFormat format;
        format.channelCount = 1;
        format.frameCount = 8000;
        format.sampleRate = 8000;
        format.sampleFormat = ESF_U8;
        return format;
    }
    bool setPosition(s32 frame) override {
        position_ = frame;
        return true;
    }
    s32 readFrames(void* target, s32 frameCount) override {
        s32 frames = frameCount < 8000 - position_ ? frameCount : 8000 - position_;
        std::memset(target, 0x80, static_cast<std::size_t>(frames));
        position_ += frames;
        return frames;
    }

private:
    IInputFile* file_;
    s32 position_ = 0;
};

class TestLoader : public IAudioStreamLoader {
public:
    bool isALoadableFileExtension(const char* fileName) override {
        return std::strstr(fileName, ".tst") != nullptr;
    }
    IAudioStream* createAudioStream(IInputFile* file) override {
        char magic[4] = {};
        if (file->read(magic, 4) != 4 || std::memcmp(magic, "TEST", 4) != 0)
            return nullptr;
        return new SilenceStream(file);
    }
};

} // namespace

void DRAVON_STDCALL dravonPluginInit(ISoundEngine* engine, const char* version) {
    // Only an engine of the version this plug-in was built for gets the loader.
    if (std::strcmp(version, DRAVON_SDK_VERSION) != 0)
        return;
    IAudioStreamLoader* loader = new TestLoader;
    engine->registerAudioStreamLoader(loader);
    loader->decRef();
}
