// Effects drawn through the rasterizer and compared with reference frames: a sparkle burst
// beside a streak fountain, and fading afterimages beside a tapered ribbon.
#include <gtest/gtest.h>

#include <cmath>

#include "g3d/effects/afterimages.h"
#include "g3d/effects/effect_dat.h"
#include "g3d/effects/effect_random.h"
#include "g3d/effects/ribbon_trail.h"
#include "gfx2d/memoryer.h"
#include "tests/fixtures/effect_dat_writer.h"
#include "tests/fixtures/sample_effects.h"
#include "tests/g3d/act_folder.h"
#include "tests/g3d/draw_fixture.h"

namespace {

class EffectFrames : public DrawTest {
 protected:
  void SetUp() override {
    DrawTest::SetUp();
    ASSERT_TRUE(kit::write_sample_archives(dir_.path()));
    Memoryer_SetPath((dir_.path() / "ACT").string().c_str());
    ASSERT_EQ(Init_Memoryer(), 1);
    ASSERT_TRUE(acts_.open(kit::sample_effect_act_blocks()));
    effect_srand(1);
    clear_frame();
    look_at({0, 100, 0, 0}, {20, 0, 0, 0}, 900);
  }
  void TearDown() override {
    Close_Memoryer();
    DrawTest::TearDown();
  }
  test_support::ActFolder acts_;
};

std::unique_ptr<EffectDatEmitter> started(const EffectDef& d, float x, float y, float z) {
  std::unique_ptr<EffectDatEmitter> e(build_effect_emitter(&d, x, y, z));
  e->start();
  return e;
}

TEST_F(EffectFrames, ABurstAndAStreakFountain) {
  auto burst = started(kit::sparkle_burst_def(kit::sample_sparkle_act), -200, 120, 0);
  auto fountain = started(kit::streak_fountain_def(), 200, 0, 0);
  for (int f = 0; f < 30; ++f) {
    burst->update(28);
    fountain->update(28);
  }
  EXPECT_EQ(burst->draw(), 1);
  EXPECT_EQ(fountain->draw(), 1);
  EXPECT_GT(drawn_pixels(), 500);
  expect_reference("effects_burst_fountain");
}

TEST_F(EffectFrames, AfterimagesAndATaperedRibbon) {
  ActInstance sparkle{};
  sparkle.act = kit::sample_sparkle_act;
  ASSERT_EQ(Take_3dActData(&sparkle), 1);
  sparkle.draw_flags = G3D_IMAGE_IN_SCENE;  // the copies add alpha blending
  AfterimageList list;
  for (int k = 0; k < 6; ++k) {
    Afterimage a;
    a.instance = sparkle;
    a.x = -330.0f + 50.0f * float(k);
    a.y = 100;
    a.alpha = std::int16_t(60 + 30 * k);
    a.red = 255;
    a.green = 200;
    a.blue = 120;
    a.alpha_step = 10;
    list.add(&a);
  }
  EXPECT_EQ(list.draw(), 0);

  RibbonTrail trail;
  for (int k = 0; k < 12; ++k) {
    const float t = float(k) * 0.2f;
    trail.add_segment(1, 120, 180, 255, 255, 16);
    trail.set_points({150 + 100 * std::cos(t), 60, 100 * std::sin(t), 0},
                     {150 + 220 * std::cos(t), 140, 220 * std::sin(t), 0});
  }
  trail.draw(trail_taper);
  EXPECT_GT(drawn_pixels(), 500);
  expect_reference("effects_afterimages_ribbon");
}

// Each quad is added in white at the alpha its older segment had before this draw aged it: on
// black, a channel of 8 bits becomes that alpha, so red (5 bits) is alpha / 8, green alpha / 4.
TEST_F(EffectFrames, ARibbonQuadShinesWithItsOlderSegmentsLifeBeforeTheFade) {
  RibbonTrail trail;
  const std::uint8_t lives[3] = {60, 150, 250};  // oldest first, at x = 200, 0, -200
  for (int k = 0; k < 3; ++k) {
    trail.add_segment(1, 255, 255, 255, lives[k], 50);
    const float x = 200.0f - 200.0f * float(k);
    trail.set_points({x, 40, 0, 0}, {x, 160, 0, 0});
  }
  trail.draw(0);
  const std::uint16_t middle = pixel(width / 2 - 100, height / 2);  // between the newest two: 150
  const std::uint16_t oldest = pixel(width / 2 + 100, height / 2);  // between the oldest two: 60
  EXPECT_EQ(red_of(middle), 150u / 8);
  EXPECT_EQ(green_of(middle), 150u / 4);
  EXPECT_EQ(red_of(oldest), 60u / 8);
  EXPECT_EQ(green_of(oldest), 60u / 4);
}

TEST_F(EffectFrames, ATrailOfOneSegmentDrawsNothing) {
  RibbonTrail trail;
  trail.add_segment(1, 255, 255, 255, 255, 16);
  trail.set_points({0, 0, 0, 0}, {0, 200, 0, 0});
  trail.draw(0);
  EXPECT_EQ(drawn_pixels(), 0);
  trail.add_segment(1, 255, 255, 255, 255, 16);
  trail.set_points({100, 0, 0, 0}, {100, 200, 0, 0});
  trail.draw(0);
  EXPECT_GT(drawn_pixels(), 0);
}

}  // namespace
