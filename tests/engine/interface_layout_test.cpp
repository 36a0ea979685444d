// The public interfaces are a binary contract with applications and plug-ins: their virtual
// operations must sit in their table slots in the documented order. A pointer to a virtual
// member function holds, in this compiler's ABI, 1 + the byte offset of its slot.
#include "dravon/dravon.h"
#include "io/IFileManager.h"

#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>
#include <vector>

using namespace nox::audio;

namespace {

template <typename Pmf> long slotOf(Pmf pmf) {
    static_assert(sizeof(Pmf) == 2 * sizeof(std::uintptr_t), "two-word member pointers");
    std::uintptr_t words[2];
    std::memcpy(words, &pmf, sizeof words);
    EXPECT_EQ(words[0] & 1, 1u) << "not a virtual function";
    return static_cast<long>((words[0] - 1) / sizeof(void*));
}

//! The slots relative to the first one: 0, 1, 2... when the order is right.
std::vector<long> relative(const std::vector<long>& slots) {
    std::vector<long> result;
    for (long slot : slots)
        result.push_back(slot - slots.front());
    return result;
}

std::vector<long> counting(long n) {
    std::vector<long> result;
    for (long i = 0; i < n; ++i)
        result.push_back(i);
    return result;
}

typedef ISoundEngine E;

} // namespace

TEST(InterfaceLayout, SoundEngineOperationsStartTheTableInOrder) {
    const std::vector<long> slots = {
        slotOf(static_cast<IPlayingSound* (E::*)(ISoundSource*, bool, bool, bool)>(&E::play2D)),
        slotOf(static_cast<IPlayingSound* (E::*)(const char*, bool, bool, bool, int)>(&E::play2D)),
        slotOf(static_cast<IPlayingSound* (E::*)(ISoundSource*, Vector3, bool, bool, bool)>(
            &E::play3D)),
        slotOf(static_cast<IPlayingSound* (E::*)(const char*, Vector3, bool, bool, bool, int)>(
            &E::play3D)),
        slotOf(&E::stopAllSounds),
        slotOf(&E::setAllSoundsPaused),
        slotOf(static_cast<ISoundSource* (E::*)(int)>(&E::getSoundSource)),
        slotOf(static_cast<ISoundSource* (E::*)(const char*)>(&E::getSoundSource)),
        slotOf(&E::getSoundSourceCount),
        slotOf(&E::addSoundSourceFromMemory),
        slotOf(&E::addSoundSourceFromFile),
        slotOf(static_cast<void (E::*)(const char*)>(&E::removeSoundSource)),
        slotOf(static_cast<void (E::*)(ISoundSource*)>(&E::removeSoundSource)),
        slotOf(&E::removeAllSoundSources),
        slotOf(&E::setSoundVolume),
        slotOf(&E::getSoundVolume),
        slotOf(&E::setListenerPosition),
        slotOf(&E::update),
        slotOf(static_cast<bool (E::*)(ISoundSource*)>(&E::isCurrentlyPlaying)),
        slotOf(static_cast<bool (E::*)(const char*)>(&E::isCurrentlyPlaying)),
        slotOf(&E::registerAudioStreamLoader),
        slotOf(&E::isMultiThreaded),
        slotOf(&E::addFileProvider),
        slotOf(&E::setDefault3DSoundMinDistance),
        slotOf(&E::getDefault3DSoundMinDistance),
        slotOf(&E::setDefault3DSoundMaxDistance),
        slotOf(&E::getDefault3DSoundMaxDistance),
        slotOf(&E::playMusic),
        slotOf(&E::getMusicStub),
        slotOf(&E::setSpareFactor),
        slotOf(&E::getSpareFactor),
        slotOf(&E::createSoundFromSamples),
        slotOf(&E::createSoundFromStream),
        slotOf(&E::initDriver),
        slotOf(&E::updateDriver),
        slotOf(&E::updateSounds),
    };
    EXPECT_EQ(slots.front(), 0) << "the engine's own operations come first";
    EXPECT_EQ(relative(slots), counting(36));
}

