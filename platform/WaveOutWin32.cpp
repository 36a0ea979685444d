// Names of WinMM's wave-out devices, for choosing one by name.
#include "AudioOutput.h"
#include "OutputDeviceList.h"
#include "WaveOut.h"

#include <cstring>

namespace nox {
namespace audio {

namespace {

bool productName(UINT deviceId, WAVEOUTCAPSA& caps) {
    return waveOutGetDevCapsA(deviceId, &caps, sizeof(caps)) == MMSYSERR_NOERROR;
}

} // namespace

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
        if (productName(id, caps) && std::strcmp(caps.szPname, outputName) == 0) {
            *deviceId = id;
            return MMSYSERR_NOERROR;
        }
    }
    return MMSYSERR_BADDEVICEID;
}

IOutputDeviceList* createSystemOutputDeviceList() {
    OutputDeviceList* list = new OutputDeviceList();
    const UINT count = waveOutGetNumDevs();
    for (UINT id = 0; id < count; ++id) {
        WAVEOUTCAPSA caps;
        if (productName(id, caps))
            list->add(caps.szPname, "WinMM wave-out device");
    }
    return list;
}

} // namespace audio
} // namespace nox
