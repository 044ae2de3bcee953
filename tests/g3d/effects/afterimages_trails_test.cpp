// Afterimages and ribbon trails: fading, the repeat skip, animated copies, segment lives, and the
// trail manager's entries and free queue.
#include <gtest/gtest.h>

#include "g3d/effects/afterimages.h"
#include "g3d/effects/ribbon_trail.h"
#include "g3d/effects/trail_manager.h"
#include "tests/g3d/act_folder.h"

namespace {

Afterimage copy_of(std::uint8_t kind, std::int16_t alpha, std::uint16_t step, std::uint16_t flags = 0) {
  Afterimage a;
  a.instance.kind = kind;
  a.alpha = alpha;
  a.alpha_step = step;
  a.flags = flags;
  return a;
}

int draws_until_gone(AfterimageList& list, int cap) {
  int n = 0;
  while (list.size() > 0 && n < cap) {
    list.draw();
    ++n;
  }
  return n;
}

TEST(Afterimages, FadeByTheirStepUntilGone) {
  AfterimageList list;
  EXPECT_EQ(list.draw(), 1) << "empty";
  const Afterimage a = copy_of(1, 200, 20);
  list.add(&a);
  EXPECT_EQ(draws_until_gone(list, 100), 10) << "drawn at 200 down to 20";

  const Afterimage still = copy_of(1, 150, 0);
  list.add(&still);
  EXPECT_EQ(draws_until_gone(list, 50), 50) << "a step of 0 never fades";
  list.clear();
  EXPECT_EQ(list.size(), 0);
  EXPECT_EQ(list.draw(), 1);
}

TEST(Afterimages, TheRepeatSkipComparesPicturesOfModelsAndCellsOfSprites) {
  AfterimageList list;
  Afterimage model = copy_of(0, 100, 10, afterimage_skip_repeat);
  model.instance.resource = 3;
  model.instance.picture = 4;
  list.add(&model);
  list.add(&model);
  EXPECT_EQ(list.size(), 1);
  model.instance.picture = 5;
  list.add(&model);
  EXPECT_EQ(list.size(), 2);

  Afterimage sprite = copy_of(1, 100, 10, afterimage_skip_repeat);
  sprite.instance.cell = 2;
  list.add(&sprite);
  EXPECT_EQ(list.size(), 3) << "the last cell was another";
  list.add(&sprite);
  EXPECT_EQ(list.size(), 4) << "frame 0 is never skipped";
  sprite.instance.frame = 1;
  list.add(&sprite);
  EXPECT_EQ(list.size(), 4);
  sprite.flags = 0;
  list.add(&sprite);
  EXPECT_EQ(list.size(), 5) << "without the flag nothing is skipped";
}

TEST(Afterimages, AnimatedCopiesPassTheirEventsAndEndWithTheirAnimation) {
  test_support::ActFolder acts;
  ASSERT_TRUE(acts.open_script(5001, "RF 0; TP 1; PA 0; 100; ED; PA 1; ED; O2"));
  AfterimageList list;
  Afterimage a = copy_of(1, 100, 0, afterimage_animate);
  a.instance.act = 5001;
  list.add(&a);
  EXPECT_EQ(list.draw(), 0);
  EXPECT_EQ(std::uint32_t(list.events), 0x80000000u);
  EXPECT_EQ(list.size(), 1);
  list.draw();
  list.draw();  // the end of the script: finished
  EXPECT_EQ(list.size(), 0);

  Afterimage broken = copy_of(1, 100, 10, afterimage_animate);
  broken.instance.act = 4242;
  list.add(&broken);
  EXPECT_EQ(list.draw(), 0);
  EXPECT_EQ(list.size(), 1) << "a missing animation cuts the pass, the copy stays";
}

TEST(RibbonTrail, ASegmentFadesThroughFourQuadsAndIsGoneAfterTheFifthPass) {
  RibbonTrail t;
  std::vector<int> lives;
  for (int pass = 0; pass < 6; ++pass) {
    t.add_segment(1, 10, 20, 30, 255, 51);
    t.set_points({0, 0, float(pass), 0}, {0, 100, float(pass), 0});
    EXPECT_EQ(t.draw(0), 1);
    lives.push_back(t.segments().back().life);
  }
  // The oldest segment's life after each pass: the first one loses 51 a pass until the fifth
  // pass removes it, so every later oldest has 51 left. (The quads' colours: EffectFrames.)
  EXPECT_EQ(lives, (std::vector<int>{204, 153, 102, 51, 51, 51}));
  EXPECT_EQ(t.segment_count(), 4);
  t.clear();
  EXPECT_EQ(t.is_empty(), 1);
  EXPECT_EQ(t.draw(1), 1) << "nothing to draw";
}

TEST(RibbonTrail, SetPointsSeedsThePreviousEdgeFromTheOlderSegment) {
  RibbonTrail t;
  t.add_segment(1, 0, 0, 0, 255, 1);
  t.set_points({1, 1, 1, 0}, {2, 2, 2, 0});
  EXPECT_EQ(t.points_set, 1);
  t.add_segment(1, 0, 0, 0, 255, 1);
  t.set_points({3, 3, 3, 0}, {4, 4, 4, 0});
  EXPECT_EQ(t.previous_a.x, 1.0f);
  EXPECT_EQ(t.previous_b.x, 2.0f);
  EXPECT_EQ(t.current_b.x, 4.0f);
}

TEST(TrailManager, KeepsTheFirstModeAndRecyclesTrailsWithTheirColour) {
  TrailManager m;
  TrailEntry* e = m.get_trails(5, trail_taper);
  ASSERT_NE(e, nullptr);
  RibbonTrail* first = e->first;
  EXPECT_EQ(m.get_trails(5, 0)->mode, trail_taper);
  EXPECT_EQ(m.get_trails(5, 0)->first, first);
  first->add_segment(1, 7, 8, 9, 200, 10);
  first->set_points({1, 2, 3, 0}, {4, 5, 6, 0});
  m.release_all();
  EXPECT_EQ(m.free_count(), 2);
  TrailEntry* again = m.get_trails(6, 0);
  EXPECT_EQ(again->first, first);
  EXPECT_EQ(first->is_empty(), 1) << "its segments were freed";
  EXPECT_EQ(first->red, 7) << "its colour and points stay";
  EXPECT_EQ(first->current_a.x, 1.0f);
  m.free_all();
  EXPECT_EQ(m.free_count(), 0);
  m.enabled = 0;
  EXPECT_EQ(m.get_trails(7, 0), nullptr);
}

}  // namespace
