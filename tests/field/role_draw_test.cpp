// The rules of role drawing: fade-in, scripted fades and translucency, distance culling,
// eight-direction sprites, the leader's outdoor scale, shadows and the compass.
#include <gtest/gtest.h>

#include "core/flags.h"
#include "core/game_flags.h"
#include "data/map_role.h"
#include "field/compass.h"
#include "field/map_file.h"
#include "field/role_draw.h"
#include "field/role_move.h"

namespace {

class RoleDraw : public ::testing::Test {
 protected:
  void SetUp() override {
    for (MapRole& r : gmMapRole) r = MapRole{};
    gmMapRole[0].RoleID = 0xFF01;
    gmMapRole[0].STATE = state_player;
    player_role_index = 0;
    gmMapRoleCount = 2;
    map_record = MapRecord{};
    party_riding = 0;
  }
  MapRole& player() { return gmMapRole[0]; }
  MapRole& role() { return gmMapRole[1]; }
};

TEST_F(RoleDraw, ANewRoleFadesInOverTwentySixDrawnFrames) {
  std::uint8_t a = 0;
  int frames = 0;
  while (a < 255) {
    a = grow_draw_alpha(a);
    ++frames;
  }
  EXPECT_EQ(frames, 26);
  EXPECT_EQ(grow_draw_alpha(255), 255);
  EXPECT_EQ(grow_draw_alpha(250), 255);

  MapRole& r = role();
  RolePaint p = role_paint(r);
  EXPECT_EQ(p.colour, 0x0AFFFFFFu);
  EXPECT_EQ(p.blend, 2u);
  r.draw_alpha = 255;
  p = role_paint(r);
  EXPECT_EQ(p.colour, 0xFFFFFFFFu);
  EXPECT_EQ(p.blend, 0u) << "an opaque role is not blended";
}

TEST_F(RoleDraw, ACulledRoleKeepsItsDrawAlpha) {
  MapRole& r = role();
  r.RoleID = 5;
  r.STATE = state_distance_culled;
  r.X = 3000.0f;
  r.draw_alpha = 120;
  draw_field_role(&r);
  EXPECT_EQ(r.STATE & state_drawn, 0u);
  EXPECT_EQ(r.draw_alpha, 120) << "nothing fades while the role is beyond the limit";
  r.X = 2400.0f;
  draw_field_role(&r);
  EXPECT_NE(r.STATE & state_drawn, 0u);
  EXPECT_EQ(r.draw_alpha, 130) << "back in range it goes on from where it was";
}

TEST_F(RoleDraw, CullingDistanceWidensForThePlayerFlagAndTheSummoningList) {
  EXPECT_EQ(role_cull_limit(player()), 2500.0f);
  player().STATE |= state_wide_culling;
  EXPECT_EQ(role_cull_limit(player()), 60000.0f);
  player().STATE &= ~state_wide_culling;
  set_flag(flag_input_captured);
  EXPECT_EQ(role_cull_limit(player()), 60000.0f);
  clear_flag(flag_input_captured);

  MapRole& r = role();
  r.RoleID = 5;
  r.X = 30000.0f;
  draw_field_role(&r);
  EXPECT_NE(r.STATE & state_drawn, 0u) << "without STATE 0x2000 no role is culled";
}

TEST_F(RoleDraw, ScriptedFadeReachesItsTargetAndSwitchesOffAtFullAlpha) {
  MapRole& r = role();
  // In: 0 to 255 by 15 takes 17 frames, then the step is gone.
  r.fade_alpha = 0;
  r.fade_target = 255;
  r.fade_step = 15;
  r.fade_running = 1;
  int frames = 0;
  while (r.fade_running && frames < 100) {
    step_role_fade(r);
    ++frames;
  }
  EXPECT_EQ(frames, 17);
  EXPECT_EQ(r.fade_alpha, 255);
  EXPECT_EQ(r.fade_target, 0);
  EXPECT_EQ(r.fade_step, 0);
  // Out: the role stays hidden and the step stays set.
  r.fade_alpha = 255;
  r.fade_target = 0;
  r.fade_step = 100;
  r.fade_running = 1;
  for (int f = 0; f < 5; ++f) step_role_fade(r);
  EXPECT_EQ(r.fade_alpha, 0);
  EXPECT_EQ(r.fade_running, 0);
  EXPECT_EQ(r.fade_step, 100);
  step_role_fade(r);
  EXPECT_EQ(r.fade_alpha, 0) << "a stopped fade does not move";
}

TEST_F(RoleDraw, ModelPaintTakesTranslucencyThenTheFade) {
  struct Row {
    std::uint8_t opacity, fade_alpha, fade_step;
    std::uint32_t draw_flags;
    std::uint32_t colour, blend;
  } rows[] = {
      {0, 0, 0, 0, 0xFFFFFFFF, 0},      // plain
      {128, 0, 0, 0, 0x80FFFFFF, 2},    // translucent
      {255, 0, 0, 0, 0xFFFFFFFF, 0},    // 255 is drawn opaque
      {0, 90, 10, 0, 0x5AFFFFFF, 2},    // the fade's alpha (not running: it stays)
      {0, 90, 10, 1, 0x5AFFFFFF, 0},    // bit 0x1 keeps the blend mode
      {128, 90, 10, 0, 0x5AFFFFFF, 2},  // the fade wins over translucency
  };
  for (const Row& row : rows) {
    MapRole r;
    r.opacity = row.opacity;
    r.fade_alpha = row.fade_alpha;
    r.fade_step = row.fade_step;
    r.anim.draw_flags = row.draw_flags;
    const RolePaint p = model_role_paint(r, {0xFFFFFFFF, 0});
    EXPECT_EQ(p.colour, row.colour) << int(row.opacity) << "/" << int(row.fade_step);
    EXPECT_EQ(p.blend, row.blend) << int(row.opacity) << "/" << int(row.fade_step);
  }
}

TEST_F(RoleDraw, TranslucentRolesAreThoseThatBlend) {
  MapRole r;
  EXPECT_FALSE(role_is_translucent(r));
  r.anim.draw_flags = 0x10000;
  EXPECT_FALSE(role_is_translucent(r)) << "only the low four bits are a blend mode";
  r.anim.draw_flags = 2;
  EXPECT_TRUE(role_is_translucent(r));
  r = MapRole{};
  r.opacity = 1;
  EXPECT_TRUE(role_is_translucent(r));
  r = MapRole{};
  r.fade_step = 1;
  EXPECT_TRUE(role_is_translucent(r));
  r = MapRole{};
  r.anim.events = act_events_translucent;
  EXPECT_TRUE(role_is_translucent(r));
}

TEST(EightDirections, SectorFollowsDirectionAgainstTheCameraYaw) {
  struct Row {
    float dir, yaw;
    std::uint16_t qq, want;
  } rows[] = {
      {0, 0, 0, 0},        {22.4f, 0, 0, 0},   {22.5f, 0, 0, 1},   {45, 0, 3, 1},
      {337.5f, 0, 0, 0},   {337.4f, 0, 0, 7},  {180, 0, 17, 20},   {90, 90, 9, 8},
      {10, 400, 0, 7},     // DIR - yaw = -390: the same as 330
      {-400, 0, 0, 7},     // -400 is 320 degrees
      {0, 725, 8, 8},      // yaw beyond two turns: -5 is 355
      {359.9f, 0, 0, 0},
  };
  for (const Row& r : rows)
    EXPECT_EQ(eight_direction_qq(r.dir, r.yaw, r.qq), r.want) << r.dir << " seen from " << r.yaw;
}

TEST(EightDirections, TurningFortyFiveDegreesStepsTheQqByOne) {
  for (float dir = 0; dir < 360; dir += 45) {
    const int a = eight_direction_qq(dir, 30, 16), b = eight_direction_qq(dir + 45, 30, 16);
    EXPECT_EQ((b - 16) - (a - 16), (a - 16) == 7 ? -7 : 1) << dir;
  }
}

TEST_F(RoleDraw, TheLeaderWalksSmallerOnOutdoorMaps) {
  MapRole r;
  r.RoleID = 1;
  r.scale = 0.2f;
  EXPECT_EQ(role_model_scale(r), 0.2f);
  map_record.map_flags = map_outdoor;
  EXPECT_EQ(role_model_scale(r), -0.4f);
  party_riding = 1;
  EXPECT_EQ(role_model_scale(r), 0.2f) << "riding: the mount's own scale";
  party_riding = 0;
  r.RoleID = 2;
  EXPECT_EQ(role_model_scale(r), 0.2f);
}

TEST_F(RoleDraw, ShadowsNeedADrawnModelRoleWithAShadowBit) {
  struct Row {
    std::uint32_t state;
    std::uint8_t kind;
    bool casts;
  } rows[] = {
      {state_drawn | 0x2000, 0, true},  {state_drawn | 0x4000, 0, true},  {0x2000 | 0x4000, 0, false},
      {state_drawn, 0, false},          {state_drawn | 0x2000, 1, false}, {state_drawn | 0x2000 | 0x80, 0, false},
  };
  for (const Row& row : rows) {
    MapRole r;
    r.STATE = row.state;
    r.anim.kind = row.kind;
    EXPECT_EQ(role_casts_shadow(r), row.casts) << std::hex << row.state << " kind " << int(row.kind);
  }
}

TEST(Compass, SpinWrapsAndTheRoseTurnsAgainstTheYaw) {
  float spin = 0;
  for (int i = 0; i < 719; ++i) spin = next_compass_spin(spin);
  EXPECT_EQ(spin, 359.5f);
  EXPECT_EQ(next_compass_spin(spin), 0.0f);
  EXPECT_EQ(compass_rose_turn(0), 360.0f);
  EXPECT_EQ(compass_rose_turn(90), 270.0f);
  EXPECT_EQ(compass_rose_turn(360), 0.0f);
  EXPECT_EQ(compass_rose_turn(500), 0.0f);
}

}  // namespace
