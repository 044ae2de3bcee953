// The battle HUD and the talisman gauge.
#include "battle/fight_hud.h"

#include <algorithm>

#include "battle/fight_action.h"
#include "battle/fight_globals.h"
#include "battle/fight_man.h"
#include "battle/fight_menu.h"
#include "battle/fight_text.h"
#include "core/flags.h"
#include "g3d/act_animation.h"
#include "g3d/act_draw.h"
#include "g3d/effects/afterimages.h"
#include "g3d/effects/effect_manager.h"
#include "g3d/renderer.h"
#include "gfx2d/game_fonts.h"
#include "ui/menu/menu_system.h"

int hud_visible = 1;
int hud_refresh = 0;
TalismanGauge talisman_gauge;
std::uint8_t& talisman_count = talisman_gauge_count;
std::uint8_t& talisman_element = talisman_gauge_element;

namespace {
constexpr std::uint16_t panel_act = 9131, bar_act = 9080, icon_act = 9081, rage_act = 9132, strip_act = 9133,
                        auto_act = 9143, talisman_act = 9144, owner_act = 9145;
constexpr int burst_effect = 1100;
constexpr int panel_step = 165, panel_width = 161;
constexpr int name_colour = 14, shadow_colour = 15, number_colour = 22;
constexpr int status_icon_step = 22;
constexpr int strip_x = 38, strip_y = 300, marker_x = 36;
constexpr int rage_bar_height = 6;
constexpr BlitFlags rage_blink_mode = blit_mode(4);  // the target's colour moved by the offsets

int pulse = 0, pulse_rising = 1;
int blink = 0, blink_rising = 1;
AfterimageList talisman_trail;

// A value that rises by step to top and falls back to 0, again and again.
void swing(int& v, int& rising, int step, int top) {
  if (rising) {
    v += step;
    if (v >= top) rising = 0;
  } else {
    v -= step;
    if (v <= 0) v = 0, rising = 1;
  }
}

void rest_position(int i, TalismanSlot& s) {
  s.x = 0;
  s.y = std::int16_t(4 + 4 * i);
}

void zero_gauge() {
  talisman_gauge = TalismanGauge{};
  talisman_count = talisman_element = 0;
}

void burst_at(int x, int y) {
  int id = -1;
  if (ParticleEmitter* e = fight_unit_effects.add(burst_effect, float(x), float(y), 0, &id)) e->start();
}

void draw_number(int x, int y, int value) {
  fight_text(font_16, x, y, number_colour, GLYPH_BOLD_SHADOW, "%5d", value);
}

void draw_bar(int px, int py, int row, int value, int maximum) {
  draw_gauge(bar_act, std::uint16_t(row + 1), px + 70, py + 34 + 16 * row, hud_bar_width(row, value, maximum));
  draw_number(px + 25, py + 30 + 16 * row, value);
  draw_act(icon_act, std::uint16_t(row), px + 15, py + 36 + 18 * row, 0);
}

void draw_rage(FightMan& u, int px, int py) {
  draw_act(rage_act, 0, px + 80, py + 12, 0);
  const float length = u.GetRageBar();
  if (length > 0) draw_act_part(rage_act, 1, px + 80, py + 12, int(length), rage_bar_height, 0);
  if (length > rage_blink_length) {
    // The whole fill once more, its blue raised by the blink value: the bar glows and dims.
    sprite_blitter.blit_add_b = blink;
    draw_act(rage_act, 1, px + 80, py + 12, rage_blink_mode);
  }
  swing(blink, blink_rising, 1, 30);
  fight_text(font_16, px + 130, py + 6, number_colour, GLYPH_PLAIN, "%3d", u.GetRole() ? int(u.GetRole()->rage) : 0);
}

void draw_panel(FightMan& u, int px, int py, bool acting) {
  if (acting) {
    swing(pulse, pulse_rising, 3, 80);
    renderer.draw_rect(px, py, panel_width, 480 - py, 0x50000000u | std::uint32_t(pulse) << 16 | std::uint32_t(pulse) << 8, 2);
  } else {
    renderer.draw_rect(px, py, panel_width, 480 - py, 0x50323232u, 2);
  }
  draw_act(panel_act, 0, px, py, 0);
  font_16.set_shadow_color(text_colours[shadow_colour]);
  draw_text_at(font_16, px + 10, py + 5, u.GetName(), text_colours[name_colour], GLYPH_BOLD_OUTLINE);
  font_16.set_shadow_color(0);
  const RoleData* r = u.GetRole();
  if (r) {
    draw_bar(px, py, 0, r->hp, r->max_hp);
    draw_bar(px, py, 1, r->mp, r->max_mp);
    draw_bar(px, py, 2, r->sp, r->max_sp);
  }
  draw_rage(u, px, py);
  int k = 0;
  for (const StatusEntry& e : u.statuses)
    if (e.icon.act) draw_act(e.icon.act, e.icon.qq, px + 20 + status_icon_step * k++, py + 76, 0);
}

void draw_party(int x, int y) {
  int guests = 0;
  for (int k = 0; k < fight_ally_count && k < fight_first_enemy; ++k) {
    FightMan& u = gmFightMan[k];
    if (u.IsGuest()) {
      const bool pet_shown = u.IsPet() && !(fight_flags & fight_solo_scene);
      if (pet_shown || (!u.IsPet() && !u.IsDead())) draw_guest_entry(&u, guests++);
      continue;
    }
    if (!u.IsWithdrawn()) draw_panel(u, x + panel_step * k, y, k == ActMan);
  }
}

bool is_command_target(int k) {
  if (ActMan < 0) return false;
  for (int i = 0; i < fight_action.target_count; ++i)
    if (fight_action.targets[i] == &gmFightMan[k]) return true;
  return false;
}

void draw_turn_strip() {
  draw_act(strip_act, 0, strip_x, strip_y, 0);
  for (int k = 0; k < fight_ally_count && k < fight_first_enemy; ++k) {
    FightMan& u = gmFightMan[k];
    if (!u.IsDead() && !u.IsWithdrawn()) u.DrawGauge(marker_x, strip_y, is_command_target(k));
  }
  for (int k = fight_first_enemy; k < fight_first_enemy + fight_enemy_count && k < fight_unit_slots; ++k)
    if (!gmFightMan[k].IsDead()) gmFightMan[k].DrawGauge(marker_x, strip_y, is_command_target(k));
}

void add_trail_copy(const TalismanSlot& top) {
  Afterimage a;
  a.instance.act = talisman_act;
  a.instance.qq = top.element;
  a.x = top.x, a.y = top.y;
  a.alpha = 255;
  a.red = a.green = a.blue = 255;
  a.flags = 0;
  talisman_trail.add(&a);
}
}  // namespace

