// Ogg Vorbis files made in code: real ones from libvorbisenc, and tiny ones written bit by bit
// whose codebooks a test can damage one field at a time.
#ifndef DRAVON_TESTS_VORBIS_FILES_H
#define DRAVON_TESTS_VORBIS_FILES_H

#include "WavBuilder.h"

#include <vector>

namespace dravon_test {

//! What libvorbisenc makes of `frames` frames of a chord with a little noise, at `quality`
//! (-0.1 to 1), in one logical stream numbered `serial`.
Bytes encodeVorbis(int channels, long rate, float quality, int frames, int serial = 1);

//! One codebook of a tiny stream: its dimension, the lengths of its codewords (0 marks an
//! unused entry), or, when `runLength` is not 0, that many entries of one codeword length
//! stored as an ordered book, and its value lookup type (0 none, 1 lattice, 2 listed values).
struct TinyBook {
    int dimension = 1;
    std::vector<int> lengths = {1, 1};
    int runLength = 0;
    int orderedLength = 0;
    int lookupType = 0;
};

//! A mono 8000 Hz stream of 256-sample blocks: a floor of type 1 without points, one residue
//! of `residueType` over the first 128 coefficients in partitions of 32, classified by book 0
//! into class 0 (silent) or class 1 (decoded with book 1), and `audioPackets` packets whose
//! bits are all set (so every partition is of class 1), in the logical stream `serial`. It lasts
//! (audioPackets - 1) * 128 frames. The default books make a stream that libvorbis decodes.
struct TinyVorbis {
    std::vector<TinyBook> books = {TinyBook(), TinyBook{1, {1, 1}, 0, 0, 1}};
    int residueType = 2;
    int audioPackets = 5;
    int serial = 7;
};

Bytes makeTinyVorbis(const TinyVorbis& tiny);

} // namespace dravon_test

#endif
