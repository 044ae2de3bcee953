#pragma once
// Effects attached to an animated model: an animation can ask for up to ten effects at tagged
// points of its model. They are spawned once, kept on their points while the animation plays,
// and stopped when the animation reaches each one's stop frame.
#include "g3d/act_animation.h"
#include "g3d/effects/effect_manager.h"

struct G3dPoly;

// The slots of one owner, one per model point 0..9; the manager owns the effects.
using EffectSlots = EffectHandle[act_attach_slots];

constexpr std::uint16_t attach_served = 0x8000;

// Called every frame in which the owner draws the model.
void attach_model_effects(EffectManager* manager, const G3dMatrix* model_matrix, ActInstance* instance,
                          const G3dPoly* model, EffectSlots& slots);
// Stops every slot's effect (it winds down and its manager deletes it) and empties the slots.
void stop_slot_effects(EffectSlots& slots);
