// The software mixer playing through a wave-out device.
#ifndef DRAVON_DRIVERS_MIXER_WIN_MM_ENGINE_H
#define DRAVON_DRIVERS_MIXER_WIN_MM_ENGINE_H

#include "MixingEngine.h"
#include "platform/waveout/WaveOut.h"

namespace nox {
namespace audio {

//! Keeps a ring of 32 buffers of 256 frames (44100 Hz, 16-bit stereo) queued on a wave-out
//! device, and at every update pass mixes into each buffer the device has played and queues
//! it again. The device is polled, never called back.
class WinMMEngine : public MixingEngine {
public:
    static constexpr s32 bufferCount = 32;
    static constexpr s32 framesPerBuffer = 256;
    static constexpr u32 mixingRate = 44100;

    //! Opens the output `outputName` (null or "": the default one) and, once it is open, starts
    //! the update thread when the options ask for one. When the device does not open, the
    //! reason is logged and initDriver() fails.
    WinMMEngine(IFileManager* fileManager, int options, const char* outputName = nullptr);
    ~WinMMEngine() override;

    bool initDriver() override { return device_ != nullptr; }
    //! Under the engine's lock: the housekeeping of every pass, then every buffer the device
    //! has played, in index order, is mixed and queued again.
    void updateDriver() override;
    u32 getMixingRate() override { return mixingRate; }

    //! When `result` is a failure, logs "context: description" and returns true; returns false
    //! for MMSYSERR_NOERROR.
    static bool reportWaveOutFailure(MMRESULT result, const char* context);

private:
    // Tests see the ring through WinMMEngineTestSeam.h.
    friend const WAVEHDR& getRingHeader(const WinMMEngine& engine, s32 index);

    void openDevice(const char* outputName);
    void refill(WAVEHDR& header);

    HWAVEOUT device_ = nullptr;
    WAVEHDR headers_[bufferCount] = {};
    s16 samples_[bufferCount][2 * framesPerBuffer] = {};
};

} // namespace audio
} // namespace nox

#endif
