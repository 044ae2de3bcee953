// Videos through the game's calls: a missing file, frames shown in order into the screen the
// display lends, the end and Escape clearing flag 8030, the frame checks of talk scripts.
#include <algorithm>

#include "app/disc.h"
#include "platform/drives.h"
#include "tests/platform/video_clip.h"
#include "tests/sound/sound_test.h"

namespace {

constexpr int screen_w = 96, screen_h = 72;
std::vector<std::uint16_t> screen_pixels;
int clears = 0, shown = 0;
bool lock_fails = false;

std::uint16_t* lock_screen(int* pitch, int* w, int* h) {
  if (lock_fails) return nullptr;
  *pitch = screen_w * 2;
  *w = screen_w;
  *h = screen_h;
  return screen_pixels.data();
}
void unlock_screen(std::uint16_t*) { ++shown; }
void clear_screen() {
  std::fill(screen_pixels.begin(), screen_pixels.end(), 0);
  ++clears;
}

class VideoPlaybackTest : public SoundTest {
 protected:
  void SetUp() override {
    screen_pixels.assign(screen_w * screen_h, 0xFFFF);
    clears = shown = 0;
    lock_fails = false;
    set_video_screen({lock_screen, unlock_screen, clear_screen});
    std::filesystem::create_directories(folder_.path() / "Video");
    std::string error;
    ASSERT_TRUE(
        test_clip::write_clip((folder_.path() / "Video" / "op.avi").string(), 64, 48, 6, 10, true, error))
        << error;
  }
  void TearDown() override { set_video_screen({}); }
  std::uint16_t centre() const { return screen_pixels[std::size_t(screen_h / 2 * screen_w + screen_w / 2)]; }
};

TEST_F(VideoPlaybackTest, AMissingFileLeavesTheFlagClearAndShowsNothing) {
  set_flag(8030);
  play_video("none.bik");
  EXPECT_EQ(test_flag(8030), 0);
  EXPECT_EQ(clears, 0);
  EXPECT_EQ(check_video_frame(0), 0);
  update_video();  // called by mistake: nothing happens
  EXPECT_EQ(shown, 0);
}

TEST_F(VideoPlaybackTest, FramesAreShownInOrderAndTheLastClosesTheVideo) {
  play_video("op.avi");
  ASSERT_EQ(test_flag(8030), 1);
  EXPECT_EQ(clears, 1);
  EXPECT_EQ(centre(), 0);  // cleared to black before the first frame
  std::vector<std::uint16_t> seen;
  for (int pass = 0; pass < 100 && test_flag(8030); ++pass) {
    int before = shown;
    update_video();
    if (shown != before) seen.push_back(centre());
  }
  EXPECT_EQ(test_flag(8030), 0);
  std::vector<std::uint16_t> expected;
  for (int k = 1; k <= 6; ++k) expected.push_back(test_clip::clip_colour(k));
  EXPECT_EQ(seen, expected);
  EXPECT_EQ(screen_pixels[0], 0);  // the letterbox around a smaller picture stays black
  EXPECT_EQ(check_video_frame(0), 0);
}

TEST_F(VideoPlaybackTest, FrameChecksFollowTheCurrentFrame) {
  play_video("op.avi");
  EXPECT_EQ(check_video_frame(1), 1);
  EXPECT_EQ(check_video_frame(3), 0);
  EXPECT_EQ(check_video_frame(0x10003), 0);  // only the low 16 bits count
  while (test_flag(8030) && check_video_frame(3) == 0) update_video();
  EXPECT_EQ(check_video_frame(3), 1);
  EXPECT_EQ(check_video_frame(7), 0);  // beyond the frame count: never
  while (test_flag(8030) && check_video_frame(0) == 0) update_video();
  // The last frame is current: it is shown and the video closed in the same pass.
  EXPECT_EQ(check_video_frame(0), 1);
  int before = shown;
  while (test_flag(8030)) update_video();
  EXPECT_EQ(shown, before + 1);
  EXPECT_EQ(check_video_frame(0), 0);
}

TEST_F(VideoPlaybackTest, EscapeClosesTheVideoAtOnce) {
  play_video("op.avi");
  update_video();
  close_video();
  EXPECT_EQ(test_flag(8030), 0);
  EXPECT_EQ(check_video_frame(1), 0);
}

TEST_F(VideoPlaybackTest, WaitingForAFrameSleepsInsteadOfSpinning) {
  play_video("op.avi");
  std::uint32_t start = platform::time_ms();
  update_video();  // frame 1 is due at once
  EXPECT_EQ(shown, 1);
  update_video();  // frame 2 is due 100 ms later: this pass sleeps until then
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(platform::time_ms() - start, 100u);
  update_video();
  EXPECT_EQ(shown, 2);
}

TEST_F(VideoPlaybackTest, ASecondVideoReplacesTheFirst) {
  play_video("op.avi");
  update_video();
  play_video("op.avi");
  EXPECT_EQ(test_flag(8030), 1);
  EXPECT_EQ(check_video_frame(2), 0);  // the new one starts from its first frame
}

TEST_F(VideoPlaybackTest, AScreenThatCannotBeLockedIsSkipped) {
  lock_fails = true;
  play_video("op.avi");
  for (int pass = 0; pass < 100 && test_flag(8030); ++pass) update_video();
  EXPECT_EQ(test_flag(8030), 0);
  EXPECT_EQ(shown, 0);
}

TEST_F(VideoPlaybackTest, TheDiscIsTheFallback) {
  fixtures::TempFolder disc;
  std::filesystem::create_directories(disc.path() / "VIDEO");
  std::filesystem::copy_file(folder_.path() / "Video" / "op.avi", disc.path() / "VIDEO" / "ed.avi");
  platform::map_drive('F', disc.str());
  cd_drive_letter = 'F';
  play_video("ed.avi");
  EXPECT_EQ(test_flag(8030), 1);
  close_video();
  cd_drive_letter = 0;
  play_video("ed.avi");  // nowhere without the disc
  EXPECT_EQ(test_flag(8030), 0);
  platform::clear_drive_mappings();
}

}  // namespace
