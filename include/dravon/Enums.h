// Enumerations of the Dravon interface: drivers, engine options, streaming modes.
#ifndef DRAVON_ENUMS_H
#define DRAVON_ENUMS_H

namespace nox {
namespace audio {

//! Output driver requested from createDravonDevice(). A 32-bit value: any number may be passed,
//! and those without a driver are refused.
enum E_SOUND_OUTPUT_DRIVER : int {
    //! DirectSound when it can be initialised, otherwise the WinMM wave-out driver.
    OUTPUT_DRIVER_AUTO_DETECT = 0,
    //! DirectSound output.
    OUTPUT_DRIVER_DIRECTSOUND = 1,
    //! WinMM wave-out output fed by the software mixer.
    OUTPUT_DRIVER_WINMM = 2,
    //! Not supported; creation fails.
    OUTPUT_DRIVER_ALSA = 3,
    //! Accepts everything and produces no sound.
    OUTPUT_DRIVER_NULL = 4
};

//! Option bits passed as `options` to createDravonDevice(); combine them with `|`.
enum E_ENGINE_OPTION {
    //! The engine runs its own update thread (one pass every 50 ms); update() only logs.
    ENGINE_OPT_MULTITHREADED = 0x01,
    //! DirectSound buffers are created without global focus.
    ENGINE_OPT_MUTE_UNFOCUSED = 0x02,
    //! The engine loads plug-in libraries (dvp*.dll) at construction. This loads and runs code
    //! found in the program's directory and in the current working directory.
    ENGINE_OPT_LOAD_PLUGINS = 0x04,
    //! 3D sounds use DirectSound 3D buffers when the device has them.
    ENGINE_OPT_USE_3D_BUFFERS = 0x08,
    //! Log lines also go to the debugger output, for the rest of the process's life.
    ENGINE_OPT_DEBUGGER_OUTPUT = 0x10,
    //! Software 3D attenuates linearly between minimum and maximum distance.
    ENGINE_OPT_LINEAR_ROLLOFF = 0x20
};

//! How a sound source is played: streamed while playing, or decoded whole once.
enum E_SOURCE_STREAMING {
    //! Decided at the first play: stream above 128000 decoded bytes or when the length is unknown.
    SOURCE_STREAM_AUTO = 0,
    //! Decode while playing.
    SOURCE_STREAM_ALWAYS = 1,
    //! Decode the whole sound once and play it from memory.
    SOURCE_STREAM_NEVER = 2
};

//! Sample encoding of an audio stream.
enum E_SAMPLE_FORMAT {
    //! Unsigned 8-bit samples; silence is 0x80.
    ESF_U8 = 0,
    //! Signed 16-bit little-endian samples.
    ESF_S16 = 1
};

} // namespace audio
} // namespace nox

#endif
