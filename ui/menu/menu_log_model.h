#pragma once
// The log's monster model: the monster's pose, the part textures of its ACT table row and its
// weapon, at the origin of the page's camera.
#include <cstdint>

#include "ui/monster_model.h"  // monster_weapon_act

// Plays the monster's pose in menu_model (one step) and draws it with its part textures and its
// weapon. Nothing is drawn when the pose is not a model.
void draw_log_monster_model(std::uint16_t monster, std::uint16_t weapon_act);
