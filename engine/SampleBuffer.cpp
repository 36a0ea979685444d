#include "SampleBuffer.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace nox {
namespace audio {

namespace {

// A decode starts with room for this many bytes, and doubles it whenever the stream fills it.
const s64 firstBlockBytes = 256 * 1024;

// The next size, in frames, of a block of `capacity` frames that is full, never more than
// `limit`.
s32 grownCapacity(s32 capacity, s32 limit, s32 frameBytes) {
    s64 next = capacity == 0 ? firstBlockBytes / frameBytes : 2 * static_cast<s64>(capacity);
    if (next < 1)
        next = 1;
    return next < limit ? static_cast<s32>(next) : limit;
}

std::size_t bytesOf(s32 frames, s32 frameBytes) {
    return static_cast<std::size_t>(frames) * static_cast<std::size_t>(frameBytes);
}

} // namespace

s64 SampleBuffer::getByteSizeFor(const AudioStreamFormat& format) {
    if (format.frameCount < 0 || format.channelCount < 0)
        return -1;
    return static_cast<s64>(format.frameCount) * format.channelCount * format.getBytesPerSample();
}

SampleBuffer::SampleBuffer(const AudioStreamFormat& format_, const void* initialData)
    : format(format_) {
    s64 bytes = getByteSizeFor(format);
    if (bytes < 0 || static_cast<u64>(bytes) > static_cast<u64>(SIZE_MAX)) {
        valid_ = false;
        return;
    }
    if (bytes == 0)
        return;
    data = static_cast<u8*>(initialData ? std::malloc(static_cast<std::size_t>(bytes))
                                        : std::calloc(static_cast<std::size_t>(bytes), 1));
    if (!data) {
        valid_ = false;
        return;
    }
    if (initialData)
        std::memcpy(data, initialData, static_cast<std::size_t>(bytes));
}

SampleBuffer::~SampleBuffer() {
    std::free(data);
}

SampleBuffer* SampleBuffer::readWhole(IAudioStream* stream, const AudioStreamFormat& format) {
    const s32 frameBytes = format.getBytesPerFrame();
    const s32 limit = format.frameCount;
    u8* frames = nullptr;
    s32 capacity = 0;
    s32 filled = 0;
    while (filled < limit) {
        if (filled == capacity) {
            s32 next = grownCapacity(capacity, limit, frameBytes);
            u8* grown = static_cast<u8*>(std::realloc(frames, bytesOf(next, frameBytes)));
            if (!grown) {
                std::free(frames);
                return nullptr;
            }
            frames = grown;
            capacity = next;
        }
        s32 read = stream->readFrames(frames + bytesOf(filled, frameBytes), capacity - filled);
        if (read <= 0)
            break;
        filled += read < capacity - filled ? read : capacity - filled;
    }
    // Give back the room the stream did not fill.
    if (filled == 0) {
        std::free(frames);
        frames = nullptr;
    } else if (filled < capacity) {
        if (u8* shrunk = static_cast<u8*>(std::realloc(frames, bytesOf(filled, frameBytes))))
            frames = shrunk;
    }
    AudioStreamFormat delivered = format;
    delivered.frameCount = filled;
    return new SampleBuffer(delivered, frames);
}

} // namespace audio
} // namespace nox
