#include "DynamicLibrary.h"

#include <windows.h>

namespace nox {
namespace audio {

// A bare name: the system's library search order applies, which includes the program's
// directory and the current working directory.
DynamicLibraryHandle loadDynamicLibrary(const char* fileName) {
    return fileName ? LoadLibraryA(fileName) : nullptr;
}

void* findLibrarySymbol(DynamicLibraryHandle library, const char* symbolName) {
    if (!library || !symbolName)
        return nullptr;
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), symbolName));
}

// GCC's name of void __stdcall dravonPluginInit(nox::audio::ISoundEngine*, const char*): on
// x86-64 __stdcall is the one calling convention, so the name is the Itanium one.
const char* const pluginEntryPointSymbol = "_Z16dravonPluginInitPN3nox5audio12ISoundEngineEPKc";

} // namespace audio
} // namespace nox
