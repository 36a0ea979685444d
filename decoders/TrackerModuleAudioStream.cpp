#include "TrackerModuleAudioStream.h"

#include "ModuleChecks.h"
#include "ModuleLength.h"
#include "dsp/DumbLibrary.h"

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

// A DUMB reader and the check that refuses, before it reads, the files it cannot take
// safely or would take although they are not its modules.
struct ModuleReader {
    DUH* (*read)(DUMBFILE*);
    bool (*canTake)(IInputFile*);
};

const ModuleReader readers[] = {{dumb_read_mod_quick, amigaModuleIsSafe},
                                {dumb_read_xm_quick, extendedModuleIsSafe},
                                {dumb_read_s3m_quick, screamTrackerModuleIsSafe},
                                {dumb_read_it_quick, impulseModuleIsSafe}};

// DUMB counts time in 65536ths of a second.
const float dumbTimeUnitsPerSecond = 65536;

} // namespace

TrackerModuleAudioStream::TrackerModuleAudioStream(IInputFile* file) : file_(file) {
    format_.channelCount = 2;
    format_.frameCount = -1;
    format_.sampleRate = renderRate;
    format_.sampleFormat = ESF_S16;
    if (!file_)
        return;
    file_->incRef();
    prepareDumbResampler();
    loadModule();
    if (!module_)
        return;
    if (!hasPlayableTiming()) {
        unload_duh(module_);
        module_ = nullptr;
        return;
    }
    format_.frameCount = measureModuleFrames(module_, renderRate);
    startRenderer();
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
    for (const ModuleReader& reader : readers) {
        // Each check and each reader starts at the start of the file.
        bool canTake = reader.canTake(file_);
        file_->seek(0, false);
        if (canTake)
            module_ = readWith(reader.read);
        if (module_)
            return;
    }
}

DUH* TrackerModuleAudioStream::readWith(DUH* (*read)(DUMBFILE*)) {
    DUMBFILE* dumbFile = dumbfile_open_ex(file_, &fileSystem);
    if (!dumbFile)
        return nullptr;
    DUH* module = read(dumbFile);
    dumbfile_close(dumbFile);
    return module;
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
    return static_cast<s32>(duh_render(renderer_, 16, 0, 1.0f, dumbTimeUnitsPerSecond / renderRate,
                                       frameCount, target));
}

} // namespace audio
} // namespace nox
