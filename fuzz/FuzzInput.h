// Turns a fuzzer's input into the library's input files.
#ifndef DRAVON_FUZZ_FUZZ_INPUT_H
#define DRAVON_FUZZ_FUZZ_INPUT_H

#include "io/MemoryInputFile.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace dravon_fuzz {

//! A memory file owning a copy of `size` bytes at `data`.
inline nox::audio::IInputFile* inputFile(const std::uint8_t* data, std::size_t size) {
    nox::audio::u8* copy = new nox::audio::u8[size + 1];
    if (size > 0)
        std::memcpy(copy, data, size);
    return nox::audio::createMemoryInputFile(copy, static_cast<nox::audio::s32>(size), "fuzz",
                                             true);
}

} // namespace dravon_fuzz

#endif
