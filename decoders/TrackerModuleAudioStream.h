// Tracker modules (MOD, XM, S3M, IT), loaded and rendered by DUMB.
#ifndef DRAVON_DECODERS_TRACKER_MODULE_AUDIO_STREAM_H
#define DRAVON_DECODERS_TRACKER_MODULE_AUDIO_STREAM_H

#include "StreamLoader.h"
#include "dravon/IAudioStream.h"
#include "dravon/IInputFile.h"

struct DUH;
struct DUH_SIGRENDERER;
struct DUMBFILE;

namespace nox {
namespace audio {

//! Renders a module once through as signed 16-bit stereo at 44100 Hz. Rendering ends where the
//! module would loop back; a looping sound restarts the whole module with setPosition(0).
class TrackerModuleAudioStream : public IAudioStream {
public:
    //! Tries DUMB's MOD, XM, S3M and IT readers, in that order, each on the file rewound to its
    //! start and only when the file passes that reader's check (ModuleChecks.h). The stream
    //! keeps a module only when one of them accepts the file; nothing is logged otherwise. The
    //! module's length is measured with a bounded amount of work (ModuleLength.h): a module
    //! that would take longer to measure has an unknown length (a frame count of -1).
    explicit TrackerModuleAudioStream(IInputFile* file);
    ~TrackerModuleAudioStream() override;

    AudioStreamFormat getFormat() override { return format_; }
    //! Only frame 0 can be reached: it restarts the module from its beginning.
    bool setPosition(s32 frame) override;
    s32 readFrames(void* target, s32 frameCount) override;

    //! True when a reader accepted the file.
    bool isOpen() const { return module_ != nullptr; }

    //! The rate that modules are rendered at.
    static const s32 renderRate = 44100;

private:
    void loadModule();
    DUH* readWith(DUH* (*read)(DUMBFILE*));
    bool hasPlayableTiming() const;
    void startRenderer();

    IInputFile* file_;
    AudioStreamFormat format_;
    DUH* module_ = nullptr;
    DUH_SIGRENDERER* renderer_ = nullptr;
};

//! Loader of TrackerModuleAudioStreams, first asked for names containing ".mod", ".xm", ".s3m"
//! or ".it".
class TrackerModuleStreamLoader : public StreamLoader<TrackerModuleAudioStream> {
public:
    explicit TrackerModuleStreamLoader(IFileManager* fileManager)
        : StreamLoader<TrackerModuleAudioStream>(fileManager, {".mod", ".xm", ".s3m", ".it"}) {}
};

} // namespace audio
} // namespace nox

#endif
