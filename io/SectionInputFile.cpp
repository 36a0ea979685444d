#include "SectionInputFile.h"

#include <utility>

namespace nox {
namespace audio {

SectionInputFile::SectionInputFile(const char* fileName,
                                   std::shared_ptr<GuardedInputFile> underlying, s32 sectionStart,
                                   s32 sectionSize)
    : fileName_(fileName), sectionSize_(sectionSize), sectionStart_(sectionStart),
      sectionEnd_(sectionStart_ + sectionSize), underlying_(std::move(underlying)),
      position_(sectionStart) {}

s32 SectionInputFile::read(void* buffer, u32 sizeToRead) {
    if (position_ >= sectionEnd_)
        return 0;
    if (position_ + sizeToRead >= sectionEnd_)
        sizeToRead = static_cast<u32>(sectionEnd_ - position_);
    s32 got = underlying_->readAt(buffer, sizeToRead, position_);
    position_ += got;
    return got;
}

bool SectionInputFile::seek(s32 finalPos, bool relativeMovement) {
    s64 target = relativeMovement ? position_ + finalPos : sectionStart_ + finalPos;
    if (relativeMovement && target > sectionEnd_)
        target = sectionEnd_;
    // The underlying file refuses positions before its own first byte.
    if (target > sectionEnd_ || target < 0)
        return false;
    position_ = target;
    return true;
}

IInputFile* createSectionInputFile(const char* fileName, IInputFile* underlying, s32 sectionSize) {
    return new SectionInputFile(fileName, std::make_shared<GuardedInputFile>(underlying),
                                underlying->getPos(), sectionSize);
}

} // namespace audio
} // namespace nox
