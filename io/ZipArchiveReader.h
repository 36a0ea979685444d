// Mounted zip archives: an index of the local headers, stored entries opened as section files.
#ifndef DRAVON_IO_ZIP_ARCHIVE_READER_H
#define DRAVON_IO_ZIP_ARCHIVE_READER_H

#include "GuardedInputFile.h"
#include "ZipCentralDirectory.h"
#include "core/DynArray.h"
#include "core/String.h"
#include "dravon/IFileProvider.h"

#include <memory>

namespace nox {
namespace audio {

//! The 30-byte local file header that precedes each entry's name, extra field and data.
struct ZipLocalHeader {
    u32 signature = 0;
    u16 versionNeeded = 0;
    u16 generalFlags = 0;
    u16 compressionMethod = 0;
    u16 lastModTime = 0;
    u16 lastModDate = 0;
    u32 crc32 = 0;
    u32 compressedSize = 0;
    u32 uncompressedSize = 0;
    u16 fileNameLength = 0;
    u16 extraFieldLength = 0;
};

//! One entry of an archive.
struct ZipEntry {
    //! The stored name, lower-cased when the archive ignores case.
    CharString fullName;
    //! The name looked up and sorted by: the part after the last '/' when the archive ignores
    //! paths, else the full name.
    CharString keyName;
    //! The full name up to and including its last '/', or empty.
    CharString path;
    //! Archive position of the first data byte.
    s32 dataOffset = 0;
    ZipLocalHeader header;
};

//! Reads a zip archive's index once, at construction, by walking its local headers from the
//! first byte, and opens stored entries by name. Deflated entries are found but not opened;
//! other methods are refused with an error line. Sizes that a local header leaves to a data
//! descriptor or to a zip64 field are taken from the central directory. After the scan the
//! reader changes no more: any number of threads may look up and open entries at once, and the
//! entries read their own bytes side by side.
class ZipArchiveReader : public IFileProvider {
public:
    //! References `archiveFile` (may be null: no entries) and scans it from position 0.
    ZipArchiveReader(IInputFile* archiveFile, bool ignoreCase, bool ignorePaths);

    //! The entry `fileName` as a new file (the caller's reference), or null.
    IInputFile* openFile(const char* fileName) override;

    //! Index of the entry whose key name equals the normalised `fileName`, or -1.
    s32 findEntry(const char* fileName);

    //! Entry `index` as a new file: a section of the archive for a stored entry; null for a
    //! deflated one, and null with an error line for any other method.
    IInputFile* openEntry(s32 index);

    s32 getEntryCount() const { return entries_.size(); }
    //! Entry `index` (0 to getEntryCount() - 1), borrowed.
    const ZipEntry& getEntry(s32 index) const { return entries_[index]; }

private:
    //! Indexes the entry at the archive's position; false when no local header starts there or
    //! the next header cannot be reached.
    bool scanLocalHeader();
    void deriveNames(ZipEntry& entry) const;
    //! Replaces the header's CRC and sizes by the central directory's; false when it has no
    //! record of the entry.
    bool takeCentralSizes(u32 headerOffset, ZipLocalHeader& header);
    //! Reads the extra field of `length` bytes and tells whether it holds a zip64 field; false
    //! when the archive ends inside it.
    bool readExtraField(u16 length, bool& hasZip64);
    //! Moves past the data descriptor at the archive's position.
    bool skipDataDescriptor(bool zip64);

    //! The archive while the constructor scans it (the caller's reference); null afterwards.
    IInputFile* archiveFile_;
    //! The archive's one reference, shared with every entry opened: the archive stays open while
    //! an entry is read, even after the reader is gone.
    std::shared_ptr<GuardedInputFile> archive_;
    DynArray<ZipEntry> entries_;
    bool ignoreCase_;
    bool ignorePaths_;
    ZipCentralDirectory centralDirectory_;
    bool centralDirectoryLoaded_ = false;
};

} // namespace audio
} // namespace nox

#endif
