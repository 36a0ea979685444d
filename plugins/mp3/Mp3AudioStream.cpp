#include "Mp3AudioStream.h"

#include <climits>
#include <cstdio>
#include <cstring>

namespace dravon_mp3 {

using nox::audio::ESF_S16;
using nox::audio::u32;
using nox::audio::u8;

namespace {

IInputFile* fileOf(void* handle) {
    return static_cast<IInputFile*>(handle);
}

mpg123_ssize_t readCallback(void* handle, void* buffer, size_t size) {
    u32 wanted = size > INT_MAX ? INT_MAX : static_cast<u32>(size);
    return fileOf(handle)->read(buffer, wanted);
}

off_t seekCallback(void* handle, off_t offset, int whence) {
    IInputFile* file = fileOf(handle);
    off_t target = offset;
    if (whence == SEEK_CUR)
        target += file->getPos();
    else if (whence == SEEK_END)
        target += file->getSize();
    if (target < 0 || target > INT_MAX || !file->seek(static_cast<s32>(target), false))
        return -1;
    return target;
}

// An ID3v2 tag, or the 11 set bits that start every MPEG audio frame. libmpg123 searches
// through junk for a frame; without this test it would find one inside many files of other
// formats offered to it.
bool startsLikeMp3(IInputFile* file) {
    u8 head[3] = {};
    if (file->read(head, 3) != 3)
        return false;
    return std::memcmp(head, "ID3", 3) == 0 || (head[0] == 0xff && (head[1] & 0xe0) == 0xe0);
}

// Every rate the library decodes, as signed 16-bit mono or stereo.
void allowOnlySigned16(mpg123_handle* decoder) {
    mpg123_format_none(decoder);
    const long* rates = nullptr;
    size_t count = 0;
    mpg123_rates(&rates, &count);
    for (size_t i = 0; i < count; ++i)
        mpg123_format(decoder, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
}

} // namespace

Mp3AudioStream::Mp3AudioStream(IInputFile* file) : file_(file) {
    if (!file_)
        return;
    file_->incRef();
    if (!open())
        close();
}

Mp3AudioStream::~Mp3AudioStream() {
    close();
    if (file_)
        file_->decRef();
}

bool Mp3AudioStream::open() {
    if (!startsLikeMp3(file_) || !file_->seek(0, false))
        return false;
    decoder_ = mpg123_new(nullptr, nullptr);
    if (!decoder_)
        return false;
    mpg123_param(decoder_, MPG123_ADD_FLAGS, MPG123_QUIET, 0);
    allowOnlySigned16(decoder_);
    long rate = 0;
    int channels = 0, encoding = 0;
    if (mpg123_replace_reader_handle(decoder_, readCallback, seekCallback, nullptr) != MPG123_OK ||
        mpg123_open_handle(decoder_, file_) != MPG123_OK ||
        mpg123_getformat(decoder_, &rate, &channels, &encoding) != MPG123_OK)
        return false;
    format_.channelCount = channels;
    format_.sampleRate = static_cast<s32>(rate);
    format_.sampleFormat = ESF_S16;
    format_.frameCount = -1;
    if (mpg123_scan(decoder_) == MPG123_OK) {
        off_t length = mpg123_length(decoder_);
        format_.frameCount = length > 0 && length <= INT_MAX ? static_cast<s32>(length) : -1;
    }
    return true;
}

void Mp3AudioStream::close() {
    if (!decoder_)
        return;
    mpg123_close(decoder_);
    mpg123_delete(decoder_);
    decoder_ = nullptr;
}

bool Mp3AudioStream::setPosition(s32 frame) {
    return decoder_ && frame >= 0 && mpg123_seek(decoder_, frame, SEEK_SET) == frame;
}

s32 Mp3AudioStream::readFrames(void* target, s32 frameCount) {
    if (!decoder_ || frameCount < 1)
        return 0;
    const size_t bytesPerFrame = 2 * static_cast<size_t>(format_.channelCount);
    unsigned char* out = static_cast<unsigned char*>(target);
    size_t wanted = static_cast<size_t>(frameCount) * bytesPerFrame;
    size_t delivered = 0;
    while (delivered < wanted) {
        size_t done = 0;
        int result = mpg123_read(decoder_, out + delivered, wanted - delivered, &done);
        delivered += done;
        if (result == MPG123_NEW_FORMAT) {
            long rate = 0;
            int channels = 0, encoding = 0;
            mpg123_getformat(decoder_, &rate, &channels, &encoding);
            if (rate != format_.sampleRate || channels != format_.channelCount)
                break;
        } else if (result != MPG123_OK) {
            break; // the end, or a stream that cannot be decoded further
        }
    }
    return static_cast<s32>(delivered / bytesPerFrame);
}

bool Mp3StreamLoader::isALoadableFileExtension(const char* fileName) {
    return fileName && std::strstr(fileName, ".mp3") != nullptr;
}

nox::audio::IAudioStream* Mp3StreamLoader::createAudioStream(IInputFile* file) {
    if (!file)
        return nullptr;
    Mp3AudioStream* stream = new Mp3AudioStream(file);
    if (stream->isOpen())
        return stream;
    stream->decRef();
    return nullptr;
}

} // namespace dravon_mp3
