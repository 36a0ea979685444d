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

//! An Impulse Tracker module with one instrument whose volume envelope declares `nodeCount`
//! nodes (an instrument holds at most 25) and one pattern of 64 rows, starting at the given speed
//! (ticks per row) and tempo. The pattern holds `packedRows` as its packed data, or 64 empty
//! rows when that is empty.
Bytes makeTinyIt(int nodeCount, int speed = 6, int tempo = 125, const Bytes& packedRows = {});

} // namespace dravon_test

#endif
