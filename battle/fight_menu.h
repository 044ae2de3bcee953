#pragma once
// The battle's command menu and results screen as the engine reaches them. These are the least
// versions until the player's side of the battle lands: Enter on a party member's turn attacks
// the first standing enemy with the weapon, and a decided battle ends at the next results step.
#include <cstdint>

extern int fight_menu_state;  // 0 closed, 1 open; 100 the results, 200 the defeat
extern int fight_menu_open;
extern int result_wait;

void fight_menu_reset();
// A party member's turn has begun: the menu opens for it.
void fight_open_menu(int unit);
void fight_cmd_input();
// The open menu's attack: the first standing enemy, with the weapon.
void fight_menu_attack();
void fight_menu_draw(int x, int y);
void fight_result_update();
