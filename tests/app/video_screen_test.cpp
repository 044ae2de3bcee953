// A generated clip played the way the game plays it: the program started headless as start-up
// does it, every frame of the clip centred into the renderer's back buffer whatever its row
// pitch, presented in order, and Escape in the frame tick closing the video.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "app/startup.h"
#include "core/flags.h"
#include "core/game_flags.h"
#include "core/game_mode.h"
#include "platform/automation.h"
#include "platform/display.h"
#include "sound/video_player.h"
#include "tests/app/game_harness.h"
#include "tests/fixtures/input_script_writer.h"
#include "tests/platform/video_clip.h"

namespace {

constexpr int screen_w = 640, screen_h = 480;
constexpr int key_escape = 27;

struct ScreenCase {
  const char* name;
  int pitch_padding;  // bytes past the 640 pixels of every back-buffer row
  int clip_w, clip_h;
};

void PrintTo(const ScreenCase& c, std::ostream* out) { *out << c.name; }

// What the screen should show with frame k up: black, and the clip's picture of frame k centred
// and cut at the screen's edges.
std::vector<std::uint16_t> expected_screen(int clip_w, int clip_h, int k) {
  std::vector<std::uint16_t> screen(std::size_t(screen_w * screen_h), 0);
  int left = (screen_w - clip_w) / 2, top = (screen_h - clip_h) / 2;
  for (int y = std::max(0, top); y < std::min(screen_h, top + clip_h); ++y)
    for (int x = std::max(0, left); x < std::min(screen_w, left + clip_w); ++x)
      screen[std::size_t(y * screen_w + x)] = test_clip::clip_colour(k);
  return screen;
}

// "" when the presented frame is the expected screen, else where and how it differs first.
std::string compare_presented(const std::vector<std::uint16_t>& want) {
  auto frame = platform::last_presented_frame();
  if (!frame) return "nothing presented";
  if (frame->width != screen_w || frame->height != screen_h) return "the presented frame has another size";
  for (std::size_t i = 0; i < want.size(); ++i) {
    if (frame->pixels[i] == want[i]) continue;
    std::ostringstream out;
    out << "at (" << i % screen_w << ", " << i / screen_w << "): 0x" << std::hex << frame->pixels[i]
        << ", want 0x" << want[i];
    return out.str();
  }
  return "";
}

class VideoOnScreen : public ::testing::TestWithParam<ScreenCase> {
 protected:
  void SetUp() override {
    platform::reset_display_config();
    platform::display_config().pitch_padding = GetParam().pitch_padding;
    ASSERT_EQ(game_.start(), 1);
    GameMode = mode_idle;  // nothing but the video draws once it ends
  }
  void TearDown() override {
    close_video();
    end_game();
    platform::reset_display_config();
  }

  void write_clip(int frames) {
    std::filesystem::create_directories(game_.dir().path() / "Video");
    std::string error;
    ASSERT_TRUE(test_clip::write_clip((game_.dir().path() / "Video" / "op.avi").string(), GetParam().clip_w,
                                      GetParam().clip_h, frames, 10, true, error))
        << error;
  }

  GameHarness game_;
};

TEST_P(VideoOnScreen, EveryFrameIsPresentedInOrderCentredInTheBackBuffer) {
  const ScreenCase& c = GetParam();
  constexpr int frames = 5;
  write_clip(frames);
  play_video("op.avi");
  ASSERT_EQ(test_flag(flag_video), 1);
  EXPECT_EQ(compare_presented(expected_screen(0, 0, 0)), "") << "cleared to black before the first frame";

  int shown = 0;
  for (int pass = 0; pass < 100 && test_flag(flag_video); ++pass) {
    int before = platform::presented_frame_count();
    game_.tick(0);
    if (platform::presented_frame_count() == before) continue;
    ++shown;
    ASSERT_LE(shown, frames);
    ASSERT_EQ(compare_presented(expected_screen(c.clip_w, c.clip_h, shown)), "") << "frame " << shown;
  }
  EXPECT_EQ(shown, frames);
  EXPECT_EQ(test_flag(flag_video), 0) << "the last frame closes the video";
  EXPECT_EQ(check_video_frame(0), 0);
}

TEST_P(VideoOnScreen, EscapeInTheFrameTickClosesTheVideo) {
  constexpr int frames = 20;
  write_clip(frames);
  play_video("op.avi");
  ASSERT_EQ(test_flag(flag_video), 1);
  // Two frames on the screen, then Escape is down from the next counted frame on.
  while (test_flag(flag_video) && check_video_frame(3) == 0) game_.tick(0);
  ASSERT_EQ(compare_presented(expected_screen(GetParam().clip_w, GetParam().clip_h, 2)), "");
  platform::set_input_events({fixtures::key_down(platform::frames_counted(), key_escape)});

  // A pass shows one frame at most: a video that closes within a few passes was skipped, not
  // played to its end.
  int presented = platform::presented_frame_count();
  for (int pass = 0; pass < 4 && test_flag(flag_video); ++pass) {
    presented = platform::presented_frame_count();
    game_.tick(10);
  }
  EXPECT_EQ(test_flag(flag_video), 0);
  EXPECT_EQ(check_video_frame(1), 0) << "no video is open";
  EXPECT_EQ(platform::presented_frame_count(), presented) << "the pass that closes shows no frame";
  for (int pass = 0; pass < 5; ++pass) game_.tick(30);
  EXPECT_EQ(platform::presented_frame_count(), presented) << "nothing more of the video is shown";
}

INSTANTIATE_TEST_SUITE_P(Screens, VideoOnScreen,
                         ::testing::Values(ScreenCase{"letterboxed", 0, 324, 180},
                                           ScreenCase{"padded_rows", 96, 324, 180},
                                           ScreenCase{"full_width_padded", 40, 640, 360},
                                           ScreenCase{"larger_than_the_screen", 24, 704, 512}),
                         [](const ::testing::TestParamInfo<ScreenCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
