// The animation drawers on the sample game's animations: frame sounds, part sizes and hot spots,
// in the presented back buffer.
#include "g3d/act_draw.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "app/startup.h"
#include "g3d/effects/afterimages.h"
#include "g3d/effects/spawn_effect.h"
#include "g3d/renderer.h"
#include "platform/window.h"
#include "tests/app/game_harness.h"
#include "tests/fixtures/sample_models.h"
#include "tests/fixtures/ui_kit.h"
#include "battle/hit_number.h"
#include "ui/number_draw.h"
#include "ui/ui_numbers.h"
#include "ui/window_frame.h"

namespace {

std::vector<int> played;
void record_sound(int sfx) { played.push_back(sfx); }

class ActDraw : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(init_game(game_.window(), platform::program_instance()), 1);
    set_act_sound_player(record_sound);
    played.clear();
    clear_screen();
  }
  void TearDown() override {
    set_act_sound_player(nullptr);
    end_game();
  }
  void clear_screen(std::uint16_t colour = 0) {
    std::uint16_t* p = renderer.lock_back_buffer();
    ASSERT_NE(p, nullptr);
    std::fill(p, p + 640 * 480, colour);
    renderer.unlock_back_buffer(p);
  }
  // The pixels drawn (not 0) in the rectangle.
  int ink(int x0, int y0, int x1, int y1) {
    std::uint16_t* p = renderer.lock_back_buffer();
    int n = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) n += p[y * 640 + x] != 0;
    renderer.unlock_back_buffer(p);
    return n;
  }
  std::uint16_t pixel(int x, int y) {
    std::uint16_t* p = renderer.lock_back_buffer();
    const std::uint16_t v = p[y * 640 + x];
    renderer.unlock_back_buffer(p);
    return v;
  }
  GameHarness game_;
};

TEST_F(ActDraw, DrawActPlaysTheFirstFramesSoundOnEveryCall) {
  draw_act(kit::sample_effect_act, 0, 100, 100, 0);
  draw_act(kit::sample_effect_act, 0, 100, 100, 0);
  EXPECT_EQ(played, (std::vector<int>{305, 305}));
}

TEST_F(ActDraw, AnInstancesSoundIsPlayedOnceAndCleared) {
  ActInstance a;
  a.act = kit::sample_effect_act;
  ASSERT_EQ(Take_3dActData(&a), 1);
  draw_act_instance(&a, 50, 50, 0);
  draw_act_instance(&a, 50, 50, 0);
  EXPECT_EQ(played, (std::vector<int>{305}));
  EXPECT_EQ(a.sound, 0);
}

TEST_F(ActDraw, SelectionMarksBarsPlatesAndNumbersPlayNoFrameSound) {
  draw_select_frame_act(kit::sample_effect_act, 0, 100, 100, 64, 64);
  draw_stretched_picture(kit::sample_effect_act, 0, 100, 100, 64, 64, 0xFFFFFFFF);
  HitNumber n;
  n.digit_act = kit::sample_effect_act;
  n.value = 0;
  n.flat = 1;
  n.scale[0] = n.scale[1] = n.scale[2] = 1;
  n.point[0] = n.point[1] = 100;
  draw_number(&n);
  EXPECT_TRUE(played.empty());
}

TEST_F(ActDraw, AFramesBackdropIsDrawnInBlendMode4) {
  constexpr std::uint16_t grey = 0x8410;
  // The backdrop's middle, clear of the edges: the frame against the backdrop piece alone.
  auto backdrop_alone = [&](std::uint32_t blend) {
    clear_screen(grey);
    ActInstance a;
    a.act = window_frame_act;
    a.qq = 4;
    EXPECT_EQ(Take_3dActData(&a), 1);
    const float s = (200 - 34) / 31.0f;
    draw_act_3d(&a, 102, 102, 0, 0, 0, 0, s, s, 0, 0x96FFFFFF, a.draw_flags | blend);
    return pixel(200, 200);
  };
  const std::uint16_t mode_4 = backdrop_alone(0x4), mode_2 = backdrop_alone(0x2);
  ASSERT_NE(mode_4, mode_2) << "the two blends tell apart on this backdrop";
  clear_screen(grey);
  draw_window_frame(window_frame_act, 100, 100, 200, 200);
  EXPECT_EQ(pixel(200, 200), mode_4);
}

