// The drivers of this build: which engine each driver value makes, and the order in which
// automatic detection tries them.
#ifndef DRAVON_API_DRIVER_TABLE_H
#define DRAVON_API_DRIVER_TABLE_H

#include "dravon/Enums.h"
#include "dravon/ISoundEngine.h"
#include "io/IFileManager.h"

namespace nox {
namespace audio {

//! Constructs (does not initialise) a driver's engine around `fileManager`, playing on
//! `outputName` when the driver has outputs (null or "": the default one). Null when the engine
//! cannot be allocated.
typedef ISoundEngine* (*DriverFactory)(IFileManager* fileManager, int options,
                                       const char* outputName);

//! What this build does with one value of E_SOUND_OUTPUT_DRIVER.
struct DriverEntry {
    E_SOUND_OUTPUT_DRIVER driver;
    //! Null when this build constructs nothing for the value.
    DriverFactory create;
    //! Logged when the value is asked for and nothing is constructed; null for none.
    const char* refusal;
};

//! The entry of `driver`, or null for a value no entry names.
const DriverEntry* findDriver(int driver);

//! The drivers that OUTPUT_DRIVER_AUTO_DETECT stands for, the first one chosen first.
extern const E_SOUND_OUTPUT_DRIVER autoDetectOrder[];
extern const int autoDetectCount;

} // namespace audio
} // namespace nox

#endif
