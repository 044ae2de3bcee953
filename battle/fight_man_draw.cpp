// Battle units on the screen: the body with its fade, face, part textures, tint and attached
// effects, the held weapon with its trail, the dodge ghost, afterimages, the status icons over
// an enemy and the enemy's HP bar.
#include <algorithm>
#include <cmath>

#include "battle/fight_man.h"
#include "battle/fight_text.h"
#include "data/party.h"
#include "g3d/act_draw.h"
#include "g3d/ani_matrix.h"
#include "g3d/effects/afterimages.h"
#include "g3d/effects/effect_manager.h"
#include "g3d/effects/particle_emitter.h"
#include "g3d/effects/trail_manager.h"
#include "g3d/geometry.h"
#include "g3d/model_cache.h"
#include "g3d/part_textures.h"
#include "gfx2d/game_fonts.h"

namespace {
constexpr std::uint16_t rest_pose = 24, victory_pose = 34, hurt_state = 55;
constexpr std::uint16_t face_rest = 75, face_low_hp = 120, face_out = 102, face_hurt = 150, face_victory = 20;
constexpr std::uint32_t blend_alpha = 2, grey_fade = 0x4, flat_on_screen = 0x4000000;
constexpr std::uint32_t invisible_alpha = 100, ghost_colour = 0x96FFFFFF;
constexpr int weapon_point = 0, trail_point_a = 20, trail_point_b = 21, head_part = 3;
constexpr int money_colour = 15, icon_step = 22;
constexpr std::uint16_t trailing_character = 1;

std::uint32_t argb(std::uint32_t a, std::uint32_t r, std::uint32_t g, std::uint32_t b) {
  return a << 24 | r << 16 | g << 8 | b;
}

// The colour and blend flag the body is drawn with this frame; a fade steps here.
struct Paint {
  std::uint32_t colour;
  std::uint32_t blend;
};

Paint body_paint(FightMan& u) {
  Paint p{u.body.color, 0};
  if (u.fade_step != 0) {
    if (u.fade_out) {
      u.alpha = std::int16_t(u.alpha - u.fade_step);
      if (u.alpha <= 0) u.alpha = 0, u.fading = 0, u.fade_step = 0;
    } else {
      u.alpha = std::int16_t(u.alpha + u.fade_step);
      if (u.alpha > 255) u.alpha = 255, u.fade_step = 0, u.fading = 0;
    }
    const std::uint32_t a = std::uint32_t(u.alpha);
    // A body drawn opaque fades as a grey level instead.
    if (u.body.draw_flags & grey_fade) p = {argb(255, a, a, a), 0};
    else p = {a << 24 | (u.body.color & 0xFFFFFF), blend_alpha};
  }
  if ((u.cond & cond_invisible) && u.state == 0) p = {invisible_alpha << 24 | (p.colour & 0xFFFFFF), blend_alpha};
  if (u.dying) p = {u.body.color, u.hit_state == 4 ? blend_alpha : p.blend};
  return p;
}

void ease_yaw_and_knockback(FightMan& u) {
  if (u.yaw != u.rot_y) {
    u.yaw += (u.rot_y - u.yaw) / 4;
    if (std::fabs(std::trunc(u.rot_y) - std::trunc(u.yaw)) <= 1) u.yaw = u.rot_y;
  }
  if (u.knockback != 0) {
    u.knockback -= u.knockback / 3;
    if (u.knockback > 1) u.pos.z -= u.knockback;
    else u.pos.z = u.home.z, u.knockback = 0;
  }
}

// The yin-yang tint: the level sinks to 150 and climbs back to 255, blue for yin, red for yang.
void step_pulse(FightMan& u, Paint& p) {
  if (u.pulse_phase == 0 || u.state != 0) return;
  if (u.pulse_phase & 1) {
    u.pulse_level = std::int16_t(u.pulse_level - 4);
    if (u.pulse_level <= 150) ++u.pulse_phase;
  } else {
    u.pulse_level = std::int16_t(u.pulse_level + 4);
    if (u.pulse_level >= 255) u.pulse_level = 255, --u.pulse_phase;
  }
  const std::uint32_t a = std::uint32_t(std::clamp<int>(u.alpha, 0, 255));
  const std::uint32_t l = std::uint32_t(std::clamp<int>(u.pulse_level, 0, 255));
  p.colour = u.pulse_phase < 0 ? argb(a, l, l, 255) : argb(a, 255, l, l);
}

bool has_face(const FightMan& u) {
  return u.IsAlly() && u.face_part != 0 && !u.solo_hero && !(u.guest && !u.pet);
}

// The face animation's picture on the face part, its old texture kept in the swaps.
void show_face(FightMan& u, G3dPoly* model, PartTextureSwaps& swaps) {
  if (!has_face(u)) return;
  u.face.qq = u.FacePose();
  if (Take_3dActData(&u.face) != 1 || u.face_part >= model->materials.size()) return;
  if (swaps.count >= part_texture_slots) return;
  const std::uint32_t old = model->materials[u.face_part].tex_no;
  if (show_picture_on_part(model, u.face_part, u.face)) swaps.swaps[swaps.count++] = {u.face_part, old};
}

void victory_trail(FightMan& u) {
  if (!u.IsAlly() || u.pose != victory_pose || u.trail_on) return;
  if (u.pet || (!u.guest && u.act == trailing_character)) u.StartTrail(120, 200, 200, 200, 10);
}

// With 完璧 on, the party's money over the idle unit's head.
void show_money(const FightMan& u, const G3dMatrix& m, const G3dPoly* model) {
  if (!(u.cond & cond_money_shield) || u.state != 0) return;
  G3dVector head{}, screen{};
  if (!renderer.get_part_point(&m, model, u.body.picture, head_part, &head)) head = {u.pos.x, u.GetTopY(), u.pos.z, 1};
  g3d_project_point(&head, &screen);
  fight_text(font_20, int(screen.x), int(screen.y) - 15, money_colour, GLYPH_PLAIN, "%d", int(party_money));
}

// The ACT's attached effects follow the body; a new pose lets go of the old pose's.
void follow_attachments(FightMan& u, const G3dMatrix& m, const G3dPoly* model) {
  if (u.body.attach_count == 0) return;
  if (u.fx_pose != u.body.qq) {
    stop_slot_effects(u.attach_fx);
    u.fx_pose = u.body.qq;
  }
  attach_model_effects(&fight_unit_effects, &m, &u.body, model, u.attach_fx);
}

void move_slot_effects(const FightMan& u, const G3dMatrix& m, const G3dPoly* model) {
  for (int i = 0; i < fight_effect_slots; ++i) {
    ParticleEmitter* e = u.fx_slot[i] >= 0 ? fight_effects.get(u.fx_slot[i]) : nullptr;
    G3dVector p{};
    if (e && renderer.get_part_point(&m, model, u.body.picture, i, &p)) e->set_pos(p);
  }
}

// The blade's two points feed the trail and carry the weapon's emitters between them.
void blade_points(FightMan& u, const G3dMatrix& m, const G3dPoly* weapon) {
  G3dVector a{}, b{};
  const bool points = renderer.get_part_point(&m, weapon, u.weapon.picture, trail_point_a, &a) &&
                      renderer.get_part_point(&m, weapon, u.weapon.picture, trail_point_b, &b);
  if (u.trail_on) {
    if (u.trail_new) u.trail = u.act, u.trail_new = 0;
    TrailEntry* t = points ? trail_manager.get_trails(u.trail, 0) : nullptr;
    if (t && t->first) {
      t->first->add_segment(1, u.trail_r, u.trail_g, u.trail_b, u.trail_life, u.trail_fade);
      t->first->set_points(a, b);
    } else if (!points) {
      u.trail_on = u.trail_new = 0;
    }
  }
  if (!points) return;
  const int n = std::min<int>(u.weapon_fx_count, fight_weapon_fx_slots);
  for (int i = 0; i < n; ++i) {
    ParticleEmitter* e = u.weapon_fx[i] >= 0 ? fight_effects.get(u.weapon_fx[i]) : nullptr;
    if (!e) continue;
    const float f = n > 1 ? float(i) / float(n - 1) : 0.0f;
    e->set_pos({a.x + (b.x - a.x) * f, a.y + (b.y - a.y) * f, a.z + (b.z - a.z) * f, 1});
  }
}

void draw_sprite_body(FightMan& u, const Paint& p) {
  G3dRect cell{};
  get_act_frame_rect(u.body.cell, &u.body, &cell);
  u.cell_rect[0] = cell.left, u.cell_rect[1] = cell.top, u.cell_rect[2] = cell.right, u.cell_rect[3] = cell.bottom;
  draw_act_3d(&u.body, u.pos.x, u.pos.y, u.pos.z, 0, 0, 0, 0, 0, 0, p.colour, u.body.draw_flags | p.blend);
}

void step_hp_bar(FightMan& u) {
  const int max = u.MaxHp();
  const int shown = std::clamp(u.CurrentHp() - u.hp_pending, 0, std::max(max, 0));
  // An HP bar of maximum 0 is empty.
  const int goal = max > 0 ? int(float(shown) / float(max) * float(hp_bar_length)) : 0;
  if (u.hp_bar == goal) return;
  const int step = std::max(std::abs(goal - u.hp_bar) / 6, 1);
  u.hp_bar += goal > u.hp_bar ? step : -step;
}
}  // namespace

