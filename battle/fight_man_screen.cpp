// The battle unit on the screen: picking it with the pointer, the points of it the screens
// and scripts aim at, and the bars and turn marker the HUD draws for it.
#include "battle/fight_man.h"
#include "g3d/act_draw.h"
#include "g3d/geometry.h"
#include "g3d/model_cache.h"

namespace {
constexpr std::uint16_t gauge_act = 9080, gauge_hp_qq = 1;
constexpr std::uint16_t marker_act = 9134, portrait_act = 9135, monster_icon_act = 9098, monster_icon_lit_act = 9099;
constexpr int strip_height = 140;
}  // namespace

int FightMan::PickTest(int x, int y, float* depth) const {
  G3dMatrix m;
  g3d_mat_identity(&m);
  g3d_mat_set_translation(pos.x, pos.y, pos.z, &m);
  return g3d_pick_box(float(x), float(y), depth, m, body.box);
}

void FightMan::GetScreenPos(int* x, int* y) const {
  const G3dVector p{pos.x, pos.y + body.box.max.y + 10, pos.z, 1};
  G3dVector s{};
  g3d_project_point(&p, &s);
  *x = int(s.x);
  *y = int(s.y);
}

void FightMan::GetPartPoint(G3dVector* out, int part) const {
  *out = pos;
  G3dPoly* model = GetPoly(body.resource);
  G3dMatrix m;
  act_model_matrix(&body, &m, pos.x, pos.y, pos.z, 0, yaw, 0, 0, 0, 0);
  if (!model || !renderer.get_part_point(&m, model, body.picture, part, out)) {
    *out = pos;
    out->y = GetTopY();
  }
}

void FightMan::DrawHpBar(int x, int y) const { draw_gauge(gauge_act, gauge_hp_qq, x, y, hp_bar); }

float FightMan::GetRageBar() const { return role ? float(role->rage) / 100.0f * 50.0f : 0.0f; }

void FightMan::DrawGauge(int x, int y, int highlight) {
  const int h = int(float(atb) / 1000.0f * float(strip_height));
  const int my = y + strip_height - h;
  const bool party = IsAlly() != 0;
  if (atb_full) {
    gauge.act = marker_act;
    gauge.qq = party ? 1 : 3;
    Take_3dActData(&gauge);
    draw_act_instance(&gauge, x, my + 10, 0);
  } else {
    draw_act(marker_act, party ? 0 : 2, x, my + 10, 0);
  }
  const std::uint16_t icons = highlight ? monster_icon_lit_act : monster_icon_act;
  if (IsEnemy()) {
    draw_act(icons, portrait, x + 8, my - 4, 0);
  } else if (guest && !pet && !solo_hero) {
    draw_act(icons, portrait, x - 35, my - 2, 0);
  } else {
    draw_act(portrait_act, std::uint16_t(highlight ? portrait + 3 : portrait - 1), x - 35, my - 2, 0);
  }
}
