#pragma once
// Small rules around an action: the automatic attack of a party member (auto-battle or
// madness), an enemy calling a reinforcement, and the two camera presets of a turn. The battle
// AI's choice and the cost of an action are FightMan methods (fight_choice.cpp).
#include <cstdint>

#include "g3d/camera.h"

extern int auto_target;  // the unit the automatic attack keeps hitting; -1 none

// The automatic attack of the acting party member (ActMan): with auto-battle on or in madness,
// the weapon record becomes the chosen action and its targets are listed (one remembered
// standing enemy, or every standing enemy for a weapon that hits all); 1 when it chose, 0 when
// the menu must open. The caller confirms the choice as the menu's target step does.
int fight_auto_targets(int auto_battle_on);

// The automatic turn of the acting party member: with its targets listed, the wheel's first
// command is confirmed on them through the target step; 1 when it acted, 0 when the menu must
// open.
int fight_auto_turn();

// The ten spots a reinforcement may stand on, in order.
constexpr int companion_spot_count = 10;
// Spot i of the ten, and whether it has ground and no standing enemy in its way.
void companion_spot(int i, float* x, float* z);
int companion_spot_free(int i);
// Places monster m on the first free spot in the first dead or unused enemy slot: 1 placed.
int fight_call_companion(std::uint16_t monster);

// The saved view that the overview preset returns to.
extern Camera fight_cam_saved;
// The camera on the acting unit while a command is chosen, and back to the saved view.
void fight_camera_actor();
void fight_camera_overview();
