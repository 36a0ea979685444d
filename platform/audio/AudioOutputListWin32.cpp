// On Windows the outputs are WinMM's wave-out devices, named by their product names.
#include "AudioOutputList.h"

#include "OutputDeviceList.h"

#include <windows.h>

#include <mmsystem.h>

namespace nox {
namespace audio {

IOutputDeviceList* createAudioOutputList() {
    OutputDeviceList* list = new OutputDeviceList();
    const UINT count = waveOutGetNumDevs();
    for (UINT id = 0; id < count; ++id) {
        WAVEOUTCAPSA caps;
        if (waveOutGetDevCapsA(id, &caps, sizeof(caps)) == MMSYSERR_NOERROR)
            list->add(caps.szPname, "WinMM wave-out device");
    }
    return list;
}

} // namespace audio
} // namespace nox