std::uint16_t FightMan::FacePose() const {
  std::uint16_t qq = face_rest;
  if (cond & cond_low_hp) qq = face_low_hp;
  if (dead) qq = face_out;
  if (state == hurt_state) qq = face_hurt;
  if (pose == victory_pose) qq = face_victory;
  return qq;
}

bool FightMan::DrawWeapon() {
  if (weapon_act == 0 || (script_flags & script_no_weapon)) return true;
  const G3dPoly* model = GetPoly(body.resource);
  G3dMatrix m;
  if (!model || !renderer.get_part_matrix(model, body.picture, weapon_point, body.scale[0], body.scale[1],
                                          body.scale[2], &m))
    return true;
  weapon.act = weapon_act;
  weapon.qq = 1;
  if (Take_3dActData(&weapon) != 1) return false;
  mul_ani_matrix(&m, &weapon, pos.x, pos.y, pos.z, yaw);
  G3dPoly* held = GetPoly(weapon.resource);
  if (!held) return true;
  const bool blends = drawn_blend == blend_alpha;
  renderer.draw_model(&m, weapon.picture, held, blends ? drawn_colour : weapon.color, weapon.draw_flags | drawn_blend);
  blade_points(*this, m, held);
  return true;
}

void FightMan::AddAfterimage() {
  if (afterimage_every == 0 || body.frame % afterimage_every != 0) return;
  Afterimage copy;
  copy.instance = body;
  copy.x = pos.x, copy.y = pos.y, copy.z = pos.z, copy.yaw = rot_y;
  copy.alpha = 150;
  copy.red = copy.green = copy.blue = 255;
  copy.alpha_step = afterimage_fade;
  afterimage_list.add(&copy);
}

