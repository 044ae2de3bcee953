// The mixer, pulled directly: exact output for volume and pan, sums that saturate, voices
// stopped and ended mid-chunk, stream voices with volume steps and loops.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "platform/mixer.h"

using platform::Mixer;
using platform::PcmFrames;
using platform::VoiceStatus;

namespace {

// The gain law written out independently: volume/127, and the side away from the pan falls
// linearly to 0 at the far end (63 is centre), in 1/32768 units, truncated.
// Values outside 0-127 are taken as the nearest end.
std::int32_t ref_gain(int volume, int pan, bool left) {
  volume = std::clamp(volume, 0, 127);
  pan = std::clamp(pan, 0, 127);
  std::int64_t num = 1, den = 1;
  if (left && pan > 63) num = 127 - pan, den = 64;
  if (!left && pan < 63) num = pan, den = 63;
  return std::int32_t(std::int64_t(volume) * 32768 * num / (127 * den));
}
std::int16_t ref_out(std::int32_t sum) { return std::int16_t(std::clamp(sum, -32768, 32767)); }

std::shared_ptr<PcmFrames> constant(std::int16_t left, std::int16_t right, int frames) {
  auto p = std::make_shared<PcmFrames>();
  for (int i = 0; i < frames; ++i) {
    p->push_back(left);
    p->push_back(right);
  }
  return p;
}

std::shared_ptr<PcmFrames> ramp(int frames) {
  auto p = std::make_shared<PcmFrames>();
  for (int i = 0; i < frames; ++i) {
    p->push_back(std::int16_t(i * 7 - 9000));
    p->push_back(std::int16_t(9000 - i * 5));
  }
  return p;
}

PcmFrames pull(Mixer& m, int frames) {
  PcmFrames out(2 * std::size_t(frames), 12345);
  m.mix(out.data(), frames);
  return out;
}

// A stream source over frames in memory, counting its rewinds.
class MemorySource : public platform::StreamSource {
 public:
  explicit MemorySource(std::shared_ptr<PcmFrames> frames, int underrun_at = -1)
      : frames_(std::move(frames)), underrun_at_(underrun_at) {}
  int read(std::int16_t* out, int frames) override {
    int n = std::clamp(int(frames_->size() / 2) - pos_, 0, frames);
    if (underrun_at_ >= 0 && pos_ + n > underrun_at_) {
      n = underrun_at_ - pos_;  // one short read, then the rest
      underrun_at_ = -1;
    }
    std::copy_n(frames_->data() + 2 * pos_, 2 * n, out);
    pos_ += n;
    return n;
  }
  bool at_end() const override { return pos_ * 2 >= int(frames_->size()); }
  bool rewind() override {
    pos_ = 0;
    ++rewinds;
    return true;
  }
  int rewinds = 0;

