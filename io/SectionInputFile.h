// A window onto a part of another input file, such as an entry of an archive.
#ifndef DRAVON_IO_SECTION_INPUT_FILE_H
#define DRAVON_IO_SECTION_INPUT_FILE_H

#include "core/String.h"
#include "dravon/IInputFile.h"

namespace nox {
namespace audio {

//! `sectionSize` bytes of an underlying file, starting at its position when the section was
//! made. The section has no position of its own: sections over one file share its position.
class SectionInputFile : public IInputFile {
public:
    SectionInputFile(const char* fileName, IInputFile* underlying, s32 sectionSize);
    ~SectionInputFile() override;

    s32 read(void* buffer, u32 sizeToRead) override;
    bool seek(s32 finalPos, bool relativeMovement) override;
    s32 getSize() override { return sectionSize_; }
    s32 getPos() override { return underlying_->getPos() - sectionStart_; }
    const char* getFileName() override { return fileName_.c_str(); }

private:
    CharString fileName_;
    s32 sectionSize_;
    s32 sectionStart_;
    s32 sectionEnd_;
    IInputFile* underlying_;
};

//! A new section of `sectionSize` bytes from the current position of `underlying`, which it
//! references.
IInputFile* createSectionInputFile(const char* fileName, IInputFile* underlying, s32 sectionSize);

} // namespace audio
} // namespace nox

#endif
