#pragma once
// The two weather emitters a map can ask for, built around the player and started: snow
// drifting down and rain falling as streaks. The caller owns them and moves them with
// DriftEmitter::set_center every frame.
#include <memory>

#include "g3d/effects/drift_emitter.h"
#include "g3d/effects/gravity_emitter.h"

constexpr std::uint16_t snow_act = 8000;
constexpr std::uint16_t snow_qq = 1;

std::unique_ptr<DriftEmitter> make_snow_emitter(float player_x, float player_y, float player_z);
std::unique_ptr<GravityEmitter> make_rain_emitter(float player_x, float player_y, float player_z);
