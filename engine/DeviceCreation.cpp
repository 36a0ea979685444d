#include "DeviceCreation.h"

#include "NullSoundEngine.h"
#include "Version.h"
#include "dravon/dravon.h"
#include "drivers/mixer/WinMMEngine.h"
#include "platform/audio/AudioOutputList.h"
#include "platform/system/Logger.h"

#include <new>

namespace nox {
namespace audio {

namespace {

const bool hasDirectSound = false;

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

bool initialises(ISoundEngine* engine) {
    if (!engine)
        return false;
    if (engine->initDriver())
        return true;
    engine->decRef();
    return false;
}

} // namespace

ISoundEngine* createDriverEngine(int driver, int options, IFileManager* fileManager,
                                 const char* outputName) {
    if (driver == OUTPUT_DRIVER_AUTO_DETECT)
        driver = OUTPUT_DRIVER_DIRECTSOUND;
    bool ownsFileManager = fileManager == nullptr;
    if (ownsFileManager)
        fileManager = createFileManager();
    ISoundEngine* engine = nullptr;
    switch (driver) {
    case OUTPUT_DRIVER_NULL:
        engine = new (std::nothrow) NullSoundEngine(fileManager, options);
        break;
    case OUTPUT_DRIVER_WINMM:
        engine = new (std::nothrow) WinMMEngine(fileManager, options, outputName);
        break;
    case OUTPUT_DRIVER_ALSA:
        logText("ALSA is not supported on this system.", LOG_LEVEL_INFO);
        break;
    default:
        // DirectSound is not available in this build.
        break;
    }
    if (ownsFileManager)
        fileManager->decRef();
    if (!engine)
        logText("Invalid sound driver specified.", LOG_LEVEL_WARNING);
    return engine;
}

ISoundEngine* createDravonDeviceOnOutput(E_SOUND_OUTPUT_DRIVER driver, int options,
                                         const char* outputName, const char* sdkVersion) {
    checkVersion(sdkVersion);
    // Without a DirectSound driver in this build, automatic detection goes straight to its
    // fallback instead of reporting an invalid driver first.
    if (driver != OUTPUT_DRIVER_AUTO_DETECT || hasDirectSound) {
        ISoundEngine* engine = createDriverEngine(driver, options, nullptr, outputName);
        if (initialises(engine))
            return engine;
    }
    if (driver == OUTPUT_DRIVER_AUTO_DETECT) {
        ISoundEngine* engine =
            createDriverEngine(OUTPUT_DRIVER_WINMM, options, nullptr, outputName);
        if (initialises(engine))
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
