#include "ZipArchiveReader.h"

#include "SectionInputFile.h"
#include "ZipFormat.h"
#include "platform/system/Logger.h"

#include <memory>
#include <new>

namespace nox {
namespace audio {

namespace {

const u32 localHeaderSize = 30;
const u16 methodStored = 0;
const u16 methodDeflated = 8;
const s64 largestPosition = 0x7FFFFFFF;

ZipLocalHeader decodeLocalHeader(const u8* raw) {
    ZipLocalHeader header;
    header.signature = readU32(raw);
    header.versionNeeded = readU16(raw + 4);
    header.generalFlags = readU16(raw + 6);
    header.compressionMethod = readU16(raw + 8);
    header.lastModTime = readU16(raw + 10);
    header.lastModDate = readU16(raw + 12);
    header.crc32 = readU32(raw + 14);
    header.compressedSize = readU32(raw + 18);
    header.uncompressedSize = readU32(raw + 22);
    header.fileNameLength = readU16(raw + 26);
    header.extraFieldLength = readU16(raw + 28);
    return header;
}

struct KeyNameLess {
    bool operator()(const ZipEntry& a, const ZipEntry& b) const { return a.keyName < b.keyName; }
    bool operator()(const CharString& a, const ZipEntry& b) const { return a < b.keyName; }
    bool operator()(const ZipEntry& a, const CharString& b) const { return a.keyName < b; }
};

//! Position of the last separator of `name` that is not its first character, or -1.
s32 lastSeparator(const CharString& name, bool backslashToo) {
    s32 at = name.findLast('/');
    if (backslashToo) {
        s32 backslash = name.findLast('\\');
        if (backslash > at)
            at = backslash;
    }
    return at > 0 ? at : -1;
}

} // namespace

ZipArchiveReader::ZipArchiveReader(IInputFile* archiveFile, bool ignoreCase, bool ignorePaths)
    : archiveFile_(archiveFile), ignoreCase_(ignoreCase), ignorePaths_(ignorePaths) {
    if (!archiveFile_)
        return;
    while (scanLocalHeader()) {
    }
    // Sorted now, the entries are only read from here on: lookups and openings need no lock.
    entries_.sortIfNeeded(KeyNameLess());
    archive_ = std::make_shared<GuardedInputFile>(archiveFile_);
    archiveFile_ = nullptr;
}

IInputFile* ZipArchiveReader::openFile(const char* fileName) {
    s32 index = findEntry(fileName);
    return index < 0 ? nullptr : openEntry(index);
}

s32 ZipArchiveReader::findEntry(const char* fileName) {
    CharString name(fileName);
    if (ignoreCase_)
        name.makeLower();
    if (ignorePaths_) {
        s32 separator = lastSeparator(name, true);
        if (separator >= 0)
            name = name.subString(separator + 1, name.size());
    }
    return entries_.binarySearch(name, KeyNameLess());
}

IInputFile* ZipArchiveReader::openEntry(s32 index) {
    if (index < 0 || index >= entries_.size())
        return nullptr;
    const ZipEntry& entry = entries_[index];
    switch (entry.header.compressionMethod) {
    case methodStored:
        if (entry.dataOffset + static_cast<s64>(entry.header.uncompressedSize) > largestPosition)
            return nullptr;
        return new SectionInputFile(entry.keyName.c_str(), archive_, entry.dataOffset,
                                    static_cast<s32>(entry.header.uncompressedSize));
    case methodDeflated:
        return nullptr;
    default:
        logText("file has unsupported compression method.", entry.keyName.c_str(), LOG_LEVEL_ERROR);
        return nullptr;
    }
}

bool ZipArchiveReader::scanLocalHeader() {
    s32 headerOffset = archiveFile_->getPos();
    // A header cut short by the end of the file ends the scan like a missing one.
    u8 raw[localHeaderSize] = {};
    if (archiveFile_->read(raw, localHeaderSize) != static_cast<s32>(localHeaderSize))
        return false;
    ZipEntry entry;
    entry.header = decodeLocalHeader(raw);
    ZipLocalHeader& header = entry.header;
    if (header.signature != zipLocalHeaderSignature)
        return false;

    std::unique_ptr<char[]> name(new (std::nothrow) char[header.fileNameLength]);
    if (!name || archiveFile_->read(name.get(), header.fileNameLength) != header.fileNameLength)
        return false;
    entry.fullName = CharString(name.get(), header.fileNameLength);
    deriveNames(entry);

    bool streamed = (header.generalFlags & zipFlagDataDescriptor) != 0;
    bool sizesElsewhere =
        streamed || header.compressedSize == 0xFFFFFFFF || header.uncompressedSize == 0xFFFFFFFF;
    bool zip64 = false;
    if (sizesElsewhere) {
        if (!readExtraField(header.extraFieldLength, zip64) ||
            !takeCentralSizes(static_cast<u32>(headerOffset), header))
            return false;
    } else if (header.extraFieldLength != 0 && !archiveFile_->seek(header.extraFieldLength, true)) {
        return false;
    }

    entry.dataOffset = archiveFile_->getPos();
    if (entry.dataOffset + static_cast<s64>(header.compressedSize) > largestPosition)
        return false;
    entries_.push_back(entry);
    // A failed skip (past the end of a truncated archive held in memory) ends the scan.
    if (!archiveFile_->seek(static_cast<s32>(header.compressedSize), true))
        return false;
    return !streamed || skipDataDescriptor(zip64);
}

void ZipArchiveReader::deriveNames(ZipEntry& entry) const {
    if (ignoreCase_)
        entry.fullName.makeLower();
    s32 separator = lastSeparator(entry.fullName, false);
    entry.path = entry.fullName.subString(0, separator + 1);
    entry.keyName = ignorePaths_ ? entry.fullName.subString(separator + 1, entry.fullName.size())
                                 : entry.fullName;
}

bool ZipArchiveReader::takeCentralSizes(u32 headerOffset, ZipLocalHeader& header) {
    if (!centralDirectoryLoaded_) {
        centralDirectory_.load(archiveFile_);
        centralDirectoryLoaded_ = true;
    }
    const ZipCentralRecord* record = centralDirectory_.find(headerOffset);
    if (!record)
        return false;
    header.crc32 = record->crc32;
    header.compressedSize = record->compressedSize;
    header.uncompressedSize = record->uncompressedSize;
    return true;
}

bool ZipArchiveReader::readExtraField(u16 length, bool& hasZip64) {
    std::unique_ptr<u8[]> extra(new (std::nothrow) u8[length]);
    if (!extra || archiveFile_->read(extra.get(), length) != length)
        return false;
    // The extra field is a sequence of (id, size, data) blocks.
    hasZip64 = false;
    for (u32 at = 0; at + 4 <= length; at += 4u + readU16(extra.get() + at + 2))
        hasZip64 = hasZip64 || readU16(extra.get() + at) == zip64ExtraId;
    return true;
}

bool ZipArchiveReader::skipDataDescriptor(bool zip64) {
    // CRC-32 and both sizes (64-bit when the entry has a zip64 field), after an optional
    // signature.
    u8 first[4] = {};
    archiveFile_->read(first, sizeof first);
    s32 rest = (zip64 ? 16 : 8) + (readU32(first) == zipDataDescriptorSignature ? 4 : 0);
    return archiveFile_->seek(rest, true);
}

} // namespace audio
} // namespace nox
