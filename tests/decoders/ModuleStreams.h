// Opening and rendering module streams in tests, and what DUMB itself measures of a module.
#ifndef DRAVON_TESTS_MODULE_STREAMS_H
#define DRAVON_TESTS_MODULE_STREAMS_H

#include "WavBuilder.h"
#include "decoders/TrackerModuleAudioStream.h"

#include <vector>

struct DUMBFILE;

namespace dravon_test {

//! A stream over a memory file holding `bytes` under `name`; the stream holds the only
//! reference to the file.
nox::audio::TrackerModuleAudioStream* openModule(const Bytes& bytes, const char* name);

//! Renders the stream to its end in blocks of `block` frames and returns the number of frames;
//! appends them to `samples` when given.
nox::audio::s64 renderToEnd(nox::audio::IAudioStream* stream, nox::audio::s32 block,
                            std::vector<nox::audio::s16>* samples = nullptr);

//! The frame count at 44100 frames a second that DUMB's own initial run-through measures for
//! the module in `bytes`, read by `read` (dumb_read_it_quick, for instance); -1 when `read`
//! refuses it.
nox::audio::s64 runThroughFrames(const Bytes& bytes, DUH* (*read)(DUMBFILE*));

} // namespace dravon_test

#endif
