#include "DebugOutput.h"

#include <windows.h>

namespace nox {
namespace audio {

void writeDebuggerOutput(const char* text) {
    OutputDebugStringA(text);
}

} // namespace audio
} // namespace nox
