#pragma once
// A monster's model drawn in 3D: its animation stepped in the caller's instance (restarted when
// it shows another monster or pose), the parts its ACT table row names textured by their
// animations, and its weapon held at its first tagged part point.
#include <cstdint>

#include "g3d/act_animation.h"

struct ItemData;

// The monster's weapon act in its object record (the word of tag 1020); 0 without a weapon.
std::uint16_t monster_weapon_act(const ItemData& monster);

struct MonsterModelPlace {
  float x = 0, y = 0, z = 0;
  float yaw = 0;         // added to the animation's own
  float scale = 1;       // times the animation's own scale
  bool sounds = false;   // the animation's sounds are played
};

// One step of monster's QQ in *inst, drawn at the place; weapon_act 0 holds nothing. False
// when the animation cannot be played or is not a model (nothing drawn).
bool draw_monster_model(ActInstance* inst, std::uint16_t monster, std::uint16_t qq, const MonsterModelPlace& place,
                        std::uint16_t weapon_act);
