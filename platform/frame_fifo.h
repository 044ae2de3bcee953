#pragma once
// Stream sources that hand frames from one thread to the mixer through a bounded queue:
// a buffered decoder (filled ahead by the decoding service) and a pushed source (a video's
// sound, fed as its packets are decoded).
#include <atomic>
#include <memory>
#include <mutex>

#include "platform/mixer.h"

namespace platform {

// A bounded queue of stereo frames; one writer, one reader, either thread.
class FrameFifo {
 public:
  explicit FrameFifo(int capacity_frames);
  // Appends up to frames frames; returns how many fitted.
  int push(const std::int16_t* in, int frames);
  int pop(std::int16_t* out, int frames);
  int size() const;
  int space() const;
  void clear();

 private:
  mutable std::mutex lock_;
  PcmFrames ring_;
  int capacity_, head_ = 0, count_ = 0;
};

// Decodes a source ahead of the mixer. fill() runs on the decoding service's thread; read(),
// at_end() and rewind() on the mixer's.
class BufferedSource : public StreamSource {
 public:
  explicit BufferedSource(std::shared_ptr<StreamSource> inner);
  void fill();
  int read(std::int16_t* out, int frames) override;
  bool at_end() const override;
  bool rewind() override;

 private:
  std::shared_ptr<StreamSource> inner_;
  FrameFifo fifo_;
  std::mutex fill_lock_;  // one fill at a time
  std::atomic<bool> inner_ended_{false}, rewind_wanted_{false};
  PcmFrames chunk_;
};

// Frames pushed by their producer; ends once finish() was called and the queue is empty.
class PushedSource : public StreamSource {
 public:
  PushedSource();
  int push(const std::int16_t* in, int frames) { return fifo_.push(in, frames); }
  void finish() { finished_ = true; }
  int read(std::int16_t* out, int frames) override { return fifo_.pop(out, frames); }
  bool at_end() const override { return finished_ && fifo_.size() == 0; }
  bool rewind() override { return false; }

 private:
  FrameFifo fifo_;
  std::atomic<bool> finished_{false};
};

}  // namespace platform
