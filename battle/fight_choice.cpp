// The battle AI's action choice, in its least form: the plain attack and the end of the turn.
// Slot actions, costs and reinforcements come with the player's side of the battle.
#include <cstring>

#include "battle/fight_man.h"

int FightMan::AiChooseAction(std::uint16_t choice, FightMan* target_unit, ItemData* out) {
  if (choice == 1) {
    SetCommand(1);
    if (out) *out = action;
    if (target_unit) target = int(target_unit - gmFightMan);
    return 1;
  }
  if (choice == 2) {
    EndTurn();
    return 1;
  }
  return 0;
}
