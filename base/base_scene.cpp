// The base scene and its effects.
#include "base/base_scene.h"

#include <algorithm>
#include <cstdio>

#include "base/base_camp.h"
#include "base/base_numbers.h"
#include "base/base_top_menu.h"
#include "base/house_kinds.h"
#include "base/houses.h"
#include "core/flags.h"
#include "core/frame_timer.h"
#include "core/game_flags.h"
#include "core/key_mapping.h"
#include "core/text_colours.h"
#include "g3d/ani_matrix.h"
#include "g3d/effects/effect_manager.h"
#include "g3d/effects/particle_emitter.h"
#include "g3d/grp3d_device.h"
#include "g3d/model_cache.h"
#include "g3d/renderer.h"
#include "gfx2d/glyph_font.h"
#include "sound/sfx_bank.h"
#include "ui/text_draw.h"

std::vector<std::unique_ptr<BaseEffect>> base_effect_list;
int base_box_wire = 0;

namespace {

constexpr int collision_vertex_cap = 20000;
constexpr int kite_cycle = 200, hall_cycle = 202;

// The emitters of a house, the training hall's fifth field (its phase) left out.
int emitter_slots(const HouseRecord* h) { return h->kind == house_training ? house_effect_slots - 1 : house_effect_slots; }

template <class F>
void for_each_emitter(HouseRecord* h, F&& f) {
  for (int i = 0; i < emitter_slots(h); ++i)
    if (ParticleEmitter* e = workshop_effects().get(h->effect_ids[i])) f(i, *e);
}

void set_emitting(HouseRecord* h, int i, bool on) {
  if (ParticleEmitter* e = workshop_effects().get(h->effect_ids[i])) e->hold = on ? 0 : 1;
}

// Draws the record's model; false when its animation cannot advance.
bool draw_record_model(HouseRecord* h) {
  if (!h->act.act || !Take_3dActData(&h->act)) return false;
  draw_house_box(h);
  return true;
}

void draw_model_of(HouseRecord* h) {
  if (h->act.kind != act_kind_model) return;
  G3dPoly* model = GetPoly(h->act.resource);
  if (!model) return;
  G3dMatrix m;
  house_model_matrix(h, &m);
  renderer.draw_model(&m, h->act.picture, model, h->act.color, h->act.draw_flags);
}

void finish_construction(HouseRecord* h) {
  shake_house(h, h->countdown);
  if (--h->countdown != 0) return;
  start_base_tutorial(flag_tutorial_built);
}

void float_hall(HouseRecord* h) {
  std::int32_t& phase = h->effect_ids[house_effect_slots - 1];
  if (phase < 101) {
    h->pos.y -= 1.0f;
    ++phase;
  } else {
    h->pos.y += 1.0f;
    if (++phase >= hall_cycle) phase = 0;
  }
}

}  // namespace

void house_model_matrix(const HouseRecord* h, G3dMatrix* out) {
  const G3dBox& box = h->act.box;
  float a = 0, b = 0;
  const int rot = int(h->rotation);
  if (rot == 0 || rot == 180 || rot == -60) a = box.max.x, b = box.min.z;
  else if (rot == 90 || rot == 270) a = box.max.z, b = box.min.x;
  else a = 750.0f;  // other turns get no translation of their own
  set_ani_matrix(out, &h->act, h->pos.x + a - 750.0f, h->pos.y, h->pos.z + b, h->rotation);
}

void shake_house(HouseRecord* h, int countdown) {
  h->pos.y += 10.0f;
  h->pos.z += countdown % 2 ? 10.0f : -10.0f;
}

void draw_house_box(const HouseRecord* h) {
  if (base_box_wire != 1) return;
  G3dMatrix m;
  house_model_matrix(h, &m);
  renderer.draw_wire_box(&m, &h->act.box, 0xFF00FFFF, 0);
}

void draw_houses() {
  for (const auto& hp : house_list) {
    HouseRecord* h = hp.get();
    if (!draw_record_model(h)) continue;
    if (h->countdown) finish_construction(h);
    const bool staffed = !h->countdown && h->resident_count > 0 && h->kind > 3 && panels_settled == 1 &&
                         test_flag(flag_switch_9);
    if (staffed) update_workshop_effects(h);
    else suppress_house_effects(h);
    draw_model_of(h);
  }
  remove_inactive_house();
}

void draw_landmarks() {
  for (const auto& lp : landmark_list) {
    HouseRecord* l = lp.get();
    if (!draw_record_model(l)) continue;
    if (l->kind == 1) {
      --l->countdown;
      l->pos.y += l->countdown >= 100 ? -0.25f : 0.25f;
      if (l->countdown == 0) l->countdown = kite_cycle;
    }
    draw_model_of(l);
  }
  drop_landmark();
}

void draw_base_collision() {
  if (!base_collision_wire || base_world.Mask.lpCollTri.empty()) return;
  static G3dVertex vertices[collision_vertex_cap];
  int n = 0;
  for (const CollTri& t : base_world.Mask.lpCollTri) {
    if (n + 3 > collision_vertex_cap) break;
    for (const float* k : {t.k0, t.k1, t.k2}) {
      vertices[n] = G3dVertex{};
      vertices[n].x = k[0], vertices[n].y = k[1], vertices[n].z = k[2];
      vertices[n].colour = 0x96AAAAAA;
      ++n;
    }
  }
  G3dMatrix m;
  renderer.identity_matrix(&m);
  renderer.set_render_mode(1);
  renderer.draw_triangles(&m, vertices, n, nullptr, 0, 0);
  renderer.set_render_mode(4);
}

