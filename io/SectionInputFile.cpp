#include "SectionInputFile.h"

namespace nox {
namespace audio {

SectionInputFile::SectionInputFile(const char* fileName, IInputFile* underlying, s32 sectionSize)
    : fileName_(fileName), sectionSize_(sectionSize), sectionStart_(underlying->getPos()),
      sectionEnd_(sectionStart_ + sectionSize), underlying_(underlying) {
    underlying_->incRef();
}

SectionInputFile::~SectionInputFile() { underlying_->decRef(); }

s32 SectionInputFile::read(void* buffer, u32 sizeToRead) {
    s32 position = underlying_->getPos();
    if (position >= sectionEnd_)
        return 0;
    if (static_cast<s64>(position) + sizeToRead >= sectionEnd_)
        sizeToRead = static_cast<u32>(sectionEnd_ - position);
    return underlying_->read(buffer, sizeToRead);
}

bool SectionInputFile::seek(s32 finalPos, bool relativeMovement) {
    if (relativeMovement) {
        s32 position = underlying_->getPos();
        if (static_cast<s64>(position) + finalPos > sectionEnd_)
            finalPos = sectionEnd_ - position;
        return underlying_->seek(finalPos, true);
    }
    s64 target = static_cast<s64>(sectionStart_) + finalPos;
    if (target > sectionEnd_)
        return false;
    return underlying_->seek(static_cast<s32>(target), false);
}

IInputFile* createSectionInputFile(const char* fileName, IInputFile* underlying, s32 sectionSize) {
    return new SectionInputFile(fileName, underlying, sectionSize);
}

} // namespace audio
} // namespace nox
