#include "platform/frame_fifo.h"

#include <algorithm>
#include <cstring>

namespace platform {
namespace {
constexpr int buffered_frames = mix_rate / 2;  // half a second decoded ahead
constexpr int pushed_frames = mix_rate * 2;    // a video's sound may run ahead of its pictures
constexpr int fill_chunk = 4096;
}  // namespace

FrameFifo::FrameFifo(int capacity_frames)
    : ring_(2 * std::size_t(capacity_frames)), capacity_(capacity_frames) {}

int FrameFifo::push(const std::int16_t* in, int frames) {
  std::lock_guard<std::mutex> g(lock_);
  int n = std::min(frames, capacity_ - count_);
  for (int i = 0; i < n; ++i) {
    int at = (head_ + count_ + i) % capacity_;
    ring_[2 * at] = in[2 * i];
    ring_[2 * at + 1] = in[2 * i + 1];
  }
  count_ += n;
  return n;
}

int FrameFifo::pop(std::int16_t* out, int frames) {
  std::lock_guard<std::mutex> g(lock_);
  int n = std::min(frames, count_);
  for (int i = 0; i < n; ++i) {
    int at = (head_ + i) % capacity_;
    out[2 * i] = ring_[2 * at];
    out[2 * i + 1] = ring_[2 * at + 1];
  }
  head_ = (head_ + n) % capacity_;
  count_ -= n;
  return n;
}

int FrameFifo::size() const {
  std::lock_guard<std::mutex> g(lock_);
  return count_;
}

int FrameFifo::space() const {
  std::lock_guard<std::mutex> g(lock_);
  return capacity_ - count_;
}

void FrameFifo::clear() {
  std::lock_guard<std::mutex> g(lock_);
  head_ = count_ = 0;
}

BufferedSource::BufferedSource(std::shared_ptr<StreamSource> inner)
    : inner_(std::move(inner)), fifo_(buffered_frames), chunk_(2 * fill_chunk) {}

void BufferedSource::fill() {
  std::lock_guard<std::mutex> g(fill_lock_);
  if (rewind_wanted_.exchange(false)) {
    fifo_.clear();
    inner_ended_ = !inner_->rewind();
  }
  while (!inner_ended_ && fifo_.space() >= fill_chunk) {
    int n = inner_->read(chunk_.data(), fill_chunk);
    fifo_.push(chunk_.data(), n);
    if (n < fill_chunk) {
      if (inner_->at_end()) inner_ended_ = true;
      break;
    }
  }
}

int BufferedSource::read(std::int16_t* out, int frames) {
  if (rewind_wanted_) return 0;
  return fifo_.pop(out, frames);
}

bool BufferedSource::at_end() const { return !rewind_wanted_ && inner_ended_ && fifo_.size() == 0; }

bool BufferedSource::rewind() {
  fifo_.clear();
  rewind_wanted_ = true;
  return true;
}

PushedSource::PushedSource() : fifo_(pushed_frames) {}

}  // namespace platform
