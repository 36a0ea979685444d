#include "MemoryInputFile.h"

#include <cstring>

namespace nox {
namespace audio {

MemoryInputFile::MemoryInputFile(void* memory, s32 length, const char* fileName,
                                 bool deleteMemoryWhenDropped)
    : fileName_(fileName), memory_(static_cast<u8*>(memory)), length_(length),
      deleteMemory_(deleteMemoryWhenDropped) {}

MemoryInputFile::~MemoryInputFile() {
    if (deleteMemory_)
        delete[] memory_;
}

s32 MemoryInputFile::read(void* buffer, u32 sizeToRead) {
    s64 amount = sizeToRead;
    if (static_cast<s64>(position_) + sizeToRead > length_)
        amount = static_cast<s64>(length_) - position_;
    if (amount <= 0)
        return 0;
    std::memcpy(buffer, memory_ + position_, static_cast<std::size_t>(amount));
    position_ += static_cast<s32>(amount);
    return static_cast<s32>(amount);
}

bool MemoryInputFile::seek(s32 finalPos, bool relativeMovement) {
    s64 target = relativeMovement ? static_cast<s64>(position_) + finalPos : finalPos;
    if (target < 0 || target > length_)
        return false;
    position_ = static_cast<s32>(target);
    return true;
}

IInputFile* createMemoryInputFile(void* memory, s32 length, const char* fileName,
                                  bool deleteMemoryWhenDropped) {
    return new MemoryInputFile(memory, length, fileName, deleteMemoryWhenDropped);
}

} // namespace audio
} // namespace nox
