// Writes the demo sound: a short arpeggio that sweeps from left to right, as a 44100 Hz stereo
// 16-bit WAVE file.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

const int sampleRate = 44100;
const double pi = 3.14159265358979323846;

void putU16(std::FILE* out, unsigned value) {
    std::fputc(static_cast<int>(value & 0xFF), out);
    std::fputc(static_cast<int>((value >> 8) & 0xFF), out);
}

void putU32(std::FILE* out, unsigned long value) {
    putU16(out, static_cast<unsigned>(value & 0xFFFF));
    putU16(out, static_cast<unsigned>(value >> 16));
}

// One plucked note: a few harmonics under an exponential decay.
double note(double frequency, double t) {
    double envelope = std::exp(-t * 4.0) * (1.0 - std::exp(-t * 400.0));
    double tone = std::sin(2 * pi * frequency * t) + 0.4 * std::sin(4 * pi * frequency * t) +
                  0.15 * std::sin(6 * pi * frequency * t);
    return envelope * tone / 1.55;
}

std::int16_t toSample(double value) {
    double scaled = value * 30000.0;
    if (scaled > 32767.0)
        scaled = 32767.0;
    if (scaled < -32768.0)
        scaled = -32768.0;
    return static_cast<std::int16_t>(scaled);
}

std::vector<std::int16_t> render() {
    const double notes[] = {261.63, 329.63, 392.00, 523.25, 392.00, 329.63, 261.63, 196.00};
    const int noteCount = 8;
    const double step = 0.3;
    const double length = noteCount * step + 1.0;
    int frames = static_cast<int>(length * sampleRate);
    std::vector<std::int16_t> samples(static_cast<std::size_t>(frames) * 2);
    for (int i = 0; i < frames; ++i) {
        double t = static_cast<double>(i) / sampleRate;
        double left = 0.0, right = 0.0;
        for (int n = 0; n < noteCount; ++n) {
            double start = n * step;
            if (t < start)
                break;
            double position = static_cast<double>(n) / (noteCount - 1);
            double value = note(notes[n], t - start) * 0.5;
            left += value * std::cos(position * pi / 2);
            right += value * std::sin(position * pi / 2);
        }
        samples[2 * i] = toSample(left);
        samples[2 * i + 1] = toSample(right);
    }
    return samples;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: dravon-make-demo OUTPUT.wav\n");
        return 2;
    }
    std::FILE* out = std::fopen(argv[1], "wb");
    if (!out) {
        std::perror(argv[1]);
        return 1;
    }
    std::vector<std::int16_t> samples = render();
    unsigned long dataBytes = static_cast<unsigned long>(samples.size() * 2);
    std::fputs("RIFF", out);
    putU32(out, 36 + dataBytes);
    std::fputs("WAVEfmt ", out);
    putU32(out, 16);
    putU16(out, 1);
    putU16(out, 2);
    putU32(out, sampleRate);
    putU32(out, sampleRate * 4UL);
    putU16(out, 4);
    putU16(out, 16);
    std::fputs("data", out);
    putU32(out, dataBytes);
    for (std::int16_t s : samples)
        putU16(out, static_cast<std::uint16_t>(s));
    return std::fclose(out) == 0 ? 0 : 1;
}
