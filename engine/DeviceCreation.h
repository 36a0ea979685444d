// Device creation: the version check, the driver choice and the fallback to WinMM.
#ifndef DRAVON_ENGINE_DEVICE_CREATION_H
#define DRAVON_ENGINE_DEVICE_CREATION_H

#include "dravon/ISoundEngine.h"
#include "io/IFileManager.h"

namespace nox {
namespace audio {

//! Constructs (does not initialise) the engine of `driver` around `fileManager`, creating a
//! file manager when it is null. The WinMM engine plays on `outputName` (null or "": the
//! default output). Null, with a line, when the driver constructs nothing.
ISoundEngine* createDriverEngine(int driver, int options, IFileManager* fileManager,
                                 const char* outputName = nullptr);

} // namespace audio
} // namespace nox

#endif
