// Tracker modules written byte by byte, for exact checks of length and loop point.
#ifndef DRAVON_TESTS_TINY_MODULES_H
#define DRAVON_TESTS_TINY_MODULES_H

#include "WavBuilder.h"

#include <initializer_list>

namespace dravon_test {

//! A 4-channel "M.K." MOD of two patterns played at 10 rows per second (speed 5, tempo 125): the
//! first plays its 64 rows, the second breaks after row `breakRow`, and the song then loops back
//! to its start. So it lasts (64 + breakRow + 1) / 10 seconds up to the loop point. One looped
//! square-wave sample sounds from the first row.
Bytes makeTinyMod(int breakRow);

//! What a tiny Impulse Tracker module holds: one instrument whose volume envelope declares
//! `nodeCount` nodes (an instrument holds at most 25) and which plays sample 1 on every note,
//! one pattern of `rows` rows holding `packedRows` as its packed data (empty rows when that is
//! empty) and played `orders` times, and, when `sampleFlags` is not 0, one sample of
//! `sampleLength` values, looped from 0 to `loopEnd` when the flags say so, followed by
//! `sampleDataBytes` bytes of data, all 0x10 (packed data of blocks of 0x1010 bytes each).
struct TinyIt {
    int nodeCount = 2;
    int speed = 6; // ticks per row
    int tempo = 125;
    int rows = 64;
    int orders = 1;
    Bytes packedRows;
    std::uint8_t newNoteAction = 0; // 0 cuts the voice a note replaces, 1 lets it play on
    bool linearSlides = true;       // false: Amiga slides, by periods
    std::uint8_t sampleFlags = 0;
    std::uint32_t sampleLength = 0;
    std::uint32_t loopEnd = 0;
    std::uint32_t c5Speed = 8363; // the sample's rate at note C-5
    std::uint32_t sampleDataBytes = 0;
};

Bytes makeTinyIt(const TinyIt& it);

//! Packed IT pattern data for `channel`: a note (none when negative) of instrument 1, and an
//! effect (none when 0, else 1 for A, 2 for B...) with its value. A row ends with a 0 byte.
Bytes itEntry(int channel, int note, int effect = 0, int value = 0);

//! One packed IT row: the entries, then the 0 byte that ends the row.
Bytes itRow(std::initializer_list<Bytes> entries);

//! A sample header of a 15-sample module (SoundTracker's format, which has no signature). The
//! name is written as given, then zeros up to 22 bytes; lengths count 16-bit words.
struct SoundTrackerSample {
    std::string name;
    std::uint16_t words = 0;
    std::uint8_t finetune = 0, volume = 64;
    std::uint16_t loopStart = 0, loopWords = 1;
};

//! A 15-sample module: `title` then zeros up to 20 bytes, the samples (empty ones after those
//! given), `songLength`, `restart` and the pattern numbers `order` (zeros after them), then as
//! many patterns as the highest number asks for, each playing sample 1 on its first row, then
//! the samples' data.
struct SoundTrackerModule {
    std::string title = "st module";
    std::vector<SoundTrackerSample> samples;
    std::uint8_t songLength = 1, restart = 120;
    Bytes order = {0};
};

Bytes makeSoundTrackerModule(const SoundTrackerModule& module);

} // namespace dravon_test

#endif