void draw_base_debug_text() {
  if (base_debug_text != 1) return;
  char text[64];
  std::snprintf(text, sizeof text, "Mx:%2d My:%2d", mouse_x, mouse_y);
  draw_text_at(base_font_20, 205, 45, text, text_colours[0], GLYPH_OUTLINE);
  std::snprintf(text, sizeof text, "\xAD\xB1\xBC\xC6:%5u fps:%2.1f", unsigned(g3d_faces_drawn), double(current_fps));  // 面數:%5u fps:%2.1f
  draw_text_at(base_font_20, 105, 75, text, text_colours[0], GLYPH_OUTLINE);
  std::snprintf(text, sizeof text, "\xA5\xAA\xA5\x6B:%3.1f \xA4\x57\xA4\x55:%3.1f", double(base_view.yaw), double(base_view.pitch));  // 左右:%3.1f 上下:%3.1f
  draw_text_at(base_font_20, 105, 100, text, text_colours[0], GLYPH_OUTLINE);
}

BaseEffect* add_base_effect(int type, float x, float y, float z, float w, const ActInstance*, float) {
  auto e = std::make_unique<BaseEffect>();
  e->type = type;
  e->pos = {x, y, z, w};
  e->alive = 1;
  if (type == 2) {
    e->act.act = upgrade_effect_act;
    e->act.qq = 0;
    e->rotation = 0;
  }
  base_effect_list.push_back(std::move(e));
  return base_effect_list.back().get();
}

int draw_base_effects() {
  for (auto it = base_effect_list.begin(); it != base_effect_list.end(); ++it) {
    BaseEffect& e = **it;
    // An animation that cannot be had would never finish, and the houses page waits on it.
    if (!e.act.act || !Take_3dActData(&e.act)) {
      base_effect_list.erase(it);
      return 0;
    }
    if (e.act.kind == act_kind_model) {
      if (G3dPoly* model = GetPoly(e.act.resource)) {
        G3dMatrix m;
        set_ani_matrix(&m, &e.act, e.pos.x, e.pos.y, e.pos.z, e.rotation);
        renderer.draw_model(&m, e.act.picture, model, e.act.color, e.act.draw_flags);
      }
    }
    if ((e.act.state & act_state_finished) || !e.alive) {
      base_effect_list.erase(it);
      return 0;
    }
  }
  return 1;
}

int has_base_effect(int type) {
  return std::any_of(base_effect_list.begin(), base_effect_list.end(), [&](const auto& e) { return e->type == type; });
}

void start_workshop_effects(HouseRecord* h) {
  if (h->kind <= 3 || !h->act.act || !Take_3dActData(&h->act) || h->act.kind != act_kind_model) return;
  G3dPoly* model = GetPoly(h->act.resource);
  if (!model) return;
  G3dMatrix m;
  house_model_matrix(h, &m);
  auto add_at = [&](int point, int effect) {
    G3dVector p{};
    if (!renderer.get_part_point(&m, model, h->act.picture, point, &p)) return false;
    int id = -1;
    if (ParticleEmitter* e = workshop_effects().add(effect, p.x, p.y, p.z, &id)) {
      h->effect_ids[point] = id;
      e->start();
      e->hold = 1;
    }
    return true;
  };
  switch (h->kind) {
    // Both armour workshops of the first two levels show the fire while staffed.
    case 4: case 5: case 6: case 7: case 8: case 12:
      for (int i = 0; i < house_effect_slots && add_at(i, workshop_fire_effect); ++i) {
      }
      break;
    case 16:
      if (add_at(0, formation_guard_effect))
        for (int i = 1; i < house_effect_slots && add_at(i, formation_reserve_effect); ++i) {
        }
      break;
    default: break;
  }
}

void update_workshop_effects(HouseRecord* h) {
  const int n = h->resident_count;
  switch (h->kind) {
    case 4: case 7: case 8: case 12: set_emitting(h, 0, n > 0); break;
    case 5:
      set_emitting(h, 0, n >= 4);
      set_emitting(h, 1, n > 0);
      break;
    case 6:
      set_emitting(h, 0, n >= 3);
      set_emitting(h, 1, n > 0);
      set_emitting(h, 2, n >= 5);
      break;
    case 16:
      for (int i = 0; i < house_effect_slots; ++i) {
        if (!workshop_effects().get(h->effect_ids[i])) break;
        set_emitting(h, i, i < n);
      }
      break;
    case 17: float_hall(h); break;
    default: break;
  }
}

void suppress_house_effects(HouseRecord* h) {
  for_each_emitter(h, [](int, ParticleEmitter& e) { e.hold = 1; });
}

void stop_house_effects(HouseRecord* h) {
  for_each_emitter(h, [](int, ParticleEmitter& e) { e.set_continuous(0); });
}
