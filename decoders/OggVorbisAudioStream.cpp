#include "OggVorbisAudioStream.h"

#include "VorbisChecks.h"

#include <climits>
#include <cstdio>

namespace nox {
namespace audio {

namespace {

IInputFile* fileOf(void* source) {
    return static_cast<IInputFile*>(source);
}

size_t readCallback(void* buffer, size_t size, size_t count, void* source) {
    if (size == 0)
        return 0;
    // vorbisfile asks for a few kilobytes at a time; a larger request is cut to what one read
    // of the file can deliver.
    if (count > UINT_MAX / size)
        count = UINT_MAX / size;
    u32 wanted = static_cast<u32>(size * count);
    s32 got = fileOf(source)->read(buffer, wanted);
    return got > 0 ? static_cast<size_t>(got) / size : 0;
}

int seekCallback(void* source, ogg_int64_t offset, int whence) {
    IInputFile* file = fileOf(source);
    // Files address 32 bits; the upper half of the offset is dropped.
    s32 low = static_cast<s32>(offset);
    bool moved;
    if (whence == SEEK_SET)
        moved = file->seek(low, false);
    else if (whence == SEEK_CUR)
        moved = file->seek(low, true);
    else
        moved = file->seek(file->getSize() + low, false);
    return moved ? 0 : -1;
}

// The stream releases the file itself, after ov_clear.
int closeCallback(void*) {
    return 0;
}

long tellCallback(void* source) {
    return fileOf(source)->getPos();
}

const ov_callbacks callbacks = {readCallback, seekCallback, closeCallback, tellCallback};

// ov_read takes an int length; whole frames are asked for so that no frame is split.
int readLength(s32 frames, s32 bytesPerFrame) {
    s64 bytes = static_cast<s64>(frames) * bytesPerFrame;
    s64 largest = INT_MAX - INT_MAX % bytesPerFrame;
    return static_cast<int>(bytes < largest ? bytes : largest);
}

} // namespace

OggVorbisAudioStream::OggVorbisAudioStream(IInputFile* file) : decoder_(), file_(file) {
    if (!file_)
        return;
    file_->incRef();
    if (ov_open_callbacks(file_, &decoder_, nullptr, 0, callbacks) != 0) {
        dropFile();
        return;
    }
    vorbis_info* info = ov_info(&decoder_, -1);
    if (!info || !vorbisCodebooksAreSafe(file_, &decoder_)) {
        ov_clear(&decoder_);
        dropFile();
        return;
    }
    format_.channelCount = info->channels;
    format_.frameCount = static_cast<s32>(ov_pcm_total(&decoder_, -1));
    format_.sampleRate = static_cast<s32>(info->rate);
    format_.sampleFormat = ESF_S16;
}

OggVorbisAudioStream::~OggVorbisAudioStream() {
    if (!file_)
        return;
    ov_clear(&decoder_);
    file_->decRef();
}

void OggVorbisAudioStream::dropFile() {
    file_->decRef();
    file_ = nullptr;
}

bool OggVorbisAudioStream::hasFormatOf(const vorbis_info* info) const {
    return info->rate == format_.sampleRate && info->channels == format_.channelCount;
}

bool OggVorbisAudioStream::setPosition(s32 frame) {
    if (!file_ || !ov_seekable(&decoder_))
        return false;
    return ov_pcm_seek(&decoder_, frame) == 0;
}

s32 OggVorbisAudioStream::readFrames(void* target, s32 frameCount) {
    if (!file_ || frameCount < 1)
        return 0;
    const s32 bytesPerFrame = 2 * format_.channelCount;
    char* out = static_cast<char*>(target);
    s32 delivered = 0;
    s32 errors = 0;
    s32 remaining = frameCount;
    while (remaining > 0) {
        vorbis_info* info = ov_info(&decoder_, -1);
        if (info && !hasFormatOf(info))
            break;
        int section = 0;
        long got = ov_read(&decoder_, out, readLength(remaining, bytesPerFrame), 0, 2, 1, &section);
        if (got == 0)
            break;
        if (got < 0) {
            // A hole or a bad link: skipped, unless the errors outnumber the frames still wanted.
            if (++errors >= remaining)
                break;
            continue;
        }
        // One read may cross into the next link of a chained file; what it decoded there is not
        // in this stream's format and is dropped.
        info = ov_info(&decoder_, section);
        if (info && !hasFormatOf(info))
            break;
        s32 frames = static_cast<s32>(got / bytesPerFrame);
        delivered += frames;
        remaining -= frames;
        out += static_cast<s64>(frames) * bytesPerFrame;
    }
    return delivered;
}

} // namespace audio
} // namespace nox
