#pragma once
// Scene animations.
#include "g3d/act_animation.h"
#include "g3d/effects/model_attachments.h"

// A scene animation: its instance and the effects attached to the model's points.
struct AniNode {
  ActInstance instance;
  EffectSlots slots = {};
};

void play_ani();
void del_all_ani();
