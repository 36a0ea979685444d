#include "TrackerModuleAudioStream.h"

#include "ModuleChecks.h"

#include <dumb.h>

namespace nox {
namespace audio {

namespace {

IInputFile* fileOf(void* handle) {
    return static_cast<IInputFile*>(handle);
}

// DUMB reads longs; the file addresses 32 bits, so a skip beyond that cannot succeed.
int skipCallback(void* handle, long count) {
    if (count != static_cast<s32>(count))
        return -1;
    return fileOf(handle)->seek(static_cast<s32>(count), true) ? 0 : -1;
}

int getcCallback(void* handle) {
    u8 byte = 0;
    return fileOf(handle)->read(&byte, 1) == 1 ? byte : -1;
}

long getncCallback(char* buffer, long count, void* handle) {
    if (count <= 0)
        return 0;
    u32 wanted = count > 0x7fffffff ? 0x7fffffffu : static_cast<u32>(count);
    return fileOf(handle)->read(buffer, wanted);
}

// The stream releases the file itself.
void closeCallback(void*) {}

// Files are handed to DUMB already open, never by name.
DUMBFILE_SYSTEM fileSystem = {nullptr, skipCallback, getcCallback, getncCallback, closeCallback};

// Ends the rendering where the module would loop back.
int stopAtLoop(void*) {
    return -1;
}

typedef DUH* (*ModuleReader)(DUMBFILE*);

const ModuleReader readers[] = {dumb_read_mod_quick, dumb_read_xm_quick, dumb_read_s3m_quick,
                                dumb_read_it_quick};

// DUMB's readers misbehave on some files: those are refused before the reader sees them.
bool readerCanTake(ModuleReader reader, IInputFile* file) {
    if (reader == dumb_read_xm_quick)
        return extendedModuleIsSafe(file);
    if (reader == dumb_read_s3m_quick)
        return screamTrackerModuleIsSafe(file);
    if (reader == dumb_read_it_quick)
        return impulseModuleIsSafe(file);
    return true;
}

// DUMB counts time in 65536ths of a second.
const s64 dumbTimeUnitsPerSecond = 65536;

} // namespace

TrackerModuleAudioStream::TrackerModuleAudioStream(IInputFile* file) : file_(file) {
    format_.channelCount = 2;
    format_.frameCount = -1;
    format_.sampleRate = renderRate;
    format_.sampleFormat = ESF_S16;
    if (!file_)
        return;
    file_->incRef();
    loadModule();
    if (!module_)
        return;
    if (!hasPlayableTiming()) {
        unload_duh(module_);
        module_ = nullptr;
        return;
    }
    startRenderer();
    dumb_it_do_initial_runthrough(module_);
    format_.frameCount = static_cast<s32>(static_cast<s64>(duh_get_length(module_)) * renderRate /
                                          dumbTimeUnitsPerSecond);
}

TrackerModuleAudioStream::~TrackerModuleAudioStream() {
    if (renderer_)
        duh_end_sigrenderer(renderer_);
    if (module_)
        unload_duh(module_);
    if (file_)
        file_->decRef();
}

void TrackerModuleAudioStream::loadModule() {
    DUMBFILE* dumbFile = dumbfile_open_ex(file_, &fileSystem);
    if (!dumbFile)
        return;
    const s32 readerCount = sizeof(readers) / sizeof(readers[0]);
    for (s32 i = 0; i < readerCount; ++i) {
        module_ = readers[i](dumbFile);
        if (module_ || i + 1 == readerCount)
            break;
        // Each reader starts on a fresh wrapper at the start of the file.
        dumbfile_close(dumbFile);
        if (!readerCanTake(readers[i + 1], file_))
            return;
        file_->seek(0, false);
        dumbFile = dumbfile_open_ex(file_, &fileSystem);
        if (!dumbFile)
            return;
    }
    dumbfile_close(dumbFile);
}

// DUMB divides by the tempo when it starts rendering, and its renderer keeps the tempo in a
// byte: a module whose initial tempo is 0 there (an XM header holds 16 bits) would stop the
// process. (Its readers already replace a speed of 0.)
bool TrackerModuleAudioStream::hasPlayableTiming() const {
    DUMB_IT_SIGDATA* sigdata = duh_get_it_sigdata(module_);
    return sigdata && static_cast<u8>(dumb_it_sd_get_initial_tempo(sigdata)) != 0;
}

void TrackerModuleAudioStream::startRenderer() {
    renderer_ = duh_start_sigrenderer(module_, 0, 2, 0);
    if (renderer_)
        dumb_it_set_loop_callback(duh_get_it_sigrenderer(renderer_), stopAtLoop, nullptr);
}

bool TrackerModuleAudioStream::setPosition(s32 frame) {
    if (frame != 0 || !module_)
        return false;
    if (renderer_)
        duh_end_sigrenderer(renderer_);
    startRenderer();
    return true;
}

s32 TrackerModuleAudioStream::readFrames(void* target, s32 frameCount) {
    if (!file_ || !renderer_ || frameCount < 1)
        return 0;
    return static_cast<s32>(duh_render(renderer_, 16, 0, 1.0f,
                                       static_cast<float>(dumbTimeUnitsPerSecond) / renderRate,
                                       frameCount, target));
}

} // namespace audio
} // namespace nox
