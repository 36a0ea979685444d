#include "DynamicLibrary.h"

#include "core/String.h"

#include <dlfcn.h>

namespace nox {
namespace audio {

DynamicLibraryHandle loadDynamicLibrary(const char* fileName) {
    if (!fileName)
        return nullptr;
    // A bare name would send the dynamic loader through its own search path; the library is
    // wanted from the directory being scanned.
    CharString path("./");
    path.append(fileName);
    return dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
}

void* findLibrarySymbol(DynamicLibraryHandle library, const char* symbolName) {
    if (!library || !symbolName)
        return nullptr;
    return dlsym(library, symbolName);
}

// The Itanium C++ ABI name of void dravonPluginInit(nox::audio::ISoundEngine*, const char*).
const char* const pluginEntryPointSymbol = "_Z16dravonPluginInitPN3nox5audio12ISoundEngineEPKc";

} // namespace audio
} // namespace nox
