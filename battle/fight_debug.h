#pragma once
// The battle's developer tools, live while the developer keys are on: keys that reload the ATK
// scripts, switch the battlefield world, give talismans, heal, wound or defeat units, make the
// party invincible, freeze either side's turns, stop enemies fleeing, replay an enemy's ATK
// script, show the monster panel and end the battle; the information overlay; and the edit mode
// that freezes the battle to place its camera.
#include <cstdint>

#include "battle/fight.h"
#include "battle/fight_debug_atk.h"
#include "field/edit_mode.h"  // edit_point: the one point both edit modes move

// The switches keep their values from battle to battle; a battle neither sets nor clears them.
extern int& fight_invincible;  // ChangeHp changes nothing and reports no death
extern int fight_no_flee;      // an enemy granted flight stays
extern int fight_enemy_lock;   // no enemy gauge fills, no enemy turn starts
extern int fight_party_lock;   // the same for the party side

// 1 while the scans must not fill the gauges of that unit's side.
int fight_side_locked(int unit);

// The battle's key step: the developer keys, then the command menu.
void fight_debug_input();
// The edit mode's keys (while game flag 8053 is set).
void fight_edit_input();
// Edit mode on (F2 while off) and off with every edit discarded (F2 while on).
void fight_edit_toggle();
// Edit mode off keeping the edits (Enter).
void fight_edit_keep();
// The battle ends: an edit mode still on lets go of the paused effects.
void fight_debug_end();
void fight_debug_overlay();

// The edit mode's state.
struct EditSavedCamera {
  Camera camera;
  FightCamSetup setup;
  float view_scale = 0, view_far = 0, view_near = 0;
};
extern EditSavedCamera edit_saved_camera;
extern int edit_unit;
extern int edit_enemy_cursor;
// The ground direction an arrow moves the edit point at camera yaw (degrees): x and z steps of
// length 1.
void edit_arrow_step(int base_degrees, float yaw, float* dx, float* dz);
