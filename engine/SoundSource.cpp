#include "SoundSource.h"

#include "SampleBuffer.h"
#include "SoundEngine.h"
#include "io/IFileManager.h"
#include "io/MemoryInputFile.h"
#include "platform/system/Logger.h"

#include <climits>

namespace nox {
namespace audio {

namespace {
// Sounds of at most this many decoded bytes are decoded whole under SOURCE_STREAM_AUTO.
const s64 autoStreamingLimit = 128000;
} // namespace

SoundSource::SoundSource(const char* name, int streaming, SoundEngine* engine)
    : name_(name), streaming_(streaming), engine_(engine) {}

SoundSource::~SoundSource() {
    if (samples_)
        samples_->decRef();
}

float SoundSource::getDefaultMinDistance() {
    if (defaultMinDistance_ > 0.0f)
        return defaultMinDistance_;
    SoundEngine* engine = engine_;
    return engine ? engine->getDefault3DSoundMinDistance() : 1.0f;
}

float SoundSource::getDefaultMaxDistance() {
    if (defaultMaxDistance_ > 0.0f)
        return defaultMaxDistance_;
    SoundEngine* engine = engine_;
    return engine ? engine->getDefault3DSoundMaxDistance() : 1e9f;
}

void SoundSource::forgetSampleData() {
    std::lock_guard<std::mutex> guard(lock_);
    if (samples_)
        samples_->decRef();
    samples_ = nullptr;
}

void SoundSource::awaitOpenings() {
    std::lock_guard<std::mutex> guard(lock_);
}

AudioStreamFormat SoundSource::getFormat() const {
    std::lock_guard<std::mutex> guard(lock_);
    return format_;
}

SampleBuffer* SoundSource::getSampleBuffer() const {
    std::lock_guard<std::mutex> guard(lock_);
    return samples_;
}

IInputFile* SoundSource::createInputFile(IFileManager* fileManager) {
    return fileManager ? fileManager->openFile(name_.c_str()) : nullptr;
}

int SoundSource::getPlayLength() {
    // A removed source answers from what it knows; it never plays through its old engine.
    SoundEngine* engine = engine_;
    if (getFormat().channelCount == 0 && engine) {
        // A paused play opens (and, for sounds decoded whole, decodes) the data like any play.
        if (IPlayingSound* sound = engine->play2D(this, false, true, false)) {
            sound->stop();
            sound->decRef();
        }
    }
    AudioStreamFormat format = getFormat();
    if (format.channelCount == 0 || format.sampleRate == 0 || format.frameCount < 0)
        return -1;
    return static_cast<int>(format.frameCount * 1000.0 / format.sampleRate);
}

IPlayingSound* SoundSource::createSound(IFileManager* fileManager, bool playLooped, bool is3D) {
    std::lock_guard<std::mutex> guard(lock_);
    // Read under the lock: once a removal has detached the source and waited for the lock, no
    // play reads its data any more.
    SoundEngine* engine = engine_;
    if (!engine)
        return nullptr;
    if (samples_)
        return engine->createSoundFromSamples(samples_, this, playLooped, is3D,
                                              getDefaultMinDistance(), getDefaultMaxDistance());
    IAudioStream* stream = openStream(engine, fileManager);
    if (!stream)
        return nullptr;
    IPlayingSound* sound =
        streaming_ == SOURCE_STREAM_ALWAYS
            ? engine->createSoundFromStream(stream, this, playLooped, is3D, getDefaultMinDistance(),
                                            getDefaultMaxDistance())
            : createDecodedSound(engine, stream, playLooped, is3D);
    stream->decRef();
    return sound;
}

IAudioStream* SoundSource::openStream(SoundEngine* engine, IFileManager* fileManager) {
    IInputFile* file = createInputFile(fileManager);
    if (!file) {
        logText("Could not open sound file", name_.c_str(), LOG_LEVEL_INFO);
        return nullptr;
    }
    // The stream holds its own reference to the file.
    IAudioStream* stream = engine->openAudioStream(file);
    file->decRef();
    if (!stream)
        return nullptr;
    format_ = stream->getFormat();
    decideStreaming();
    return stream;
}

void SoundSource::decideStreaming() {
    // A length the stream cannot tell, a format without channels, and a size beyond a signed
    // 32-bit count are never decoded whole: the header of a file may claim anything.
    s64 bytes = SampleBuffer::getByteSizeFor(format_);
    bool decodable = bytes >= 0 && bytes <= INT_MAX && format_.channelCount > 0;
    if (streaming_ == SOURCE_STREAM_AUTO) {
        streaming_ =
            decodable && bytes <= autoStreamingLimit ? SOURCE_STREAM_NEVER : SOURCE_STREAM_ALWAYS;
    } else if (streaming_ == SOURCE_STREAM_NEVER) {
        s32 threshold = forcedStreamingThreshold_;
        if (!decodable || (threshold > 0 && bytes > threshold)) {
            logText("No streaming was specified, but forcing to play sound streamed", name_.c_str(),
                    LOG_LEVEL_INFO);
            streaming_ = SOURCE_STREAM_ALWAYS;
        }
    }
}

IPlayingSound* SoundSource::createDecodedSound(SoundEngine* engine, IAudioStream* stream,
                                               bool playLooped, bool is3D) {
    samples_ = SampleBuffer::readWhole(stream, format_);
    if (!samples_)
        return nullptr;
    return engine->createSoundFromSamples(samples_, this, playLooped, is3D, getDefaultMinDistance(),
                                          getDefaultMaxDistance());
}

MemorySoundSource::MemorySoundSource(const void* memory, int sizeInBytes, const char* name,
                                     SoundEngine* engine)
    : SoundSource(name, SOURCE_STREAM_NEVER, engine), memory_(memory), sizeInBytes_(sizeInBytes) {}

IInputFile* MemorySoundSource::createInputFile(IFileManager*) {
    // The file only reads the block; it never writes or frees it.
    return createMemoryInputFile(const_cast<void*>(memory_), sizeInBytes_, getName(), false);
}

} // namespace audio
} // namespace nox
