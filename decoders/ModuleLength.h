// Measures how long a tracker module plays, within a bounded amount of work.
#ifndef DRAVON_DECODERS_MODULE_LENGTH_H
#define DRAVON_DECODERS_MODULE_LENGTH_H

#include "dravon/Types.h"

struct DUH;

namespace nox {
namespace audio {

//! The work, in sixteenths of a tick, that measuring a module may take: 40000 ticks, some 13
//! minutes of a module at the usual 50 ticks a second. Each tick costs 16 and each voice
//! sounding in it 1, about what DUMB spends on them; starting notes and walking back to a row
//! cost DUMB at most a few ticks' worth per tick. Opening any module so stays within a second
//! of CPU.
const s64 moduleMeasureBudget = 40000 * 16;

//! The number of frames at `rate` frames a second that `module` plays up to its end or to the
//! point where it would loop back: what DUMB's initial run-through measures, but -1 when that
//! takes more work than moduleMeasureBudget or the count does not fit in 32 bits.
s32 measureModuleFrames(DUH* module, s32 rate);

} // namespace audio
} // namespace nox

#endif
