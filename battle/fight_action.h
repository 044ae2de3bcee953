#pragma once
// The action being prepared in battle: its target, record and flags, the ATK script start, and
// the talisman gauge.
#include <cstdint>

#include "battle/atk_script.h"
#include "data/item_data.h"

class FightMan;

struct FightAction {
  ItemData action{};              // zeroed before each AI action
  int area = 0;
  int self_target = 0;
  int third_flag = 0;
  int ai_flee = 0;
  FightMan* targets[16] = {};
  int target_count = 0;
  FightMan* actor = nullptr;
};
extern FightAction fight_action;

// 1 when a further enemy can be called (a free spot and a free enemy slot; fight_choice.cpp).
int fight_can_call_companion();

// The talisman gauge: its element and count.
extern std::uint8_t talisman_gauge_element;
extern std::uint8_t talisman_gauge_count;