TEST(InterfaceLayout, SoundSourceOperationsFollowTheDestructor) {
    typedef ISoundSource S;
    const std::vector<long> slots = {
        slotOf(&S::getName),
        slotOf(&S::getStreamMode),
        slotOf(&S::getPlayLength),
        slotOf(&S::setDefaultMinDistance),
        slotOf(&S::getDefaultMinDistance),
        slotOf(&S::setDefaultMaxDistance),
        slotOf(&S::getDefaultMaxDistance),
        slotOf(&S::forgetSampleData),
        slotOf(&S::setForcedStreamingThreshold),
        slotOf(&S::getForcedStreamingThreshold),
        slotOf(&S::createInputFile),
    };
    EXPECT_EQ(relative(slots), counting(11));
}

TEST(InterfaceLayout, PlayingSoundOperationsFollowTheCountingBase) {
    typedef IPlayingSound P;
    const std::vector<long> slots = {
        slotOf(&P::getSoundSourceOf),
        slotOf(&P::setIsPaused),
        slotOf(&P::getIsPaused),
        slotOf(&P::stop),
        slotOf(&P::getVolume),
        slotOf(&P::setVolume),
        slotOf(&P::setPan),
        slotOf(&P::getPan),
        slotOf(&P::isLooped),
        slotOf(&P::isFinished),
        slotOf(&P::setMinDistance),
        slotOf(&P::getMinDistance),
        slotOf(&P::setMaxDistance),
        slotOf(&P::getMaxDistance),
        slotOf(&P::setPosition3D),
        slotOf(&P::getPosition3D),
        slotOf(&P::getPlayPosition),
        slotOf(&P::getPlayLength),
        slotOf(&P::updateListener),
        slotOf(&P::hasEnded),
        slotOf(&P::onPause),
        slotOf(&P::onResume),
        slotOf(&P::onStop),
        slotOf(&P::setEffectivePan),
        slotOf(&P::setEffectiveVolume),
    };
    EXPECT_EQ(relative(slots), counting(25));
    // The counting base comes first: its destructor (two entries here), incRef, decRef.
    EXPECT_EQ(slotOf(&ISoundRefCount::incRef), 2);
    EXPECT_EQ(slotOf(&ISoundRefCount::decRef), 3);
    EXPECT_EQ(slots.front(), 4);
}

TEST(InterfaceLayout, StreamsLoadersFilesAndProviders) {
    EXPECT_EQ(relative({slotOf(&IAudioStream::getFormat), slotOf(&IAudioStream::setPosition),
                        slotOf(&IAudioStream::readFrames)}),
              counting(3));
    EXPECT_EQ(relative({slotOf(&IAudioStreamLoader::isALoadableFileExtension),
                        slotOf(&IAudioStreamLoader::createAudioStream)}),
              counting(2));
    EXPECT_EQ(relative({slotOf(&IInputFile::read), slotOf(&IInputFile::seek),
                        slotOf(&IInputFile::getSize), slotOf(&IInputFile::getPos),
                        slotOf(&IInputFile::getFileName)}),
              counting(5));
    EXPECT_EQ(slotOf(&IFileProvider::openFile), slotOf(&IInputFile::read))
        << "both start right after the same base layout";
}

TEST(InterfaceLayout, FileManagerOperationsInOrder) {
    typedef IFileManager F;
    const std::vector<long> slots = {
        slotOf(&F::openFile),
        slotOf(&F::openOutputFile),
        slotOf(&F::addZipArchive),
        slotOf(&F::getFileDirectory),
        slotOf(&F::getFileBaseName),
        slotOf(&F::getWorkingDirectory),
        slotOf(&F::changeWorkingDirectory),
        slotOf(&F::createDirectory),
        slotOf(&F::createDirectoryListing),
        slotOf(&F::fileExists),
        slotOf(static_cast<IXmlReader16* (F::*)(IInputFile*)>(&F::createXmlReader)),
        slotOf(static_cast<IXmlReader16* (F::*)(const char*)>(&F::createXmlReader)),
        slotOf(static_cast<IXmlReader8* (F::*)(IInputFile*)>(&F::createXmlReaderUtf8)),
        slotOf(static_cast<IXmlReader8* (F::*)(const char*)>(&F::createXmlReaderUtf8)),
        slotOf(static_cast<IXmlWriter* (F::*)(IOutputFile*)>(&F::createXmlWriter)),
        slotOf(static_cast<IXmlWriter* (F::*)(const char*)>(&F::createXmlWriter)),
        slotOf(&F::createAttributeSet),
        slotOf(&F::addFileProvider),
    };
    EXPECT_EQ(relative(slots), counting(18));
}
