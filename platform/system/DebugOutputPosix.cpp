#include "DebugOutput.h"

#include <cstdio>
#include <cstring>

namespace nox {
namespace audio {

void writeDebuggerOutput(const char* text) {
    std::fwrite(text, 1, std::strlen(text), stderr);
    std::fflush(stderr);
}

} // namespace audio
} // namespace nox
