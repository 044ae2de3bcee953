#pragma once
// The map effect list: the effects the current map file places, each with its emitter, kept in
// insertion order. The list never starts them: they run unstarted, so they never finish.
#include <cstdint>
#include <list>
#include <memory>

#include "g3d/effects/effect_dat_emitter.h"

struct EffectListNode {
  float x = 0, y = 0, z = 0;
  std::uint16_t type = 0;   // 1-based definition
  std::uint16_t spare = 0;  // copied from the map file, not read
  std::unique_ptr<EffectDatEmitter> emitter;  // null when there is none or it has finished
};

// Appends a copy of the placement (its emitter is made here) and returns the new emitter,
// unstarted, or null.
EffectDatEmitter* add_effect_list(const EffectListNode* source);
// Updates and draws every placement's emitter; finished ones are deleted, their nodes stay.
void play_effect_list(unsigned elapsed_ms);
// Deletes every placement and its emitter.
void del_all_effect_list();
// The placements, for the map code and tests.
const std::list<EffectListNode>& effect_list();
