#include "DiskOutputFile.h"

namespace nox {
namespace audio {

DiskOutputFile::DiskOutputFile(const char* fileName, bool append) : fileName_(fileName) {
    if (!fileName_.empty())
        stream_ = std::fopen(fileName_.c_str(), append ? "ab" : "wb");
}

DiskOutputFile::~DiskOutputFile() {
    if (stream_)
        std::fclose(stream_);
}

s32 DiskOutputFile::write(const void* buffer, u32 sizeToWrite) {
    if (!stream_)
        return 0;
    return static_cast<s32>(std::fwrite(buffer, 1, sizeToWrite, stream_));
}

bool DiskOutputFile::seek(s32 finalPos, bool relativeMovement) {
    if (!stream_)
        return false;
    return std::fseek(stream_, finalPos, relativeMovement ? SEEK_CUR : SEEK_SET) == 0;
}

s32 DiskOutputFile::getPos() {
    return stream_ ? static_cast<s32>(std::ftell(stream_)) : 0;
}

IOutputFile* createDiskOutputFile(const char* fileName, bool append) {
    DiskOutputFile* file = new DiskOutputFile(fileName, append);
    if (file->isOpen())
        return file;
    file->decRef();
    return nullptr;
}

} // namespace audio
} // namespace nox
