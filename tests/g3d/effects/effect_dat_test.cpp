// Effect.dat and its emitter: the definition's fields, the spawn box override, the lifecycles of
// bursts, winding down and map effects, and the particle rules (alpha, cone, floor, attraction,
// streaks) including the values that would divide by zero or overflow a conversion.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <set>

#include "core/random_r250.h"
#include "g3d/effects/effect_dat.h"
#include "g3d/effects/effect_list.h"
#include "g3d/effects/effect_random.h"
#include "g3d/effects/particle_math.h"
#include "platform/message_box.h"
#include "tests/g3d/effects/effect_folder.h"

namespace {

using test_support::alive;
using test_support::EffectFolder;
using test_support::plain_def;

EffectDef every_field() {
  EffectDef d{};
  for (int i = 0; i < 4; ++i) {
    d.start_colour[i] = 10.0f + float(i);
    d.end_colour[i] = 20.0f + float(i);
    d.start_colour_range[i] = 30.0f + float(i);
  }
  d.box_width = 48;
  d.box_depth = 52;
  d.box_height = 56;
  d.floor_height = 60;
  d.life_min = 64;
  d.life_range = 68;
  d.gravity_start_min = 72;
  d.gravity_start_range = 76;
  d.gravity_end = 80;
  d.spread = 84;
  for (int i = 0; i < 6; ++i) d.velocity[i] = 88.0f + 4.0f * float(i);
  d.size_start_min = 112;
  d.size_end_min = 116;
  d.size_start_range = 120;
  d.alpha_start_min = 124;
  d.alpha_end = 128;
  d.alpha_start_range = 132;
  d.rate = 136;
  d.size_end_range = 152;
  d.count = 194;
  d.act = 196;
  d.qq = 198;
  d.max_total = 200;
  d.speed_min = 202;
  d.speed_range = 204;
  d.attract = 1;
  d.horizontal_attract = 2;
  d.random_target = 3;
  d.spin = 4;
  d.continuous = 224;
  return d;
}

std::unique_ptr<EffectDatEmitter> build(const EffectDef& d, float x = 0, float y = 0, float z = 0) {
  return std::unique_ptr<EffectDatEmitter>(build_effect_emitter(&d, x, y, z));
}

TEST(EffectDat, EveryFieldLandsInItsMember) {
  EffectFolder folder;
  folder.write_defs({{7, every_field()}});
  std::unique_ptr<EffectDatEmitter> e(create_effect(7, 1, 2, 3));
  ASSERT_NE(e, nullptr);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(e->start_colour[i], 10.0f + float(i));
    EXPECT_EQ(e->end_colour[i], 20.0f + float(i));
    EXPECT_EQ(e->start_colour_range[i], 30.0f + float(i));
  }
  EXPECT_EQ(e->box_width, 48.0f);
  EXPECT_EQ(e->box_depth, 52.0f);
  EXPECT_EQ(e->box_height, 56.0f);
  EXPECT_EQ(e->limit_height, 60.0f);
  EXPECT_EQ(e->life_min, 64.0f);
  EXPECT_EQ(e->life_range, 68.0f);
  EXPECT_EQ(e->gravity_start_min, 72.0f);
  EXPECT_EQ(e->gravity_start_range, 76.0f);
  EXPECT_EQ(e->gravity_end, 80.0f);
  EXPECT_EQ(e->spread, 84.0f);
  EXPECT_EQ(e->velocity_mode, 1.0f);
  const float ranges[6] = {e->vel_x_min, e->vel_x_max, e->vel_y_min, e->vel_y_max, e->vel_z_min, e->vel_z_max};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(ranges[i], 88.0f + 4.0f * float(i));
  EXPECT_EQ(e->size_start_min, 112.0f);
  EXPECT_EQ(e->size_end_min, 116.0f);
  EXPECT_EQ(e->size_start_range, 120.0f);
  EXPECT_EQ(e->size_end_range, 152.0f);
  EXPECT_EQ(e->alpha_start_min, 124.0f);
  EXPECT_EQ(e->alpha_end, 128.0f);
  EXPECT_EQ(e->alpha_start_range, 132.0f);
  EXPECT_EQ(e->rate, 136.0f);
  EXPECT_EQ(e->count, 194);
  EXPECT_EQ(e->act, 196);
  EXPECT_EQ(e->qq, 198);
  EXPECT_EQ(e->max_total, 200);
  EXPECT_EQ(e->speed_min, 202);
  EXPECT_EQ(e->speed_range, 204);
  EXPECT_EQ(e->attract, 1);
  EXPECT_EQ(e->horizontal_attract, 2);
  EXPECT_EQ(e->random_target, 3);
  EXPECT_EQ(e->spin, 4);
  EXPECT_EQ(e->continuous, 224);
  EXPECT_EQ(e->origin.x, 1.0f);
  EXPECT_EQ(e->position.z, 3.0f);
  EXPECT_EQ(e->started, 0) << "returned unstarted";
  // What no definition sets keeps the constructor's default.
  EXPECT_EQ(e->streak_start, 10);
  EXPECT_EQ(e->bounce, 0.5f);
  EXPECT_EQ(e->attraction, 500.0f);
  EXPECT_EQ(e->hold, 0);
}

