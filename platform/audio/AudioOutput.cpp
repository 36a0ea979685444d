#include "AudioOutput.h"

#include "AlsaAudioOutput.h"
#include "VirtualAudioOutput.h"
#include "WavFileAudioOutput.h"

#include <cstring>

namespace nox {
namespace audio {

namespace {
const char capturePrefix[] = "wav:";
} // namespace

AudioOutput* createAudioOutput(const char* name) {
    if (!name || !*name) {
        if (VirtualAudioOutput* virtualOutput = getInstalledVirtualAudioOutput()) {
            virtualOutput->incRef();
            return virtualOutput;
        }
        name = "default";
    }
    const size_t prefixLength = sizeof(capturePrefix) - 1;
    if (std::strncmp(name, capturePrefix, prefixLength) == 0)
        return new WavFileAudioOutput(name + prefixLength);
    return new AlsaAudioOutput(name);
}

} // namespace audio
} // namespace nox
