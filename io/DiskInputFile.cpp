#include "DiskInputFile.h"

#include <cstring>

namespace nox {
namespace audio {

namespace {
// Positions and sizes are 32-bit signed: a larger file reads as its first 2 GiB.
const s64 largestPosition = 0x7FFFFFFF;
} // namespace

DiskInputFile::DiskInputFile(const char* fileName) : fileName_(fileName) {
    if (fileName_.empty())
        return;
    file_ = SharedFile::acquire(fileName_.c_str());
    if (!file_)
        return;
    s64 size = file_->getSize();
    fileSize_ = static_cast<s32>(size < 0 ? 0 : size > largestPosition ? largestPosition : size);
}

DiskInputFile::~DiskInputFile() {
    if (file_)
        file_->release();
}

s32 DiskInputFile::read(void* buffer, u32 sizeToRead) {
    if (!file_)
        return 0;
    u32 room = static_cast<u32>(largestPosition - position_);
    u32 wanted = sizeToRead < room ? sizeToRead : room;
    u8* target = static_cast<u8*>(buffer);
    u32 done = copyReadAhead(target, wanted, position_);
    u32 rest = wanted - done;
    s64 at = position_ + done;
    if (rest >= readAheadSize) {
        done += static_cast<u32>(file_->readAt(target + done, rest, at));
    } else if (rest > 0) {
        readAheadStart_ = at;
        readAheadLength_ = static_cast<u32>(file_->readAt(readAhead_, readAheadSize, at));
        done += copyReadAhead(target + done, rest, at);
    }
    position_ += static_cast<s32>(done);
    return static_cast<s32>(done);
}

u32 DiskInputFile::copyReadAhead(u8* target, u32 size, s64 at) const {
    if (at < readAheadStart_ || at >= readAheadStart_ + readAheadLength_)
        return 0;
    u32 offset = static_cast<u32>(at - readAheadStart_);
    u32 count = readAheadLength_ - offset < size ? readAheadLength_ - offset : size;
    std::memcpy(target, readAhead_ + offset, count);
    return count;
}

bool DiskInputFile::seek(s32 finalPos, bool relativeMovement) {
    if (!file_)
        return false;
    s64 target = relativeMovement ? static_cast<s64>(position_) + finalPos : finalPos;
    if (target < 0 || target > largestPosition)
        return false;
    position_ = static_cast<s32>(target);
    return true;
}

IInputFile* createDiskInputFile(const char* fileName) {
    DiskInputFile* file = new DiskInputFile(fileName);
    if (file->isOpen())
        return file;
    file->decRef();
    return nullptr;
}

} // namespace audio
} // namespace nox
