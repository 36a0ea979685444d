// The entries of one directory.
#ifndef DRAVON_IO_I_DIRECTORY_LISTING_H
#define DRAVON_IO_I_DIRECTORY_LISTING_H

#include "dravon/RefCounted.h"
#include "dravon/Types.h"

namespace nox {
namespace audio {

//! A snapshot of the entries of a directory, "." and ".." included.
class IDirectoryListing : public virtual RefCounted {
public:
    virtual u32 getFileCount() = 0;
    //! The entry's name without directory, or null outside the entries.
    virtual const char* getFileName(s32 index) = 0;
    //! Directory and name, or null outside the entries.
    virtual const char* getFullFileName(s32 index) = 0;
    //! False outside the entries.
    virtual bool isDirectory(s32 index) = 0;
};

} // namespace audio
} // namespace nox

#endif
