#include "EngineFixtures.h"

#include "io/IFileManager.h"

#include <cstring>

namespace dravon_test {

RecordingEngine::RecordingEngine(int options) : SoundEngine(createFileManager(), options, false) {
    // The constructor referenced the manager; drop the creating reference.
    getFileManager()->decRef();
    startUpdateThreadIfMultithreaded();
}

RecordingEngine::~RecordingEngine() {
    stopUpdateThread();
}

IPlayingSound* RecordingEngine::createSoundFromSamples(SampleBuffer*, ISoundSource* source,
                                                       bool playLooped, bool is3D,
                                                       float minDistance, float maxDistance) {
    return record(source, playLooped, is3D, minDistance, maxDistance, false);
}

IPlayingSound* RecordingEngine::createSoundFromStream(IAudioStream*, ISoundSource* source,
                                                      bool playLooped, bool is3D, float minDistance,
                                                      float maxDistance) {
    return record(source, playLooped, is3D, minDistance, maxDistance, true);
}

IPlayingSound* RecordingEngine::record(ISoundSource* source, bool playLooped, bool is3D,
                                       float minDistance, float maxDistance, bool fromStream) {
    if (!makeSounds)
        return nullptr;
    std::lock_guard<std::mutex> guard(madeLock_);
    made.push_back(new CountedSound(this, source, playLooped, is3D, minDistance, maxDistance));
    madeFromStream.push_back(fromStream);
    return made.back();
}

void RecordingEngine::updateDriver() {
    ++passes;
    SoundEngine::updateDriver();
}

void MemoryProvider::add(const std::string& name, const Bytes& bytes) {
    entries_.emplace_back(name, bytes);
}

IInputFile* MemoryProvider::openFile(const char* fileName) {
    for (Entry& entry : entries_) {
        if (entry.name == fileName) {
            ++entry.opened;
            return createMemoryInputFile(entry.bytes.data(), static_cast<s32>(entry.bytes.size()),
                                         fileName, false);
        }
    }
    return nullptr;
}

int MemoryProvider::opened(const std::string& name) const {
    for (const Entry& entry : entries_)
        if (entry.name == name)
            return entry.opened;
    return 0;
}

s32 FakeStream::readFrames(void* target, s32 frameCount) {
    s32 count = frameCount < left_ ? frameCount : left_;
    if (count <= 0)
        return 0;
    std::memset(target, 0x5A, static_cast<std::size_t>(count) * format_.getBytesPerFrame());
    left_ -= count;
    return count;
}

bool FakeStreamLoader::isALoadableFileExtension(const char* fileName) {
    journal_->push_back(name_ + " ext " + fileName);
    return std::strstr(fileName, extension_.c_str()) != nullptr;
}

IAudioStream* FakeStreamLoader::createAudioStream(IInputFile* file) {
    journal_->push_back(name_ + " open at " + std::to_string(file->getPos()));
    u8 header[24] = {};
    if (file->read(header, 24) != 24 || std::memcmp(header, magic_.data(), 4) != 0)
        return nullptr;
    s32 values[5];
    std::memcpy(values, header + 4, sizeof values);
    AudioStreamFormat format;
    format.channelCount = values[0];
    format.frameCount = values[1];
    format.sampleRate = values[2];
    format.sampleFormat = values[3];
    return new FakeStream(format, values[4]);
}

Bytes fakeStreamFile(s32 channels, s32 frames, s32 rate, s32 sampleFormat, s32 deliver,
                     const char* magic) {
    Bytes bytes(magic, magic + 4);
    for (s32 value : {channels, frames, rate, sampleFormat, deliver})
        putU32(bytes, static_cast<u32>(value));
    return bytes;
}

void EngineTest::SetUp() {
    StdoutCapture quiet;
    engine = new RecordingEngine();
    provider = new MemoryProvider();
    provider->add("tone.fake", fakeStreamFile(2, 100, 44100, ESF_S16, 100));
    engine->addFileProvider(provider);
    loader = new FakeStreamLoader("fake", ".fake", &journal);
    engine->registerAudioStreamLoader(loader);
}

void EngineTest::TearDown() {
    loader->decRef();
    provider->decRef();
    if (engine)
        engine->decRef();
}

CountedSound* EngineTest::playTracked(bool paused) {
    IPlayingSound* sound = api()->play2D("tone.fake", false, paused, true);
    EXPECT_NE(sound, nullptr);
    return static_cast<CountedSound*>(sound);
}

CountedSound* EngineTest::playTracked3D(Vector3 position) {
    IPlayingSound* sound = api()->play3D("tone.fake", position, false, false, true);
    EXPECT_NE(sound, nullptr);
    return static_cast<CountedSound*>(sound);
}

} // namespace dravon_test
