// Tracker modules written byte by byte, for exact checks of length and loop point.
#ifndef DRAVON_TESTS_TINY_MODULES_H
#define DRAVON_TESTS_TINY_MODULES_H

#include "WavBuilder.h"

namespace dravon_test {

//! A 4-channel "M.K." MOD of two patterns played at 10 rows per second (speed 5, tempo 125): the
//! first plays its 64 rows, the second breaks after row `breakRow`, and the song then loops back
//! to its start. So it lasts (64 + breakRow + 1) / 10 seconds up to the loop point. One looped
//! square-wave sample sounds from the first row.
Bytes makeTinyMod(int breakRow);

//! What a tiny Impulse Tracker module holds: one instrument whose volume envelope declares
//! `nodeCount` nodes (an instrument holds at most 25), one pattern of 64 rows holding
//! `packedRows` as its packed data (64 empty rows when that is empty), and, when `sampleFlags`
//! is not 0, one sample of `sampleLength` values followed by `sampleDataBytes` bytes of data.
struct TinyIt {
    int nodeCount = 2;
    int speed = 6; // ticks per row
    int tempo = 125;
    Bytes packedRows;
    std::uint8_t sampleFlags = 0;
    std::uint32_t sampleLength = 0;
    std::uint32_t sampleDataBytes = 0;
};

Bytes makeTinyIt(const TinyIt& it);

} // namespace dravon_test

#endif
