#include "AlsaAudioOutput.h"

#include "AudioOutputList.h"
#include "OutputDeviceList.h"

#include <alsa/asoundlib.h>
#include <cerrno>
#include <cstdlib>

namespace nox {
namespace audio {

namespace {

// ALSA's device buffer. With the client's buffers queued behind it (the wave-out ring) this is
// ample for a client that refills every 50 ms, and short enough to keep the added latency small.
const unsigned int deviceLatencyMicroseconds = 50000;
// Bytes copied from the feed per write: 1024 frames of 16-bit stereo.
const s32 writeBytes = 4096;

void discardAlsaMessage(const char*, int, const char*, int, const char*, ...) {}

// ALSA prints its own reasons to standard error; the library reports failures on its log, so
// they are silenced around the calls that may fail (ALSA's default printing comes back after).
class QuietAlsa {
public:
    QuietAlsa() { snd_lib_error_set_handler(discardAlsaMessage); }
    ~QuietAlsa() { snd_lib_error_set_handler(nullptr); }
};

E_AUDIO_OUTPUT_RESULT resultForOpenError(int error) {
    switch (error) {
    case -EBUSY:
        return AUDIO_OUTPUT_BUSY;
    case -ENOMEM:
        return AUDIO_OUTPUT_NO_MEMORY;
    default:
        return AUDIO_OUTPUT_NOT_FOUND;
    }
}

// Multi-line ALSA descriptions become one line.
CharString oneLine(const char* text) {
    CharString line(text ? text : "");
    for (s32 i = 0; i < line.size(); ++i)
        if (line[i] == '\n')
            line[i] = ' ';
    return line;
}

CharString takeHint(void* hint, const char* id) {
    char* value = snd_device_name_get_hint(hint, id);
    CharString text = oneLine(value);
    std::free(value);
    return text;
}

} // namespace

E_AUDIO_OUTPUT_RESULT AlsaAudioOutput::open(const AudioOutputFormat& format) {
    QuietAlsa quiet;
    int error = snd_pcm_open(&pcm_, pcmName_.c_str(), SND_PCM_STREAM_PLAYBACK, 0);
    if (error < 0) {
        pcm_ = nullptr;
        return resultForOpenError(error);
    }
    snd_pcm_format_t sampleFormat =
        format.bitsPerSample == 16 ? SND_PCM_FORMAT_S16_LE : SND_PCM_FORMAT_U8;
    error =
        snd_pcm_set_params(pcm_, sampleFormat, SND_PCM_ACCESS_RW_INTERLEAVED, format.channelCount,
                           format.sampleRate, 1, deviceLatencyMicroseconds);
    if (error < 0) {
        close();
        return AUDIO_OUTPUT_BAD_FORMAT;
    }
    frameBytes_ = static_cast<s32>(format.getBytesPerFrame());
    return AUDIO_OUTPUT_OK;
}

void AlsaAudioOutput::play(AudioFeed& feed) {
    u8 bytes[writeBytes];
    while (feed.waitForBytes()) {
        AudioFeed::Chunk chunk = feed.peek(bytes, writeBytes);
        write(bytes, chunk.bytes / frameBytes_);
        feed.take(chunk);
    }
}

void AlsaAudioOutput::write(const u8* bytes, s32 frames) {
    while (frames > 0) {
        snd_pcm_sframes_t written = snd_pcm_writei(pcm_, bytes, frames);
        if (written < 0) {
            // An underrun or a suspend is recovered and the write retried; anything else
            // drops these frames, so that the client's bytes keep being taken.
            if (snd_pcm_recover(pcm_, static_cast<int>(written), 1) < 0)
                return;
            continue;
        }
        bytes += written * frameBytes_;
        frames -= static_cast<s32>(written);
    }
}

void AlsaAudioOutput::close() {
    if (!pcm_)
        return;
    snd_pcm_drop(pcm_);
    snd_pcm_close(pcm_);
    pcm_ = nullptr;
}

IOutputDeviceList* createAudioOutputList() {
    OutputDeviceList* list = new OutputDeviceList();
    void** hints = nullptr;
    QuietAlsa quiet;
    if (snd_device_name_hint(-1, "pcm", &hints) < 0)
        return list;
    for (void** hint = hints; *hint; ++hint) {
        // Devices without a direction play and record; those marked "Input" only record.
        CharString direction = takeHint(*hint, "IOID");
        if (direction == "Input")
            continue;
        list->add(takeHint(*hint, "NAME").c_str(), takeHint(*hint, "DESC").c_str());
    }
    snd_device_name_free_hint(hints);
    return list;
}

} // namespace audio
} // namespace nox
