// Effect managers.
#include "g3d/effects/effect_manager.h"

#include <climits>
#include <vector>

#include "g3d/effects/effect_dat.h"

EffectManager fight_unit_effects;
EffectManager fight_effects;

EffectManager::~EffectManager() { clear(); }

int EffectManager::store(ParticleEmitter* emitter) {
  // The counter wraps to 0 at the largest int; ids still in use are skipped, so a live effect
  // is never overwritten.
  while (effects_.count(next_id)) next_id = next_id == INT_MAX ? 0 : next_id + 1;
  const int id = next_id;
  effects_[id].reset(emitter);
  next_id = id == INT_MAX ? 0 : id + 1;
  return id;
}

ParticleEmitter* EffectManager::add(int type, float x, float y, float z, int* id) {
  if (!enabled) return nullptr;
  ParticleEmitter* emitter = create_effect(type, x, y, z);
  if (!emitter) {
    if (id) *id = -1;
    return nullptr;
  }
  const int stored = store(emitter);
  if (id) *id = stored;
  return get(stored);
}

ParticleEmitter* EffectManager::get(int id) const {
  if (id < 0) return nullptr;
  auto it = effects_.find(id);
  return it == effects_.end() ? nullptr : it->second.get();
}

void EffectManager::update(unsigned ms) {
  if (paused == 1) return;
  for (auto it = effects_.begin(); it != effects_.end();) {
    it->second->update(ms);
    it = it->second->is_finished() ? effects_.erase(it) : std::next(it);
  }
}

void EffectManager::draw() {
  for (auto& [id, emitter] : effects_) emitter->draw();
}

void EffectManager::clear() {
  next_id = 0;
  ++generation_;
  // In increasing id order, as the entries are erased.
  while (!effects_.empty()) effects_.erase(effects_.begin());
}
