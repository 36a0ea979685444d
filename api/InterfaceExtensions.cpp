// The exported operations that the engine's public interfaces have no slot for.
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

bool getDravonSoundSourceFormat(ISoundSource* source, AudioStreamFormat* format) {
    SoundSource* ours = dynamic_cast<SoundSource*>(source);
    if (!ours || !format)
        return false;
    *format = ours->getFormat();
    return format->channelCount != 0;
}

} // namespace audio
} // namespace nox
