#include "FileSoundSource.h"

#include "SampleBuffer.h"
#include "SoundEngine.h"
#include "io/IFileManager.h"
#include "io/MemoryInputFile.h"
#include "platform/Logger.h"

namespace nox {
namespace audio {

namespace {
// Sounds of at most this many decoded bytes are decoded whole under SOURCE_STREAM_AUTO.
const s64 autoStreamingLimit = 128000;
} // namespace

FileSoundSource::FileSoundSource(const char* name, int streaming, SoundEngine* engine)
    : name_(name), streaming_(streaming), engine_(engine) {}

FileSoundSource::~FileSoundSource() {
    if (samples_)
        samples_->decRef();
}

float FileSoundSource::getDefaultMinDistance() {
    if (defaultMinDistance_ > 0.0f)
        return defaultMinDistance_;
    return engine_ ? engine_->getDefault3DSoundMinDistance() : 1.0f;
}

float FileSoundSource::getDefaultMaxDistance() {
    if (defaultMaxDistance_ > 0.0f)
        return defaultMaxDistance_;
    return engine_ ? engine_->getDefault3DSoundMaxDistance() : 1e9f;
}

void FileSoundSource::forgetSampleData() {
    if (samples_)
        samples_->decRef();
    samples_ = nullptr;
}

IInputFile* FileSoundSource::createInputFile(IFileManager* fileManager) {
    return fileManager ? fileManager->openFile(name_.c_str()) : nullptr;
}

int FileSoundSource::getPlayLength() {
    if (format_.channelCount == 0 && engine_) {
        // A paused play opens (and, for sounds decoded whole, decodes) the data like any play.
        if (IPlayingSound* sound = engine_->play2D(this, false, true, false)) {
            sound->stop();
            sound->decRef();
        }
    }
    if (format_.channelCount == 0 || format_.sampleRate == 0 || format_.frameCount < 0)
        return -1;
    return static_cast<int>(format_.frameCount * 1000.0 / format_.sampleRate);
}

IPlayingSound* FileSoundSource::createSound(IFileManager* fileManager, bool playLooped,
                                            bool is3D) {
    if (!engine_)
        return nullptr;
    if (samples_)
        return engine_->createSoundFromSamples(samples_, this, playLooped, is3D,
                                               getDefaultMinDistance(), getDefaultMaxDistance());
    IInputFile* file = createInputFile(fileManager);
    if (!file) {
        logText("Could not open sound file", name_.c_str(), LOG_LEVEL_INFO);
        return nullptr;
    }
    IAudioStream* stream = engine_->openAudioStream(file);
    if (!stream) {
        file->decRef();
        return nullptr;
    }
    format_ = stream->getFormat();
    decideStreaming(SampleBuffer::getByteSizeFor(format_));
    IPlayingSound* sound =
        streaming_ == SOURCE_STREAM_ALWAYS
            ? engine_->createSoundFromStream(stream, this, playLooped, is3D,
                                             getDefaultMinDistance(), getDefaultMaxDistance())
            : createDecodedSound(stream, playLooped, is3D);
    stream->decRef();
    file->decRef();
    return sound;
}

void FileSoundSource::decideStreaming(s64 decodedBytes) {
    // The size is a signed 32-bit product, wrapping like one.
    s32 bytes = static_cast<s32>(static_cast<u32>(decodedBytes));
    bool unknownLength = format_.frameCount < 0;
    if (streaming_ == SOURCE_STREAM_AUTO) {
        streaming_ = unknownLength || bytes > autoStreamingLimit ? SOURCE_STREAM_ALWAYS
                                                                : SOURCE_STREAM_NEVER;
    } else if (streaming_ == SOURCE_STREAM_NEVER) {
        if (unknownLength || (forcedStreamingThreshold_ > 0 && bytes > forcedStreamingThreshold_)) {
            logText("No streaming was specified, but forcing to play sound streamed",
                    name_.c_str(), LOG_LEVEL_INFO);
            streaming_ = SOURCE_STREAM_ALWAYS;
        }
    }
}

IPlayingSound* FileSoundSource::createDecodedSound(IAudioStream* stream, bool playLooped,
                                                   bool is3D) {
    if (!samples_) {
        SampleBuffer* buffer = new SampleBuffer(format_);
        if (!buffer->isValid()) {
            buffer->decRef();
            return nullptr;
        }
        samples_ = buffer;
        s32 read = stream->readFrames(samples_->data, format_.frameCount);
        if (read != format_.frameCount)
            samples_->format.frameCount = read;
    }
    return engine_->createSoundFromSamples(samples_, this, playLooped, is3D,
                                           getDefaultMinDistance(), getDefaultMaxDistance());
}

MemorySoundSource::MemorySoundSource(const void* memory, int sizeInBytes, const char* name,
                                     SoundEngine* engine)
    : FileSoundSource(name, SOURCE_STREAM_NEVER, engine), memory_(memory),
      sizeInBytes_(sizeInBytes) {}

IInputFile* MemorySoundSource::createInputFile(IFileManager*) {
    // The file only reads the block; it never writes or frees it.
    return createMemoryInputFile(const_cast<void*>(memory_), sizeInBytes_, getName(), false);
}

} // namespace audio
} // namespace nox
