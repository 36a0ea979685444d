// Device creation: the version check, the driver choice and automatic detection.
#ifndef DRAVON_API_DEVICE_CREATION_H
#define DRAVON_API_DEVICE_CREATION_H

#include "dravon/ISoundEngine.h"
#include "io/IFileManager.h"

namespace nox {
namespace audio {

//! Constructs (does not initialise) the engine of `driver` around `fileManager`, creating a
//! file manager when it is null. OUTPUT_DRIVER_AUTO_DETECT stands for the first driver that
//! automatic detection tries. The engine plays on `outputName` when its driver has outputs
//! (null or "": the default output). Null, with a line, when the driver constructs nothing.
ISoundEngine* createDriverEngine(int driver, int options, IFileManager* fileManager,
                                 const char* outputName = nullptr);

} // namespace audio
} // namespace nox

#endif
