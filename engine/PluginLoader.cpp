#include "PluginLoader.h"

#include "Version.h"
#include "dravon/Plugin.h"
#include "platform/system/DynamicLibrary.h"
#include "platform/system/FileSystem.h"
#include "platform/system/Logger.h"

namespace nox {
namespace audio {

namespace {

typedef void(DRAVON_STDCALL* PluginEntryPoint)(ISoundEngine*, const char*);

const u32 executablePathSize = 1024;

} // namespace

PluginLoader::PluginLoader(ISoundEngine* engine, IFileManager* fileManager)
    : fileManager_(fileManager), engine_(engine) {
    if (fileManager_)
        fileManager_->incRef();
}

PluginLoader::~PluginLoader() {
    if (fileManager_)
        fileManager_->decRef();
}

void PluginLoader::scanForPlugins() {
    if (!fileManager_)
        return;
    char executable[executablePathSize];
    getExecutablePath(executable, executablePathSize);
    CharString programDirectory = fileManager_->getFileDirectory(executable);
    CharString workingDirectory(fileManager_->getWorkingDirectory());
    // The program's directory ends with a separator and the working directory does not, so
    // both are usually scanned even when they are the same; names met twice load once.
    if (programDirectory != workingDirectory) {
        fileManager_->changeWorkingDirectory(programDirectory.c_str());
        scanWorkingDirectory();
    }
    fileManager_->changeWorkingDirectory(workingDirectory.c_str());
    scanWorkingDirectory();
}

void PluginLoader::scanWorkingDirectory() {
    IDirectoryListing* listing = fileManager_->createDirectoryListing();
    if (!listing)
        return;
    for (u32 index = 0; index < listing->getFileCount(); ++index) {
        CharString name(listing->getFileName(static_cast<s32>(index)));
        name.makeLower();
        if (isPluginFileName(name))
            loadPlugin(name.c_str());
    }
    listing->decRef();
}

bool PluginLoader::isPluginFileName(const CharString& lowerCaseName) {
    return lowerCaseName.size() > 7 && lowerCaseName.find("dvp") == 0 &&
           lowerCaseName.find(".dll") >= 0;
}

void PluginLoader::loadPlugin(const char* fileName) {
    CharString name(fileName);
    if (loadedNames_.linearSearch(name) >= 0)
        return;
    // Noted before loading, so that a library that fails is not tried again either.
    loadedNames_.push_back(name);
    DynamicLibraryHandle library = loadDynamicLibrary(fileName);
    if (!library) {
        logText("Could not load plugin", fileName, LOG_LEVEL_ERROR);
        return;
    }
    // The library stays loaded even without an entry point.
    PluginEntryPoint entryPoint =
        reinterpret_cast<PluginEntryPoint>(findLibrarySymbol(library, pluginEntryPointSymbol));
    if (!entryPoint) {
        logText("Could not find function 'dravonPluginInit' in plugin", fileName, LOG_LEVEL_ERROR);
        return;
    }
    entryPoint(engine_, libraryVersion);
    logText("Loaded plugin", fileName, LOG_LEVEL_INFO);
}

} // namespace audio
} // namespace nox
