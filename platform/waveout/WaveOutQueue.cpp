#include "WaveOutQueue.h"

#include <algorithm>
#include <cstring>

namespace nox {
namespace audio {

void WaveOutQueue::push(WAVEHDR* header) {
    std::lock_guard<std::mutex> lock(mutex_);
    header->lpNext = nullptr;
    header->dwFlags = (header->dwFlags & ~WHDR_DONE) | WHDR_INQUEUE;
    (tail_ ? tail_->lpNext : head_) = header;
    tail_ = header;
    wake_.notify_all();
}

AudioFeed::Chunk WaveOutQueue::peek(u8* target, s32 maxBytes) {
    std::lock_guard<std::mutex> lock(mutex_);
    s32 copied = 0;
    u32 offset = headOffset_;
    for (WAVEHDR* header = head_; header && copied < maxBytes; header = header->lpNext) {
        u32 count = std::min<u32>(header->dwBufferLength - offset, maxBytes - copied);
        std::memcpy(target + copied, header->lpData + offset, count);
        copied += count;
        offset = 0;
    }
    return Chunk{copied, epoch_};
}

void WaveOutQueue::markDone(WAVEHDR* header) {
    header->dwFlags = (header->dwFlags & ~WHDR_INQUEUE) | WHDR_DONE;
}

void WaveOutQueue::popHead() {
    // The owner may refill the buffer as soon as it is marked done: unlink it first.
    WAVEHDR* header = head_;
    head_ = header->lpNext;
    if (!head_)
        tail_ = nullptr;
    headOffset_ = 0;
    markDone(header);
}

void WaveOutQueue::take(const Chunk& chunk) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (chunk.epoch != epoch_)
        return;
    u32 rest = chunk.bytes;
    while (head_ && rest >= head_->dwBufferLength - headOffset_) {
        rest -= head_->dwBufferLength - headOffset_;
        popHead();
    }
    headOffset_ += rest;
}

void WaveOutQueue::reset() {
    std::lock_guard<std::mutex> lock(mutex_);
    while (head_)
        popHead();
    ++epoch_;
}

bool WaveOutQueue::isEmpty() {
    std::lock_guard<std::mutex> lock(mutex_);
    return head_ == nullptr;
}

u32 WaveOutQueue::getEpoch() {
    std::lock_guard<std::mutex> lock(mutex_);
    return epoch_;
}

bool WaveOutQueue::waitForBytes() {
    std::unique_lock<std::mutex> lock(mutex_);
    wake_.wait(lock, [this] { return shut_ || head_ != nullptr; });
    return !shut_;
}

bool WaveOutQueue::sleepUntil(std::chrono::steady_clock::time_point deadline) {
    std::unique_lock<std::mutex> lock(mutex_);
    wake_.wait_until(lock, deadline, [this] { return shut_; });
    return !shut_;
}

void WaveOutQueue::shut() {
    std::lock_guard<std::mutex> lock(mutex_);
    shut_ = true;
    wake_.notify_all();
}

} // namespace audio
} // namespace nox
