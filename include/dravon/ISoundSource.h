// A named piece of sound data that the engine can play any number of times.
#ifndef DRAVON_I_SOUND_SOURCE_H
#define DRAVON_I_SOUND_SOURCE_H

#include "RefCounted.h"
#include "Types.h"

namespace nox {
namespace audio {

class IInputFile;
class IFileManager;

//! A sound file reached by name, or a block of the application's memory, registered with the
//! engine. Pointers the engine returns are borrowed: the engine keeps its reference until the
//! source is removed; call incRef() to keep a source beyond that, or while another thread may
//! remove it. Every operation may be called from any thread (see ISoundEngine). A removed source
//! is cut off from its engine: it plays nothing, and its getters answer from what it knows.
class ISoundSource : public virtual RefCounted {
public:
    //! The source's name; the source owns the text.
    virtual const char* getName() = 0;

    //! The E_SOURCE_STREAMING value. After the first play of a SOURCE_STREAM_AUTO source it holds
    //! the decision taken, SOURCE_STREAM_ALWAYS or SOURCE_STREAM_NEVER.
    virtual int getStreamMode() = 0;

    //! The length in milliseconds, or -1 when it cannot be known. Opens (and for sounds decoded
    //! whole, decodes) the data once if no play has done so yet.
    virtual int getPlayLength() = 0;

    //! Sets the minimum distance given to new 3D sounds of this source; a value of 0 or below
    //! means the engine's default.
    virtual void setDefaultMinDistance(float distance) = 0;

    //! The value set if it is greater than 0, otherwise the engine's default minimum distance.
    virtual float getDefaultMinDistance() = 0;

    //! Sets the maximum distance given to new 3D sounds of this source; a value of 0 or below
    //! means the engine's default.
    virtual void setDefaultMaxDistance(float distance) = 0;

    //! The value set if it is greater than 0, otherwise the engine's default maximum distance.
    virtual float getDefaultMaxDistance() = 0;

    //! Drops the cached decoded samples; the next play decodes again.
    virtual void forgetSampleData() = 0;

    //! Sets the decoded size in bytes above which a source marked SOURCE_STREAM_NEVER is played
    //! streamed anyway (1000000 by default; 0 or below disables the rule).
    virtual void setForcedStreamingThreshold(int bytes) = 0;

    //! The forced streaming threshold in bytes.
    virtual int getForcedStreamingThreshold() = 0;

    //! Opens the source's data for reading through `fileManager` (a memory source ignores it).
    //! Returns a new file that the caller releases, or null when the data cannot be opened.
    virtual IInputFile* createInputFile(IFileManager* fileManager) = 0;
};

} // namespace audio
} // namespace nox

#endif
