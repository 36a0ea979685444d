#include "TinyModules.h"

#include <algorithm>

namespace dravon_test {

namespace {

void putBigEndian16(Bytes& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value >> 8));
    out.push_back(static_cast<std::uint8_t>(value));
}

void putPadded(Bytes& out, const std::string& text, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i)
        out.push_back(i < text.size() ? static_cast<std::uint8_t>(text[i]) : 0);
}

void putZeros(Bytes& out, std::size_t count) {
    out.insert(out.end(), count, 0);
}

const int modChannels = 4;
const int modRows = 64;
const std::uint32_t sampleWords = 32;

// One MOD cell: sample number, Amiga period, effect and its parameter.
void putModCell(Bytes& out, int sample, int period, int effect, int parameter) {
    out.push_back(static_cast<std::uint8_t>((sample & 0xf0) | ((period >> 8) & 0x0f)));
    out.push_back(static_cast<std::uint8_t>(period));
    out.push_back(static_cast<std::uint8_t>(((sample & 0x0f) << 4) | (effect & 0x0f)));
    out.push_back(static_cast<std::uint8_t>(parameter));
}

// A pattern whose only events are `first` on channels 0 and 1 of row 0 and a pattern break on
// row `breakRow` (none when negative).
void putModPattern(Bytes& out, bool startNote, int breakRow) {
    for (int row = 0; row < modRows; ++row)
        for (int channel = 0; channel < modChannels; ++channel) {
            if (row == 0 && channel == 0 && startNote)
                putModCell(out, 1, 428, 0xf, 5); // C-2, speed 5
            else if (row == 0 && channel == 1 && startNote)
                putModCell(out, 0, 0, 0xf, 125); // tempo 125
            else if (row == breakRow && channel == 0)
                putModCell(out, 0, 0, 0xd, 0); // break to the next order
            else
                putModCell(out, 0, 0, 0, 0);
        }
}

} // namespace

Bytes makeTinyMod(int breakRow) {
    Bytes out;
    putPadded(out, "dravon tiny", 20);
    putPadded(out, "square", 22);
    putBigEndian16(out, sampleWords);
    out.push_back(0);  // finetune
    out.push_back(64); // volume
    putBigEndian16(out, 0);
    putBigEndian16(out, sampleWords); // loop over the whole sample
    for (int sample = 1; sample < 31; ++sample) {
        putZeros(out, 28);
        putBigEndian16(out, 1);
    }
    out.push_back(2);   // orders in the song
    out.push_back(127); // restart byte as trackers write it
    out.push_back(0);
    out.push_back(1);
    putZeros(out, 126);
    putText(out, "M.K.");
    putModPattern(out, true, -1);
    putModPattern(out, false, breakRow);
    for (std::uint32_t i = 0; i < sampleWords * 2; ++i)
        out.push_back(i < sampleWords ? 0x40 : 0xc0);
    return out;
}

Bytes itEntry(int channel, int note, int effect, int value) {
    Bytes out = {static_cast<std::uint8_t>(0x80 | (channel + 1)),
                 static_cast<std::uint8_t>((note >= 0 ? 1 | 2 : 0) | (effect ? 8 : 0))};
    if (note >= 0) {
        out.push_back(static_cast<std::uint8_t>(note));
        out.push_back(1);
    }
    if (effect) {
        out.push_back(static_cast<std::uint8_t>(effect));
        out.push_back(static_cast<std::uint8_t>(value));
    }
    return out;
}

Bytes itRow(std::initializer_list<Bytes> entries) {
    Bytes out;
    for (const Bytes& entry : entries)
        out.insert(out.end(), entry.begin(), entry.end());
    out.push_back(0);
    return out;
}

Bytes makeSoundTrackerModule(const SoundTrackerModule& module) {
    const int samples = 15;
    Bytes out;
    putPadded(out, module.title, 20);
    std::uint32_t dataBytes = 0;
    for (int i = 0; i < samples; ++i) {
        SoundTrackerSample sample = i < static_cast<int>(module.samples.size())
                                        ? module.samples[static_cast<std::size_t>(i)]
                                        : SoundTrackerSample();
        putPadded(out, sample.name, 22);
        putBigEndian16(out, sample.words);
        out.push_back(sample.finetune);
        out.push_back(sample.volume);
        putBigEndian16(out, sample.loopStart);
        putBigEndian16(out, sample.loopWords);
        dataBytes += 2u * sample.words;
    }
    out.push_back(module.songLength);
    out.push_back(module.restart);
    Bytes order = module.order;
    order.resize(128, 0);
    out.insert(out.end(), order.begin(), order.end());
    const int patterns = *std::max_element(order.begin(), order.end()) + 1;
    for (int pattern = 0; pattern < patterns; ++pattern)
        putModPattern(out, true, -1);
    for (std::uint32_t i = 0; i < dataBytes; ++i)
        out.push_back(i % 32 < 16 ? 0x40 : 0xc0);
    return out;
}

