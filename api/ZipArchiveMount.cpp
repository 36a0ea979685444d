// The exported operation that mounts a zip archive in an engine's file manager: the engine's
// public interface has no slot for it.
#include "dravon/dravon.h"
#include "engine/SoundEngine.h"

namespace nox {
namespace audio {

bool addDravonZipArchive(ISoundEngine* engine, const char* fileName, bool ignoreCase,
                         bool ignorePaths) {
    SoundEngine* ours = dynamic_cast<SoundEngine*>(engine);
    if (!ours)
        return false;
    // Plays open files without the engine's lock: the file manager guards its own archive list.
    return ours->getFileManager()->addZipArchive(fileName, ignoreCase, ignorePaths);
}

} // namespace audio
} // namespace nox
