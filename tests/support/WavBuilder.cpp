#include "WavBuilder.h"

namespace dravon_test {

void putU16(Bytes& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void putU32(Bytes& out, std::uint32_t value) {
    putU16(out, value & 0xFFFF);
    putU16(out, value >> 16);
}

void putText(Bytes& out, const char* fourCharacters) {
    // Byte by byte: GCC 12 at -O3 misreads a range insert into a vector that has just grown
    // and reports a false buffer overflow.
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(fourCharacters[i]));
}

WavBuilder& WavBuilder::fmt(std::uint32_t tag, std::uint32_t channels, std::uint32_t rate,
                            std::uint32_t bits, std::uint32_t size) {
    Bytes contents;
    putU16(contents, tag);
    putU16(contents, channels);
    putU32(contents, rate);
    std::uint32_t blockAlign = channels * ((bits + 7) / 8);
    putU32(contents, rate * blockAlign);
    putU16(contents, blockAlign);
    putU16(contents, bits);
    contents.resize(size, 0);
    return chunk("fmt ", contents);
}

WavBuilder& WavBuilder::data(const Bytes& samples, long long declaredSize) {
    putText(chunks_, "data");
    putU32(chunks_, declaredSize < 0 ? static_cast<std::uint32_t>(samples.size())
                                     : static_cast<std::uint32_t>(declaredSize));
    chunks_.insert(chunks_.end(), samples.begin(), samples.end());
    return *this;
}

WavBuilder& WavBuilder::chunk(const char* id, const Bytes& contents) {
    putText(chunks_, id);
    putU32(chunks_, static_cast<std::uint32_t>(contents.size()));
    chunks_.insert(chunks_.end(), contents.begin(), contents.end());
    return *this;
}

Bytes WavBuilder::build() const {
    Bytes file;
    putText(file, "RIFF");
    putU32(file, static_cast<std::uint32_t>(4 + chunks_.size()));
    putText(file, "WAVE");
    file.insert(file.end(), chunks_.begin(), chunks_.end());
    return file;
}

Bytes bytesOf(const std::vector<std::int16_t>& samples) {
    Bytes bytes;
    for (std::int16_t s : samples)
        putU16(bytes, static_cast<std::uint16_t>(s));
    return bytes;
}

Bytes makeWav16(std::uint32_t channels, std::uint32_t rate,
                const std::vector<std::int16_t>& samples) {
    return WavBuilder().fmt(1, channels, rate, 16).data(bytesOf(samples)).build();
}

Bytes makeWav8(std::uint32_t channels, std::uint32_t rate, const Bytes& samples) {
    return WavBuilder().fmt(1, channels, rate, 8).data(samples).build();
}

std::vector<std::int16_t> patternSamples(std::size_t count) {
    std::vector<std::int16_t> samples(count);
    for (std::size_t i = 0; i < count; ++i)
        samples[i] = static_cast<std::int16_t>(static_cast<std::uint16_t>(i * 37 + 11));
    return samples;
}

} // namespace dravon_test
