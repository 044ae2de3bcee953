// The results screen's drawing: the experience panels, the level-up panel and its banner, the
// spoils and the defeat prompt.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "base/resources.h"
#include "battle/fight_globals.h"
#include "battle/fight_man.h"
#include "battle/fight_result.h"
#include "battle/fight_result_screen.h"
#include "battle/fight_text.h"
#include "data/party.h"
#include "g3d/act_draw.h"
#include "g3d/effects/effect_manager.h"
#include "g3d/effects/scripted_effects.h"
#include "gfx2d/game_fonts.h"
#include "ui/window_frame.h"

namespace {
constexpr std::uint16_t background_act = 9140, background_qq = 2, frame_act = 9009, banner_frame_act = 9002,
                        portrait_act = 9018, levelup_act = 9141, arrow_act = 9068, resource_act = 9926,
                        prompt_act = 9120, banner_picture_act = 7103;
constexpr int label_colour = 7, value_colour = 24, title_colour = 26, spoil_colour = 20, prompt_colour = 18;
constexpr BlitFlags fallen_shade = blit_mode(10);  // the portrait of a fallen member turns grey

// "等級:", "獲得經驗值:", "下一級經驗值:", "每個法寶經驗值:"
constexpr const char* member_labels[4] = {
    "\xB5\xA5\xAF\xC5:",
    "\xC0\xF2\xB1o\xB8g\xC5\xE7\xAD\xC8:",
    "\xA4U\xA4@\xAF\xC5\xB8g\xC5\xE7\xAD\xC8:",
    "\xA8\x43\xAD\xD3\xAAk\xC4_\xB8g\xC5\xE7\xAD\xC8:",
};
constexpr char level_format[] = "     %2d";
constexpr char amount_format[] = "             %8d";
constexpr char results_title[] = "\xBE\xD4\xB0\xAB\xB5\xB2\xAAG";  // 戰鬥結果
constexpr char level_rose_format[] = "%s\xA4\xC9\xB2\xC4%d\xAF\xC5";  // %s升第%d級
constexpr char learned_format[] = "%s\xBE\xC7\xA8\xEC%s";               // %s學到%s
constexpr char spoils_title[] = "\xC0\xF2\xB1o\xAA\xAB\xAB~";          // 獲得物品
constexpr char won_label[] = "\xC0\xF2\xB1o";                          // 獲得
constexpr char held_label[] = "\xB2{\xA6\xB3";                         // 現有
constexpr char resource_format[] = "        %-7d";
constexpr char prompt_text[] = "\xBD\xD0\xAB\xF6\x45NTER\xC1\xE4\xC2\xF7\xB6}";  // 請按ENTER鍵離開

// The level-up panel's rows: the label with the old value, and the value of a record.
struct StatRow {
  const char* format;
  int (*value)(const RoleData&);
};
constexpr StatRow stat_rows[] = {
    {"\xA5\xCD\xA9R:  %4d", [](const RoleData& r) { return int(r.max_hp); }},                  // 生命
    {"\xC6\x46\xA4O:  %4d\t", [](const RoleData& r) { return int(r.max_mp); }},                // 靈力
    {"\xC5\xE9\xA4O:  %4d", [](const RoleData& r) { return int(r.max_sp); }},                  // 體力
    {"\xA7\xF0\xC0\xBB\xA4O:%4d", [](const RoleData& r) { return int(r.stats[stat_attack]); }},  // 攻擊力
    {"\xA8\xBE\xBFm\xA4O:%4d", [](const RoleData& r) { return int(r.stats[stat_defence]); }},    // 防禦力
    {"\xB3t\xAB\xD7:  %4d", [](const RoleData& r) { return int(r.stats[stat_speed]); }},         // 速度
    {"\xA5P\xA7\xF0:  %4d", [](const RoleData& r) { return int(r.stats[stat_magic_attack]); }},  // 仙攻
    {"\xA5P\xA8\xBE:  %4d", [](const RoleData& r) { return int(r.stats[stat_magic_defence]); }}, // 仙防
};
constexpr char new_value_format[] = "               %4d";

struct Column {
  const std::int32_t* won;
  const std::int32_t* held;
  std::uint16_t icon;
};

void text(GlyphFont& font, int x, int y, int colour, const char* s) {
  draw_text_at(font, x, y, s, text_colours[colour], GLYPH_BOLD_SHADOW);
}

std::uint16_t portrait_of(int k) { return std::uint16_t(std::clamp(fight_party_slot[k & 3], 0, 2)); }

void draw_member_panel(int p, int k) {
  Tween& t = result_member_tweens[p];
  t.update();
  const int px = t.get_x(), py = t.get_y();
  const RoleData& r = *gmFightMan[k].GetRole();
  draw_window_frame(frame_act, px, py, 640, 140);
  draw_act(portrait_act, portrait_of(k), px + 100, p * 140 + 185, 0);
  if (r.flags & 1) draw_act(portrait_act, portrait_of(k), px + 100, p * 140 + 185, fallen_shade);
  const int x = px + 180;
  const int values[4] = {r.stats[stat_level], result_exp_left[k], std::max(int(r.next_exp - r.exp), 0),
                         result_treasure_share[k]};
  for (int row = 0; row < 4; ++row) {
    const int y = py + 15 + 30 * row;
    text(font_20, x, y, label_colour, member_labels[row]);
    fight_text(font_20, x, y, value_colour, GLYPH_BOLD_SHADOW, row == 0 ? level_format : amount_format, values[row]);
  }
  if (ParticleEmitter* e = fight_unit_effects.get(result_panel_effects[p]))
    e->set_xyz(float(p == 1 ? px - 60 : px + 700), float(py + 70), 0);
}
}  // namespace

