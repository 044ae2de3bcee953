// A battle unit's drawing without a model: fades in and out, the yaw easing and its snap, the
// knockback's decay, the enemy HP bar's steps, the face's pose, and the falls: bursting
// monsters flash once and fade additively, plain ones leave a puff.
#include "g3d/effects/scripted_effects.h"
#include "tests/battle/battle_test.h"

namespace {
using namespace battle_test;

class FightManDraw : public BattleTest {
 protected:
  ~FightManDraw() override { clear_special_effect_list(1); }
  static void draw(FightMan& u, int frames) {
    for (int f = 0; f < frames; ++f) u.Draw();
  }
};

TEST_F(FightManDraw, AFadeInEndsOpaqueAndAFadeOutStaysUnseen) {
  FightMan& u = member(0, 1);
  u.StartFade(0, 5);
  EXPECT_EQ(u.alpha, 0);
  draw(u, 51);
  EXPECT_EQ(u.alpha, 255);
  EXPECT_EQ(u.IsFading(), 1) << "one step short";
  draw(u, 1);
  EXPECT_EQ(u.alpha, 255);
  EXPECT_EQ(u.fade_step, 0);
  EXPECT_EQ(u.IsFading(), 0);
  u.StartFade(1, 100);
  draw(u, 3);
  EXPECT_EQ(u.alpha, 0);
  EXPECT_EQ(u.IsFading(), 0);
  u.knockback = 40;
  draw(u, 1);
  EXPECT_EQ(u.knockback, 40) << "a unit faded out is not drawn at all";
}

TEST_F(FightManDraw, TheYawEasesAQuarterAFrameAndSnapsWithinOneDegree) {
  FightMan& u = enemy(0, 1);
  u.rot_y = 180, u.yaw = 0;
  draw(u, 1);
  EXPECT_FLOAT_EQ(u.yaw, 45.0f);
  draw(u, 1);
  EXPECT_FLOAT_EQ(u.yaw, 78.75f);
  draw(u, 30);
  EXPECT_EQ(u.yaw, 180.0f) << "snapped, not creeping on for ever";
}

TEST_F(FightManDraw, AKnockbackLosesAThirdAFrameAndSnapsHome) {
  FightMan& u = member(0, 1);
  u.home = u.pos = {0, 80, -400, 1};
  u.knockback = 40;
  draw(u, 1);
  EXPECT_NEAR(u.pos.z, -400 - 80.0f / 3, 1e-3);
  draw(u, 20);
  EXPECT_EQ(u.knockback, 0.0f);
  EXPECT_EQ(u.pos.z, -400.0f);
}

TEST_F(FightManDraw, TheEnemyHpBarMovesASixthOfTheWayAtLeastOne) {
  struct Case {
    int hp, max, pending, bar, after;
  } cases[] = {
      {50, 100, 0, 84, 77},   // goal 42: a sixth of 42 is 7
      {50, 100, 0, 44, 43},   // at least one
      {50, 100, 0, 42, 42},   // there
      {100, 100, 60, 84, 76}, // the pending damage shows already: goal 33, a sixth of 51
      {10, 0, 0, 5, 4},       // maximum 0: an empty bar
      {-5, 100, 0, 2, 1},     // below zero counts as 0
  };
  for (const Case& c : cases) {
    FightMan& u = enemy(0, 1, c.hp, c.max);
    u.hp_pending = c.pending;
    u.hp_bar = c.bar;
    draw(u, 1);
    EXPECT_EQ(u.hp_bar, c.after) << c.hp << "/" << c.max << " from " << c.bar;
  }
}

TEST_F(FightManDraw, TheFaceShowsRestLowHpOutHurtAndVictory) {
  FightMan& u = member(0, 1);
  EXPECT_EQ(u.FacePose(), 75);
  u.cond |= cond_low_hp;
  EXPECT_EQ(u.FacePose(), 120);
  u.dead = 1;
  EXPECT_EQ(u.FacePose(), 102);
  u.state = 55;
  EXPECT_EQ(u.FacePose(), 150);
  u.pose = 34;
  EXPECT_EQ(u.FacePose(), 20);
}

TEST_F(FightManDraw, BurstingMonstersFlashOnceAndPlainOnesLeaveAPuff) {
  struct Case {
    std::uint16_t act, kind;
    std::uint8_t hit_state;
    bool flares;
  } cases[] = {{178, 110, 1, true}, {266, 110, 1, true}, {9, 118, 1, true}, {9, 110, 1, false}, {260, 110, 0, false}};
  for (const Case& c : cases) {
    clear_special_effect_list(1);
    FightMan& u = enemy(0, 1);
    u.act = c.act;
    u.monster.kind = c.kind;
    u.hit_state = c.hit_state;
    u.death_alpha = 255;
    u.dying = 1;
    u.RunDeath();
    EXPECT_EQ(u.hit_state, c.flares ? 4 : c.hit_state) << c.act;
    EXPECT_EQ(special_effect_count(), c.flares ? 0 : 1) << c.act;
    if (c.flares) {
      EXPECT_EQ(u.death_alpha, 249) << "254 from the flash, then 5 a frame";
      u.RunDeath();
      EXPECT_EQ(u.death_alpha, 244) << "the flash comes once";
      EXPECT_EQ(special_effect_count(), 0);
    }
    fight_unit_clear(u);
  }
}

}  // namespace
