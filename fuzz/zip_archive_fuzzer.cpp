// The zip scan, the lookup and the reading of every entry, over arbitrary archives.
#include "FuzzInput.h"

#include "io/ZipArchiveReader.h"

using namespace nox::audio;

namespace {

//! Reads the whole entry, then moves around in it.
void readEntry(IInputFile* entry) {
    u8 buffer[4096];
    while (entry->read(buffer, sizeof buffer) > 0) {
    }
    entry->seek(-10, true);
    entry->seek(entry->getSize() / 2, false);
    entry->read(buffer, 16);
}

} // namespace

// The first byte chooses the two name flags; the rest is the archive.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    IInputFile* file = dravon_fuzz::inputFile(data + 1, size - 1);
    ZipArchiveReader* reader = new ZipArchiveReader(file, data[0] & 1, data[0] & 2);
    file->decRef();
    for (s32 i = 0; i < reader->getEntryCount(); ++i) {
        const ZipEntry& entry = reader->getEntry(i);
        reader->findEntry(entry.fullName.c_str());
        reader->findEntry(entry.keyName.c_str());
        if (IInputFile* opened = reader->openEntry(i)) {
            readEntry(opened);
            opened->decRef();
        }
    }
    reader->findEntry("Dir/Sub\\Name.WAV");
    reader->findEntry("");
    reader->decRef();
    return 0;
}
