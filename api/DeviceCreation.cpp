#include "DeviceCreation.h"

#include "DriverTable.h"
#include "dravon/dravon.h"
#include "engine/Version.h"
#include "platform/audio/AudioOutputList.h"
#include "platform/system/Logger.h"

namespace nox {
namespace audio {

namespace {

void checkVersion(const char* sdkVersion) {
    // The constant pieces are kept as 16-bit text and narrowed unit by unit.
    static const char16_t before[] = u"Warning: The library version of Dravon (";
    static const char16_t middle[] =
        u") does not match the version the application was compiled with (";
    static const char16_t after[] = u"). This may cause problems.";
    if (sdkVersion && CharString(sdkVersion) == libraryVersion)
        return;
    CharString line, piece;
    piece.assignConverted(before);
    line.append(piece).append(libraryVersion);
    piece.assignConverted(middle);
    line.append(piece).append(sdkVersion);
    piece.assignConverted(after);
    line.append(piece);
    debugPrint(line.c_str(), true);
}

// `engine` once its driver has initialised; null (and the engine released) otherwise.
ISoundEngine* initialised(ISoundEngine* engine) {
    if (!engine || engine->initDriver())
        return engine;
    engine->decRef();
    return nullptr;
}

} // namespace

ISoundEngine* createDriverEngine(int driver, int options, IFileManager* fileManager,
                                 const char* outputName) {
    if (driver == OUTPUT_DRIVER_AUTO_DETECT)
        driver = autoDetectOrder[0];
    const DriverEntry* entry = findDriver(driver);
    bool ownsFileManager = fileManager == nullptr;
    if (ownsFileManager)
        fileManager = createFileManager();
    ISoundEngine* engine = nullptr;
    if (entry && entry->create)
        engine = entry->create(fileManager, options, outputName);
    else if (entry && entry->refusal)
        logText(entry->refusal, LOG_LEVEL_INFO);
    if (ownsFileManager)
        fileManager->decRef();
    if (!engine)
        logText("Invalid sound driver specified.", LOG_LEVEL_WARNING);
    return engine;
}

ISoundEngine* createDravonDeviceOnOutput(E_SOUND_OUTPUT_DRIVER driver, int options,
                                         const char* outputName, const char* sdkVersion) {
    checkVersion(sdkVersion);
    if (driver != OUTPUT_DRIVER_AUTO_DETECT)
        return initialised(createDriverEngine(driver, options, nullptr, outputName));
    for (int i = 0; i < autoDetectCount; ++i) {
        // A driver this build lacks is passed over without a word.
        const DriverEntry* entry = findDriver(autoDetectOrder[i]);
        if (!entry || !entry->create)
            continue;
        if (ISoundEngine* engine =
                initialised(createDriverEngine(entry->driver, options, nullptr, outputName)))
            return engine;
    }
    return nullptr;
}

ISoundEngine* createDravonDevice(E_SOUND_OUTPUT_DRIVER driver, int options,
                                 const char* sdkVersion) {
    return createDravonDeviceOnOutput(driver, options, nullptr, sdkVersion);
}

IOutputDeviceList* createDravonOutputDeviceList() {
    return createAudioOutputList();
}

} // namespace audio
} // namespace nox
