#include "WavFileAudioOutput.h"

#include <cstring>
#include <limits>
#include <vector>

namespace nox {
namespace audio {

namespace {

const u32 ticksPerSecond = 100;
const u32 headerBytes = 44;
const u16 pcmFormatTag = 1;
// The RIFF size field counts everything after itself and is 32 bits wide.
const u32 maxDataBytes = std::numeric_limits<u32>::max() - (headerBytes - 8);

void putU16(u8*& out, u32 value) {
    *out++ = static_cast<u8>(value);
    *out++ = static_cast<u8>(value >> 8);
}

void putU32(u8*& out, u32 value) {
    putU16(out, value & 0xFFFF);
    putU16(out, value >> 16);
}

void putTag(u8*& out, const char* tag) {
    std::memcpy(out, tag, 4);
    out += 4;
}

} // namespace

E_AUDIO_OUTPUT_RESULT WavFileAudioOutput::open(const AudioOutputFormat& format) {
    file_ = std::fopen(path_.c_str(), "wb");
    if (!file_)
        return AUDIO_OUTPUT_NOT_FOUND;
    format_ = format;
    dataBytes_ = 0;
    writeHeader();
    return AUDIO_OUTPUT_OK;
}

void WavFileAudioOutput::writeHeader() {
    u8 header[headerBytes];
    u8* out = header;
    putTag(out, "RIFF");
    putU32(out, dataBytes_ + headerBytes - 8);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    putU32(out, 16);
    putU16(out, pcmFormatTag);
    putU16(out, format_.channelCount);
    putU32(out, format_.sampleRate);
    putU32(out, format_.sampleRate * format_.getBytesPerFrame());
    putU16(out, format_.getBytesPerFrame());
    putU16(out, format_.bitsPerSample);
    putTag(out, "data");
    putU32(out, dataBytes_);
    std::fseek(file_, 0, SEEK_SET);
    std::fwrite(header, 1, headerBytes, file_);
    std::fseek(file_, 0, SEEK_END);
}

void WavFileAudioOutput::writeData(const u8* bytes, s32 count) {
    u32 room = maxDataBytes - dataBytes_;
    u32 length = static_cast<u32>(count) < room ? static_cast<u32>(count) : room;
    dataBytes_ += static_cast<u32>(std::fwrite(bytes, 1, length, file_));
}

void WavFileAudioOutput::play(AudioFeed& feed) {
    s32 tickBytes =
        static_cast<s32>(format_.sampleRate / ticksPerSecond * format_.getBytesPerFrame());
    std::vector<u8> tick(static_cast<size_t>(tickBytes));
    while (feed.waitForBytes()) {
        if (!playUntilRestart(feed, tick.data(), tickBytes))
            return;
    }
}

bool WavFileAudioOutput::playUntilRestart(AudioFeed& feed, u8* tick, s32 tickBytes) {
    const auto tickLength = std::chrono::microseconds(1000000 / ticksPerSecond);
    // Like a device, start one tick after the first bytes, so that what a client feeds in one
    // go is all there when playing begins.
    const u32 epoch = feed.getEpoch();
    auto deadline = std::chrono::steady_clock::now() + tickLength;
    if (!feed.sleepUntil(deadline))
        return false;
    AudioFeed::Chunk chunk = feed.peek(tick, tickBytes);
    while (chunk.epoch == epoch) {
        std::memset(tick + chunk.bytes, 0, static_cast<size_t>(tickBytes - chunk.bytes));
        writeData(tick, tickBytes);
        deadline += tickLength;
        if (!feed.sleepUntil(deadline))
            return false;
        feed.take(chunk);
        chunk = feed.peek(tick, tickBytes);
    }
    return true;
}

void WavFileAudioOutput::close() {
    if (!file_)
        return;
    writeHeader();
    std::fclose(file_);
    file_ = nullptr;
}

} // namespace audio
} // namespace nox
