#include "ZipCentralDirectory.h"

#include "ZipFormat.h"

#include <memory>
#include <new>

namespace nox {
namespace audio {

namespace {

const u32 endRecordSize = 22;
const u32 longestEndComment = 0xFFFF;
const u32 centralRecordSize = 46;

//! Reads `size` bytes from `offset`; null when the archive does not hold them all.
std::unique_ptr<u8[]> readBlock(IInputFile* archive, u32 offset, u32 size) {
    std::unique_ptr<u8[]> block(new (std::nothrow) u8[size]);
    if (!block || !archive->seek(static_cast<s32>(offset), false) ||
        archive->read(block.get(), size) != static_cast<s32>(size))
        return nullptr;
    return block;
}

} // namespace

void ZipCentralDirectory::load(IInputFile* archive) {
    records_.clear();
    s32 position = archive->getPos();
    u32 offset = 0, size = 0;
    if (findDirectory(archive, offset, size))
        if (std::unique_ptr<u8[]> block = readBlock(archive, offset, size))
            parseRecords(block.get(), size);
    archive->seek(position, false);
    records_.sortIfNeeded();
}

const ZipCentralRecord* ZipCentralDirectory::find(u32 localHeaderOffset) {
    ZipCentralRecord key;
    key.localHeaderOffset = localHeaderOffset;
    s32 index = records_.binarySearch(key);
    return index < 0 ? nullptr : &records_[index];
}

bool ZipCentralDirectory::findDirectory(IInputFile* archive, u32& offset, u32& size) {
    s32 fileSize = archive->getSize();
    if (fileSize < static_cast<s32>(endRecordSize))
        return false;
    // The end record is followed only by its comment, so it lies in the last 64 KiB + 22 bytes.
    u32 tailSize = static_cast<u32>(fileSize);
    if (tailSize > endRecordSize + longestEndComment)
        tailSize = endRecordSize + longestEndComment;
    u32 tailStart = static_cast<u32>(fileSize) - tailSize;
    std::unique_ptr<u8[]> tail = readBlock(archive, tailStart, tailSize);
    if (!tail)
        return false;
    for (u32 at = tailSize - endRecordSize + 1; at-- > 0;) {
        const u8* record = tail.get() + at;
        if (readU32(record) != zipEndSignature)
            continue;
        size = readU32(record + 12);
        offset = readU32(record + 16);
        return static_cast<u64>(offset) + size <= tailStart + at;
    }
    return false;
}

void ZipCentralDirectory::parseRecords(const u8* bytes, u32 size) {
    u32 at = 0;
    while (size - at >= centralRecordSize && readU32(bytes + at) == zipCentralSignature) {
        const u8* record = bytes + at;
        ZipCentralRecord entry;
        entry.crc32 = readU32(record + 16);
        entry.compressedSize = readU32(record + 20);
        entry.uncompressedSize = readU32(record + 24);
        entry.localHeaderOffset = readU32(record + 42);
        records_.push_back(entry);
        at +=
            centralRecordSize + readU16(record + 28) + readU16(record + 30) + readU16(record + 32);
        if (at > size)
            break;
    }
}

} // namespace audio
} // namespace nox
