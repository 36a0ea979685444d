#include "WavAudioStream.h"

#include "core/LittleEndian.h"
#include "core/String.h"
#include "platform/system/Logger.h"

#include <cstring>

namespace nox {
namespace audio {

namespace {

struct TagName {
    u32 tag;
    const char* name;
};

const TagName tagNames[] = {
    {2, "MS ADPCM"},
    {5, "IBM CVSD"},
    {6, "ALAW"},
    {7, "MULAW"},
    {16, "OKI ADPCM"},
    {17, "DVI/IMA ADPCM"},
    {18, "MEDIASPACE ADPCM"},
    {19, "SIERRA ADPCM"},
    {20, "G723 ADPCM"},
    {21, "DIGISTD"},
    {22, "DIGIFIX"},
    {23, "DIALOGIC OKI ADPCM"},
    {32, "YAMAHA ADPCM"},
    {33, "SONARC"},
    {34, "DSPGROUP TRUESPEECH"},
    {35, "ECHOSC1"},
    {36, "AUDIOFILE AF36"},
    {37, "APTX"},
    {38, "AUDIOFILE AF10"},
    {48, "DOLBY AC2"},
    {49, "GSM610"},
    {51, "ANTEX ADPCME"},
    {52, "CONTROL RES VQLPC"},
    {53, "CONTROL RES VQLPC"},
    {54, "DIGIADPCM"},
    {55, "CONTROL RES CR10"},
    {56, "NMS VBXADPCM"},
    {57, "CS IMAADPCM"},
    {64, "G721 ADPCM"},
    {80, "MPEG"},
    {82, "RT24"},
    {85, "MPEGLAYER3"},
    {98, "VOXWARE"},
    {257, "IBM mu-law"},
    {258, "IBM a-law"},
    {259, "IBM AVC ADPCM"},
    {512, "CREATIVE ADPCM"},
    {514, "CREATIVE FASTSPEECH8"},
    {515, "CREATIVE FASTSPEECH10"},
    {768, "FM TOWNS SND"},
    {4096, "OLIGSM"},
    {4097, "OLIADPCM"},
    {4098, "OLICELP"},
    {4099, "OLISBC"},
    {4100, "OLIOPR"},
};

void logWithNumber(const char* text, s32 number) {
    CharString line(text);
    line.append(CharString(number));
    logText(line.c_str(), LOG_LEVEL_INFO);
}

// Reads a chunk header; false unless all 8 bytes arrived.
bool readChunkHeader(IInputFile* file, u8 identifier[4], u32& size) {
    u8 sizeBytes[4] = {};
    s32 got = file->read(identifier, 4);
    got += file->read(sizeBytes, 4);
    size = readU32(sizeBytes);
    return got == 8;
}

// Skips a chunk's contents. A size that is negative as a signed number would move backwards
// and could revisit the same header for ever, so it counts as a failed seek.
bool skipChunk(IInputFile* file, u32 size) {
    return static_cast<s32>(size) >= 0 && file->seek(static_cast<s32>(size), true);
}

} // namespace

const char* getWaveFormatTagName(u32 tag) {
    for (const TagName& entry : tagNames)
        if (entry.tag == tag)
            return entry.name;
    return nullptr;
}

WavAudioStream::WavAudioStream(IInputFile* file) : file_(file) {
    if (!file_)
        return;
    file_->incRef();
    readHeader();
}

WavAudioStream::~WavAudioStream() {
    if (file_)
        file_->decRef();
}

void WavAudioStream::dropFile() {
    file_->decRef();
    file_ = nullptr;
}

bool WavAudioStream::readHeader() {
    u8 riff[4] = {}, riffSize[4] = {}, wave[4] = {};
    file_->read(riff, 4);
    file_->read(riffSize, 4);
    file_->read(wave, 4);
    if (readU32(riffSize) == 0 || std::memcmp(riff, "RIFF", 4) != 0 ||
        std::memcmp(wave, "WAVE", 4) != 0) {
        logText("Unknown wave header in file", LOG_LEVEL_INFO);
        dropFile();
        return false;
    }
    u32 formatSize = 0;
    if (!findFormatChunk(formatSize) || !readFormat(formatSize)) {
        logText("Wave file has unknown or not supported format.", LOG_LEVEL_INFO);
        dropFile();
        return false;
    }
    // The data chunk may come before the format chunk: search again from the first chunk.
    file_->seek(12, false);
    if (!findDataChunk()) {
        logText("Wave file has no data chunk.", LOG_LEVEL_INFO);
        dropFile();
        return false;
    }
    return true;
}

bool WavAudioStream::findFormatChunk(u32& chunkSize) {
    u8 identifier[4] = {};
    while (readChunkHeader(file_, identifier, chunkSize)) {
        if (std::memcmp(identifier, "fmt ", 4) == 0 && static_cast<s32>(chunkSize) >= 16)
            return true;
        if (!skipChunk(file_, chunkSize))
            return false;
    }
    return false;
}

bool WavAudioStream::readFormat(u32 chunkSize) {
    u8 contents[16];
    if (file_->read(contents, 16) < 16)
        return false;
    u32 tag = readU16(contents);
    s32 channels = static_cast<s32>(readU16(contents + 2));
    s32 rate = static_cast<s32>(readU32(contents + 4));
    s32 bits = static_cast<s32>(readU16(contents + 14));
    if (tag != 1) {
        CharString line("Wave file has an unsupported format: ");
        const char* name = getWaveFormatTagName(tag);
        line.append(name ? CharString(name) : CharString(static_cast<s32>(tag)));
        line.append(" (only PCM supported currently)");
        logText(line.c_str(), LOG_LEVEL_INFO);
        return false;
    }
    // No channels at all would make a frame zero bytes long; refuse it like too many.
    if (channels > 2 || channels == 0) {
        logWithNumber("Wave file has an unsupported amount of channels 2 channels: ", channels);
        return false;
    }
    if (bits != 8 && bits != 16) {
        logWithNumber("Wave file has an unsupported bits per sample size: ", bits);
        return false;
    }
    format_.channelCount = channels;
    format_.frameCount = 0;
    format_.sampleRate = rate;
    format_.sampleFormat = bits == 16 ? ESF_S16 : ESF_U8;
    return file_->seek(static_cast<s32>(chunkSize - 16), true);
}

bool WavAudioStream::findDataChunk() {
    u8 identifier[4] = {};
    u32 size = 0;
    while (readChunkHeader(file_, identifier, size)) {
        if (std::memcmp(identifier, "data", 4) == 0) {
            dataStart_ = file_->getPos();
            format_.frameCount = static_cast<s32>(size) / format_.getBytesPerFrame();
            return true;
        }
        if (!skipChunk(file_, size))
            return false;
    }
    return false;
}

bool WavAudioStream::setPosition(s32) {
    return file_ && file_->seek(dataStart_, false);
}

s32 WavAudioStream::readFrames(void* target, s32 frameCount) {
    if (!file_ || frameCount <= 0)
        return 0;
    s64 bytesPerFrame = format_.getBytesPerFrame();
    s64 wanted = bytesPerFrame * frameCount;
    s64 end = dataStart_ + format_.frameCount * bytesPerFrame;
    s64 position = file_->getPos();
    // A data size of 2 GB or more reads as negative and puts the end before the data: nothing is
    // delivered rather than a negative amount.
    if (position + wanted > end)
        wanted = end > position ? end - position : 0;
    if (wanted == 0)
        return 0;
    return file_->read(target, static_cast<u32>(wanted)) / static_cast<s32>(bytesPerFrame);
}

} // namespace audio
} // namespace nox
