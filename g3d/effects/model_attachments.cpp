// Model attachments.
#include "g3d/effects/model_attachments.h"

#include "g3d/renderer.h"

namespace {

void spawn_requests(EffectManager* manager, const G3dMatrix* m, ActInstance* a, const G3dPoly* model,
                    EffectSlots& slots) {
  for (int i = 0; i < act_attach_slots; ++i) {
    const std::uint16_t type = a->attach_type[i];
    if (type == 0 || (type & attach_served)) continue;
    G3dVector point;
    // Without the point in this frame the request waits for a later one.
    if (!renderer.get_part_point(m, model, a->picture, i, &point)) continue;
    int id = -1;
    if (ParticleEmitter* e = manager->add(type, point.x, point.y, point.z, &id)) {
      slots[i] = effect_handle(manager, id);
      e->stop_key = a->attach_stop[i];
      e->start();
    }
    a->attach_type[i] = std::uint16_t(type | attach_served);
  }
}

void follow_points(const G3dMatrix* m, const ActInstance* a, const G3dPoly* model, EffectSlots& slots) {
  for (int i = 0; i < act_attach_slots; ++i) {
    ParticleEmitter* e = slots[i].get();
    if (!e) continue;
    G3dVector point;
    if (!renderer.get_part_point(m, model, a->picture, i, &point)) continue;
    e->stop_on_frame(a->picture);
    e->set_pos(point);
  }
}

}  // namespace

void attach_model_effects(EffectManager* manager, const G3dMatrix* m, ActInstance* a, const G3dPoly* model,
                          EffectSlots& slots) {
  // Without a model no point exists: requests wait, effects stay where they are.
  if (!model) return;
  if (manager) spawn_requests(manager, m, a, model, slots);
  follow_points(m, a, model, slots);
}

void stop_slot_effects(EffectSlots& slots) {
  for (EffectHandle& slot : slots) {
    if (ParticleEmitter* e = slot.get()) e->set_continuous(0);
    slot.reset();
  }
}
