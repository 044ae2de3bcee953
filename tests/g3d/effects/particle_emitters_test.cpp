// The weather emitters and the emitter base: spawn formulas from seeded draws, the wind, the
// rain's emission carry, the draw pass and the stop frame.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "g3d/effects/drift_emitter.h"
#include "g3d/effects/effect_random.h"
#include "g3d/effects/gravity_emitter.h"
#include "g3d/effects/weather_emitters.h"
#include "tests/g3d/effects/effect_folder.h"

namespace {

// The next n draws of r from a seed, to hold the spawn formulas against.
std::vector<float> draws(int n, unsigned seed = 1) {
  effect_srand(seed);
  std::vector<float> d;
  for (int i = 0; i < n; ++i) d.push_back(effect_r());
  effect_srand(seed);
  return d;
}

TEST(EffectRandom, IsTheCStandardsExampleGenerator) {
  effect_srand(1);
  // next = next * 1103515245 + 12345; (next / 65536) % 32768
  EXPECT_EQ(effect_rand(), 16838);
  EXPECT_EQ(effect_rand(), 5758);
  EXPECT_EQ(effect_rand(), 10113);
}

TEST(DriftEmitter, RespawnsInTheBoxWithADriftingVelocity) {
  DriftEmitter e(1, 100, 800, 200, 0, 3000, 2000, -30, 8000, 1);
  e.size_start_min = 0.1f;
  e.size_start_range = 1.0f;
  e.size_end_min = 0.6f;
  e.set_wind(-1.0f, 0, 0.1f);
  const std::vector<float> r = draws(7);
  e.respawn(0);
  const Particle& p = e.particles()[0];
  EXPECT_FLOAT_EQ(p.pos.x, (r[0] - 0.5f) * 3000 + 100);
  EXPECT_FLOAT_EQ(p.pos.y, 800);
  EXPECT_FLOAT_EQ(p.pos.z, (r[1] - 0.5f) * 2000 + 200);
  EXPECT_FLOAT_EQ(p.vel.x, r[2] * 0.02f - 0.0005f);
  EXPECT_FLOAT_EQ(p.vel.y, -(0.1049f + r[3] * 0.1049f));
  EXPECT_FLOAT_EQ(p.vel.z, r[4] * 0.02f - 0.0005f);
  EXPECT_FLOAT_EQ(p.size, r[5] * 1.0f + 0.1f);
  EXPECT_FLOAT_EQ(p.life, r[6] * 0.7f + 0.3f);
  EXPECT_FLOAT_EQ(p.size_rate, 0.5f / p.life);
  EXPECT_EQ(p.anim.act, 8000);
  EXPECT_EQ(p.anim.qq, 1);

  e.inverted = 1;
  const std::vector<float> s = draws(4);
  e.respawn(0);
  EXPECT_FLOAT_EQ(p.vel.y, 0.1049f + s[3] * 0.1049f) << "inverted particles rise";
}

TEST(DriftEmitter, WindSpansUseTheEnginesDegreeFactor) {
  struct Case {
    float angle, speed, span_x, span_z;
  };
  const Case cases[] = {
      {-1.0f, 5.0f, 0.02f, 0.02f},  // no direction, whatever the speed
      {0.0f, 1.0f, 0.001f, -1.001f + 0.001f},
      // 180 x 0.01745 falls short of pi: the sine leaves a trace.
      {180.0f, 1.0f, 1.001f * std::sin(180.0f * 0.01745f) + 0.001f, -1.001f * std::cos(180.0f * 0.01745f) + 0.001f},
  };
  for (const Case& c : cases) {
    DriftEmitter e(1, 0, 0, 0, 0, 10, 10, 0, 0, 0);
    e.set_wind(c.angle, c.speed, 0.5f);
    EXPECT_FLOAT_EQ(e.drift_span_x, c.span_x) << c.angle;
    EXPECT_FLOAT_EQ(e.drift_span_z, c.span_z) << c.angle;
    EXPECT_FLOAT_EQ(e.drift_speed, c.speed + 0.0005f);
    EXPECT_FLOAT_EQ(e.fall_speed, 0.5049f);
  }
  DriftEmitter e(1, 0, 0, 0, 0, 10, 10, 0, 0, 0);
  e.set_wind(180.0f, 1.0f, 0);
  EXPECT_GT(e.drift_span_x, 0.0015f);
}

TEST(DriftEmitter, StartsWithItsWindAndBoxHeightZeroed) {
  DriftEmitter e(4, 0, 0, 0, 0, 10, 10, -5, 0, 0);
  EXPECT_EQ(e.wind_angle, 0.0f);
  EXPECT_EQ(e.box_height, 0.0f);
  EXPECT_FLOAT_EQ(e.drift_speed, 0.0005f);
  EXPECT_FLOAT_EQ(e.fall_speed, 0.0049f);
}

TEST(DriftEmitter, AgePastItsLifeDrawsANewLifeOnly) {
  DriftEmitter e(1, 0, 1000, 0, 0, 10, 10, -1e6f, 0, 0);
  e.respawn(0);
  Particle& p = e.particles()[0];
  p.life = 0.01f;
  const G3dVector vel = p.vel;
  e.update(28);
  EXPECT_EQ(p.age, 0.0f);
  EXPECT_GE(p.life, 0.3f);
  EXPECT_FLOAT_EQ(p.pos.y, 1000 + vel.y * 28);
  EXPECT_EQ(p.vel.y, vel.y);
  EXPECT_EQ(e.is_finished(), 0);
}

TEST(DriftEmitter, RecyclesBelowTheLimitHeight) {
  DriftEmitter e(1, 0, 10, 0, 0, 10, 10, 5, 0, 0);
  e.respawn(0);
  e.particles()[0].vel.y = -1;  // 28 units down in one frame
  e.update(28);
  EXPECT_EQ(e.particles()[0].pos.y, 10.0f) << "respawned at the spawn height";
}

TEST(GravityEmitter, RespawnsInABoxOffsetAlongZWithAnInvertedThrowWithoutBase) {
  GravityEmitter e(1, 50, 800, 100, 0, 3000, 3000, -30, 0, 0);
  e.speed_min = 100;
  e.speed_range = 50;
  e.gravity_start_min = 1.0f;
  e.gravity_start_range = 2.0f;
  e.gravity_end = 6.0f;
  e.set_wind(0, 0, 3);
  const std::vector<float> r = draws(8);
  e.respawn(0);
  const Particle& p = e.particles()[0];
  EXPECT_FLOAT_EQ(p.pos.x, (r[0] - 0.5f) * 3000 + 50);
  EXPECT_FLOAT_EQ(p.pos.z, (r[1] - 0.2f) * 3000 + 100);
  EXPECT_FLOAT_EQ(p.life, r[2] * 0.3f + 0.2f);
  EXPECT_FLOAT_EQ(p.vel.y, -(3.0049f + r[3] * 3.0049f) * (100 + r[4] * 50));
  EXPECT_FLOAT_EQ(p.gravity, 1.0f * 9.8f + r[5] * 2.0f * 9.8f);
  EXPECT_FLOAT_EQ(p.gravity_rate, (6.0f * 9.8f - p.gravity) / p.life);
  EXPECT_EQ(p.prev.x, p.pos.x) << "the streak starts at the particle, not at the centre";
  EXPECT_EQ(p.prev.y, 800.0f);
  EXPECT_EQ(p.prev.z, p.pos.z);

  e.inverted = 1;
  const std::vector<float> s = draws(5);
  e.respawn(0);
  EXPECT_FLOAT_EQ(p.vel.y, s[3] * 3.0049f * (100 + s[4] * 50)) << "no base term when inverted";
}

TEST(GravityEmitter, CarriesTheFractionOfItsEmissionBudget) {
  GravityEmitter e(50, 0, 0, 0, 0, 10, 10, -1e9f, 0, 0);
  e.rate = 200;
  e.start();
  e.update(28);
  EXPECT_EQ(test_support::alive(e), 5) << "5.6 truncated";
  EXPECT_NEAR(e.carry, 0.6f, 1e-5f);
  e.update(28);
  EXPECT_EQ(test_support::alive(e), 11) << "5.6 + 0.6";

  GravityEmitter slow(10, 0, 0, 0, 0, 10, 10, -1e9f, 0, 0);
  slow.rate = 20;  // 0.56 a frame
  slow.update(28);
  EXPECT_EQ(test_support::alive(slow), 0);
  slow.update(28);
  EXPECT_EQ(test_support::alive(slow), 1);
}

TEST(GravityEmitter, DiesOnlyAtTheLimitHeightAndNeverFinishes) {
  auto rain = make_rain_emitter(0, 0, 0);
  for (int f = 0; f < 200; ++f) rain->update(28);
  EXPECT_EQ(rain->is_finished(), 0);
  for (int i = 0; i < rain->count; ++i) {
    const Particle& p = rain->particles()[i];
    if (p.life != 0) {
      EXPECT_GE(p.pos.y, -30.0f);
    }
  }
  EXPECT_EQ(rain->particles()[0].age, 0.0f) << "age is not advanced";
}

TEST(WeatherEmitters, SnowIsBuiltAroundThePlayer) {
  auto snow = make_snow_emitter(100, 50, 200);
  EXPECT_EQ(snow->count, 200);
  EXPECT_EQ(snow->position.y, 850.0f);
  EXPECT_EQ(snow->limit_height, 20.0f);
  EXPECT_EQ(snow->act, snow_act);
  EXPECT_EQ(snow->started, 1);
  EXPECT_FLOAT_EQ(snow->drift_span_x, 0.02f);
  snow->set_center(500, 600);
  EXPECT_EQ(snow->position.x, 500.0f);
  EXPECT_EQ(snow->position.z, 600.0f);
}

// A continuous snow spawns nothing at its start: its particles wait at the origin, at rest, and
// are recycled into the box only once the origin lies under the limit height (player y - 30).
TEST(WeatherEmitters, SnowFallsOnlyWhereItsRestingParticlesLieUnderTheLimit) {
  for (float player_y : {0.0f, 100.0f}) {
    SCOPED_TRACE(player_y);
    effect_srand(1);
    auto snow = make_snow_emitter(5000, player_y, 2000);
    snow->update(28);
    const bool falls = player_y > 30;
    for (int i = 0; i < snow->count; ++i) {
      const Particle& p = snow->particles()[i];
      EXPECT_EQ(p.pos.y, falls ? player_y + 800 : 0.0f) << i;
      EXPECT_EQ(std::abs(p.pos.x - 5000) <= 1500, falls) << i;  // the origin lies outside the box
    }
  }
}

TEST(ParticleEmitter, StopOnFrameIgnoresFrameZero) {
  DriftEmitter e(1, 0, 0, 0, 0, 10, 10, 0, 0, 0);
  e.stop_on_frame(0);
  EXPECT_EQ(e.continuous, 1) << "a stop key of 0 never matches";
  e.stop_key = 5;
  e.stop_on_frame(4);
  EXPECT_EQ(e.continuous, 1);
  e.stop_on_frame(0x10005);  // the low 16 bits count
  EXPECT_EQ(e.continuous, 0);
  EXPECT_EQ(e.stop_key, 0);
}

TEST(ParticleEmitter, DrawStopsAtAParticleWithoutItsAnimation) {
  test_support::ActFolder acts;
  ASSERT_TRUE(acts.open_script(5001, "RF 0; TP 1; PA 0; ED; OV"));
  DriftEmitter e(3, 0, 0, 0, 0, 10, 10, -1e6f, 5001, 0);
  e.start();
  for (int i = 0; i < 3; ++i) e.respawn(i);
  e.particles()[1].anim.act = 77;  // no such animation
  EXPECT_EQ(e.draw(), 0);
  EXPECT_EQ(e.particles()[0].anim.loaded_act, 5001) << "drawn";
  EXPECT_EQ(e.particles()[2].anim.loaded_act, 0) << "not reached";
  e.particles()[1].anim.act = 5001;
  EXPECT_EQ(e.draw(), 1);
}

}  // namespace
