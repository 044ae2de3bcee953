#pragma once
// Particles thrown vertically under a gravity that changes over their life (rain), dying at the
// limit height and respawned at the emission rate. Shares the wind of the drift emitter.
#include "g3d/effects/drift_emitter.h"

class GravityEmitter : public DriftEmitter {
 public:
  using DriftEmitter::DriftEmitter;
  void respawn(int i) override;
  void update(unsigned elapsed_ms) override;
  int draw() override;
};
