#include "DumbLibrary.h"

#include <dumb.h>

#include <mutex>

namespace nox {
namespace audio {

void prepareDumbResampler() {
    static std::once_flag prepared;
    std::call_once(prepared, [] {
        // One output sample of the smallest resampler: DUMB fills every table on its first use.
        sample_t source[4] = {};
        sample_t output[1] = {};
        DUMB_RESAMPLER resampler;
        dumb_reset_resampler(&resampler, source, 1, 0, 0, 4);
        dumb_resample_1_1(&resampler, output, 1, 1.0f, 1.0f);
    });
}

} // namespace audio
} // namespace nox
