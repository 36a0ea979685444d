// Files of other formats, written byte by byte, that the module reader must not take.
#ifndef DRAVON_TESTS_NON_MODULE_FILES_H
#define DRAVON_TESTS_NON_MODULE_FILES_H

#include "WavBuilder.h"

namespace dravon_test {

//! `size` bytes of noise from `seed`, the stand-in for compressed audio.
Bytes noise(std::size_t size, unsigned seed);

//! An Ogg Vorbis file of about `size` bytes: Vorbis identification, comment and setup headers,
//! then pages of noise for audio packets, each page with its checksum.
Bytes makeOggFile(std::size_t size, unsigned seed);

//! An MP3 file of about `size` bytes: an ID3v2 tag naming the title, then MPEG-1 layer III
//! frames of 128 kbit/s at 44100 Hz holding noise.
Bytes makeMp3File(std::size_t size, unsigned seed);

//! A zip archive holding `contents` stored (not compressed) under `name`.
Bytes makeStoredZip(const char* name, const Bytes& contents);

} // namespace dravon_test

#endif
