#include "DriverTable.h"

#include "drivers/mixer/WinMMEngine.h"
#include "drivers/null/NullSoundEngine.h"

#include <new>

namespace nox {
namespace audio {

namespace {

ISoundEngine* createWinMMEngine(IFileManager* fileManager, int options, const char* outputName) {
    return new (std::nothrow) WinMMEngine(fileManager, options, outputName);
}

ISoundEngine* createNullEngine(IFileManager* fileManager, int options, const char*) {
    return new (std::nothrow) NullSoundEngine(fileManager, options);
}

const DriverEntry drivers[] = {
    // DirectSound is not built yet: asked for, it is an invalid driver; automatic detection
    // passes over it.
    {OUTPUT_DRIVER_DIRECTSOUND, nullptr, nullptr},
    {OUTPUT_DRIVER_WINMM, createWinMMEngine, nullptr},
    {OUTPUT_DRIVER_ALSA, nullptr, "ALSA is not supported on this system."},
    {OUTPUT_DRIVER_NULL, createNullEngine, nullptr},
};

} // namespace

const E_SOUND_OUTPUT_DRIVER autoDetectOrder[] = {OUTPUT_DRIVER_DIRECTSOUND, OUTPUT_DRIVER_WINMM};
const int autoDetectCount = sizeof(autoDetectOrder) / sizeof(autoDetectOrder[0]);

const DriverEntry* findDriver(int driver) {
    for (const DriverEntry& entry : drivers)
        if (entry.driver == driver)
            return &entry;
    return nullptr;
}

} // namespace audio
} // namespace nox
