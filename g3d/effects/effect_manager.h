#pragma once
// An effect manager: the running particle effects of one part of the game, by small integer
// ids, so that scripts and battle actions can start, move, stop and forget an effect by number.
// The owner updates and draws every effect once a frame; finished effects are deleted in the
// update. Others refer to an effect by an EffectHandle (manager, id), never by its pointer.
#include <map>
#include <memory>

#include "g3d/effects/particle_emitter.h"

class EffectManager {
 public:
  EffectManager() = default;
  ~EffectManager();
  EffectManager(const EffectManager&) = delete;
  EffectManager& operator=(const EffectManager&) = delete;

  // A new, unstarted effect of a type at (x, y, z), or null (id -1 when asked) when the type
  // cannot be made; nothing, and no id written, while the manager is disabled.
  ParticleEmitter* add(int type, float x, float y, float z, int* id);
  // The effect of an id; null for a negative id or one not (or no longer) held.
  ParticleEmitter* get(int id) const;
  void update(unsigned elapsed_ms);
  void draw();
  // Deletes every effect; ids start again at 0.
  void clear();

  int size() const { return int(effects_.size()); }
  // Counts the clears, so that a handle from before a clear never reaches an effect that got
  // its id again.
  unsigned generation() const { return generation_; }

  int next_id = 0;
  int enabled = 1;
  int paused = 0;

 private:
  // Takes ownership of an emitter under a free id; the id.
  int store(ParticleEmitter* emitter);

  std::map<int, std::unique_ptr<ParticleEmitter>> effects_;
  unsigned generation_ = 0;
};

// A reference to an effect a manager owns; empty once the manager has deleted it.
struct EffectHandle {
  EffectManager* manager = nullptr;
  int id = -1;
  unsigned generation = 0;

  ParticleEmitter* get() const {
    return manager && manager->generation() == generation ? manager->get(id) : nullptr;
  }
  void reset() { *this = EffectHandle{}; }
};

inline EffectHandle effect_handle(EffectManager* manager, int id) {
  return {manager, id, manager ? manager->generation() : 0};
}

// The battle's managers: the units' ground and hit effects (also the talk interpreter's, the
// title's and the special effects' attachments), and the battle controller's.
extern EffectManager fight_unit_effects;
extern EffectManager fight_effects;