void draw_result_background() { draw_act(background_act, background_qq, 0, 0, 0); }

void draw_experience_screen() {
  int p = 0;
  for (int k = 0; k < fight_first_enemy && p < result_member_panels; ++k) {
    const FightMan& u = gmFightMan[k];
    if (u.IsAlly() && !u.IsGuest() && u.GetRole()) draw_member_panel(p++, k);
  }
  result_title_tween.update();
  const int y = result_title_tween.get_y();
  draw_window_frame(frame_act, result_title_tween.get_x(), y, 640, 60);
  text(font_20, 280, y + 22, title_colour, results_title);
}

void draw_levelup_panel() {
  const int slot = result_levelup_slot;
  if (slot < 0 || slot >= party_member_count) return;
  Tween& a = result_levelup_tweens[0];
  Tween& b = result_levelup_tweens[1];
  a.update();
  b.update();
  draw_act(levelup_act, 0, a.get_x(), a.get_y(), 0);
  draw_act(levelup_act, 1, b.get_x(), b.get_y(), 0);
  draw_act(portrait_act, std::uint16_t(std::min(slot, 2)), b.get_x() + 55, b.get_y() + 120, 0);
  if (result_levelup_effect == 1 && Take_3dActData(&result_levelup_anim) == 1)
    draw_act_3d(&result_levelup_anim, float(b.get_x() - 120), float(b.get_y() + 90), 0, 0, 0, 0, 1, 1, 1,
                0xFFFFFFFF, 0);
  if (!a.is_done()) return;
  const RoleData& now = gmRoleData[slot];
  const RoleData& before = result_levelup_backup;
  fight_text(font_20, 270, 60, label_colour, GLYPH_BOLD_SHADOW, level_rose_format, now.name, int(now.stats[stat_level]));
  int y = 90;
  for (const StatRow& row : stat_rows) {
    const int old_value = row.value(before), new_value = row.value(now);
    fight_text(font_20, 230, y, label_colour, GLYPH_BOLD_SHADOW, row.format, old_value);
    if (new_value > old_value) {
      fight_text(font_20, 230, y, value_colour, GLYPH_BOLD_SHADOW, new_value_format, new_value);
      draw_act(arrow_act, 0, 360, y - 5, 0);
    }
    y += 25;
  }
}

void draw_learned_banner() {
  const int slot = result_levelup_slot;
  if (slot < 0 || slot >= party_member_count) return;
  char line[96];
  std::snprintf(line, sizeof line, learned_format, gmRoleData[slot].name, result_learned_name);
  const int length = int(std::strlen(line));
  const int x = 320 - length * 12 / 2;
  draw_window_frame(banner_frame_act, x, 320, length / 2 * 26, 50);
  text(font_20, x + 16, 332, label_colour, line);
  G3dVector at{};
  if (get_special_effect_pos(banner_picture_act, 0, &at))
    if (ParticleEmitter* e = fight_unit_effects.get(result_panel_effects[0])) e->set_xyz(at.x, at.y, at.z);
}

void draw_spoils_screen() {
  draw_window_frame(frame_act, 0, 100, 640, 60);
  text(font_20, 280, 122, title_colour, spoils_title);
  draw_window_frame(frame_act, 0, 160, 640, 320);
  for (int i = 0; i < fight_spoil_count && i < spoils_max; ++i)
    fight_text(font_20, 200, 180 + 30 * i, spoil_colour, GLYPH_BOLD_SHADOW, "%-16s X %2d", fight_spoils[i].name,
               int(fight_spoils[i].count));
  draw_window_frame(frame_act, 0, 0, 640, 100);
  text(font_20, 50, 20, title_colour, won_label);
  text(font_20, 50, 55, title_colour, held_label);
  const Column columns[4] = {{&battle_money, &party_money, 33},
                             {&battle_metal, &party_metal, 30},
                             {&battle_wood, &party_wood, 31},
                             {&battle_coal, &party_coal, 32}};
  for (int c = 0; c < 4; ++c) {
    const int x = 50 + 120 * c;
    fight_text(font_20, x, 20, value_colour, GLYPH_BOLD_SHADOW, resource_format, int(*columns[c].won));
    fight_text(font_20, x, 55, spoil_colour, GLYPH_BOLD_SHADOW, resource_format, int(*columns[c].held));
    draw_act(resource_act, columns[c].icon, x + 50, 14, 0);
    draw_act(resource_act, columns[c].icon, x + 50, 50, 0);
  }
}

void draw_defeat_prompt() {
  if (result_prompt_anim.act == 0) result_prompt_anim.act = prompt_act;
  if (Take_3dActData(&result_prompt_anim) == 1) draw_act_instance(&result_prompt_anim, 0, 0, 0);
  draw_text_at(font_12, 520, 440, prompt_text, text_colours[prompt_colour], GLYPH_SHADOW);
}
