// Process-wide preparation of DUMB, the library that renders tracker modules and resamples
// for the mixer.
#ifndef DRAVON_DSP_DUMB_LIBRARY_H
#define DRAVON_DSP_DUMB_LIBRARY_H

namespace nox {
namespace audio {

//! Fills DUMB's resampler tables, once in the process. DUMB fills them on first use without a
//! lock, marking them ready before they are: a resampler starting on another thread meanwhile
//! would read them half filled. Every path that uses DUMB's resampler (rendering or measuring
//! a module, converting a stream's rate) calls this first; later calls cost an atomic load.
void prepareDumbResampler();

} // namespace audio
} // namespace nox

#endif
