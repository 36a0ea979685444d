// A playing sound of the software mixer.
#ifndef DRAVON_DRIVERS_MIXER_MIXED_SOUND_H
#define DRAVON_DRIVERS_MIXER_MIXED_SOUND_H

#include "SampleSource.h"
#include "core/Relaxed.h"
#include "engine/PlayingSound.h"
#include "engine/SampleBuffer.h"

#include <atomic>

namespace nox {
namespace audio {

//! Reads its frames from a sample source, applies its effective pan and gain, loops or ends,
//! and counts the frames played. Without a sample source (none given, or after the end or a
//! stop) the sound is finished. Rendering runs under the engine's lock, and so does stop()
//! (PlayingSound takes it), so no update pass renders a sound while it stops; the application
//! may query the sound from its own thread at any time. Construction touches no engine state.
class MixedSound : public PlayingSound {
public:
    //! Plays `stream` (null: a finished sound), taking its own reference through the source.
    MixedSound(SoundEngine* engine, ISoundSource* source, IAudioStream* stream, bool playLooped,
               bool is3D, u32 mixingRate, float minDistance, float maxDistance);
    //! Plays `samples` (null: a finished sound) through a MemoryAudioStream.
    MixedSound(SoundEngine* engine, ISoundSource* source, SampleBuffer* samples, bool playLooped,
               bool is3D, u32 mixingRate, float minDistance, float maxDistance);
    ~MixedSound() override;

    //! Milliseconds played since the start or the last loop restart; -1 when finished or
    //! without a source.
    int getPlayPosition() override;
    void updateListener(float engineVolume, Vector3 listenerPosition, Vector3 listenerLookDirection,
                        Vector3 listenerUp, bool linearRolloff) override;
    bool hasEnded() override { return sampleSource_ == nullptr; }
    void onStop() override;
    void setEffectivePan(float pan) override { effectivePan_ = pan; }
    void setEffectiveVolume(float volume) override { effectiveVolume_ = volume; }

    //! Fills exactly `frameCount` stereo frames: the sound, its restart when looped, and zeros
    //! after its end. Writes nothing when the sound is finished.
    void renderFrames(s16* buffer, s32 frameCount);
    //! One read from the sample source with pan and gain applied; the frames read.
    s32 readScaled(s16* buffer, s32 frameCount);

    float getEffectiveVolume() const { return effectiveVolume_; }
    float getEffectivePan() const { return effectivePan_; }
    u32 getPlayedFrames() const { return playedFrames_; }

private:
    //! Restarts a looped sound until `frameCount` frames of `buffer` are filled.
    void loopInto(SampleSource* source, s16* buffer, s32 filled, s32 frameCount);

    Relaxed<f32> effectiveVolume_{1.0f};
    Relaxed<f32> effectivePan_{0.0f};
    Relaxed<u32> playedFrames_{0};
    std::atomic<SampleSource*> sampleSource_{nullptr};
    const u32 mixingRate_;
};

} // namespace audio
} // namespace nox

#endif
