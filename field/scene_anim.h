#pragma once
// Scene animations.
#include "g3d/act_animation.h"

class ParticleEmitter;

// A scene animation: its instance and the emitters attached to the model's points.
struct AniNode {
  ActInstance instance;
  ParticleEmitter* slots[act_attach_slots] = {};
};

void play_ani();
void del_all_ani();
