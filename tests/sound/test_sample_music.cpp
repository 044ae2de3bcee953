// The sample game's map music: the kit writes the MP3 tunes the maps name, and each one plays
// through the game's stream path as a few seconds of its tune.
#include <algorithm>
#include <filesystem>

#include "tests/fixtures/mp3_kit.h"
#include "tests/sound/sound_test.h"

namespace {

// Of 44.1 kHz stereo frames: the last loud one and the peak.
struct Heard {
  int loud_frames = 0;
  int peak = 0;
};

Heard hear(const std::vector<std::int16_t>& out) {
  Heard h;
  for (std::size_t i = 0; i < out.size() / 2; ++i) {
    const int v = std::abs(int(out[2 * i]));
    if (v > 1000) h.loud_frames = int(i);
    h.peak = std::max(h.peak, v);
  }
  return h;
}

TEST_F(SoundTest, TheSampleMapTunesAreMp3FilesThatPlayAFewSeconds) {
  if (!kit::can_make_mp3()) GTEST_SKIP() << "no MP3 encoder in this FFmpeg";
  for (const char* folder : {"ACT", "Music"}) std::filesystem::create_directories(folder_.path() / folder);
  ASSERT_TRUE(kit::write_sample_sounds(folder_.str()));
  platform::PcmFormat format;
  platform::AudioDriver* driver = nullptr;
  ASSERT_EQ(platform::AIL_waveOutOpen(&driver, nullptr, -1, &format), 0);
  // Each tune's length in milliseconds, from its notes.
  const struct {
    const char* file;
    int ms;
  } tunes[] = {{"village.mp3", 3600}, {"path.mp3", 3360}, {"wind.mp3", 3600}};
  for (const auto& t : tunes) {
    SCOPED_TRACE(t.file);
    const std::string bytes = read(std::string("Music/") + t.file);
    // Small files, and MP3 frames from the first byte (a frame sync, no container).
    ASSERT_GT(bytes.size(), 1000u);
    EXPECT_LT(bytes.size(), 40000u);
    EXPECT_EQ(std::uint8_t(bytes[0]), 0xFF);
    EXPECT_EQ(std::uint8_t(bytes[1]) & 0xE0, 0xE0);
    const std::string path = (folder_.path() / "Music" / t.file).string();
    platform::AudioStream* s = platform::AIL_open_stream(driver, path.c_str(), 0);
    ASSERT_NE(s, nullptr) << platform::AIL_last_error();
    platform::AIL_set_stream_loop_count(s, 1);
    platform::AIL_start_stream(s);
    const Heard h = hear(pull(44100 * 5));
    EXPECT_NEAR(h.loud_frames, t.ms * 441 / 10, 44100 / 4);
    // The tune's peak of 6000, mono spread over two sides at the stream's volume.
    EXPECT_GT(h.peak, 3000);
    EXPECT_LT(h.peak, 6500);
    EXPECT_EQ(platform::AIL_stream_status(s), platform::SMP_DONE);
    platform::AIL_close_stream(s);
  }
  platform::AIL_waveOutClose(driver);
}

}  // namespace
