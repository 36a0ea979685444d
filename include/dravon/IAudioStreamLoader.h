// A factory of audio streams for one file format; plug-ins register their own.
#ifndef DRAVON_I_AUDIO_STREAM_LOADER_H
#define DRAVON_I_AUDIO_STREAM_LOADER_H

#include "IAudioStream.h"
#include "IInputFile.h"
#include "RefCounted.h"

namespace nox {
namespace audio {

//! Recognises files of one format and creates streams for them. Register an instance with
//! ISoundEngine::registerAudioStreamLoader(); the engine asks the most recently registered
//! loader first, on whichever thread plays a sound: plays on several threads may ask it at
//! once. The streams it makes are then read on any thread, each by one thread at a time.
class IAudioStreamLoader : public virtual RefCounted {
public:
    ~IAudioStreamLoader() override = default;

    //! True when the loader wants to be asked first for a file of this name. The engine passes
    //! the name with A to Z lower-cased.
    virtual bool isALoadableFileExtension(const char* fileName) = 0;

    //! Reads `file` from its current position. Returns a new stream whose one reference belongs
    //! to the caller and which holds its own reference to the file, or null when the data is not
    //! in this loader's format (the file's count is then unchanged; its position may have moved).
    virtual IAudioStream* createAudioStream(IInputFile* file) = 0;
};

} // namespace audio
} // namespace nox

#endif
