// Looks at tracker modules before DUMB reads them, for files that its readers cannot take
// safely or would take although they are not modules. Each check reads from the start of the
// file and leaves it elsewhere; the caller rewinds it.
#ifndef DRAVON_DECODERS_MODULE_CHECKS_H
#define DRAVON_DECODERS_MODULE_CHECKS_H

#include "dravon/IInputFile.h"

namespace nox {
namespace audio {

//! False when `file` is an Impulse Tracker module ("IMPM") that DUMB 0.9.3 cannot read
//! safely: a pattern row naming one channel twice (DUMB appends a report to "dupentry.txt" in
//! the working directory, and aborts the process when it cannot), packed pattern data running
//! past the pattern's length, or a sample that is packed in stereo (DUMB exits the process) or
//! longer than the file can hold (DUMB allocates it whole first, and overflows unpacking it).
//! True for every other file.
bool impulseModuleIsSafe(IInputFile* file);

//! False when DUMB's MOD reader cannot take `file` safely or would take it although it is no
//! module. An 8-channel StarTrekker module (tag "FLT8") crashes it: it halves the pattern
//! numbers through a pointer it has not set yet. A file without one of the later formats' tags
//! is read as a module of 15 samples, the format of the first Amiga trackers, which has no
//! signature: it is refused when its header is not one those trackers could have written
//! (names that are not text, a sample volume above 64, a finetune, a song length of 0 or over
//! 128, a pattern number of 128 or more, a loop outside its sample, or more patterns and
//! samples than the file holds), so that WAV, Ogg, MP3 and zip files and random data are not
//! played as noise. True for every other file.
bool amigaModuleIsSafe(IInputFile* file);

//! False when `file` is a Scream Tracker 3 module ("SCRM") with a sample longer than the file
//! can hold: DUMB would allocate it whole and read it value by value. True for every other
//! file.
bool screamTrackerModuleIsSafe(IInputFile* file);

//! False when `file` is an Extended Module ("Extended Module: ") that DUMB would refuse after
//! loading some of its samples: cut short, or with a bad instrument. DUMB does not free the
//! samples it loaded then. True for every other file, including ones DUMB refuses before.
bool extendedModuleIsSafe(IInputFile* file);

} // namespace audio
} // namespace nox

#endif