 private:
  std::shared_ptr<PcmFrames> frames_;
  int pos_ = 0, underrun_at_;
};

TEST(Mixer, SilentWithoutVoices) {
  Mixer m;
  for (std::int16_t s : pull(m, 3000)) ASSERT_EQ(s, 0);
}

struct GainCase {
  int volume, pan;
};

class MixerGain : public ::testing::TestWithParam<GainCase> {};

TEST_P(MixerGain, EveryFrameFollowsTheGainLaw) {
  const auto c = GetParam();
  Mixer m;
  auto sound = ramp(2500);
  m.set_sample(3, sound);
  m.set_sample_volume(3, c.volume);
  m.set_sample_pan(3, c.pan);
  m.start_sample(3);
  PcmFrames out = pull(m, 2500);
  std::int32_t gl = ref_gain(c.volume, c.pan, true), gr = ref_gain(c.volume, c.pan, false);
  for (int i = 0; i < 2500; ++i) {
    ASSERT_EQ(out[2 * i], ref_out(((*sound)[2 * i] * gl) >> 15)) << "frame " << i;
    ASSERT_EQ(out[2 * i + 1], ref_out(((*sound)[2 * i + 1] * gr) >> 15)) << "frame " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(VolumesAndPans, MixerGain,
                         ::testing::Values(GainCase{127, 63}, GainCase{80, 63}, GainCase{0, 63},
                                           GainCase{127, 0}, GainCase{127, 127}, GainCase{64, 32},
                                           GainCase{100, 100}, GainCase{127, 64}, GainCase{200, -5}));

TEST(Mixer, GainEnds) {
  // Full volume at centre passes samples unchanged; the far pans silence one side.
  EXPECT_EQ(platform::voice_gains(127, 63).left, 32768);
  EXPECT_EQ(platform::voice_gains(127, 63).right, 32768);
  EXPECT_EQ(platform::voice_gains(127, 0).right, 0);
  EXPECT_EQ(platform::voice_gains(127, 127).left, 0);
  EXPECT_EQ(platform::voice_gains(0, 63).left, 0);
}

TEST(Mixer, TwoVoicesSumAndSaturate) {
  Mixer m;
  m.set_sample(0, constant(30000, -30000, 100));
  m.set_sample(1, constant(5000, -5000, 50));
  m.start_sample(0);
  m.start_sample(1);
  PcmFrames out = pull(m, 120);
  for (int i = 0; i < 50; ++i) {
    ASSERT_EQ(out[2 * i], 32767);
    ASSERT_EQ(out[2 * i + 1], -32768);
  }
  for (int i = 50; i < 100; ++i) {
    ASSERT_EQ(out[2 * i], 30000);
    ASSERT_EQ(out[2 * i + 1], -30000);
  }
  for (int i = 100; i < 120; ++i) ASSERT_EQ(out[2 * i], 0);
  EXPECT_EQ(m.sample_status(0), VoiceStatus::Done);
  EXPECT_EQ(m.sample_status(1), VoiceStatus::Done);
}

TEST(Mixer, SumsBelowFullScaleAddExactly) {
  Mixer m;
  m.set_sample(0, constant(1000, 2000, 10));
  m.set_sample(15, constant(-300, 7, 10));
  m.set_sample_volume(15, 80);
  m.start_sample(0);
  m.start_sample(15);
  PcmFrames out = pull(m, 10);
  EXPECT_EQ(out[0], 1000 + ((-300 * ref_gain(80, 63, true)) >> 15));
  EXPECT_EQ(out[1], 2000 + ((7 * ref_gain(80, 63, false)) >> 15));
}

TEST(Mixer, StopMidSampleSilencesFromTheNextFrame) {
  Mixer m;
  m.set_sample(2, constant(4000, 4000, 5000));
  m.start_sample(2);
  PcmFrames first = pull(m, 777);
  EXPECT_EQ(first[2 * 776], 4000);
  m.stop_sample(2);
  EXPECT_EQ(m.sample_status(2), VoiceStatus::Stopped);
  for (std::int16_t s : pull(m, 1000)) ASSERT_EQ(s, 0);
  // Started again, it plays from its first frame.
  m.start_sample(2);
  EXPECT_EQ(m.sample_status(2), VoiceStatus::Playing);
  EXPECT_EQ(pull(m, 1)[0], 4000);
}

TEST(Mixer, SampleEndsMidChunkAndLoopsAsCounted) {
  Mixer m;
  auto sound = ramp(300);
  m.set_sample(4, sound);
  m.set_sample_loop_count(4, 2);
  m.start_sample(4);
  PcmFrames out = pull(m, 1000);
  for (int i = 0; i < 600; ++i) ASSERT_EQ(out[2 * i], (*sound)[2 * (i % 300)]) << i;
  for (int i = 600; i < 1000; ++i) ASSERT_EQ(out[2 * i], 0);
  EXPECT_EQ(m.sample_status(4), VoiceStatus::Done);

  m.set_sample_loop_count(4, 0);  // for ever
  m.start_sample(4);
  pull(m, 44100);
  EXPECT_EQ(m.sample_status(4), VoiceStatus::Playing);
}

TEST(Mixer, VoicesWithoutSoundStayFree) {
  Mixer m;
  m.start_sample(5);
  EXPECT_EQ(m.sample_status(5), VoiceStatus::Free);
  m.set_sample(5, std::make_shared<PcmFrames>());
  m.start_sample(5);
  pull(m, 10);
  EXPECT_EQ(m.sample_status(5), VoiceStatus::Done);  // an empty sound ends at once, even looping
  EXPECT_EQ(m.sample_status(99), VoiceStatus::Free);
  m.start_sample(-1);  // out-of-range voices are ignored
}

TEST(Mixer, StreamVolumeStepsTakeEffectAtTheNextMix) {
  // The music fade: the stream manager lowers the volume once a frame; each mix uses the
  // volume set before it.
  Mixer m;
  auto frames = constant(20000, -20000, 10000);
  m.set_stream(1, std::make_shared<MemorySource>(frames));
  m.set_stream_volume(1, 80);
  m.start_stream(1);
  const int volumes[] = {80, 77, 73, 46, 9, 1};
  for (int v : volumes) {
    m.set_stream_volume(1, v);
    PcmFrames out = pull(m, 1260);  // one 35 fps frame of sound
    for (int i = 0; i < 1260; ++i) {
      ASSERT_EQ(out[2 * i], ref_out((20000 * ref_gain(v, 63, true)) >> 15)) << v;
      ASSERT_EQ(out[2 * i + 1], ref_out((-20000 * ref_gain(v, 63, false)) >> 15)) << v;
    }
  }
  EXPECT_EQ(m.stream_volume(1), 1);
}

TEST(Mixer, StreamEndsWhenItsSourceEndsAndLoopsByRewinding) {
  Mixer m;
  auto frames = ramp(500);
  auto once = std::make_shared<MemorySource>(frames);
  m.set_stream(0, once);
  m.start_stream(0);
  PcmFrames out = pull(m, 800);
  for (int i = 0; i < 500; ++i) ASSERT_EQ(out[2 * i], (*frames)[2 * i]);
  for (int i = 500; i < 800; ++i) ASSERT_EQ(out[2 * i], 0);
  EXPECT_EQ(m.stream_status(0), VoiceStatus::Done);

  auto thrice = std::make_shared<MemorySource>(frames);
  m.set_stream(0, thrice);
  m.set_stream_loop_count(0, 3);
  m.start_stream(0);
  out = pull(m, 1600);
  for (int i = 0; i < 1500; ++i) ASSERT_EQ(out[2 * i], (*frames)[2 * (i % 500)]) << i;
  EXPECT_EQ(thrice->rewinds, 2);
  EXPECT_EQ(m.stream_status(0), VoiceStatus::Done);
}

TEST(Mixer, EmptyLoopingStreamEnds) {
  Mixer m;
  m.set_stream(2, std::make_shared<MemorySource>(std::make_shared<PcmFrames>()));
  m.set_stream_loop_count(2, 0);
  m.start_stream(2);
  pull(m, 100);
  EXPECT_EQ(m.stream_status(2), VoiceStatus::Done);
}

TEST(Mixer, StreamUnderrunIsSilenceAndTheStreamGoesOn) {
  Mixer m;
  auto frames = constant(1000, 1000, 400);
  m.set_stream(3, std::make_shared<MemorySource>(frames, 100));
  m.start_stream(3);
  PcmFrames out = pull(m, 300);
  EXPECT_EQ(out[2 * 99], 1000);
  EXPECT_EQ(out[2 * 100], 0);
  EXPECT_EQ(m.stream_status(3), VoiceStatus::Playing);
  out = pull(m, 300);
  EXPECT_EQ(out[0], 1000);
}

TEST(Mixer, EffectsAndAStreamMixIntoTheReference) {
  Mixer m;
  auto a = ramp(3000), b = constant(-1200, 800, 1000), music = constant(6000, 6000, 5000);
  m.set_sample(0, a);
  m.set_sample_volume(0, 100);
  m.set_sample_pan(0, 20);
  m.set_sample(7, b);
  m.set_sample_pan(7, 110);
  m.set_stream(0, std::make_shared<MemorySource>(music));
  m.set_stream_volume(0, 64);
  m.start_sample(0);
  m.start_sample(7);
  m.start_stream(0);
  PcmFrames out = pull(m, 4000);
  for (int i = 0; i < 4000; ++i)
    for (int c = 0; c < 2; ++c) {
      bool left = c == 0;
      std::int32_t sum = 0;
      if (i < 3000) sum += ((*a)[2 * i + c] * ref_gain(100, 20, left)) >> 15;
      if (i < 1000) sum += ((*b)[2 * i + c] * ref_gain(127, 110, left)) >> 15;
      sum += ((*music)[2 * i + c] * ref_gain(64, 63, left)) >> 15;
      ASSERT_EQ(out[2 * i + c], ref_out(sum)) << "frame " << i << " channel " << c;
    }
}

}  // namespace
