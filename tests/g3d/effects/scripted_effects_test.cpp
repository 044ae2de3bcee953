// The special effect list against a recording hit handler: start delays, paths, the two layers,
// hit events and the hit flag, the arrival hit, the edit-mode freeze, shared keys, and a
// missing animation.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "core/flags.h"
#include "core/game_flags.h"
#include "g3d/effects/effect_manager.h"
#include "g3d/effects/scripted_effects.h"
#include "g3d/effects/spawn_effect.h"
#include "g3d/ground_math.h"
#include "platform/message_box.h"
#include "tests/g3d/effects/effect_folder.h"

namespace {

constexpr std::uint16_t four_frames = 5001;  // pictures 0..3, a hit event on the third, then ends
constexpr std::uint16_t looping = 5002;
constexpr std::uint16_t missing = 5003;
constexpr std::uint16_t standing = 5004;  // a standing quad
constexpr int stream = 1;

struct Hit {
  FightMan* actor;
  int targets;
  std::uint32_t events;
};
std::vector<Hit> hits;

void record_hit(FightMan* actor, FightMan* const*, int count, std::uint32_t events) {
  hits.push_back({actor, count, events});
}

class SpecialEffects : public ::testing::Test {
 protected:
  void SetUp() override {
    hits.clear();
    set_special_effect_hit_handler(record_hit);
    clear_special_effect_list(1);
    ASSERT_TRUE(folder_.open({{four_frames, kit::act_block({kit::act_script(
                                                 "RF 0; TP 1; PA 0; ED; PA 1; ED; PA 2; 100; ED; PA 3; ED; O2")})},
                              {looping, kit::act_block({kit::act_script("RF 0; TP 1; PA 0; ED; OV")})},
                              {standing, kit::act_block({kit::act_script("RF 0; TP 1; FX 0x2000000; PA 0; ED; OV")})}}));
    folder_.write_defs({{stream, test_support::plain_def(4, 1)}});
  }
  void TearDown() override {
    clear_special_effect_list(1);
    fight_unit_effects.clear();
  }

  SpecialEffect effect(std::uint16_t act, int layer = 0) {
    SpecialEffect e;
    e.instance.act = act;
    e.layer = layer;
    e.actor = reinterpret_cast<FightMan*>(&actor_storage_);
    e.target_count = 2;
    return e;
  }
  SpecialEffect path(std::uint16_t act, std::int16_t frames, int layer = 0) {
    SpecialEffect e = effect(act, layer);
    e.motion = special_motion_path;
    e.position = {0, 0, 0, 0};
    e.target = {100, 0, 0, 0};
    e.duration = frames;
    return e;
  }
  static int play(int layer) { return layer == 0 ? play_special_effect_back() : play_special_effect_front(); }