TEST(EffectDat, AllZeroVelocitiesKeepTheCone) {
  EXPECT_EQ(build(plain_def(1, 1))->velocity_mode, -1.0f);
}

TEST(EffectDat, TheSpawnAreaOverrideServesOneEmitter) {
  EffectFolder folder;
  EffectDef d = plain_def(2, 1);
  d.box_width = 10;
  d.box_depth = 20;
  d.box_height = 30;
  folder.write_defs({{1, d}});
  set_effect_area(500, 0, 80);
  std::unique_ptr<EffectDatEmitter> first(create_effect(1, 0, 0, 0)), second(create_effect(1, 0, 0, 0));
  EXPECT_EQ(first->box_width, 500.0f);
  EXPECT_EQ(first->box_depth, 20.0f);
  EXPECT_EQ(first->box_height, 80.0f);
  EXPECT_EQ(second->box_width, 10.0f);
  EXPECT_EQ(second->box_height, 30.0f);
}

TEST(EffectDat, TypesOutsideTheTableShortFilesAndEmptyDefinitionsGiveNone) {
  EffectFolder folder;
  folder.write_defs({{1, plain_def(2, 1)}, {2, plain_def(2, 1)}, {3, plain_def(0, 1)}},
                    effect_def_offset(1) + 100);  // definition 2 cut short
  for (int type : {0, -1, 5001, 65536, 2, 3, 4}) EXPECT_EQ(create_effect(type, 0, 0, 0), nullptr) << type;
  std::unique_ptr<EffectDatEmitter> whole(create_effect(1, 0, 0, 0));
  EXPECT_NE(whole, nullptr);
  EXPECT_TRUE(platform::recorded_boxes().empty());
}

TEST(EffectDat, AMissingFileGivesNoneAndIsNotMade) {
  EffectFolder folder;
  EXPECT_EQ(create_effect(1, 0, 0, 0), nullptr);
  EXPECT_FALSE(std::filesystem::exists(folder.dir().path() / "ACT" / "Effect.dat"));
}

TEST(EffectDatEmitter, ABurstSpawnsAllAtStartAndFinishesWhenTheyAreGone) {
  EffectDef d = plain_def(5, 0);
  d.life_min = 0.1f;
  auto e = build(d);
  e->start();
  EXPECT_EQ(alive(*e), 5);
  EXPECT_EQ(e->live_count, 5);
  int updates = 0;
  while (!e->is_finished() && updates < 50) {
    e->update(28);
    ++updates;
  }
  EXPECT_TRUE(e->is_finished());
  EXPECT_EQ(alive(*e), 0);
  EXPECT_EQ(e->live_count, 0);
  e->restart();
  EXPECT_EQ(e->is_finished(), 0);
  EXPECT_EQ(alive(*e), 5) << "restart spawns a new burst";
}

TEST(EffectDatEmitter, RestartWithLiveParticlesAddsAFullSetToTheLiveCount) {
  auto e = build(plain_def(4, 0));
  e->start();
  e->restart();
  EXPECT_EQ(e->live_count, 8);
}

