#pragma once
// The general effect emitter, configured by an "Effect.dat" definition: per-particle life,
// colour, alpha and size ramps, cone or box velocities, gravity ramps, a bouncing floor,
// attraction to a target point, spinning, and streaks for particles without an animation.
#include "g3d/effects/particle_emitter.h"

struct EffectDef;

class EffectDatEmitter : public ParticleEmitter {
 public:
  EffectDatEmitter(int count, float x, float y, float z, float w, float box_width, float box_depth, float box_height,
                   float floor_height, std::uint16_t act, std::uint16_t qq);
  // Copies a definition's settings (not the box, floor and animation the constructor took).
  void configure(const EffectDef& def);

  void respawn(int i) override;
  void update(unsigned elapsed_ms) override;
  int draw() override;

  // The far end of particle i's streak: its previous position, moved back along its last
  // motion by the streak length when it moved more than 1.0.
  G3dVector streak_tail(int i) const;

 private:
  // Marks the particle dead instead of spawning it; true when the emitter is winding down.
  bool winding_down(Particle& p);
  void spawn_direction(Particle& p);
  void move(Particle& p, float dt);
  void draw_animated(Particle& p);
};
