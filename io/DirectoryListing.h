// A listing of the current working directory.
#ifndef DRAVON_IO_DIRECTORY_LISTING_H
#define DRAVON_IO_DIRECTORY_LISTING_H

#include "IDirectoryListing.h"
#include "core/DynArray.h"
#include "core/String.h"

namespace nox {
namespace audio {

//! One entry; the full name is built when first asked for.
struct DirectoryEntry {
    CharString name;
    CharString fullName;
    u32 size = 0;
    bool isDirectory = false;
};

//! The entries of the working directory at creation, in the order the system reports them.
class DirectoryListing : public IDirectoryListing {
public:
    DirectoryListing();

    u32 getFileCount() override { return static_cast<u32>(entries_.size()); }
    const char* getFileName(s32 index) override;
    const char* getFullFileName(s32 index) override;
    bool isDirectory(s32 index) override;

private:
    bool isValid(s32 index) const { return index >= 0 && index < entries_.size(); }

    CharString path_;
    DynArray<DirectoryEntry> entries_;
};

} // namespace audio
} // namespace nox

#endif
