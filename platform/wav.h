#pragma once
// RIFF WAVE files: the chunk walk, the PCM conversion to the mixer's format and a streaming
// reader. Every read is bounds-checked; bad files give an error text, never a crash.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/mixer.h"

namespace platform {

struct WavInfo {
  int format_tag = 0;  // 1 PCM; anything else needs a codec
  int channels = 0;
  int rate = 0;
  int bits = 0;
  int block_align = 0;
  std::size_t data_offset = 0;  // of the sample bytes in the file
  std::size_t data_size = 0;    // clipped to what the file holds
};

// Reads the header of a RIFF WAVE file held in memory. False with error set on bad data.
bool parse_wav(const std::uint8_t* data, std::size_t size, WavInfo& info, std::string& error);
// True when our own PCM path plays it (format 1, 8 or 16 bits, 1 or 2 channels).
bool is_plain_pcm(const WavInfo& info);

// Converts PCM sample bytes to the mixer's format (stereo, 44.1 kHz, linear interpolation).
void convert_pcm(const WavInfo& info, const std::uint8_t* bytes, std::size_t size, PcmFrames& out);

// Rate conversion to 44.1 kHz stereo that keeps its place between calls, for streams.
class Resampler {
 public:
  void reset(int rate);
  // Feeds stereo 16-bit frames at the input rate; appends output frames to out.
  void feed(const std::int16_t* frames, std::size_t count, PcmFrames& out);

 private:
  int rate_ = mix_rate;
  std::uint64_t step_ = 0;   // input frames per output frame, in 1/2^32
  std::uint64_t phase_ = 0;  // position between prev_ and the next input frame, in 1/2^32
  std::int16_t prev_[2] = {0, 0};
  bool primed_ = false;
};

// Plays a PCM WAV file from disk a piece at a time.
class WavFileSource : public StreamSource {
 public:
  ~WavFileSource() override;
  // host_path is a path on this machine; false with error set when it is no plain PCM WAV.
  bool open(const std::string& host_path, std::string& error);
  int read(std::int16_t* out, int frames) override;
  bool at_end() const override;
  bool rewind() override;

 private:
  bool refill();

  std::FILE* file_ = nullptr;
  WavInfo info_;
  std::size_t read_bytes_ = 0;  // of the data chunk
  PcmFrames pending_;           // converted frames not yet taken
  PcmFrames stereo_;            // the piece read, before rate conversion
  std::size_t taken_ = 0;
  Resampler resampler_;
  bool ended_ = false;
};

}  // namespace platform