TEST(EffectDatEmitter, AContinuousEffectWindsDownWhenToldOrAtItsMaximum) {
  EffectDef d = plain_def(6, 1);
  d.rate = 1000;
  d.life_min = 0.2f;
  auto told = build(d);
  told->start();
  told->update(28);
  EXPECT_EQ(alive(*told), 6);
  told->set_continuous(0);
  for (int f = 0; f < 40 && !told->is_finished(); ++f) told->update(28);
  EXPECT_TRUE(told->is_finished());

  d.max_total = 9;
  auto capped = build(d);
  capped->start();
  for (int f = 0; f < 100 && !capped->is_finished(); ++f) capped->update(28);
  EXPECT_TRUE(capped->is_finished());
  EXPECT_EQ(capped->emitted, 9);
}

TEST(EffectDatEmitter, HoldEmissionSpawnsNothing) {
  auto e = build(plain_def(6, 1));
  e->start();
  e->hold = 1;
  for (int f = 0; f < 10; ++f) e->update(100);
  EXPECT_EQ(alive(*e), 0);
  EXPECT_EQ(e->carry, 0.0f);
}

TEST(EffectList, UnstartedMapEffectsSpawnOneAFrameAndNeverFinish) {
  EffectFolder folder;
  EffectDef d = plain_def(3, 0);
  d.life_min = 0.1f;
  folder.write_defs({{1, d}, {2, plain_def(2, 1)}});
  EffectListNode burst{1, 2, 3, 1, 0, nullptr}, unknown{0, 0, 0, 0, 0, nullptr};
  EffectDatEmitter* e = add_effect_list(&burst);
  EXPECT_EQ(add_effect_list(&unknown), nullptr) << "type 0 reads no definition";
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->started, 0);
  for (int f = 1; f <= 3; ++f) {
    play_effect_list(10);
    EXPECT_EQ(alive(*e), f);
  }
  for (int f = 0; f < 100; ++f) play_effect_list(28);
  EXPECT_EQ(effect_list().front().emitter.get(), e) << "never finished, never deleted";
  EXPECT_EQ(effect_list().size(), 2u);
  del_all_effect_list();
  EXPECT_TRUE(effect_list().empty());
}

TEST(EffectDatEmitter, AlphaIsClampedAtSpawnButItsRateRunsFromTheMinimum) {
  EffectDef d = plain_def(1, 0);
  d.alpha_start_min = 300;
  d.alpha_end = 0;
  auto e = build(d);
  e->start();
  const Particle& p = e->particles()[0];
  EXPECT_EQ(p.alpha, 255.0f);
  EXPECT_EQ(p.alpha_rate, -300.0f);
  e->update(500);
  EXPECT_FLOAT_EQ(p.alpha, 105.0f);
}

TEST(EffectDatEmitter, SpreadZeroShootsStraightUpOrDownWhenInverted) {
  EffectDef d = plain_def(8, 0);
  d.spread = 0;
  d.speed_min = 100;
  for (int inverted : {0, 1}) {
    auto e = build(d);
    e->inverted = std::uint8_t(inverted);
    e->start();
    for (int i = 0; i < 8; ++i) {
      const Particle& p = e->particles()[i];
      EXPECT_FLOAT_EQ(p.vel.y, inverted ? -100.0f : 100.0f);
      EXPECT_NEAR(p.vel.x, 0.0f, 1e-4f);
      EXPECT_NEAR(p.vel.z, 0.0f, 1e-4f);
    }
  }
}

TEST(EffectDatEmitter, AFastFallBouncesOffTheFloorAndASlowOneRests) {
  struct Case {
    float y, vy;
    float y_after, vy_after;
  };
  const Case cases[] = {{20.0f, -100.0f, 20.0f, 50.0f}, {11.0f, -4.0f, 10.0f, 0.0f}};
  for (const Case& c : cases) {
    EffectDef d = plain_def(1, 0);
    d.floor_height = 10;
    auto e = build(d, 0, 20, 0);
    e->start();
    Particle& p = e->particles()[0];
    p.pos = {0, c.y, 0, 0};
    p.vel = {0, c.vy, 0, 0};
    p.gravity = p.gravity_rate = 0;
    e->update(500);
    EXPECT_FLOAT_EQ(p.pos.y, c.y_after) << c.vy;
    EXPECT_FLOAT_EQ(p.vel.y, c.vy_after) << c.vy;
  }
}

