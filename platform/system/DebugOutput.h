// The debugger output: where log lines also go with ENGINE_OPT_DEBUGGER_OUTPUT.
#ifndef DRAVON_PLATFORM_SYSTEM_DEBUG_OUTPUT_H
#define DRAVON_PLATFORM_SYSTEM_DEBUG_OUTPUT_H

namespace nox {
namespace audio {

//! Sends `text` unchanged to the debugger output. On Windows that is OutputDebugStringA; on
//! other systems, which have no such channel, it is standard error.
void writeDebuggerOutput(const char* text);

} // namespace audio
} // namespace nox

#endif
