#pragma once
// Part textures: up to three parts of a model show the current picture of a sprite animation
// instead of their own texture, for one draw. A role's face overrides and a monster's ACT table
// row name them the same way: three model parts, three ACTs and three QQs.
#include <cstdint>

#include "g3d/act_animation.h"
#include "g3d/ply_model.h"

constexpr int part_texture_slots = 3;

// The material keys a draw changed, to put back after it.
struct PartTextureSwaps {
  struct Swap {
    unsigned material;
    std::uint32_t key;
  };
  Swap swaps[part_texture_slots] = {};
  int count = 0;
};

// Gives model material `material` the instance's current picture as its texture, keyed by the
// instance's sprite and picture; false (nothing changed) when the model lacks the material or the
// picture cannot be had.
bool show_picture_on_part(G3dPoly* model, unsigned material, const ActInstance& a);
// For each entry whose ACT is not 0: one step of a scratch instance of that ACT and QQ, whose
// picture then textures the named part. Entries naming a part the model lacks are skipped.
void apply_part_textures(G3dPoly* model, const std::uint16_t parts[part_texture_slots],
                         const std::uint16_t acts[part_texture_slots], const std::uint16_t qqs[part_texture_slots],
                         PartTextureSwaps& swaps);
// Puts back the keys apply_part_textures replaced, last first.
void restore_part_textures(G3dPoly* model, const PartTextureSwaps& swaps);
