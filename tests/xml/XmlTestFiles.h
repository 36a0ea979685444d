// Text encodings and an output file in memory for the XML and attribute tests.
#ifndef DRAVON_TESTS_XML_XML_TEST_FILES_H
#define DRAVON_TESTS_XML_XML_TEST_FILES_H

#include "TestFiles.h"

#include "core/IOutputFile.h"

#include <string>

namespace dravon_test {

//! An output file that collects what is written.
class MemoryOutputFile : public nox::audio::IOutputFile {
public:
    nox::audio::s32 write(const void* buffer, nox::audio::u32 sizeToWrite) override;
    bool seek(nox::audio::s32, bool) override { return false; }
    nox::audio::s32 getPos() override { return static_cast<nox::audio::s32>(bytes.size()); }
    const char* getFileName() override { return "memory.xml"; }
    Bytes bytes;
};

//! Each unit as two bytes, little-endian (big-endian when `bigEndian`), without a mark.
Bytes utf16(const std::u16string& text, bool bigEndian = false);
//! Each code point as four bytes.
Bytes utf32(const std::u32string& text, bool bigEndian = false);
//! The bytes of `text` after the bytes of `mark`.
Bytes withMark(const Bytes& mark, const Bytes& text);

} // namespace dravon_test

#endif
