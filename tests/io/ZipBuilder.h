// Builds zip archives byte by byte for the tests, and runs Debian's zip for real ones.
#ifndef DRAVON_TESTS_IO_ZIP_BUILDER_H
#define DRAVON_TESTS_IO_ZIP_BUILDER_H

#include "TestFiles.h"

#include <string>
#include <vector>

namespace dravon_test {

//! An archive of entries in the order added, with a central directory and an end record.
class ZipBuilder {
public:
    //! Bytes written before the first local header (a self-extracting stub).
    ZipBuilder& stub(const Bytes& bytes);
    //! An entry with its sizes in the local header.
    ZipBuilder& add(const std::string& name, const Bytes& data, std::uint16_t method = 0);
    //! An entry written in streaming mode: bit 3 set, zero CRC and sizes in the local header,
    //! a data descriptor (with or without its signature) after the data.
    ZipBuilder& addStreamed(const std::string& name, const Bytes& data, bool descriptorSignature);
    //! Leaves out the central directory and the end record.
    ZipBuilder& withoutCentralDirectory();
    Bytes build() const;

private:
    struct Entry {
        std::string name;
        Bytes data;
        std::uint16_t method;
        bool streamed;
        bool descriptorSignature;
    };
    Bytes stub_;
    std::vector<Entry> entries_;
    bool centralDirectory_ = true;
};

//! Runs "zip -q <arguments>" in the working directory; fails the test when zip fails.
void runZip(const std::string& arguments);
//! Runs a shell command line in the working directory; fails the test when it fails.
void runShell(const std::string& commandLine);

} // namespace dravon_test

#endif
