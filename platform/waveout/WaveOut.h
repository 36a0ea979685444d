// The WinMM wave-out calls the software mixer's driver uses, with WinMM's types, flags and
// results, for systems without WinMM. Code written against these compiles unchanged against
// <mmsystem.h> on Windows.
//
// Guarantees: buffers play in the order in which they were written, and a buffer is marked
// WHDR_DONE only after its last byte has been handed to the output. Nothing is called back: the
// owner polls the done flags. A device plays on the output its id names (see
// resolveWaveOutDevice); WAVE_MAPPER is the default output.
#ifndef DRAVON_PLATFORM_WAVEOUT_WAVE_OUT_H
#define DRAVON_PLATFORM_WAVEOUT_WAVE_OUT_H

#include "dravon/Types.h"

#if defined(_WIN32)
// On Windows the calls, types, flags and results are WinMM's own.
#include <windows.h>

#include <mmsystem.h>

namespace nox {
namespace audio {

//! Beyond WinMM: the device id of the wave-out device called `outputName` (its product name as
//! waveOutGetDevCapsA reports it; "" or null: WAVE_MAPPER). MMSYSERR_BADDEVICEID when no device
//! has that name.
MMRESULT resolveWaveOutDevice(const char* outputName, UINT* deviceId);

} // namespace audio
} // namespace nox

#else

#include <atomic>
#include <cstdint>

namespace nox {
namespace audio {

typedef u32 MMRESULT;
typedef u32 UINT;
typedef u32 DWORD;
typedef u16 WORD;
typedef std::uintptr_t DWORD_PTR;
typedef char* LPSTR;

struct WaveOutDevice;
//! An open wave-out device.
typedef WaveOutDevice* HWAVEOUT;
typedef HWAVEOUT* LPHWAVEOUT;

const UINT WAVE_MAPPER = 0xFFFFFFFFu;
const WORD WAVE_FORMAT_PCM = 1;
const DWORD CALLBACK_NULL = 0;

const DWORD WHDR_DONE = 0x01;
const DWORD WHDR_PREPARED = 0x02;
const DWORD WHDR_INQUEUE = 0x10;

const MMRESULT MMSYSERR_NOERROR = 0;
const MMRESULT MMSYSERR_BADDEVICEID = 2;
const MMRESULT MMSYSERR_ALLOCATED = 4;
const MMRESULT MMSYSERR_INVALHANDLE = 5;
const MMRESULT MMSYSERR_NODRIVER = 6;
const MMRESULT MMSYSERR_NOMEM = 7;
const MMRESULT MMSYSERR_INVALFLAG = 10;
const MMRESULT MMSYSERR_INVALPARAM = 11;
const MMRESULT WAVERR_BADFORMAT = 32;
const MMRESULT WAVERR_STILLPLAYING = 33;
const MMRESULT WAVERR_UNPREPARED = 34;
const MMRESULT WAVERR_SYNC = 35;

//! PCM format of a device.
struct WAVEFORMATEX {
    WORD wFormatTag;
    WORD nChannels;
    DWORD nSamplesPerSec;
    DWORD nAvgBytesPerSec;
    WORD nBlockAlign;
    WORD wBitsPerSample;
    WORD cbSize;
};

//! The flags of a WAVEHDR, used like a DWORD. The output's thread sets WHDR_DONE while the owner
//! polls, so every access is atomic: a store releases the buffer's bytes, a load acquires them,
//! which makes a buffer seen done safe to refill.
class WaveHeaderFlags {
public:
    WaveHeaderFlags(DWORD value = 0) : value_(value) {}
    WaveHeaderFlags(const WaveHeaderFlags&) = delete;
    WaveHeaderFlags& operator=(const WaveHeaderFlags&) = delete;
    operator DWORD() const { return value_.load(std::memory_order_acquire); }
    WaveHeaderFlags& operator=(DWORD value) {
        value_.store(value, std::memory_order_release);
        return *this;
    }
    WaveHeaderFlags& operator|=(DWORD bits) {
        value_.fetch_or(bits, std::memory_order_acq_rel);
        return *this;
    }
    WaveHeaderFlags& operator&=(DWORD bits) {
        value_.fetch_and(bits, std::memory_order_acq_rel);
        return *this;
    }

private:
    std::atomic<DWORD> value_;
};

//! One buffer of a device. `lpNext` and `reserved` belong to the device while it is queued.
struct WAVEHDR {
    LPSTR lpData;
    DWORD dwBufferLength;
    DWORD dwBytesRecorded;
    DWORD_PTR dwUser;
    WaveHeaderFlags dwFlags;
    DWORD dwLoops;
    WAVEHDR* lpNext;
    DWORD_PTR reserved;
};

//! Opens a device on output `deviceId` for `format` (8-bit or 16-bit PCM). Only CALLBACK_NULL
//! is supported. MMSYSERR_NODRIVER when the output cannot be opened, WAVERR_BADFORMAT when it
//! cannot play the format.
MMRESULT waveOutOpen(LPHWAVEOUT device, UINT deviceId, const WAVEFORMATEX* format,
                     DWORD_PTR callback, DWORD_PTR instance, DWORD flags);
//! Marks `header` prepared; `size` is sizeof(WAVEHDR).
MMRESULT waveOutPrepareHeader(HWAVEOUT device, WAVEHDR* header, UINT size);
//! Clears the prepared mark; WAVERR_STILLPLAYING while the buffer is queued.
MMRESULT waveOutUnprepareHeader(HWAVEOUT device, WAVEHDR* header, UINT size);
//! Queues a prepared buffer behind those written before it.
MMRESULT waveOutWrite(HWAVEOUT device, WAVEHDR* header, UINT size);
//! Stops playback and marks every queued buffer done.
MMRESULT waveOutReset(HWAVEOUT device);
//! Closes the device; WAVERR_STILLPLAYING while buffers are queued.
MMRESULT waveOutClose(HWAVEOUT device);

//! Beyond WinMM: the device id of the output called `outputName` ("" or null: WAVE_MAPPER).
//! Names are ALSA device names ("default", "pulse", "hw:0", ...) or "wav:" and a file path for
//! capture to a WAVE file. Whether the output exists is found out by waveOutOpen.
MMRESULT resolveWaveOutDevice(const char* outputName, UINT* deviceId);

} // namespace audio
} // namespace nox

#endif
#endif
