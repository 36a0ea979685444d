#include "ModuleLength.h"

#include <dumb.h>

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace nox {
namespace audio {

namespace {

// DUMB counts time in 65536ths of a second; a tick lasts 2.5 seconds divided by the tempo.
const s64 dumbTimeUnitsPerSecond = 65536;
const long tickTimeAtTempoOne = 163840;

const s64 tickWork = 16, voiceWork = 1;

// Normal, sustain, ping-pong and ping-pong sustain loops.
const u8 sampleLoopFlags = 16 | 32 | 64 | 128;

//! The flags of sample `index`, which DUMB 0.9.3 keeps right after the sample's name (29
//! bytes) and file name (14 bytes); null when the names are not laid out so.
u8* sampleFlags(DUMB_IT_SIGDATA* sigdata, int index) {
    const unsigned char* name = dumb_it_sd_get_sample_name(sigdata, index);
    const unsigned char* fileName = dumb_it_sd_get_sample_filename(sigdata, index);
    if (fileName != name + 29)
        return nullptr;
    return const_cast<u8*>(fileName + 14);
}

//! Turns the loops of all samples off while it lives. The measure walks a module in DUMB's
//! time units, 65536 a second, and DUMB keeps a silent voice in step with one pass of its
//! resampler each time the voice crosses its loop's end: a loop shorter than the voice's step
//! costs a pass every unit: 64 such voices took a minute of CPU to reach the measure's bound.
//! How long a module plays does not depend on its voices.
class SampleLoopsOff {
public:
    explicit SampleLoopsOff(DUMB_IT_SIGDATA* sigdata) {
        for (int i = 0; i < dumb_it_sd_get_n_samples(sigdata); ++i)
            if (u8* flags = sampleFlags(sigdata, i)) {
                saved_.emplace_back(flags, *flags);
                *flags &= ~sampleLoopFlags;
            }
    }
    ~SampleLoopsOff() {
        for (const std::pair<u8*, u8>& flags : saved_)
            *flags.first = flags.second;
    }

private:
    std::vector<std::pair<u8*, u8>> saved_;
};

//! The voices sounding now, those playing on in the background included.
s64 soundingVoices(DUMB_IT_SIGRENDERER* renderer) {
    s64 count = 0;
    DUMB_IT_CHANNEL_STATE state;
    for (int channel = 0; channel < DUMB_IT_TOTAL_CHANNELS; ++channel) {
        dumb_it_sr_get_channel_state(renderer, channel, &state);
        count += state.sample != 0;
    }
    return count;
}

//! DUMB's time from the start of `module` to its end, walked as DUMB's run-through walks it: a
//! renderer that stops where the module loops back or an XM sets a speed of 0. -1 when the
//! walk takes more work than the budget.
s64 measureTime(DUH* module) {
    DUH_SIGRENDERER* walker = dumb_it_start_at_order(module, 0, 0);
    if (!walker)
        return 0; // no pattern to play
    DUMB_IT_SIGRENDERER* renderer = duh_get_it_sigrenderer(walker);
    dumb_it_set_loop_callback(renderer, dumb_it_callback_terminate, nullptr);
    dumb_it_set_xm_speed_zero_callback(renderer, dumb_it_callback_terminate, nullptr);
    s64 time = 0, work = 0;
    for (;;) {
        // A step lasts a tick at the current tempo, so each step plays about one tick.
        long step = tickTimeAtTempoOne / std::max(1, dumb_it_sr_get_tempo(renderer));
        long walked = duh_sigrenderer_generate_samples(walker, 1.0f, 1.0f, step, nullptr);
        time += walked;
        if (walked < step)
            break;
        work += tickWork + voiceWork * soundingVoices(renderer);
        if (work > moduleMeasureBudget) {
            time = -1;
            break;
        }
    }
    duh_end_sigrenderer(walker);
    return time;
}

} // namespace

s32 measureModuleFrames(DUH* module, s32 rate) {
    SampleLoopsOff loopsOff(duh_get_it_sigdata(module));
    s64 time = measureTime(module);
    if (time < 0)
        return -1;
    s64 frames = time * rate / dumbTimeUnitsPerSecond;
    return frames <= INT32_MAX ? static_cast<s32>(frames) : -1;
}

} // namespace audio
} // namespace nox
