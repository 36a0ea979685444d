// Finds plug-in libraries (dvp*.dll) and lets each one extend the engine.
#ifndef DRAVON_ENGINE_PLUGIN_LOADER_H
#define DRAVON_ENGINE_PLUGIN_LOADER_H

#include "core/DynArray.h"
#include "core/String.h"
#include "dravon/ISoundEngine.h"
#include "dravon/RefCounted.h"
#include "io/IFileManager.h"

namespace nox {
namespace audio {

//! Searches the program's directory, then the working directory, for plug-in libraries, loads
//! each name once and calls its entry point with the engine. Used once by the engine
//! constructor; changes the process's working directory while it scans and restores it after.
class PluginLoader : public RefCounted {
public:
    //! Keeps a reference to `fileManager`; `engine` is borrowed.
    PluginLoader(ISoundEngine* engine, IFileManager* fileManager);
    ~PluginLoader() override;

    //! The whole search: the program's directory, then the working directory.
    void scanForPlugins();
    //! Loads the plug-ins of the current working directory.
    void scanWorkingDirectory();
    //! Loads the library `fileName` from the working directory, unless this loader has handled
    //! the name before, and calls its entry point.
    void loadPlugin(const char* fileName);

    //! The name test: more than 7 characters and, with A to Z lower-cased, "dvp" at the start and
    //! ".dll" anywhere.
    static bool isPluginFileName(const CharString& lowerCaseName);

private:
    IFileManager* fileManager_;
    ISoundEngine* engine_;
    DynArray<CharString> loadedNames_;
};

} // namespace audio
} // namespace nox

#endif
