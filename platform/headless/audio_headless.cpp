// The headless output: no device. Voices move on by the clock, so effects end and music
// streams finish in game time, and tests can pull the mixed frames themselves.
#include <algorithm>

#include "platform/audio_device.h"
#include "platform/clock.h"

namespace platform {
namespace {

constexpr std::uint32_t max_catch_up_ms = 10000;  // a clock jump is not mixed out in full

class HeadlessAudioDevice : public AudioDevice {
 public:
  explicit HeadlessAudioDevice(AudioCore& core) : core_(core), scratch_(2 * 4096) {}

  bool open(std::string&) override {
    last_ms_ = time_ms();
    carry_ = 0;
    return true;
  }
  void close() override {}
  std::string name() const override { return "headless mixer"; }
  bool decodes_ahead() const override { return false; }

  void catch_up() override {
    std::uint32_t now = time_ms();
    // A clock set back (tests may) moves nothing; a jump forward is mixed out only in part.
    std::uint32_t elapsed = std::int32_t(now - last_ms_) < 0 ? 0 : std::min(now - last_ms_, max_catch_up_ms);
    last_ms_ = now;
    std::uint64_t total = std::uint64_t(elapsed) * mix_rate + carry_;
    carry_ = total % 1000;
    std::uint64_t frames = total / 1000;
    while (frames > 0) {
      int n = int(std::min<std::uint64_t>(frames, scratch_.size() / 2));
      core_.mixer.mix(scratch_.data(), n);
      frames -= std::uint64_t(n);
    }
  }

  bool pull(std::int16_t* out, int frames) override {
    core_.mixer.mix(out, frames);
    return true;
  }

 private:
  AudioCore& core_;
  PcmFrames scratch_;
  std::uint32_t last_ms_ = 0;
  std::uint64_t carry_ = 0;
};

}  // namespace

std::unique_ptr<AudioDevice> make_headless_audio_device(AudioCore& core) {
  return std::make_unique<HeadlessAudioDevice>(core);
}

}  // namespace platform
