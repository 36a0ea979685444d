#include "SampleBuffer.h"

#include <cstdint>
#include <cstring>
#include <new>

namespace nox {
namespace audio {

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
    data = new (std::nothrow) u8[static_cast<std::size_t>(bytes)];
    if (!data) {
        valid_ = false;
        return;
    }
    if (initialData)
        std::memcpy(data, initialData, static_cast<std::size_t>(bytes));
    else
        std::memset(data, 0, static_cast<std::size_t>(bytes));
}

SampleBuffer::~SampleBuffer() { delete[] data; }

} // namespace audio
} // namespace nox
