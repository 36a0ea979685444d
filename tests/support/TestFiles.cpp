#include "TestFiles.h"

#include "io/MemoryInputFile.h"

#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace dravon_test {

void writeFile(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

Bytes readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

nox::audio::IInputFile* memoryFile(const Bytes& bytes, const char* name) {
    nox::audio::u8* copy = new nox::audio::u8[bytes.size() + 1];
    if (!bytes.empty())
        std::memcpy(copy, bytes.data(), bytes.size());
    return nox::audio::createMemoryInputFile(copy, static_cast<nox::audio::s32>(bytes.size()), name,
                                             true);
}

std::string systemFile(const std::string& path) {
    std::ifstream probe(path, std::ios::binary);
    EXPECT_TRUE(probe.good()) << path << " is missing: run scripts/install-deps.sh";
    return path;
}

} // namespace dravon_test
