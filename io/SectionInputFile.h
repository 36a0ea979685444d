// A window onto a part of another input file, such as an entry of an archive.
#ifndef DRAVON_IO_SECTION_INPUT_FILE_H
#define DRAVON_IO_SECTION_INPUT_FILE_H

#include "GuardedInputFile.h"
#include "core/String.h"
#include "dravon/IInputFile.h"

#include <memory>

namespace nox {
namespace audio {

//! `sectionSize` bytes of an underlying file from `sectionStart` on. Each section keeps its own
//! position and reads at it, so any number of sections over one file, on any threads, each read
//! their own bytes. Relative seeks stop at the section's end; a position before its start is
//! not refused.
class SectionInputFile : public IInputFile {
public:
    SectionInputFile(const char* fileName, std::shared_ptr<GuardedInputFile> underlying,
                     s32 sectionStart, s32 sectionSize);

    s32 read(void* buffer, u32 sizeToRead) override;
    bool seek(s32 finalPos, bool relativeMovement) override;
    s32 getSize() override { return sectionSize_; }
    s32 getPos() override { return static_cast<s32>(position_ - sectionStart_); }
    const char* getFileName() override { return fileName_.c_str(); }

private:
    CharString fileName_;
    s32 sectionSize_;
    s64 sectionStart_;
    s64 sectionEnd_;
    std::shared_ptr<GuardedInputFile> underlying_;
    //! Position in the underlying file.
    s64 position_;
};

//! A new section of `sectionSize` bytes from the current position of `underlying`, which it
//! references. Sections made here over one file each guard it on their own: read them from one
//! thread at a time (an archive's entries share one guard and have no such limit).
IInputFile* createSectionInputFile(const char* fileName, IInputFile* underlying, s32 sectionSize);

} // namespace audio
} // namespace nox

#endif
