// The central directory at the end of a zip archive, read only for the sizes that local headers
// leave out.
#ifndef DRAVON_IO_ZIP_CENTRAL_DIRECTORY_H
#define DRAVON_IO_ZIP_CENTRAL_DIRECTORY_H

#include "core/DynArray.h"
#include "dravon/IInputFile.h"

namespace nox {
namespace audio {

//! What the central directory records about one entry. Ordered by the local header's offset.
struct ZipCentralRecord {
    u32 localHeaderOffset = 0;
    u32 crc32 = 0;
    u32 compressedSize = 0;
    u32 uncompressedSize = 0;

    bool operator<(const ZipCentralRecord& other) const {
        return localHeaderOffset < other.localHeaderOffset;
    }
};

//! The records of an archive's central directory. Entries written in streaming mode (general
//! purpose bit 3, or sizes of 0xFFFFFFFF that point to a zip64 field) carry their real sizes
//! only here.
class ZipCentralDirectory {
public:
    //! Reads the directory that the archive's end record points to, leaving the archive's
    //! position where it was. Without an end record, or with a damaged directory, it keeps the
    //! records that could be read (possibly none).
    void load(IInputFile* archive);

    //! The record of the entry whose local header starts at `localHeaderOffset`, or null.
    const ZipCentralRecord* find(u32 localHeaderOffset);

private:
    //! Archive position of the directory and its size in bytes; false without an end record.
    bool findDirectory(IInputFile* archive, u32& offset, u32& size);
    void parseRecords(const u8* bytes, u32 size);

    DynArray<ZipCentralRecord> records_;
};

} // namespace audio
} // namespace nox

#endif
