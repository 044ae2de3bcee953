// The video player on clips made here: frames in order and in their colours, pacing by the
// clip's rate on the fake clock, copies centred and clipped, the sound reaching the mixer.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/audio.h"
#include "platform/clock.h"
#include "platform/video.h"
#include "tests/fixtures/temp_folder.h"
#include "tests/platform/video_clip.h"

namespace {

class VideoTest : public ::testing::Test {
 protected:
  void SetUp() override { platform::use_fake_clock(1000); }
  void TearDown() override { platform::use_real_clock(); }

  std::string clip(int w, int h, int frames, int fps, bool sound = false) {
    std::string path = (folder_.path() / "clip.avi").string();
    std::string error;
    EXPECT_TRUE(test_clip::write_clip(path, w, h, frames, fps, sound, error)) << error;
    return path;
  }

  fixtures::TempFolder folder_;
};

TEST_F(VideoTest, MissingAndBrokenFilesDoNotOpen) {
  EXPECT_EQ(platform::Video::open((folder_.path() / "none.bik").string()), nullptr);
  folder_.write("junk.bik", std::string(5000, '\x42'));
  EXPECT_EQ(platform::Video::open((folder_.path() / "junk.bik").string()), nullptr);
}

TEST_F(VideoTest, FramesComeInOrderWithTheirColoursCentred) {
  auto video = platform::Video::open(clip(64, 48, 10, 20));
  ASSERT_NE(video, nullptr);
  EXPECT_EQ(video->width(), 64);
  EXPECT_EQ(video->height(), 48);
  EXPECT_EQ(video->frame_count(), 10);
  const int sw = 80, sh = 60, pitch = 100 * 2;  // rows wider than the screen
  std::vector<std::uint16_t> screen(std::size_t(100 * sh), 0xFFFF);
  for (int k = 1; k <= 10; ++k) {
    ASSERT_EQ(video->current_frame(), k);
    video->do_frame();
    video->copy_to(screen.data(), pitch, sw, sh);
    ASSERT_EQ(screen[6 * 100 + 8], test_clip::clip_colour(k)) << "frame " << k;    // top left
    ASSERT_EQ(screen[53 * 100 + 71], test_clip::clip_colour(k)) << "frame " << k;  // bottom right
    ASSERT_EQ(screen[5 * 100 + 8], 0xFFFF);                                        // above: untouched
    ASSERT_EQ(screen[6 * 100 + 7], 0xFFFF);                                        // left: untouched
    ASSERT_EQ(screen[6 * 100 + 72], 0xFFFF);                                       // right: untouched
    ASSERT_EQ(screen[6 * 100 + 85], 0xFFFF);  // beyond the screen width, inside the pitch
    video->next_frame();
  }
  EXPECT_EQ(video->current_frame(), 10);  // it stays on the last frame
}

TEST_F(VideoTest, ALargerPictureIsClippedToTheScreen) {
  auto video = platform::Video::open(clip(64, 48, 2, 10));
  ASSERT_NE(video, nullptr);
  video->do_frame();
  std::vector<std::uint16_t> screen(32 * 20, 0);  // exactly the screen: any overrun is caught
  video->copy_to(screen.data(), 32 * 2, 32, 20);
  EXPECT_TRUE(std::all_of(screen.begin(), screen.end(),
                          [](std::uint16_t p) { return p == test_clip::clip_colour(1); }));
}

TEST_F(VideoTest, FramesArePacedByTheClipsRate) {
  auto video = platform::Video::open(clip(16, 16, 5, 20));  // 50 ms a frame
  ASSERT_NE(video, nullptr);
  EXPECT_FALSE(video->wait());  // the first frame is due at once
  video->do_frame();
  video->next_frame();
  EXPECT_TRUE(video->wait());
  EXPECT_EQ(video->ms_until_due(), 50u);
  platform::advance_fake_clock(49);
  EXPECT_TRUE(video->wait());
  platform::advance_fake_clock(1);
  EXPECT_FALSE(video->wait());
}

TEST_F(VideoTest, AFileThatEndsEarlyEndsTheVideo) {
  auto video = platform::Video::open(clip(16, 16, 3, 10));
  ASSERT_NE(video, nullptr);
  for (int k = 0; k < 3; ++k) {
    video->do_frame();
    video->next_frame();
  }
  video->do_frame();  // nothing left: the current frame becomes the last
  EXPECT_EQ(video->frame_count(), video->current_frame());
}

TEST_F(VideoTest, TheSoundPlaysThroughTheDriver) {
  platform::AudioDriver* driver = nullptr;
  platform::PcmFormat format;
  ASSERT_EQ(platform::AIL_waveOutOpen(&driver, nullptr, -1, &format), 0);
  platform::set_video_sound_driver(driver);
  {
    auto video = platform::Video::open(clip(16, 16, 10, 10, true));
    ASSERT_NE(video, nullptr);
    for (int k = 0; k < 5; ++k) {
      video->do_frame();
      video->next_frame();
    }
    std::vector<std::int16_t> out(2 * 4410);
    ASSERT_TRUE(platform::headless_audio_pull(out.data(), 4410));
    EXPECT_GT(*std::max_element(out.begin(), out.end()), 3000);  // the clip's tone
  }
  platform::set_video_sound_driver(nullptr);
  platform::AIL_waveOutClose(driver);
}

TEST(VideoCopy, PicturesAreCentredAsTheGameLettersThem) {
  struct Case {
    int w, h, expect_x, expect_y;
  };
  for (Case c : {Case{640, 480, 0, 0}, Case{640, 360, 0, 60}, Case{320, 240, 160, 120}}) {
    std::vector<std::uint16_t> src(std::size_t(c.w * c.h), 0x1234);
    std::vector<std::uint16_t> dst(640 * 480, 0);
    platform::copy_centred_rgb565(src.data(), c.w, c.w, c.h, dst.data(), 640 * 2, 640, 480);
    EXPECT_EQ(dst[std::size_t(c.expect_y * 640 + c.expect_x)], 0x1234) << c.h;
    if (c.expect_y > 0) {
      EXPECT_EQ(dst[std::size_t((c.expect_y - 1) * 640 + c.expect_x)], 0) << c.h;
    }
    EXPECT_EQ(dst[std::size_t((c.expect_y + c.h - 1) * 640 + c.expect_x + c.w - 1)], 0x1234) << c.h;
  }
}

TEST(VideoCopy, NothingIsWrittenForBadArguments) {
  std::vector<std::uint16_t> src(16, 7), dst(16, 0);
  platform::copy_centred_rgb565(src.data(), 4, 4, 4, nullptr, 8, 4, 4);
  platform::copy_centred_rgb565(nullptr, 4, 4, 4, dst.data(), 8, 4, 4);
  platform::copy_centred_rgb565(src.data(), 4, 4, 4, dst.data(), 6, 4, 4);  // pitch shorter than a row
  platform::copy_centred_rgb565(src.data(), 4, 0, 4, dst.data(), 8, 4, 4);
  EXPECT_TRUE(std::all_of(dst.begin(), dst.end(), [](std::uint16_t p) { return p == 0; }));
}

}  // namespace
