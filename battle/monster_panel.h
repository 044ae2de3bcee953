#pragma once
// The monster data panel: a monster's name, level, HP, MP, SP and six combat values over the
// battle screen, shown by the see-through command and the developer key F3.
#include "data/item_data.h"

extern int monster_info_shown;  // 1 while the panel is shown
extern int see_through_result;  // 1 the values are readable, 0 each reads "??????"

// The panel's eleven rows of text for a record: label and value.
struct MonsterPanelRow {
  const char* label;
  char value[40];
};
constexpr int monster_panel_rows = 11;
void monster_panel_texts(const ItemData& rec, int readable, MonsterPanelRow out[monster_panel_rows]);
void draw_monster_panel(const ItemData* rec);
// The panel for the highlighted target's live record (the battle drawing, while it is shown).
void draw_target_monster_panel();