TEST(EffectDatEmitter, AttractedParticlesDieOnArrival) {
  EffectDef d = plain_def(1, 0);
  d.attract = 1;
  auto e = build(d, 0, 0, 0);
  e->arrival_radius = 100;
  e->start();
  Particle& p = e->particles()[0];
  p.target = {50, 0, 0, 0};
  p.pos = {0, 0, 0, 0};
  p.vel = {0, 0, 0, 0};
  p.gravity = 0;
  e->update(10);
  EXPECT_FLOAT_EQ(p.life, 0.00001f);
  EXPECT_GT(p.vel.x, 0.0f) << "pulled towards the target";
  e->update(10);
  EXPECT_EQ(p.life, 0.0f) << "dies in the next update";

  auto exact = build(d);
  exact->start();
  Particle& q = exact->particles()[0];
  q.pos = q.target = {5, 5, 5, 0};
  q.vel = {0, 0, 0, 0};
  q.gravity = 0;
  exact->update(10);
  EXPECT_FALSE(std::isnan(q.vel.x)) << "no pull from the target itself";
  EXPECT_FLOAT_EQ(q.life, 0.00001f) << "radius 0: only the target itself";
}

// With both flags a particle starts at the emitter's height and aims at a point of its own above
// it in the box; with attraction alone every particle aims at the emitter's origin.
TEST(EffectDatEmitter, RandomTargetsLieInTheBoxAboveTheParticle) {
  for (int random_target : {0, 1}) {
    SCOPED_TRACE(random_target);
    EffectDef d = plain_def(20, 0);
    d.box_width = 100, d.box_depth = 200, d.box_height = 300;
    d.attract = 1;
    d.random_target = std::uint8_t(random_target);
    effect_srand(1);
    auto e = build(d, 1000, 50, 2000);
    e->start();
    for (int i = 0; i < 20; ++i) {
      const Particle& p = e->particles()[i];
      if (!random_target) {
        EXPECT_EQ(p.target.x, 1000.0f);
        EXPECT_EQ(p.target.y, 50.0f);
        EXPECT_EQ(p.target.z, 2000.0f);
        continue;
      }
      EXPECT_EQ(p.pos.y, 50.0f) << i;
      EXPECT_LE(std::abs(p.target.x - p.pos.x), 50.0f) << i;
      EXPECT_LE(std::abs(p.target.z - p.pos.z), 100.0f) << i;
      EXPECT_GE(p.target.y, 50.0f) << i;
      EXPECT_LE(p.target.y, 350.0f) << i;
    }
  }
}

TEST(EffectDatEmitter, ARandomQqCountChoosesEachParticlesQqBelowIt) {
  EffectDef d = plain_def(40, 0);
  d.act = 5001;
  d.qq = 7;
  auto fixed = build(d);
  fixed->start();
  for (int i = 0; i < 40; ++i) EXPECT_EQ(fixed->particles()[i].anim.qq, 7) << i;
  // The game's generator draws the QQ; it is put back as it was afterwards.
  std::uint32_t words[250];
  std::copy(std::begin(r250_words), std::end(r250_words), words);
  const int index = r250_index;
  const std::uint32_t lcg = lcg_state;
  init_random(1);
  auto chosen = build(d);
  chosen->random_qq_count = 3;
  chosen->start();
  std::set<int> seen;
  for (int i = 0; i < 40; ++i) seen.insert(chosen->particles()[i].anim.qq);
  EXPECT_EQ(seen, (std::set<int>{0, 1, 2}));
  std::copy(std::begin(words), std::end(words), r250_words);
  r250_index = index;
  lcg_state = lcg;
}

