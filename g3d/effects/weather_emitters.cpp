// The weather emitters.
#include "g3d/effects/weather_emitters.h"

namespace {
constexpr int weather_particles = 200;
constexpr float weather_box = 3000.0f;
constexpr float weather_above = 800.0f;  // spawned this high above the player
constexpr float weather_below = 30.0f;   // recycled this low under the player
}  // namespace

std::unique_ptr<DriftEmitter> make_snow_emitter(float x, float y, float z) {
  auto e = std::make_unique<DriftEmitter>(weather_particles, x, y + weather_above, z, 0.0f, weather_box, weather_box,
                                          y - weather_below, snow_act, snow_qq);
  e->size_start_min = 0.1f;
  e->size_start_range = 1.0f;
  e->size_end_min = 0;
  e->set_wind(-1.0f, 0, 0.1f);
  e->set_continuous(1);
  e->start();
  return e;
}

std::unique_ptr<GravityEmitter> make_rain_emitter(float x, float y, float z) {
  auto e = std::make_unique<GravityEmitter>(weather_particles, x, y + weather_above, z, 0.0f, weather_box,
                                            weather_box, y - weather_below, 0, 0);
  e->speed_min = 100;
  e->speed_range = 50;
  e->gravity_start_min = 0;
  e->gravity_start_range = 2.0f;
  e->gravity_end = 6.0f;
  e->set_wind(0, 0, 3);
  e->set_continuous(1);
  e->start();
  return e;
}