int hud_bar_width(int row, int value, int maximum) {
  return gauge_width(row == 0 ? hud_hp_bar : row == 1 ? hud_mp_bar : hud_sp_bar, value, maximum);
}

void set_hud_visible(int on) { hud_visible = on; }

void fight_hud_reset() {
  hud_visible = 1;
  pulse = blink = 0;
  pulse_rising = blink_rising = 1;
  zero_gauge();
  talisman_trail.clear();
}

void fight_hud_draw(int x, int y) {
  if (!battle_over) {
    if (hud_visible == 1) draw_party(x, y);
    draw_turn_strip();
  }
  draw_talisman_gauge();
  if (fight_auto == 1) draw_act(auto_act, 0, 35, 270, 0);
}

void talisman_gain(std::uint16_t side, std::uint8_t element, std::uint8_t count, int x, int y) {
  TalismanGauge& g = talisman_gauge;
  g.flight.set_mode(3);
  g.flight.set_speed(10);
  g.replace = 0;
  g.animating = 1;
  g.spill_count = g.spill_element = 0;
  if (talisman_count && talisman_element != element) g.replace = 1;
  g.clear_after = 0;
  bool fill_all = false;
  const std::uint8_t side8 = std::uint8_t(side);
  if (element == 0) {
    // A clearing talisman: one more, and the gauge empties when it lands.
    ++talisman_count;
    g.clear_after = 1;
    g.side = side8;
  } else if (side8 != g.side) {
    if (element == talisman_element) {
      talisman_count = std::uint8_t(talisman_count + count);
      g.side = side8;
    } else {
      if (count > talisman_count) {
        g.spill_count = std::uint8_t(count - talisman_count);
        g.spill_element = element;
        g.replace = 1;
        g.side = side8;
        fill_all = true;
      } else {
        g.replace = 1;
        g.spill_count = std::uint8_t(talisman_count - count);
        g.spill_element = talisman_element;
      }
      if (g.spill_count == 0) g.spill_element = 0;
      talisman_count = std::uint8_t(talisman_count + count);
    }
  } else {
    if (talisman_count >= talisman_slots && g.replace == 0) {
      g.animating = 0;  // the gauge is full
      return;
    }
    if (element == talisman_element) {
      talisman_count = std::uint8_t(talisman_count + count);
    } else {
      talisman_count = std::uint8_t(talisman_count + count);
      g.spill_count = count;
      g.spill_element = element;
    }
    talisman_element = element;
  }
  talisman_count = std::min<std::uint8_t>(talisman_count, talisman_slots);
  g.spill_count = std::min<std::uint8_t>(g.spill_count, talisman_slots);
  if (talisman_count == 0) {
    g.animating = 0;  // no slot for the flying talisman
    return;
  }
  const int top = talisman_count - 1;
  if (fill_all) {
    for (int i = 0; i < talisman_count; ++i) g.slots[i].element = element;
  } else {
    g.slots[top].element = element;
  }
  g.flight.set_move(x, y, 0, 4 + 4 * talisman_count);
}

void talisman_land() {
  TalismanGauge& g = talisman_gauge;
  const int top = talisman_count > 0 ? talisman_count - 1 : 0;
  burst_at(g.slots[top].x, g.slots[top].y);
  g.animating = 0;
  if (g.replace == 1) {
    talisman_count = g.spill_count;
    talisman_element = g.spill_element;
  }
  for (int i = 0; i < talisman_count && i < talisman_slots; ++i) {
    g.slots[i].element = talisman_element;
    rest_position(i, g.slots[i]);
  }
  if (g.clear_after == 1) zero_gauge();
}

void talisman_clear() {
  if (talisman_count) burst_at(talisman_gauge.slots[0].x, talisman_gauge.slots[0].y);
  zero_gauge();
}

void draw_talisman_gauge() {
  TalismanGauge& g = talisman_gauge;
  if (g.animating == 1 && talisman_count > 0) {
    TalismanSlot& top = g.slots[talisman_count - 1];
    g.flight.update();
    top.x = std::int16_t(g.flight.get_x());
    top.y = std::int16_t(g.flight.get_y());
    if (g.flight.is_done()) talisman_land();
    else add_trail_copy(top);
  }
  talisman_trail.draw();
  for (int i = 0; i < talisman_count && i < talisman_slots; ++i)
    draw_act(talisman_act, g.slots[i].element, g.slots[i].x, g.slots[i].y, 0);
  if (g.animating == 0 && talisman_count > 0 && g.side > 0) {
    const TalismanSlot& top = g.slots[talisman_count - 1];
    draw_act(owner_act, std::uint16_t(g.side - 1), top.x, top.y + 30, 0);
  }
}
