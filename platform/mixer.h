#pragma once
// The mixer: a fixed set of sample voices and stream voices summed into 16-bit stereo at
// 44.1 kHz. It is a pure function of its voices: mix() writes the next frames and moves every
// voice on by as many; nothing here knows a device or a clock. The owner guards it (the SDL
// callback and the game thread share one lock), tests call mix() directly.
#include <cstdint>
#include <memory>
#include <vector>

namespace platform {

constexpr int mix_rate = 44100;
constexpr int sample_voice_count = 16;
constexpr int stream_voice_count = 4;  // two music streams, the video's sound, one spare

// Sound in the mixer's own format: interleaved stereo frames (left, right), 44.1 kHz.
using PcmFrames = std::vector<std::int16_t>;

// A source of stereo 44.1 kHz frames that a stream voice pulls while it mixes.
class StreamSource {
 public:
  virtual ~StreamSource() = default;
  // Writes up to frames frames into out and returns how many it wrote. Fewer than asked
  // means an underrun, or the end when at_end() then says so.
  virtual int read(std::int16_t* out, int frames) = 0;
  virtual bool at_end() const = 0;
  // Starts again from the first frame (for a stream that loops); false when it cannot.
  virtual bool rewind() = 0;
};

// Voice states, numbered as the sound layer's callers test them.
enum class VoiceStatus : int { Free = 1, Done = 2, Playing = 4, Stopped = 8 };

// Gains of volume 0-127 (127 full) and pan 0-127 (63 centre, 0 left only, 127 right only),
// in 1/32768 units: full volume at centre pan is 32768 on both sides.
struct VoiceGains {
  std::int32_t left, right;
};
VoiceGains voice_gains(int volume, int pan);

class Mixer {
 public:
  Mixer();

  // Writes frames stereo frames into out (2 * frames values) and advances every voice.
  void mix(std::int16_t* out, int frames);

  // Sample voices 0..sample_voice_count-1. A voice plays its sound loop_count times
  // (0: for ever) from the start when started; it is Free until it gets a sound.
  void set_sample(int voice, std::shared_ptr<const PcmFrames> sound);
  void start_sample(int voice);
  void stop_sample(int voice);  // the voice is Stopped and forgets its sound
  void release_sample(int voice);
  void set_sample_volume(int voice, int volume);
  void set_sample_pan(int voice, int pan);
  void set_sample_loop_count(int voice, int count);
  VoiceStatus sample_status(int voice) const;
  int sample_volume(int voice) const;

  // Stream voices 0..stream_voice_count-1: the same for a source pulled while mixing.
  void set_stream(int voice, std::shared_ptr<StreamSource> source);
  void start_stream(int voice);
  void stop_stream(int voice);
  void release_stream(int voice);
  void set_stream_volume(int voice, int volume);
  void set_stream_loop_count(int voice, int count);
  VoiceStatus stream_status(int voice) const;
  int stream_volume(int voice) const;
  // The source a voice pulls from (the decoding service fills buffered sources).
  std::shared_ptr<StreamSource> stream_source(int voice) const;

 private:
  struct Voice {
    VoiceStatus status = VoiceStatus::Free;
    int volume = 127, pan = 63, loops_left = 1;
    VoiceGains gains{32768, 32768};
  };
  struct SampleVoice : Voice {
    std::shared_ptr<const PcmFrames> sound;
    std::size_t position = 0;  // in frames
  };
  struct StreamVoice : Voice {
    std::shared_ptr<StreamSource> source;
  };

  void mix_sample(SampleVoice& v, std::int32_t* acc, int frames);
  void mix_stream(StreamVoice& v, std::int32_t* acc, int frames);

  SampleVoice samples_[sample_voice_count];
  StreamVoice streams_[stream_voice_count];
  std::vector<std::int32_t> acc_;
  std::vector<std::int16_t> pull_;
};

}  // namespace platform