// A mirrored cell is the same cell flipped left to right: the title menu's first item, whose
// mark sits near its left end, shows its mark as wide, near the right end.
TEST_F(ActDraw, AMirroredCellIsFlippedLeftToRight) {
  struct Row {
    int left = 640, right = -1, mark_left = 640, mark_right = -1;
  };
  auto draw = [&](bool mirrored) {
    clear_screen();
    ActInstance a;
    a.act = 9036;
    EXPECT_EQ(Take_3dActData(&a), 1);
    if (mirrored) a.state |= act_state_mirrored;
    draw_act_3d(&a, 100, 100, 0, 0, 0, 0, 0, 0, 0, 0xFFFFFFFF, a.draw_flags);
    Row r;
    const int y = 114;  // through the mark
    for (int x = 0; x < 640; ++x)
      if (pixel(x, y) != 0) r.left = std::min(r.left, x), r.right = std::max(r.right, x);
    const std::uint16_t bar = pixel(r.left, 101);  // the bar's colour above the mark
    for (int x = r.left; x <= r.right; ++x)
      if (pixel(x, y) != bar) r.mark_left = std::min(r.mark_left, x), r.mark_right = std::max(r.mark_right, x);
    return r;
  };
  const Row plain = draw(false), flipped = draw(true);
  ASSERT_LT(plain.mark_left, plain.mark_right);
  // The flipped rectangle (left = old right, right = old left - 1) spans one texel more in the
  // renderer's |right - left| width: its quad reaches one column further.
  EXPECT_EQ(flipped.left, plain.left);
  EXPECT_EQ(flipped.right, plain.right + 1);
  EXPECT_EQ(flipped.mark_right - flipped.mark_left, plain.mark_right - plain.mark_left);
  // The mark's place reflected about the cell's middle, to within the one column the sampling of
  // 128 texels over the quad's pixels may give.
  const int reflected = plain.left + plain.right - plain.mark_right;
  EXPECT_NEAR(flipped.mark_left, reflected, 1);
}

TEST_F(ActDraw, ASpriteAfterimageIsTheBlitAloneAtTheUntruncatedPointLessTheHotSpot) {
  // The slider's knob, 12 x 20 with its hot spot at (6, 10), at x 3.5: its left edge is
  // trunc(3.5 - 6) = -2, so 10 of its 12 columns show (trunc(3) - 6 would show 9).
  Afterimage r;
  r.instance.act = kit::ui_slider_act;
  r.instance.qq = 2;
  ASSERT_EQ(Take_3dActData(&r.instance), 1);
  r.instance.kind = 2;
  r.instance.sound = 305;  // a pending frame sound the copy must not replay
  r.x = 3.5f;
  r.y = 100;
  r.alpha = 255;
  r.alpha_step = 255;
  afterimage_list.add(&r);
  afterimage_list.draw();
  afterimage_list.clear();
  EXPECT_EQ(ink(0, 90, 640, 110), 10 * 20);
  EXPECT_TRUE(played.empty());
}

TEST_F(ActDraw, PartSizesAreKeptWithinThePicture) {
  // The slider's bar is a 200 x 12 solid picture at its hot spot (0, 0).
  draw_act_part(kit::ui_slider_act, 0, 100, 100, 0, 0, 0);
  EXPECT_EQ(ink(100, 100, 101, 112), 12) << "width 0 draws one column of the full height";
  EXPECT_EQ(ink(101, 100, 300, 112), 0);
  clear_screen();
  draw_act_part(kit::ui_slider_act, 0, 100, 100, 5000, 5000, 0);
  EXPECT_EQ(ink(100, 100, 300, 112), 200 * 12) << "a part larger than the picture is the picture";
  EXPECT_EQ(ink(300, 100, 640, 480) + ink(100, 112, 300, 480), 0);
}

TEST_F(ActDraw, TheHotSpotIsAtTheGivenPoint) {
  // The slider's knob, 12 x 20, has its hot spot at (6, 10).
  draw_act(kit::ui_slider_act, 2, 100, 100, 0);
  EXPECT_EQ(ink(94, 90, 106, 110), 12 * 20);
  EXPECT_EQ(ink(0, 0, 94, 480) + ink(106, 0, 640, 480), 0);
}

TEST_F(ActDraw, NothingToDrawDrawsNothing) {
  draw_act(0, 0, 10, 10, 0);
  draw_act(4321, 7, 10, 10, 0);
  ActInstance empty;
  draw_act_instance(&empty, 10, 10, 0);
  draw_act_3d(&empty, 10, 10, 0, 0, 0, 0, 0, 0, 0, 0xFFFFFFFF, 0);
  EXPECT_EQ(ink(0, 0, 640, 480), 0);
  EXPECT_TRUE(played.empty());
}

TEST_F(ActDraw, FrameRectanglesAreInclusiveAndNeedWholeCells) {
  ActInstance a;
  a.sheet[2] = 96;
  a.sheet[4] = 32;
  a.sheet[5] = 16;
  G3dRect r;
  get_act_frame_rect(4, &a, &r);
  EXPECT_EQ(r.left, 32);
  EXPECT_EQ(r.top, 16);
  EXPECT_EQ(r.right, 63);
  EXPECT_EQ(r.bottom, 31);
  a.sheet[2] = 20;
  get_act_frame_rect(4, &a, &r);
  EXPECT_EQ(r.right, 0) << "no whole cell in a row";
  EXPECT_EQ(spawn_effect(nullptr, 3, 0, 0, 0), -1);
}

}  // namespace
