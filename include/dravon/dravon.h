// Dravon: sound playback for games. Include this header to use the library.
#ifndef DRAVON_H
#define DRAVON_H

#include "AudioStreamFormat.h"
#include "Enums.h"
#include "Export.h"
#include "IAudioStream.h"
#include "IAudioStreamLoader.h"
#include "IFileProvider.h"
#include "IInputFile.h"
#include "IPlayingSound.h"
#include "ISoundEngine.h"
#include "ISoundSource.h"
#include "Plugin.h"
#include "RefCounted.h"
#include "Types.h"
#include "Vector3.h"

//! The version of the headers an application is compiled with; pass it to createDravonDevice().
#define DRAVON_SDK_VERSION "0.8.1"

namespace nox {
namespace audio {

//! Creates a sound engine on `driver` with the E_ENGINE_OPTION bits `options`. Pass
//! DRAVON_SDK_VERSION as `sdkVersion`; a different text prints a warning and creation goes on.
//! OUTPUT_DRIVER_AUTO_DETECT tries DirectSound, then WinMM. Returns an engine whose one
//! reference belongs to the caller (release it with decRef()), or null when the driver cannot
//! be used.
DRAVON_API ISoundEngine* createDravonDevice(E_SOUND_OUTPUT_DRIVER driver, int options,
                                            const char* sdkVersion = DRAVON_SDK_VERSION);

} // namespace audio
} // namespace nox

#endif
