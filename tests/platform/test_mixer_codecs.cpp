// Sounds that go through FFmpeg: MP3 and ADPCM WAVE effects from memory and music streams
// from disk, heard through the headless driver.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/audio.h"
#include "platform/clock.h"
#include "tests/fixtures/temp_folder.h"
#include "tests/platform/audio_clip.h"

namespace {

using test_clip::AudioKind;

class CodecTest : public ::testing::TestWithParam<AudioKind> {
 protected:
  void SetUp() override {
    platform::use_fake_clock(0);
    platform::PcmFormat format;
    ASSERT_EQ(platform::AIL_waveOutOpen(&driver_, nullptr, -1, &format), 0);
    path_ = (folder_.path() / (GetParam() == AudioKind::Mp3 ? "tone.mp3" : "tone.wav")).string();
    std::string error;
    ASSERT_TRUE(test_clip::write_tone(path_, GetParam(), 440, 500, 12000, error)) << error;
  }
  void TearDown() override {
    platform::AIL_waveOutClose(driver_);
    platform::use_real_clock();
  }
  std::vector<std::uint8_t> bytes() const {
    std::ifstream in(path_, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  // Frames until the first silent stretch of 100 frames, and the peak before it.
  static std::pair<int, int> measure(const std::vector<std::int16_t>& out) {
    int last_loud = 0, peak = 0;
    for (std::size_t i = 0; i < out.size() / 2; ++i)
      if (std::abs(out[2 * i]) > 100) {
        last_loud = int(i);
        peak = std::max(peak, std::abs(int(out[2 * i])));
      }
    return {last_loud, peak};
  }

  fixtures::TempFolder folder_;
  platform::AudioDriver* driver_ = nullptr;
  std::string path_;
};

TEST_P(CodecTest, AnEffectFromMemoryPlaysItsLength) {
  auto data = bytes();
  platform::AudioSample* s = platform::AIL_allocate_sample_handle(driver_);
  ASSERT_NE(s, nullptr);
  int accepted = GetParam() == AudioKind::Mp3
                     ? platform::AIL_set_named_sample_file(s, ".mp3", data.data(), data.size(), 0)
                     : platform::AIL_set_sample_file(s, data.data(), data.size(), 0);
  ASSERT_NE(accepted, 0) << platform::AIL_last_error();
  platform::AIL_start_sample(s);
  std::vector<std::int16_t> out(2 * 44100);
  ASSERT_TRUE(platform::headless_audio_pull(out.data(), 44100));
  auto [length, peak] = measure(out);
  EXPECT_NEAR(length, 22050, 2500);  // codecs pad a little at either end
  EXPECT_NEAR(peak, 12000, 1500);
  EXPECT_EQ(platform::AIL_sample_status(s), platform::SMP_DONE);
}

TEST_P(CodecTest, AStreamFromDiskPlaysAndLoops) {
  platform::AudioStream* s = platform::AIL_open_stream(driver_, path_.c_str(), 0);
  ASSERT_NE(s, nullptr) << platform::AIL_last_error();
  platform::AIL_set_stream_loop_count(s, 2);
  platform::AIL_start_stream(s);
  std::vector<std::int16_t> out(2 * 66150);
  ASSERT_TRUE(platform::headless_audio_pull(out.data(), 66150));
  auto [length, peak] = measure(out);
  EXPECT_NEAR(length, 44100, 5000);  // twice half a second
  EXPECT_NEAR(peak, 12000, 1500);
  EXPECT_EQ(platform::AIL_stream_status(s), platform::SMP_DONE);
  platform::AIL_close_stream(s);
}

TEST_P(CodecTest, CutFilesAreRefusedOrPlayWhatTheyHold) {
  auto data = bytes();
  platform::AudioSample* s = platform::AIL_allocate_sample_handle(driver_);
  for (std::size_t n : {std::size_t(0), std::size_t(10), std::size_t(100), data.size() / 3}) {
    platform::AIL_set_named_sample_file(s, ".mp3", data.data(), n, 0);
    platform::AIL_start_sample(s);
    std::vector<std::int16_t> out(2 * 1000);
    platform::headless_audio_pull(out.data(), 1000);
  }
}

INSTANTIATE_TEST_SUITE_P(Codecs, CodecTest, ::testing::Values(AudioKind::Mp3, AudioKind::AdpcmWav));

}  // namespace