  test_support::EffectFolder folder_;
  int actor_storage_ = 0;
};

TEST_F(SpecialEffects, ADelayedEffectWaitsItsFrames) {
  SpecialEffect e = path(looping, 10);
  e.delay = 3;
  add_special_effect(&e, special_add_back);
  G3dVector at{};
  for (int f = 0; f < 3; ++f) {
    EXPECT_EQ(play_special_effect_back(), 0);
    get_special_effect_pos(looping, 0, &at);
    EXPECT_EQ(at.x, 0.0f) << "not advanced while delayed";
  }
  play_special_effect_back();
  get_special_effect_pos(looping, 0, &at);
  EXPECT_FLOAT_EQ(at.x, 10.0f) << "plays from the fourth frame";
}

TEST_F(SpecialEffects, APathOfTenIsDrawnAtStepsZeroToNineThenArrives) {
  SpecialEffect e = path(looping, 10);
  const int id = spawn_effect(&fight_unit_effects, stream, 0, 0, 0);
  e.emitter = effect_handle(&fight_unit_effects, id);
  add_special_effect(&e, special_add_front);
  for (int k = 0; k < 10; ++k) {
    EXPECT_EQ(is_special_effect_done(looping, 0), 0);
    play_special_effect_back();
    EXPECT_FLOAT_EQ(fight_unit_effects.get(id)->position.x, 10.0f * float(k)) << "drawn at step " << k;
    EXPECT_EQ(hits.size(), k < 9 ? 0u : 1u);
  }
  EXPECT_EQ(is_special_effect_done(looping, 0), 1);
  ASSERT_EQ(hits.size(), 1u);
  EXPECT_EQ(hits[0].events, 0x80000000u) << "the arrival hit";
  EXPECT_EQ(hits[0].targets, 2);
  EXPECT_EQ(fight_unit_effects.get(id)->continuous, 0) << "its emitter winds down";
}

TEST_F(SpecialEffects, AVelocityEffectIsDrawnAtEachPositionOfItsDurationAndArrivesAFrameLater) {
  SpecialEffect e = effect(looping);
  e.motion = special_motion_velocity;
  e.position = {10, 20, 30, 0};
  e.velocity[0] = 5, e.velocity[1] = 99, e.velocity[2] = -3;  // y is never used
  e.duration = 3;
  const int id = spawn_effect(&fight_unit_effects, stream, 0, 0, 0);
  e.emitter = effect_handle(&fight_unit_effects, id);
  add_special_effect(&e, special_add_back);
  const float xs[4] = {10, 15, 20, 25}, zs[4] = {30, 27, 24, 21};
  for (int f = 0; f < 4; ++f) {
    SCOPED_TRACE(f);
    EXPECT_EQ(is_special_effect_done(looping, 0), 0);
    play_special_effect_back();
    const ParticleEmitter* emitter = fight_unit_effects.get(id);
    EXPECT_EQ(emitter->position.x, xs[f]);
    EXPECT_EQ(emitter->position.y, 20.0f);
    EXPECT_EQ(emitter->position.z, zs[f]);
    EXPECT_EQ(hits.size(), f < 3 ? 0u : 1u);
  }
  EXPECT_EQ(is_special_effect_done(looping, 0), 1) << "the frame after its duration";
  ASSERT_EQ(hits.size(), 1u);
  EXPECT_EQ(hits[0].events, 0x80000000u) << "the arrival hit";
}

// On arrival the follow-up animation takes the effect's key and keeps it alive until that
// animation ends; only then comes the arrival hit.
TEST_F(SpecialEffects, OnArrivalTheFollowUpAnimationTakesOverUntilItEnds) {
  for (int motion : {special_motion_velocity, special_motion_path}) {
    SCOPED_TRACE(motion);
    clear_special_effect_list(1);
    hits.clear();
    SpecialEffect e = path(looping, 1);
    e.motion = motion;
    e.follow_act = four_frames;
    add_special_effect(&e, special_add_back);
    play_special_effect_back();
    if (motion == special_motion_velocity) play_special_effect_back();  // arrives a frame after its duration
    EXPECT_EQ(is_special_effect_done(looping, 0), 1) << "the key is the follow-up's";
    EXPECT_EQ(is_special_effect_done(four_frames, 0), 0);
    EXPECT_TRUE(hits.empty()) << "no arrival hit while the follow-up plays";
    for (int f = 0; f < 10 && !is_special_effect_list_empty(); ++f) play_special_effect_back();
    EXPECT_EQ(is_special_effect_list_empty(), 1) << "ended with the follow-up animation";
    ASSERT_FALSE(hits.empty());
    EXPECT_EQ(hits.back().events, 0x80000000u) << "then the arrival hit";
  }
}

TEST_F(SpecialEffects, AStandingQuadsEmitterSitsAtTheShiftedPoint) {
  SpecialEffect e = effect(standing);
  e.target = {100, 0, 0, 0};
  const int id = spawn_effect(&fight_unit_effects, stream, 0, 0, 0);
  e.emitter = effect_handle(&fight_unit_effects, id);
  add_special_effect(&e, special_add_back);
  play_special_effect_back();
  float dx = 0, dz = 0;
  polar_offset(0, 80, &dx, &dz);  // no camera: heading 0
  ASSERT_NE(dz, 0.0f);
  const ParticleEmitter* emitter = fight_unit_effects.get(id);
  EXPECT_FLOAT_EQ(emitter->position.x, 100 + dx);
  EXPECT_FLOAT_EQ(emitter->position.z, dz);
}

TEST_F(SpecialEffects, TheAnimationsEndKeepsALayerZeroPathAliveButEndsALayerOnePath) {
  for (int layer : {0, 1}) {
    SCOPED_TRACE(layer);
    clear_special_effect_list(1);
    hits.clear();
    SpecialEffect e = path(four_frames, 10, layer);
    add_special_effect(&e, special_add_back);
    for (int f = 0; f < 5; ++f) play(layer);  // the fifth tick finds the animation ended
    EXPECT_EQ(is_special_effect_done(four_frames, 0), layer == 0 ? 0 : 1);
    // The hit event of the third frame, then (layer 1) the arrival hit.
    ASSERT_EQ(hits.size(), layer == 0 ? 1u : 2u);
    EXPECT_EQ(hits[0].events & 0x80000000u, 0x80000000u);
    if (layer == 1) {
      EXPECT_EQ(hits[1].events, 0x80000000u);
    }
  }
}

TEST_F(SpecialEffects, TheHitFlagIsSetOncePerHitOnLayerZeroOnly) {
  for (int layer : {0, 1}) {
    SCOPED_TRACE(layer);
    clear_special_effect_list(1);
    hits.clear();
    SpecialEffect e = effect(four_frames, layer);
    e.target = {5, 6, 7, 0};
    add_special_effect(&e, special_add_back);
    for (int f = 0; f < 3; ++f) play(layer);
    EXPECT_EQ(hits.size(), 1u) << "the event of the third frame";
    EXPECT_EQ(check_special_effect_event(four_frames, 0, 0), layer == 0 ? 1 : 0);
    EXPECT_EQ(check_special_effect_event(four_frames, 0, 0), 0) << "read and cleared";
    EXPECT_EQ(check_special_effect_event(four_frames, 0, 2), 1) << "the picture shown";
    play(layer);
    EXPECT_EQ(hits.size(), 1u) << "one delivery per event";
    play(layer);
    EXPECT_EQ(is_special_effect_done(four_frames, 0), 1) << "ended with its animation";
    EXPECT_EQ(hits.size(), 1u) << "no arrival hit for an effect that does not move";
  }
}

TEST_F(SpecialEffects, WithoutAnActorOrAHandlerNoHitIsDelivered) {
  SpecialEffect e = path(four_frames, 4);
  e.actor = nullptr;
  add_special_effect(&e, special_add_back);
  for (int k = 0; k < 6; ++k) play_special_effect_back();
  EXPECT_TRUE(hits.empty()) << "no actor";
  SpecialEffect f = path(four_frames, 4);
  add_special_effect(&f, special_add_back);
  set_special_effect_hit_handler(nullptr);
  for (int k = 0; k < 6; ++k) play_special_effect_back();
  EXPECT_TRUE(hits.empty()) << "no handler";
  EXPECT_EQ(is_special_effect_list_empty(), 1);
}

TEST_F(SpecialEffects, EditModeFreezesEveryEffect) {
  set_flag(flag_edit_mode);
  SpecialEffect e = path(four_frames, 3);
  const int id = spawn_effect(&fight_unit_effects, stream, 0, 0, 0);
  e.emitter = effect_handle(&fight_unit_effects, id);
  add_special_effect(&e, special_add_back);
  for (int f = 0; f < 10; ++f) play_special_effect_back();
  EXPECT_EQ(is_special_effect_done(four_frames, 0), 0);
  EXPECT_TRUE(hits.empty());
  EXPECT_EQ(fight_unit_effects.get(id)->position.x, 100.0f) << "drawn at its target";
  G3dVector at{};
  get_special_effect_pos(four_frames, 0, &at);
  EXPECT_EQ(at.x, 0.0f);
  clear_flag(flag_edit_mode);
}

TEST_F(SpecialEffects, ASharedKeyIsDoneOnlyWhenEveryEffectIsGone) {
  SpecialEffect a = effect(four_frames), b = effect(four_frames);
  b.delay = 3;
  add_special_effect(&a, special_add_back);
  add_special_effect(&b, special_add_back);
  for (int f = 0; f < 5; ++f) play_special_effect_back();
  EXPECT_EQ(special_effect_count(), 1);
  EXPECT_EQ(is_special_effect_done(four_frames, 0), 0);
  for (int f = 0; f < 3; ++f) play_special_effect_back();
  EXPECT_EQ(is_special_effect_done(four_frames, 0), 1);

  add_special_effect(&a, special_add_front | special_add_back);
  EXPECT_EQ(special_effect_count(), 2) << "both bits make two copies";
  del_special_effect(four_frames, 0);
  EXPECT_EQ(is_special_effect_list_empty(), 1);
}

TEST_F(SpecialEffects, AMissingAnimationIsReportedOnceAndEndsOnlyThatEffect) {
  SpecialEffect bad = path(missing, 10), good = path(looping, 10);
  add_special_effect(&good, special_add_front);
  add_special_effect(&bad, special_add_front);
  play_special_effect_back();
  play_special_effect_back();
  EXPECT_EQ(is_special_effect_done(missing, 0), 1) << "ended instead of retried every frame";
  ASSERT_EQ(hits.size(), 1u);
  EXPECT_EQ(hits[0].events, 0x80000000u) << "its arrival hit, so waiters go on";
  G3dVector at{};
  get_special_effect_pos(looping, 0, &at);
  EXPECT_FLOAT_EQ(at.x, 20.0f) << "the rest of the list went on";
  const std::string log = folder_.debug_log();
  EXPECT_EQ(log.find("[ACT:5003][QQ:0]"), log.rfind("[ACT:5003][QQ:0]"));
  EXPECT_NE(log.find("[ACT:5003][QQ:0]"), std::string::npos);
}

TEST_F(SpecialEffects, APathOfNoFramesHasArrived) {
  SpecialEffect e = path(looping, 0);
  add_special_effect(&e, special_add_back);
  G3dVector at{};
  ASSERT_EQ(get_special_effect_pos(looping, 0, &at), 1);
  EXPECT_EQ(at.x, 100.0f);
  e.motion |= special_motion_path_fade;
  e.instance.act = four_frames;
  add_special_effect(&e, special_add_back);
  play_special_effect_back();
  EXPECT_EQ(is_special_effect_list_empty(), 1);
  EXPECT_EQ(get_special_effect_pos(looping, 0, &at), 0);
}

TEST_F(SpecialEffects, FadingOutAddsTwentyFiveFramesAfterTheAnimation) {
  SpecialEffect e = effect(four_frames);
  e.motion = special_motion_fade_out;
  add_special_effect(&e, special_add_back);
  int frames = 0;
  while (!is_special_effect_list_empty() && frames < 100) {
    play_special_effect_back();
    ++frames;
  }
  EXPECT_EQ(frames, 4 + 25 + 1);
}

}  // namespace
