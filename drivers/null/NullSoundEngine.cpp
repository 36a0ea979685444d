#include "NullSoundEngine.h"

namespace nox {
namespace audio {

NullSoundEngine::NullSoundEngine(IFileManager* fileManager, int options)
    : SoundEngine(fileManager, options, false) {
    // The update thread starts once the object is complete, so that it never calls into an
    // engine still under construction.
    startUpdateThreadIfMultithreaded();
    logText("Using NULL driver", LOG_LEVEL_INFO);
}

NullSoundEngine::~NullSoundEngine() {
    stopUpdateThread();
}

} // namespace audio
} // namespace nox
