// Ogg Vorbis files made in code with libvorbisenc, and forged ones.
#ifndef DRAVON_TESTS_ENGINE_OGG_BUILDER_H
#define DRAVON_TESTS_ENGINE_OGG_BUILDER_H

#include "WavBuilder.h"

#include <cstdint>

namespace dravon_test {

//! A mono Ogg Vorbis file of `frames` frames of a 440 Hz tone at `rate` Hz.
Bytes makeOggVorbis(int rate, int frames);

//! Sets the granule position of the last page of `ogg` (the length a player reads from it) to
//! `granule`, and fixes that page's checksum.
void setLastGranule(Bytes& ogg, std::int64_t granule);

} // namespace dravon_test

#endif
