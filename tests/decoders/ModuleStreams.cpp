#include "ModuleStreams.h"

#include "TestFiles.h"

#include <dumb.h>

namespace dravon_test {

using namespace nox::audio;

TrackerModuleAudioStream* openModule(const Bytes& bytes, const char* name) {
    IInputFile* file = memoryFile(bytes, name);
    TrackerModuleAudioStream* stream = new TrackerModuleAudioStream(file);
    file->decRef();
    return stream;
}

s64 renderToEnd(IAudioStream* stream, s32 block, std::vector<s16>* samples) {
    std::vector<s16> buffer(static_cast<std::size_t>(block) * 2);
    s64 total = 0;
    while (s32 got = stream->readFrames(buffer.data(), block)) {
        if (samples)
            samples->insert(samples->end(), buffer.begin(), buffer.begin() + got * 2);
        total += got;
    }
    return total;
}

s64 runThroughFrames(const Bytes& bytes, DUH* (*read)(DUMBFILE*)) {
    DUMBFILE* file = dumbfile_open_memory(reinterpret_cast<const char*>(bytes.data()),
                                          static_cast<long>(bytes.size()));
    DUH* module = read(file);
    dumbfile_close(file);
    if (!module)
        return -1;
    dumb_it_do_initial_runthrough(module);
    s64 frames = static_cast<s64>(duh_get_length(module)) * 44100 / 65536;
    unload_duh(module);
    return frames;
}

} // namespace dravon_test
