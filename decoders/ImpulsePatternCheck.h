// A look at the patterns of an Impulse Tracker module before DUMB reads them.
#ifndef DRAVON_DECODERS_IMPULSE_PATTERN_CHECK_H
#define DRAVON_DECODERS_IMPULSE_PATTERN_CHECK_H

#include "dravon/IInputFile.h"

namespace nox {
namespace audio {

//! False when `file` is an Impulse Tracker module ("IMPM") with a pattern that DUMB's reader
//! cannot take safely: a row naming one channel twice, or packed data running past the
//! pattern's length. For such a row DUMB 0.9.3 appends a report to "dupentry.txt" in the
//! working directory, and aborts the process when it cannot. True for every other file. Reads
//! from the start of the file and leaves it elsewhere; the caller rewinds it.
bool impulsePatternsAreSafe(IInputFile* file);

} // namespace audio
} // namespace nox

#endif
