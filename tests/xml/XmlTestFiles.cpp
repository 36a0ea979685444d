#include "XmlTestFiles.h"

namespace dravon_test {

nox::audio::s32 MemoryOutputFile::write(const void* buffer, nox::audio::u32 sizeToWrite) {
    const std::uint8_t* from = static_cast<const std::uint8_t*>(buffer);
    bytes.insert(bytes.end(), from, from + sizeToWrite);
    return static_cast<nox::audio::s32>(sizeToWrite);
}

namespace {

template <typename Text> Bytes encode(const Text& text, int width, bool bigEndian) {
    Bytes out;
    for (auto unit : text)
        for (int i = 0; i < width; ++i) {
            int shift = 8 * (bigEndian ? width - 1 - i : i);
            out.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(unit) >> shift));
        }
    return out;
}

} // namespace

Bytes utf16(const std::u16string& text, bool bigEndian) {
    return encode(text, 2, bigEndian);
}

Bytes utf32(const std::u32string& text, bool bigEndian) {
    return encode(text, 4, bigEndian);
}

Bytes withMark(const Bytes& mark, const Bytes& text) {
    Bytes out = mark;
    out.insert(out.end(), text.begin(), text.end());
    return out;
}

} // namespace dravon_test
