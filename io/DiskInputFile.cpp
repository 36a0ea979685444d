#include "DiskInputFile.h"

namespace nox {
namespace audio {

DiskInputFile::DiskInputFile(const char* fileName) : fileName_(fileName) {
    if (fileName_.empty())
        return;
    stream_ = std::fopen(fileName_.c_str(), "rb");
    if (!stream_)
        return;
    std::fseek(stream_, 0, SEEK_END);
    fileSize_ = static_cast<s32>(std::ftell(stream_));
    std::fseek(stream_, 0, SEEK_SET);
}

DiskInputFile::~DiskInputFile() {
    if (stream_)
        std::fclose(stream_);
}

s32 DiskInputFile::read(void* buffer, u32 sizeToRead) {
    if (!stream_)
        return 0;
    return static_cast<s32>(std::fread(buffer, 1, sizeToRead, stream_));
}

bool DiskInputFile::seek(s32 finalPos, bool relativeMovement) {
    if (!stream_)
        return false;
    return std::fseek(stream_, finalPos, relativeMovement ? SEEK_CUR : SEEK_SET) == 0;
}

s32 DiskInputFile::getPos() { return stream_ ? static_cast<s32>(std::ftell(stream_)) : 0; }

IInputFile* createDiskInputFile(const char* fileName) {
    DiskInputFile* file = new DiskInputFile(fileName);
    if (file->isOpen())
        return file;
    file->decRef();
    return nullptr;
}

} // namespace audio
} // namespace nox
