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
#include "IOutputDeviceList.h"
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

//! Like createDravonDevice() (version check, driver choice, fallback, messages), but the WinMM
//! driver plays on the output named `outputName`: null or "" is the default output; otherwise
//! an ALSA device name such as "default", "pulse" or "hw:0" (a name from
//! createDravonOutputDeviceList()), or "wav:" followed by a file path to record everything the
//! device would play, in real time, into that WAVE file (complete once the engine is released).
//! On Windows the names are those of the WinMM wave-out devices (their product names, as
//! createDravonOutputDeviceList() gives them), and there is no "wav:" capture.
//! An output that cannot be opened fails like a missing device. The null driver ignores the
//! name. Returns an engine whose one reference belongs to the caller, or null.
DRAVON_API ISoundEngine* createDravonDeviceOnOutput(E_SOUND_OUTPUT_DRIVER driver, int options,
                                                    const char* outputName,
                                                    const char* sdkVersion = DRAVON_SDK_VERSION);

//! The outputs the system offers at this moment, for createDravonDeviceOnOutput(). Returns a
//! list whose one reference belongs to the caller (release it with decRef()); it is empty when
//! there is none.
DRAVON_API IOutputDeviceList* createDravonOutputDeviceList();

//! Mounts the zip archive `fileName` (opened from the disk) in the file manager of `engine`, so
//! that sounds are opened from it before the application's file providers and the disk. Only
//! stored (uncompressed) entries can be played. With `ignoreCase` names are found in any mix of
//! case; with `ignorePaths` an entry is found by its bare file name, whatever directory the
//! archive or the caller puts in front (separated by a slash or a backslash). Archives stay mounted
//! until the engine is destroyed. Any thread may call it, also while others play. Returns false
//! when `engine` is null or not made by createDravonDevice(), or the file does not open; a file
//! that holds no zip entries still mounts and finds nothing.
DRAVON_API bool addDravonZipArchive(ISoundEngine* engine, const char* fileName, bool ignoreCase,
                                    bool ignorePaths);

//! Writes into `format` the format of the data of `source` (a source of an engine made by
//! createDravonDevice()) as its last opening found it: channels, rate, sample format, and the
//! frame count (below 1 when the length is unknown). Whether the source streams is its
//! getStreamMode(). A source opens its data when it is first played or asked for its length
//! (getPlayLength()). Returns false, leaving `format` as it was, when `source` or `format` is
//! null or `source` is not the library's; returns false with a format of 0 channels when the
//! data has not been opened (or could not be). Any thread may call it.
DRAVON_API bool getDravonSoundSourceFormat(ISoundSource* source, AudioStreamFormat* format);

} // namespace audio
} // namespace nox

#endif
