// A source of files that the application adds to the engine.
#ifndef DRAVON_I_FILE_PROVIDER_H
#define DRAVON_I_FILE_PROVIDER_H

#include "IInputFile.h"
#include "RefCounted.h"

namespace nox {
namespace audio {

//! Supplies files by name from the application's own storage (a pack file, a network cache...).
//! Providers are asked after mounted zip archives and before the disk, in the order added, on
//! whichever thread plays a sound: openFile() must allow calls from several threads at once.
class IFileProvider : public virtual RefCounted {
public:
    //! Opens `fileName`. Returns a new file whose one reference belongs to the caller, or null
    //! when this provider does not have the file.
    virtual IInputFile* openFile(const char* fileName) = 0;
};

} // namespace audio
} // namespace nox

#endif
