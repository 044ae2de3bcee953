// The monster card.
#include "base/monster_card.h"

#include <cstdio>

#include "base/base_top_menu.h"
#include "data/battle_fields.h"
#include "data/maps_lookups.h"
#include "gfx2d/game_fonts.h"

const char* const combat_labels[5] = {"\xA7\xF0\xC0\xBB\x3A", "\xA8\xBE\xBF\x6D\x3A", "\xB3\x74\xAB\xD7\x3A",
                                      "\xA5\x50\xA7\xF0\x3A", "\xA5\x50\xA8\xBE\x3A"};

namespace {

constexpr std::uint16_t bar_act = 9081;  // HP, MP and SP pictures
constexpr int tenth_hp_kind = 130;
const char* const skill_labels[4] = {"\xA7\x4D\xAA\xF7\x3A", "\xBE\xE3\xB3\xC6\x3A", "\xBB\x73\xC3\xC4\x3A",
                                     "\xAF\xAB\xA7\xDE\x3A"};  // 冶金: 整備: 製藥: 神技:

void draw_value(int x, int y, int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", value);
  draw_bold(base_font_12, x, y, text, 15);
}

}  // namespace

void draw_monster_card(const ItemData& d, int x, int y, const MonsterCardLayout& l) {
  char text[48];
  draw_bold(base_font_16, x + 30, y + l.name_y, d.NAME, 18);
  draw_type_badge(d.kind, x + 75, y + l.type_y - 8);
  if (read_maps_type_name(d.kind, text, sizeof text)) draw_bold(base_font_16, x + 105, y + l.type_y, text, 15);
  std::snprintf(text, sizeof text, "%2d\xAF\xC5", int(d.level));  // 級
  draw_bold(base_font_16, x + 30, y + l.type_y, text, 15);
  const int bars[3] = {d.kind == tenth_hp_kind ? d.max_hp / 10 : d.max_hp, d.max_mp, d.max_sp};
  for (int k = 0; k < 3; ++k) {
    draw_base_sprite(bar_act, std::uint16_t(k), x + 30, y + l.bars_y + 20 * k);
    draw_value(x + 70, y + l.bars_y + 7 + 20 * k, bars[k]);
  }
  const int combat[5] = {d.stats[combat_attack], d.stats[combat_defence], item_speed_value(d),
                         d.stats[combat_magic_attack], d.stats[combat_magic_defence]};
  for (int k = 0; k < 5; ++k) {
    draw_bold(base_font_14, x + 30, y + l.combat_y + 20 * k, combat_labels[k], 25);
    draw_value(x + 70, y + l.combat_y + 2 + 20 * k, combat[k]);
  }
  for (int k = 0; k < 4; ++k) {
    draw_bold(base_font_14, x + 30, y + l.skills_y + 20 * k, skill_labels[k], 17);
    draw_value(x + 70, y + l.skills_y + 2 + 20 * k, d.skill_need[k]);
  }
}
