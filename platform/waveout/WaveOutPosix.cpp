// Wave-out devices on top of the library's audio outputs, each fed by its queue of buffers.
#include "WaveOut.h"

#include "WaveOutQueue.h"
#include "WaveOutTestSeam.h"
#include "platform/audio/AudioOutput.h"

#include <mutex>
#include <string>
#include <vector>

namespace nox {
namespace audio {

struct WaveOutDevice {
    AudioOutput* output;
    WaveOutQueue queue;
};

namespace {

std::atomic<u32> callCount{0};

// Device ids of named outputs are their places in this table; a name keeps its id for the
// life of the process.
std::mutex namesMutex;
std::vector<std::string> outputNames;

bool nameOf(UINT deviceId, std::string& name) {
    if (deviceId == WAVE_MAPPER) {
        name.clear();
        return true;
    }
    std::lock_guard<std::mutex> lock(namesMutex);
    if (deviceId >= outputNames.size())
        return false;
    name = outputNames[deviceId];
    return true;
}

bool isPlayablePcm(const WAVEFORMATEX* format) {
    return format->wFormatTag == WAVE_FORMAT_PCM &&
           (format->nChannels == 1 || format->nChannels == 2) &&
           (format->wBitsPerSample == 8 || format->wBitsPerSample == 16) &&
           format->nSamplesPerSec > 0 &&
           format->nBlockAlign == format->nChannels * format->wBitsPerSample / 8;
}

AudioOutputFormat outputFormatOf(const WAVEFORMATEX& format) {
    AudioOutputFormat output;
    output.sampleRate = format.nSamplesPerSec;
    output.channelCount = format.nChannels;
    output.bitsPerSample = format.wBitsPerSample;
    return output;
}

MMRESULT waveOutResultOf(E_AUDIO_OUTPUT_RESULT result) {
    switch (result) {
    case AUDIO_OUTPUT_OK:
        return MMSYSERR_NOERROR;
    case AUDIO_OUTPUT_BUSY:
        return MMSYSERR_ALLOCATED;
    case AUDIO_OUTPUT_NO_MEMORY:
        return MMSYSERR_NOMEM;
    case AUDIO_OUTPUT_BAD_FORMAT:
        return WAVERR_BADFORMAT;
    default:
        return MMSYSERR_NODRIVER;
    }
}

MMRESULT checkHeader(HWAVEOUT device, WAVEHDR* header, UINT size) {
    ++callCount;
    if (!device)
        return MMSYSERR_INVALHANDLE;
    if (!header || size != sizeof(WAVEHDR))
        return MMSYSERR_INVALPARAM;
    return (header->dwFlags & WHDR_INQUEUE) ? WAVERR_STILLPLAYING : MMSYSERR_NOERROR;
}

} // namespace

MMRESULT waveOutOpen(LPHWAVEOUT device, UINT deviceId, const WAVEFORMATEX* format, DWORD_PTR,
                     DWORD_PTR, DWORD flags) {
    ++callCount;
    if (!device || !format)
        return MMSYSERR_INVALPARAM;
    if (flags != CALLBACK_NULL)
        return MMSYSERR_INVALFLAG;
    if (!isPlayablePcm(format))
        return WAVERR_BADFORMAT;
    std::string name;
    if (!nameOf(deviceId, name))
        return MMSYSERR_BADDEVICEID;
    AudioOutput* output = createAudioOutput(name.c_str());
    MMRESULT result = waveOutResultOf(output->open(outputFormatOf(*format)));
    if (result != MMSYSERR_NOERROR) {
        output->decRef();
        return result;
    }
    WaveOutDevice* opened = new WaveOutDevice{output, {}};
    if (!output->start(&opened->queue)) {
        // The output's thread could not be made: nothing plays.
        output->stop();
        output->decRef();
        delete opened;
        return MMSYSERR_NOMEM;
    }
    *device = opened;
    return MMSYSERR_NOERROR;
}

MMRESULT waveOutPrepareHeader(HWAVEOUT device, WAVEHDR* header, UINT size) {
    MMRESULT result = checkHeader(device, header, size);
    if (result == MMSYSERR_NOERROR)
        header->dwFlags |= WHDR_PREPARED;
    return result;
}

MMRESULT waveOutUnprepareHeader(HWAVEOUT device, WAVEHDR* header, UINT size) {
    MMRESULT result = checkHeader(device, header, size);
    if (result == MMSYSERR_NOERROR)
        header->dwFlags &= ~WHDR_PREPARED;
    return result;
}

MMRESULT waveOutWrite(HWAVEOUT device, WAVEHDR* header, UINT size) {
    MMRESULT result = checkHeader(device, header, size);
    if (result != MMSYSERR_NOERROR)
        return result;
    if (!(header->dwFlags & WHDR_PREPARED))
        return WAVERR_UNPREPARED;
    device->queue.push(header);
    return MMSYSERR_NOERROR;
}

MMRESULT waveOutReset(HWAVEOUT device) {
    ++callCount;
    if (!device)
        return MMSYSERR_INVALHANDLE;
    device->queue.reset();
    return MMSYSERR_NOERROR;
}

MMRESULT waveOutClose(HWAVEOUT device) {
    ++callCount;
    if (!device)
        return MMSYSERR_INVALHANDLE;
    if (!device->queue.isEmpty())
        return WAVERR_STILLPLAYING;
    device->output->stop();
    device->output->decRef();
    delete device;
    return MMSYSERR_NOERROR;
}

MMRESULT resolveWaveOutDevice(const char* outputName, UINT* deviceId) {
    if (!deviceId)
        return MMSYSERR_INVALPARAM;
    if (!outputName || !*outputName) {
        *deviceId = WAVE_MAPPER;
        return MMSYSERR_NOERROR;
    }
    std::lock_guard<std::mutex> lock(namesMutex);
    UINT id = 0;
    while (id < outputNames.size() && outputNames[id] != outputName)
        ++id;
    if (id == outputNames.size())
        outputNames.push_back(outputName);
    *deviceId = id;
    return MMSYSERR_NOERROR;
}

u32 getWaveOutCallCount() {
    return callCount;
}

} // namespace audio
} // namespace nox