// The dodge ghost: a see-through copy standing in front of the unit's home while it idles.
void FightMan::DrawGhost() {
  if (!(cond & cond_dodge) || atk != 0) return;
  ghost.act = act;
  ghost.qq = rest_pose;
  if (Take_3dActData(&ghost) != 1 || ghost.kind != act_kind_model) return;
  draw_act_model(&ghost, home.x, home.y, home.z + 100, 0, 180, 0, 0, 0, 0, ghost_colour, blend_alpha);
}

void FightMan::DrawStatusIcons() {
  if (!IsEnemy() || state != 0 || statuses.empty()) return;
  G3dVector head{}, screen{};
  GetPartPoint(&head, head_part);
  g3d_project_point(&head, &screen);
  int i = 0;
  for (StatusEntry& e : statuses) {
    if (!e.icon.act) continue;
    Take_3dActData(&e.icon);
    draw_act_3d(&e.icon, screen.x + float(icon_step * i - icon_step), screen.y - 15, 0, 0, 0, 0, 0, 0, 0, 0xFFFFFFFF,
                flat_on_screen);
    ++i;
  }
}

void FightMan::draw_body_model(std::uint32_t colour, std::uint32_t blend) {
  G3dPoly* model = GetPoly(body.resource);
  if (!model) return;
  PartTextureSwaps swaps;
  if (tex_override_on) apply_part_textures(model, tex_override_part, tex_override_act, tex_override_qq, swaps);
  show_face(*this, model, swaps);
  victory_trail(*this);
  G3dMatrix m;
  act_model_matrix(&body, &m, pos.x, pos.y, pos.z, rot_x, yaw, rot_z, 0, 0, 0);
  show_money(*this, m, model);
  follow_attachments(*this, m, model);
  Paint p{colour, blend};
  step_pulse(*this, p);
  renderer.draw_model(&m, body.picture, model, p.colour, body.draw_flags | p.blend);
  restore_part_textures(model, swaps);
  play_act_sound(&body);
  move_slot_effects(*this, m, model);
  drawn_colour = p.colour;
  drawn_blend = p.blend;
  // A weapon whose animation has no data ends the draw there.
  if (!DrawWeapon()) return;
  AddAfterimage();
}

void FightMan::Draw() {
  if (dead && (IsEnemy() || guest) && !dying && !pet && !(script_flags & script_stays_drawn)) return;
  if (withdrawn) return;
  const Paint p = body_paint(*this);
  // A unit that has faded out stays in the battle unseen.
  if (fading == 0 && fade_out == 1 && alpha == 0) return;
  ease_yaw_and_knockback(*this);
  if (body.resource && body.kind == act_kind_model) draw_body_model(p.colour, p.blend);
  else if (body.resource && body.kind == act_kind_quad) draw_sprite_body(*this, p);
  DrawStatusIcons();
  if (IsEnemy()) step_hp_bar(*this);
}
