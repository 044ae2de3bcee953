// Videos through the game's calls on a real headless display: a missing file, frames shown in
// order in the back buffer, the end and Escape clearing flag_video, the frame checks of talk
// scripts.
#include "core/disc.h"
#include "g3d/grp3d_device.h"
#include "g3d/renderer.h"
#include "gfx2d/cddraw.h"
#include "platform/display.h"
#include "platform/drives.h"
#include "platform/window.h"
#include "tests/platform/video_clip.h"
#include "tests/sound/sound_test.h"

namespace {

constexpr int screen_w = 640, screen_h = 480;

// A sound test with the display device and renderer brought up on a headless window, the
// smallest set-up that gives the renderer a back buffer to lock and present.
class VideoPlaybackTest : public SoundTest {
 protected:
  void SetUp() override {
    platform::reset_display_config();
    window_ = platform::create_window({"QORV", platform::default_window_proc}, "QORV", screen_w, screen_h);
    ASSERT_NE(window_, nullptr);
    ASSERT_EQ(d3d_device.init(window_, &display_device, 0, DDRAW_WINDOWED, DDRAW_DEVICE_HARDWARE_3D, screen_w,
                              screen_h, 16),
              1);
    renderer.init(&d3d_device);
    // Something on the screen before the video, so that the clear to black shows.
    display_device.fill_rect(0, 0, screen_w, screen_h, 0xFFFF);
    renderer.present();
    std::filesystem::create_directories(folder_.path() / "Video");
    std::string error;
    ASSERT_TRUE(
        test_clip::write_clip((folder_.path() / "Video" / "op.avi").string(), 64, 48, 6, 10, true, error))
        << error;
  }
  void TearDown() override {
    close_video();
    renderer.release();
    d3d_device.release();
    display_device.release();
    platform::free_window(window_);
  }

  static int shown() { return platform::presented_frame_count(); }
  static std::uint16_t presented(int x, int y) {
    auto frame = platform::last_presented_frame();
    return frame ? frame->pixels[std::size_t(y * frame->width + x)] : 0xDEAD;
  }
  static std::uint16_t centre() { return presented(screen_w / 2, screen_h / 2); }

  platform::Window* window_ = nullptr;
};

TEST_F(VideoPlaybackTest, AMissingFileLeavesTheFlagClearAndShowsNothing) {
  set_flag(flag_video);
  int before = shown();
  play_video("none.bik");
  EXPECT_EQ(test_flag(flag_video), 0);
  EXPECT_EQ(check_video_frame(0), 0);
  update_video();  // called by mistake: nothing happens
  EXPECT_EQ(shown(), before);
  EXPECT_EQ(centre(), 0xFFFF);
}

TEST_F(VideoPlaybackTest, FramesAreShownInOrderAndTheLastClosesTheVideo) {
  int before_play = shown();
  play_video("op.avi");
  ASSERT_EQ(test_flag(flag_video), 1);
  EXPECT_EQ(shown(), before_play + 1);
  EXPECT_EQ(centre(), 0);  // cleared to black and shown before the first frame
  std::vector<std::uint16_t> seen;
  for (int pass = 0; pass < 100 && test_flag(flag_video); ++pass) {
    int before = shown();
    update_video();
    if (shown() != before) seen.push_back(centre());
  }
  EXPECT_EQ(test_flag(flag_video), 0);
  std::vector<std::uint16_t> expected;
  for (int k = 1; k <= 6; ++k) expected.push_back(test_clip::clip_colour(k));
  EXPECT_EQ(seen, expected);
  EXPECT_EQ(presented(0, 0), 0);  // the letterbox around a smaller picture stays black
  EXPECT_EQ(check_video_frame(0), 0);
}

TEST_F(VideoPlaybackTest, FrameChecksFollowTheCurrentFrame) {
  play_video("op.avi");
  EXPECT_EQ(check_video_frame(1), 1);
  EXPECT_EQ(check_video_frame(3), 0);
  EXPECT_EQ(check_video_frame(0x10003), 0);  // only the low 16 bits count
  while (test_flag(flag_video) && check_video_frame(3) == 0) update_video();
  EXPECT_EQ(check_video_frame(3), 1);
  EXPECT_EQ(check_video_frame(7), 0);  // beyond the frame count: never
  while (test_flag(flag_video) && check_video_frame(0) == 0) update_video();
  // The last frame is current: it is shown and the video closed in the same pass.
  EXPECT_EQ(check_video_frame(0), 1);
  int before = shown();
  while (test_flag(flag_video)) update_video();
  EXPECT_EQ(shown(), before + 1);
  EXPECT_EQ(check_video_frame(0), 0);
}

TEST_F(VideoPlaybackTest, EscapeClosesTheVideoAtOnce) {
  play_video("op.avi");
  update_video();
  close_video();
  EXPECT_EQ(test_flag(flag_video), 0);
  EXPECT_EQ(check_video_frame(1), 0);
}

TEST_F(VideoPlaybackTest, WaitingForAFrameSleepsInsteadOfSpinning) {
  play_video("op.avi");
  int before = shown();
  std::uint32_t start = platform::time_ms();
  update_video();  // frame 1 is due at once
  EXPECT_EQ(shown(), before + 1);
  update_video();  // frame 2 is due 100 ms later: this pass sleeps until then
  EXPECT_EQ(shown(), before + 1);
  EXPECT_EQ(platform::time_ms() - start, 100u);
  update_video();
  EXPECT_EQ(shown(), before + 2);
}

TEST_F(VideoPlaybackTest, ASecondVideoReplacesTheFirst) {
  play_video("op.avi");
  update_video();
  play_video("op.avi");
  EXPECT_EQ(test_flag(flag_video), 1);
  EXPECT_EQ(check_video_frame(2), 0);  // the new one starts from its first frame
}

// A lost back buffer cannot be locked: its frames are not shown, and the video still ends.
TEST_F(VideoPlaybackTest, FramesWhoseBackBufferCannotBeLockedAreSkipped) {
  play_video("op.avi");
  platform::inject_surface_loss();
  int before = shown();
  for (int pass = 0; pass < 100 && test_flag(flag_video); ++pass) update_video();
  EXPECT_EQ(test_flag(flag_video), 0);
  EXPECT_EQ(shown(), before);
  EXPECT_EQ(centre(), 0);
}

TEST_F(VideoPlaybackTest, TheDiscIsTheFallback) {
  fixtures::TempFolder disc;
  std::filesystem::create_directories(disc.path() / "VIDEO");
  std::filesystem::copy_file(folder_.path() / "Video" / "op.avi", disc.path() / "VIDEO" / "ed.avi");
  platform::map_drive('F', disc.str());
  cd_drive_letter = 'F';
  play_video("ed.avi");
  EXPECT_EQ(test_flag(flag_video), 1);
  close_video();
  cd_drive_letter = 0;
  play_video("ed.avi");  // nowhere without the disc
  EXPECT_EQ(test_flag(flag_video), 0);
  platform::clear_drive_mappings();
}

}  // namespace
