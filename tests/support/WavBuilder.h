// Builds RIFF WAVE files byte by byte, including malformed ones.
#ifndef DRAVON_TESTS_WAV_BUILDER_H
#define DRAVON_TESTS_WAV_BUILDER_H

#include <cstdint>
#include <string>
#include <vector>

namespace dravon_test {

typedef std::vector<std::uint8_t> Bytes;

//! Appends little-endian values to a byte vector.
void putU16(Bytes& out, std::uint32_t value);
void putU32(Bytes& out, std::uint32_t value);
void putText(Bytes& out, const char* fourCharacters);

//! A WAVE file assembled from chunks in the order they are added.
class WavBuilder {
public:
    //! Adds a "fmt " chunk of `size` bytes (16 or more; extra bytes are zero).
    WavBuilder& fmt(std::uint32_t tag, std::uint32_t channels, std::uint32_t rate,
                    std::uint32_t bits, std::uint32_t size = 16);
    //! Adds a "data" chunk holding `samples`, with a declared size of `declaredSize` bytes when
    //! given (so the file may be shorter than it claims).
    WavBuilder& data(const Bytes& samples, long long declaredSize = -1);
    //! Adds any chunk; an odd size gets no pad byte.
    WavBuilder& chunk(const char* id, const Bytes& contents);
    //! The whole file: "RIFF", size, "WAVE", the chunks.
    Bytes build() const;

private:
    Bytes chunks_;
};

//! A PCM WAVE file of 16-bit frames with the given interleaved samples.
Bytes makeWav16(std::uint32_t channels, std::uint32_t rate,
                const std::vector<std::int16_t>& samples);
//! A PCM WAVE file of 8-bit frames.
Bytes makeWav8(std::uint32_t channels, std::uint32_t rate, const Bytes& samples);
//! `count` interleaved samples of a recognisable pattern: sample i is (i * 37 + 11) wrapped.
std::vector<std::int16_t> patternSamples(std::size_t count);
//! Little-endian bytes of 16-bit samples.
Bytes bytesOf(const std::vector<std::int16_t>& samples);

} // namespace dravon_test

#endif
