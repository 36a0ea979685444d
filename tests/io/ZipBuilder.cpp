#include "ZipBuilder.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace dravon_test {

namespace {

std::uint32_t crc32Of(const Bytes& data) {
    std::uint32_t crc = 0xFFFFFFFF;
    for (std::uint8_t byte : data) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320 & (0u - (crc & 1)));
    }
    return ~crc;
}

void append(Bytes& out, const Bytes& bytes) {
    out.insert(out.end(), bytes.begin(), bytes.end());
}

void append(Bytes& out, const std::string& text) {
    out.insert(out.end(), text.begin(), text.end());
}

} // namespace

ZipBuilder& ZipBuilder::stub(const Bytes& bytes) {
    stub_ = bytes;
    return *this;
}

ZipBuilder& ZipBuilder::add(const std::string& name, const Bytes& data, std::uint16_t method) {
    entries_.push_back({name, data, method, false, false});
    return *this;
}

ZipBuilder& ZipBuilder::addStreamed(const std::string& name, const Bytes& data,
                                    bool descriptorSignature) {
    entries_.push_back({name, data, 0, true, descriptorSignature});
    return *this;
}

ZipBuilder& ZipBuilder::withoutCentralDirectory() {
    centralDirectory_ = false;
    return *this;
}

Bytes ZipBuilder::build() const {
    Bytes out = stub_;
    Bytes central;
    for (const Entry& entry : entries_) {
        std::uint32_t offset = static_cast<std::uint32_t>(out.size());
        std::uint32_t crc = crc32Of(entry.data);
        std::uint32_t size = static_cast<std::uint32_t>(entry.data.size());
        std::uint16_t flags = entry.streamed ? 8 : 0;
        putU32(out, 0x04034b50);
        putU16(out, 10);
        putU16(out, flags);
        putU16(out, entry.method);
        putU32(out, 0); // time and date
        putU32(out, entry.streamed ? 0 : crc);
        putU32(out, entry.streamed ? 0 : size);
        putU32(out, entry.streamed ? 0 : size);
        putU16(out, static_cast<std::uint32_t>(entry.name.size()));
        putU16(out, 0);
        append(out, entry.name);
        append(out, entry.data);
        if (entry.streamed) {
            if (entry.descriptorSignature)
                putU32(out, 0x08074b50);
            putU32(out, crc);
            putU32(out, size);
            putU32(out, size);
        }
        putU32(central, 0x02014b50);
        putU16(central, 20);
        putU16(central, 10);
        putU16(central, flags);
        putU16(central, entry.method);
        putU32(central, 0);
        putU32(central, crc);
        putU32(central, size);
        putU32(central, size);
        putU16(central, static_cast<std::uint32_t>(entry.name.size()));
        putU16(central, 0); // extra field
        putU16(central, 0); // comment
        putU16(central, 0); // disk
        putU16(central, 0); // internal attributes
        putU32(central, 0); // external attributes
        putU32(central, offset);
        append(central, entry.name);
    }
    if (!centralDirectory_)
        return out;
    std::uint32_t centralOffset = static_cast<std::uint32_t>(out.size());
    append(out, central);
    putU32(out, 0x06054b50);
    putU32(out, 0); // disk numbers
    putU16(out, static_cast<std::uint32_t>(entries_.size()));
    putU16(out, static_cast<std::uint32_t>(entries_.size()));
    putU32(out, static_cast<std::uint32_t>(central.size()));
    putU32(out, centralOffset);
    putU16(out, 0);
    return out;
}

void runZip(const std::string& arguments) {
    runShell("zip -q " + arguments);
}

void runShell(const std::string& commandLine) {
    ASSERT_EQ(std::system(commandLine.c_str()), 0) << commandLine;
}

} // namespace dravon_test