// A spinning particle faces along its horizontal velocity: 0 towards -z, 90 towards +x, and
// spins at minus its speed.
TEST(EffectDatEmitter, ASpinningParticlesHeadingFollowsItsVelocity) {
  struct Case {
    float x, z, heading;
  };
  for (const Case& c : {Case{0, -1, 0}, Case{1, 0, 90}, Case{0, 1, 180}, Case{-1, 0, 270}, Case{1, -1, 45}}) {
    SCOPED_TRACE(c.heading);
    EffectDef d = plain_def(1, 0);
    d.spin = 1;
    d.speed_min = 30;
    d.velocity[0] = d.velocity[1] = c.x;
    d.velocity[4] = d.velocity[5] = c.z;
    auto e = build(d);
    e->start();
    const Particle& p = e->particles()[0];
    EXPECT_NEAR(p.heading, c.heading, 1e-3);
    EXPECT_EQ(p.spin_rate, -30.0f);
  }
}

TEST(EffectDatEmitter, AStreakTailReachesBackItsLengthOnlyPastOneUnitOfMotion) {
  auto e = build(plain_def(1, 0));
  e->start();
  Particle& p = e->particles()[0];
  p.streak = 30;
  p.prev = {0, 0, 0, 0};
  p.pos = {0, 2, 0, 0};
  G3dVector tail = e->streak_tail(0);
  EXPECT_FLOAT_EQ(tail.y, -30.0f);
  p.pos = {0, 0.5f, 0, 0};
  tail = e->streak_tail(0);
  EXPECT_EQ(tail.y, 0.0f) << "moved less than 1.0";
}

TEST(EffectDatEmitter, ADrawKeepsTheStreakTailSoADrawWithoutAnUpdateReachesFurther) {
  auto e = build(plain_def(1, 0));
  e->start();
  Particle& p = e->particles()[0];
  ASSERT_EQ(p.anim.act, 0);
  p.streak = 30;
  p.prev = {0, 0, 0, 0};
  p.pos = {0, 2, 0, 0};
  e->draw();
  EXPECT_FLOAT_EQ(p.prev.y, -30.0f);
  e->draw();
  EXPECT_FLOAT_EQ(p.prev.y, -60.0f);
}

TEST(EffectDatEmitter, ZeroLifeZeroVectorsAndVerticalSpinStayFinite) {
  EffectDef d = plain_def(4, 0);
  d.life_min = 0;  // every rate would divide by it
  d.spin = 1;
  d.spread = 0;  // straight up: a spin heading of no horizontal direction
  d.speed_min = 50;
  auto e = build(d);
  e->converge = 1;
  e->box_width = e->box_depth = e->box_height = 0;  // spawned on the point it converges to
  e->start();
  for (int i = 0; i < 4; ++i) {
    const Particle& p = e->particles()[i];
    EXPECT_EQ(p.alpha_rate, 0.0f);
    EXPECT_EQ(p.gravity_rate, 0.0f);
    EXPECT_EQ(p.heading, 0.0f);
    EXPECT_FALSE(std::isnan(p.vel.x) || std::isnan(p.vel.y) || std::isnan(p.vel.z));
  }
}

TEST(ParticleMath, ConversionsSaturateInsteadOfWrapping) {
  EXPECT_EQ(saturate_byte(-20.0f), 0u);
  EXPECT_EQ(saturate_byte(300.0f), 255u);
  EXPECT_EQ(saturate_byte(NAN), 0u);
  EXPECT_EQ(saturate_byte(127.9f), 127u);
  EXPECT_EQ(angle_0_359(-30.0f), 330);
  EXPECT_EQ(angle_0_359(725.5f), 5);
  EXPECT_EQ(angle_0_359(1e20f), angle_0_359(2147483520.0f));
  float carry = 0;
  EXPECT_EQ(spawn_budget(-500, 0.028f, carry, 10), 0u);
  EXPECT_EQ(spawn_budget(1e30f, 0.028f, carry, 10), 10u);
  EXPECT_EQ(spawn_budget(NAN, 0.028f, carry, 10), 0u);
  EXPECT_EQ(per_life(5, 0), 0.0f);
}

}  // namespace
