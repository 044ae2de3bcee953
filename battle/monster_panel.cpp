// The monster data panel.
#include "battle/monster_panel.h"

#include <cstdio>
#include <cstring>

#include "battle/fight_globals.h"
#include "battle/fight_man.h"
#include "battle/fight_text.h"
#include "data/battle_fields.h"
#include "gfx2d/game_fonts.h"
#include "ui/window_frame.h"

int monster_info_shown = 0;
int see_through_result = 0;

namespace {
constexpr const char* labels[monster_panel_rows] = {
    "\xA6W\xA6r",              // 名字
    "\xB5\xA5\xAF\xC5",        // 等級
    "\xA5\xCD\xA9R",           // 生命
    "\xC6\x46\xA4O",            // 靈力
    "\xC5\xE9\xA4O",           // 體力
    "\xA7\xF0\xC0\xBB\xA4O",   // 攻擊力
    "\xA8\xBE\xBFm\xA4O",      // 防禦力
    "\xB3t\xAB\xD7",           // 速度
    "\xA5P\xA7\xF0",           // 仙攻
    "\xA5P\xA8\xBE",           // 仙防
    "\xA5P\xA9R",              // 仙命
};
constexpr char hidden[] = "??????";
constexpr int label_colour = 7, value_colour = 6;
constexpr std::uint16_t frame_act = 9002;

int signed_stat(const ItemData& r, int word) { return std::int16_t(r.stats[word]); }
}  // namespace

void monster_panel_texts(const ItemData& rec, int readable, MonsterPanelRow out[monster_panel_rows]) {
  for (int r = 0; r < monster_panel_rows; ++r) {
    out[r].label = labels[r];
    std::snprintf(out[r].value, sizeof out[r].value, "%s", hidden);
  }
  if (!readable) return;
  std::snprintf(out[0].value, sizeof out[0].value, "%.31s", rec.NAME);
  std::snprintf(out[1].value, sizeof out[1].value, "%d", int(rec.level));
  std::snprintf(out[2].value, sizeof out[2].value, "%d/%d", int(rec.hp), int(rec.max_hp));
  std::snprintf(out[3].value, sizeof out[3].value, "%d/%d", int(rec.mp), int(rec.max_mp));
  std::snprintf(out[4].value, sizeof out[4].value, "%d/%d", int(rec.sp), int(rec.max_sp));
  std::snprintf(out[5].value, sizeof out[5].value, "%d", signed_stat(rec, combat_attack));
  std::snprintf(out[6].value, sizeof out[6].value, "%d", signed_stat(rec, combat_defence));
  std::snprintf(out[7].value, sizeof out[7].value, "%d", int(item_speed_value(rec) & 0xFF));
  std::snprintf(out[8].value, sizeof out[8].value, "%d", signed_stat(rec, combat_magic_attack));
  std::snprintf(out[9].value, sizeof out[9].value, "%d", signed_stat(rec, combat_magic_defence));
  std::snprintf(out[10].value, sizeof out[10].value, "%d", signed_stat(rec, combat_value_14));
}

void draw_monster_panel(const ItemData* rec) {
  if (!rec) return;
  draw_window_frame(frame_act, 10, 10, 620, 460);
  MonsterPanelRow rows[monster_panel_rows];
  monster_panel_texts(*rec, see_through_result, rows);
  for (int r = 0; r < monster_panel_rows; ++r) {
    const int y = 25 + 35 * r;
    draw_text_at(font_20, 30, y, rows[r].label, text_colours[label_colour], GLYPH_BOLD_SHADOW);
    draw_text_at(font_20, r < 5 ? 140 : 130, y, rows[r].value, text_colours[value_colour], GLYPH_BOLD_SHADOW);
  }
}

void draw_target_monster_panel() {
  if (fight_main_target < 0 || fight_main_target >= fight_unit_slots) return;
  ItemData rec{};
  gmFightMan[fight_main_target].GetMonsterRecord(&rec);
  draw_monster_panel(&rec);
}
