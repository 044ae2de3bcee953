// Tweens, sliders, fades, frame pieces, the selection pulse, the text field and paragraphs.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "field/map_file.h"
#include "ui/paragraph.h"
#include "ui/screen_extras.h"
#include "ui/screen_fade.h"
#include "ui/slider.h"
#include "ui/tween.h"
#include "ui/window_frame.h"

namespace {

std::vector<int> xs_of(Tween& t, int updates) {
  std::vector<int> xs;
  for (int i = 0; i < updates; ++i) {
    t.update();
    xs.push_back(t.get_x());
  }
  return xs;
}

TEST(Tween, ModesStepAsSpecified) {
  struct Case {
    const char* name;
    int mode, speed, delay, distance;
    std::vector<int> xs;
    int done_after;
  } cases[] = {
      {"constant: two steps then a snap", 2, 10, 0, 25, {10, 20, 25}, 3},
      {"proportional: a quarter first", 3, 4, 0, 100, {25, 43, 57}, 0},
      {"delay waits three updates", 2, 10, 3, 25, {0, 0, 0, 10}, 0},
      {"snap ignores the delay", 1, 10, 3, 25, {25}, 1},
      {"no distance arrives", 2, 10, 0, 0, {0}, 1},
      {"no speed snaps", 3, 0, 0, 40, {40}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Tween t;
    t.set_mode(c.mode);
    t.set_speed(c.speed);
    t.set_delay(c.delay);
    t.set_move(0, 0, c.distance, 0);
    EXPECT_EQ(xs_of(t, int(c.xs.size())), c.xs);
    if (c.done_after) {
      EXPECT_EQ(t.is_done(), 1);
    }
  }
}

TEST(Tween, AFinishedProportionalTweenSnapsOnLaterTargets) {
  Tween t;
  t.set_mode(3);
  t.set_speed(4);
  t.set_move(0, 0, 100, 0);
  for (int i = 0; i < 200 && !t.is_done(); ++i) t.update();
  ASSERT_EQ(t.is_done(), 1);
  EXPECT_EQ(t.get_x(), 100);
  t.set_target(300, 50);
  t.update();
  EXPECT_EQ(t.get_x(), 300);
  EXPECT_EQ(t.get_y(), 50);
}

TEST(Tween, ProportionalCrawlsOnePixelUnderItsSpeed) {
  Tween t;
  t.set_mode(3);
  t.set_speed(4);
  t.set_move(0, 0, 3, 0);
  EXPECT_EQ(xs_of(t, 3), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(t.is_done(), 1);
}

TEST(Slider, ValuesAndDragging) {
  Slider s;
  // Without pictures the bar keeps the box it was given.
  s.set_bar(0, 0, 100, 50, 200, 20);
  s.set_knob(0, 0, 20, 20);
  s.set_range(0, 100, 50, 0);
  EXPECT_EQ(s.knob_x(), 100) << "two pixels per unit";
  EXPECT_EQ(s.step(), 1);
  s.increase(70);
  EXPECT_EQ(s.get_value(), 100);
  s.decrease(150);
  EXPECT_EQ(s.get_value(), 0);
  s.add(50);
  EXPECT_EQ(s.mouse(100 + 100, 60), 1) << "grabs the knob";
  EXPECT_EQ(s.dragging(), 1);
  EXPECT_EQ(s.mouse(209, 60), 1);
  EXPECT_EQ(s.get_value(), 54) << "nine pixels right add four";
  EXPECT_EQ(s.mouse(400, 60), 0) << "outside the bar";
  s.release();
  EXPECT_EQ(s.mouse(110, 60), 1);
  EXPECT_EQ(s.get_value(), 52) << "a click left of the knob takes two";
}

TEST(Slider, ARangeWithoutWidthKeepsTheKnobAtTheStart) {
  Slider s;
  s.set_bar(0, 0, 0, 0, 200, 20);
  s.set_range(5, 5, 5, 1);
  EXPECT_EQ(s.knob_x(), 0);
}

std::vector<int> fade_alphas(int frames) {
  std::vector<int> a;
  for (int i = 0; i < frames; ++i) {
    draw_fade();
    a.push_back(screen_fade.alpha);
  }
  return a;
}

TEST(ScreenFade, FadesReachTheirTargetsAndStop) {
  start_fade(0, 255, 0, 0, 0, 10);
  std::vector<int> a = fade_alphas(26);
  EXPECT_EQ(a[0], 10);
  EXPECT_EQ(a[24], 250);
  EXPECT_EQ(a[25], 255);
  EXPECT_EQ(is_fade_done(), 1);
  draw_fade();
  EXPECT_EQ(screen_fade.step, 10) << "a fade to a non-zero alpha stays drawn";

  start_fade(255, 0, 0, 0, 0, 10);
  fade_alphas(26);
  EXPECT_EQ(screen_fade.alpha, 0);
  EXPECT_EQ(is_fade_done(), 1);
  EXPECT_EQ(screen_fade.step, 0);

  start_fade(0, 255, 0, 0, 0, 0);
  fade_alphas(5);
  EXPECT_EQ(is_fade_done(), 0) << "a step of 0 never runs";
}

TEST(ScreenFade, OutOfRangeValuesAndNegativeStepsAreMadeSafe) {
  start_fade(-40, 900, 300, -1, 128, -50);
  EXPECT_EQ(screen_fade.alpha, 0);
  EXPECT_EQ(screen_fade.target_alpha, 255);
  EXPECT_EQ(screen_fade.red, 255);
  EXPECT_EQ(screen_fade.green, 0);
  EXPECT_EQ(screen_fade.blue, 128);
  fade_alphas(6);
  EXPECT_EQ(is_fade_done(), 1) << "a negative step runs at its magnitude";
}

TEST(ScreenFade, TheSceneLightFollowsTheFadeColourAndTintsTheWorld) {
  start_fade(0, 0, 255, 0, 0, 1);
  scene_light = SceneLight{};
  scene_light.red = scene_light.green = scene_light.blue = 0;
  scene_light.step = 100;
  map_record.tint = map_tint_none;
  fade_scene_light();
  EXPECT_EQ(scene_light.red, 100);
  EXPECT_EQ(map_record.tint, 0xFF640000u) << "the tint follows the light on its way";
  fade_scene_light();
  fade_scene_light();
  EXPECT_EQ(scene_light.red, 255);
  EXPECT_EQ(scene_light.step, 0) << "a target with a channel of 255 stops it";
  EXPECT_EQ(map_record.tint, 0xFFFF0000u);
  start_fade(0, 0, 10, 10, 10, 1);
  scene_light.step = 500;
  fade_scene_light();
  EXPECT_EQ(scene_light.red, 10);
  EXPECT_NE(scene_light.step, 0) << "a darker target keeps it following";
  EXPECT_EQ(map_record.tint, 0xFF0A0A0Au);
  scene_light.step = 0;
  map_record.tint = map_tint_none;
  fade_scene_light();
  EXPECT_EQ(map_record.tint, map_tint_none) << "a light that does not move leaves the tint";
}

TEST(WindowFrame, A64PixelFrameHasTouchingCornersAndEdgesOfScaleOne) {
  FramePiece p[9];
  ASSERT_EQ(frame_pieces(10, 20, 64, 64, true, p), 9);
  EXPECT_EQ(p[0].qq, 4);
  EXPECT_FLOAT_EQ(p[0].extra_sx, 30.0f / 31.0f);
  EXPECT_FLOAT_EQ(p[1].extra_sx, 1.0f);
  EXPECT_FLOAT_EQ(p[3].extra_sy, 1.0f);
  EXPECT_EQ(p[6].x, 10 + 32);
  EXPECT_EQ(p[8].y, 20 + 32);
  EXPECT_EQ(frame_pieces(10, 20, 64, 64, false, p), 8) << "no backdrop";
}

TEST(WindowFrame, TheSelectionPulseRisesAndFalls) {
  SelectPulse pulse;
  std::vector<float> v;
  for (int i = 0; i < 30; ++i) v.push_back(pulse.step());
  EXPECT_FLOAT_EQ(v[0], 0.005f);
  const float top = *std::max_element(v.begin(), v.end());
  EXPECT_FLOAT_EQ(top, 0.05f) << "it stops at 0.05";
  const auto bottom = std::find(v.begin(), v.end(), 0.0f);
  ASSERT_NE(bottom, v.end()) << "it falls back to 0";
  EXPECT_GT(*(bottom + 1), 0.0f) << "and rises again";
}

TEST(TextField, ABrokenLastCharacterShowsAsAnAt) {
  struct Case {
    std::string text, shown;
  } cases[] = {{"ab\xa4W", "ab\xa4W"}, {"ab\xa4", "ab@"}, {std::string(63, 'x') + "\xa4W", std::string(63, 'x') + "@"}};
  for (const Case& c : cases) {
    char out[65];
    text_field_shown(c.text.c_str(), out);
    EXPECT_EQ(std::string(out), c.shown);
  }
}

TEST(Paragraph, LinesBreakAtCodesAndWidth) {
  struct Case {
    const char* text;
    int max_lines, width, lines;
  } cases[] = {
      {"short%Q", 3, 200, 1},
      {"one%Ntwo%Nthree%Q", 3, 200, 3},
      {"one%Ntwo%Nthree%Nfour%Q", 3, 200, 3},
      {"0123456789012345", 4, 50, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(count_paragraph_lines(c.text, c.max_lines, c.width), c.lines);
  }
  std::vector<ParagraphRun> runs;
  walk_paragraph("ab%C5cd%Nef", 3, 200, 0, [&](const ParagraphRun& r) { runs.push_back(r); });
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs[1].column, 2);
  EXPECT_EQ(runs[1].colour_index, 5);
  EXPECT_EQ(runs[2].line, 1);
  EXPECT_EQ(runs[2].column, 0);
}

}  // namespace
