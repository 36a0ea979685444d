#include "WinMMEngine.h"

#include "WinMMEngineTestSeam.h"

#include "platform/system/Logger.h"

namespace nox {
namespace audio {

namespace {

const UINT headerSize = sizeof(WAVEHDR);

const char* describeWaveOutResult(MMRESULT result) {
    switch (result) {
    case MMSYSERR_BADDEVICEID:
        return "Specified device identifier is out of range.";
    case MMSYSERR_ALLOCATED:
        return "Specified resource is already allocated.";
    case MMSYSERR_INVALHANDLE:
        return "Specified device handle is invalid.";
    case MMSYSERR_NODRIVER:
        return "No device driver is present.";
    case MMSYSERR_NOMEM:
        return "Unable to allocate or lock memory.";
    case WAVERR_BADFORMAT:
        return "Attempted to open with an unsupported waveform-audio format.";
    case WAVERR_UNPREPARED:
        return "The data block hasn't been prepared.";
    case WAVERR_SYNC:
        return "The device is synchronous but waveOutOpen was called without using the "
               "WAVE_ALLOWSYNC flag.";
    default:
        return nullptr;
    }
}

} // namespace

bool WinMMEngine::reportWaveOutFailure(MMRESULT result, const char* context) {
    if (result == MMSYSERR_NOERROR)
        return false;
    const char* description = describeWaveOutResult(result);
    if (description) {
        logText(context, description, LOG_LEVEL_INFO);
        return true;
    }
    CharString number(static_cast<s32>(result));
    logText(context, number.c_str(), LOG_LEVEL_INFO);
    return true;
}

WinMMEngine::WinMMEngine(IFileManager* fileManager, int options, const char* outputName)
    : MixingEngine(fileManager, options) {
    openDevice(outputName);
    if (!device_)
        return;
    for (s32 i = 0; i < bufferCount; ++i) {
        headers_[i].lpData = reinterpret_cast<LPSTR>(samples_[i]);
        headers_[i].dwBufferLength = sizeof(samples_[i]);
        // Marked done, so that the first pass fills and queues the whole ring.
        headers_[i].dwFlags = WHDR_DONE;
    }
    startUpdateThreadIfMultithreaded();
    logText("Using winMM driver", LOG_LEVEL_INFO);
}

void WinMMEngine::openDevice(const char* outputName) {
    WAVEFORMATEX format = {};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 2;
    format.nSamplesPerSec = mixingRate;
    format.nAvgBytesPerSec = mixingRate * 4;
    format.nBlockAlign = 4;
    format.wBitsPerSample = 16;
    UINT deviceId = WAVE_MAPPER;
    MMRESULT result = resolveWaveOutDevice(outputName, &deviceId);
    if (result == MMSYSERR_NOERROR)
        result = waveOutOpen(&device_, deviceId, &format, 0, 0, CALLBACK_NULL);
    if (reportWaveOutFailure(result, "Could not start up winMM device"))
        device_ = nullptr;
}

WinMMEngine::~WinMMEngine() {
    stopUpdateThread();
    if (!device_)
        return;
    stopAllSounds();
    removeAllSoundSources();
    waveOutReset(device_);
    for (WAVEHDR& header : headers_)
        if (header.dwFlags & (WHDR_DONE | WHDR_PREPARED))
            reportWaveOutFailure(waveOutUnprepareHeader(device_, &header, headerSize),
                                 "could not free header");
    waveOutClose(device_);
    device_ = nullptr;
}

void WinMMEngine::updateDriver() {
    MutexGuard guard(getMutex());
    updateSounds();
    for (WAVEHDR& header : headers_)
        if (header.dwFlags & WHDR_DONE)
            refill(header);
}

void WinMMEngine::refill(WAVEHDR& header) {
    // A failed step is logged and the next one is tried all the same.
    if (header.dwFlags & WHDR_PREPARED)
        reportWaveOutFailure(waveOutUnprepareHeader(device_, &header, headerSize),
                             "could not unprepare for update");
    mixFrames(reinterpret_cast<s16*>(header.lpData), framesPerBuffer);
    header.dwFlags = 0;
    reportWaveOutFailure(waveOutPrepareHeader(device_, &header, headerSize),
                         "could not prepare for update");
    reportWaveOutFailure(waveOutWrite(device_, &header, headerSize),
                         "could not write wave for update");
}

const WAVEHDR& getRingHeader(const WinMMEngine& engine, s32 index) {
    return engine.headers_[index];
}

} // namespace audio
} // namespace nox