void putTinyItSample(Bytes& out, const TinyIt& it, std::uint32_t dataAt) {
    putText(out, "IMPS");
    putZeros(out, 13); // DOS file name and its terminator
    out.push_back(64); // global volume
    out.push_back(it.sampleFlags);
    out.push_back(64); // volume
    putPadded(out, "sample", 26);
    out.push_back(1);  // signed data
    out.push_back(32); // default pan
    putU32(out, it.sampleLength);
    putU32(out, 0);
    putU32(out, it.loopEnd);
    putU32(out, it.c5Speed);
    putZeros(out, 8); // sustain loop
    putU32(out, dataAt);
    putZeros(out, 4); // vibrato
    out.insert(out.end(), it.sampleDataBytes, 0x10);
}

Bytes makeTinyIt(const TinyIt& it) {
    const std::uint32_t headerSize = 0xc0, instrumentSize = 554;
    const std::uint32_t orders = static_cast<std::uint32_t>(it.orders) + 1;
    const std::uint32_t rows = static_cast<std::uint32_t>(it.rows);
    const std::uint8_t samples = it.sampleFlags ? 1 : 0;
    const std::uint32_t instrumentAt = headerSize + orders + 4 * (2 + samples);
    const std::uint32_t patternAt = instrumentAt + instrumentSize;
    const Bytes packed = it.packedRows.empty() ? Bytes(rows, 0) : it.packedRows;
    const std::uint32_t sampleAt = patternAt + 8 + static_cast<std::uint32_t>(packed.size());
    Bytes out;
    putText(out, "IMPM");
    putPadded(out, "dravon tiny", 26);
    putU16(out, 0x1004); // row highlight
    putU16(out, orders);
    putU16(out, 1); // instruments
    putU16(out, samples);
    putU16(out, 1);     // patterns
    putU16(out, 0x214); // made with
    putU16(out, 0x214); // compatible with: instruments in the new layout
    putU16(out, 1 | 4 | (it.linearSlides ? 8 : 0)); // stereo, instruments, linear slides
    putU16(out, 0);
    out.push_back(128); // global volume
    out.push_back(48);  // mix volume
    out.push_back(static_cast<std::uint8_t>(it.speed));
    out.push_back(static_cast<std::uint8_t>(it.tempo));
    out.push_back(128); // separation
    out.push_back(0);   // wheel depth
    putU16(out, 0);     // message length
    putU32(out, 0);     // message offset
    putU32(out, 0);
    out.insert(out.end(), 64, 32); // channel pan: centre
    out.insert(out.end(), 64, 64); // channel volume: full
    out.insert(out.end(), orders - 1, 0);
    out.push_back(255); // end of song
    putU32(out, instrumentAt);
    if (samples)
        putU32(out, sampleAt);
    putU32(out, patternAt);

    putText(out, "IMPI");
    putZeros(out, 13); // DOS file name and its terminator
    out.push_back(it.newNoteAction);
    putZeros(out, 2); // duplicate check and action
    putU16(out, 0);   // fade-out
    out.push_back(0);
    out.push_back(60);
    out.push_back(128);      // global volume
    out.push_back(32 | 128); // default pan, unused
    out.push_back(0);
    out.push_back(0);
    putU16(out, 0x214);
    out.push_back(0); // samples
    out.push_back(0);
    putPadded(out, "envelope", 26);
    putZeros(out, 6); // filter, MIDI channel, program, bank
    for (int note = 0; note < 120; ++note) {
        out.push_back(static_cast<std::uint8_t>(note));
        out.push_back(samples);
    }
    for (int envelope = 0; envelope < 3; ++envelope) {
        out.push_back(envelope == 0 ? 1 : 0); // volume envelope on
        out.push_back(static_cast<std::uint8_t>(envelope == 0 ? it.nodeCount : 0));
        putZeros(out, 4); // loop and sustain loop
        for (int node = 0; node < 25; ++node) {
            out.push_back(64);
            putU16(out, static_cast<std::uint32_t>(node * 10));
        }
        out.push_back(0);
    }
    putZeros(out, 4);

    putU16(out, static_cast<std::uint32_t>(packed.size()));
    putU16(out, rows);
    putZeros(out, 4);
    out.insert(out.end(), packed.begin(), packed.end());
    if (samples)
        putTinyItSample(out, it, sampleAt + 0x50);
    return out;
}

} // namespace dravon_test
