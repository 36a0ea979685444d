#include "GuardedInputFile.h"

namespace nox {
namespace audio {

GuardedInputFile::GuardedInputFile(IInputFile* file) : file_(file), lock_(createMutex()) {
    file_->incRef();
}

GuardedInputFile::~GuardedInputFile() {
    file_->decRef();
    lock_->decRef();
}

s32 GuardedInputFile::readAt(void* buffer, u32 size, s64 offset) {
    if (offset < 0 || offset > 0x7FFFFFFF)
        return 0;
    MutexGuard guard(lock_);
    if (!file_->seek(static_cast<s32>(offset), false))
        return 0;
    s32 got = file_->read(buffer, size);
    return got > 0 ? got : 0;
}

} // namespace audio
} // namespace nox
