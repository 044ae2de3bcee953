#pragma once
// A monster's card on the residents and formation pages: its name, level, type badge and type
// name, the maxima of its three bars, its five combat values and its four workshop skills. The
// card sits at a panel's origin; the pages differ only in the rows' heights.
#include "data/item_data.h"

struct MonsterCardLayout {
  int name_y;    // the name
  int type_y;    // the level and the type name; the badge 8 pixels higher
  int bars_y;    // the three bar pictures 20 apart; their maxima 7 pixels lower
  int combat_y;  // the five combat labels 20 apart; the values 2 pixels lower
  int skills_y;  // the four skill labels 20 apart; the values 2 pixels lower
};
constexpr MonsterCardLayout resident_card_layout{58, 81, 105, 180, 285};
constexpr MonsterCardLayout detail_card_layout{18, 58, 85, 160, 270};

// "攻擊:", "防禦:", "速度:", "仙攻:", "仙防:".
extern const char* const combat_labels[5];

// A kind-130 monster shows a tenth of its maximum HP.
void draw_monster_card(const ItemData& d, int x, int y, const MonsterCardLayout& layout);
