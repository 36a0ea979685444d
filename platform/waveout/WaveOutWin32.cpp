// Names of WinMM's wave-out devices, for choosing one by name.
#include "WaveOut.h"

#include <cstring>

namespace nox {
namespace audio {

MMRESULT resolveWaveOutDevice(const char* outputName, UINT* deviceId) {
    if (!deviceId)
        return MMSYSERR_INVALPARAM;
    if (!outputName || !*outputName) {
        *deviceId = WAVE_MAPPER;
        return MMSYSERR_NOERROR;
    }
    const UINT count = waveOutGetNumDevs();
    for (UINT id = 0; id < count; ++id) {
        WAVEOUTCAPSA caps;
        if (waveOutGetDevCapsA(id, &caps, sizeof(caps)) == MMSYSERR_NOERROR &&
            std::strcmp(caps.szPname, outputName) == 0) {
            *deviceId = id;
            return MMSYSERR_NOERROR;
        }
    }
    return MMSYSERR_BADDEVICEID;
}

} // namespace audio
} // namespace nox
