// Dynamic libraries loaded at run time: plug-ins.
#ifndef DRAVON_PLATFORM_SYSTEM_DYNAMIC_LIBRARY_H
#define DRAVON_PLATFORM_SYSTEM_DYNAMIC_LIBRARY_H

namespace nox {
namespace audio {

//! An opaque handle of a loaded library.
typedef void* DynamicLibraryHandle;

//! Loads the library `fileName`, a name without a directory, from the current working directory
//! (Windows also searches its usual library directories). Null when it cannot be loaded.
//! Libraries stay loaded for the rest of the process.
DynamicLibraryHandle loadDynamicLibrary(const char* fileName);

//! The address of the exported symbol `symbolName` of `library`, or null when it has none.
void* findLibrarySymbol(DynamicLibraryHandle library, const char* symbolName);

//! The symbol under which this platform's compiler exports the plug-in entry point declared in
//! dravon/Plugin.h (its decorated C++ name).
extern const char* const pluginEntryPointSymbol;

} // namespace audio
} // namespace nox

#endif
