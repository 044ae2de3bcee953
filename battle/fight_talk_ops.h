#pragma once
// The fight-talk commands by group; each reads its operands from the run's cursor and says how
// the step goes on: continue, yield, wait, or (EventGone) the script was moved by the command.
#include "battle/fight_talk.h"

class FightMan;

// Reports the command as bad and stops the script; the battle can then be won.
void fight_talk_halt(std::uint16_t op);
// Stops the script without a report and lets the battle be won.
void fight_talk_stop();
// The unit of an operand, or null (reported) for an index past the 16 units.
FightMan* fight_talk_unit(FightTalkRun& run, std::uint16_t unit);
// A test's jump: taken, the script moves by the 32-bit operand (counted from the operand) and
// the step goes on; otherwise the operand is passed and the step goes on as on_pass says.
SliceResult fight_talk_jump_if(FightTalkRun& run, bool taken, SliceResult on_pass);

// Flow and flags (fight_talk_flow_ops.cpp).
SliceResult fight_talk_goto(FightTalkRun& run);            // 1
SliceResult fight_talk_if_flag(FightTalkRun& run);         // 2
SliceResult fight_talk_unless_flag(FightTalkRun& run);     // 3
SliceResult fight_talk_if_all_flags(FightTalkRun& run);    // 4
SliceResult fight_talk_if_any_flag(FightTalkRun& run);     // 5
SliceResult fight_talk_set_flag(FightTalkRun& run);        // 6
SliceResult fight_talk_clear_flag(FightTalkRun& run);      // 7
SliceResult fight_talk_wait_time(FightTalkRun& run);       // 9
SliceResult fight_talk_wait_turns(FightTalkRun& run);      // 22
SliceResult fight_talk_if_chance(FightTalkRun& run);       // 170
// Boxes and choices (fight_talk_box_ops.cpp).
SliceResult fight_talk_box(FightTalkRun& run);             // 10
SliceResult fight_talk_box_colour(FightTalkRun& run);      // 11
SliceResult fight_talk_box_frame(FightTalkRun& run);       // 12
SliceResult fight_talk_wait_box(FightTalkRun& run);        // 13
SliceResult fight_talk_char_spacing(FightTalkRun& run);    // 14
SliceResult fight_talk_line_spacing(FightTalkRun& run);    // 15
SliceResult fight_talk_typing_speed(FightTalkRun& run);    // 16
SliceResult fight_talk_choice(FightTalkRun& run);          // 17
// Units and scene (fight_talk_unit_ops.cpp).
SliceResult fight_talk_camera(FightTalkRun& run);          // 23
SliceResult fight_talk_change_monster(FightTalkRun& run);  // 50
SliceResult fight_talk_solo_scene(FightTalkRun& run);      // 53
SliceResult fight_talk_close_formation(FightTalkRun& run); // 54
SliceResult fight_talk_set_unit_flags(FightTalkRun& run);  // 60
SliceResult fight_talk_clear_unit_flags(FightTalkRun& run);// 61
SliceResult fight_talk_call_companion(FightTalkRun& run);  // 80
SliceResult fight_talk_action(FightTalkRun& run);          // 81
SliceResult fight_talk_if_dead(FightTalkRun& run);         // 100
SliceResult fight_talk_if_hp_below(FightTalkRun& run);     // 103
SliceResult fight_talk_effect(FightTalkRun& run);          // 190
SliceResult fight_talk_wait_effect(FightTalkRun& run);     // 191
SliceResult fight_talk_effect_offset(FightTalkRun& run);   // 192
SliceResult fight_talk_pose(FightTalkRun& run);            // 210
SliceResult fight_talk_wait_pose(FightTalkRun& run);       // 211
SliceResult fight_talk_facing(FightTalkRun& run);          // 212
SliceResult fight_talk_act(FightTalkRun& run);             // 213
SliceResult fight_talk_battlefield(FightTalkRun& run);     // 214
// Items and resources (fight_talk_item_ops.cpp).
SliceResult fight_talk_if_item(FightTalkRun& run);         // 101
SliceResult fight_talk_if_poor(FightTalkRun& run);         // 102
SliceResult fight_talk_resources(FightTalkRun& run);       // 130
SliceResult fight_talk_give_item(FightTalkRun& run);       // 131
SliceResult fight_talk_take_item(FightTalkRun& run);       // 132
// Battle control (fight_talk_battle_ops.cpp).
SliceResult fight_talk_music(FightTalkRun& run);           // 20
SliceResult fight_talk_allow_victory(FightTalkRun& run);   // 21
SliceResult fight_talk_hold_on(FightTalkRun& run);         // 24
SliceResult fight_talk_hold_off(FightTalkRun& run);        // 25
SliceResult fight_talk_no_escape(FightTalkRun& run);       // 51
SliceResult fight_talk_set_music(FightTalkRun& run);       // 52
SliceResult fight_talk_victory(FightTalkRun& run);         // 150, 151
SliceResult fight_talk_may_lose(FightTalkRun& run);        // 152
SliceResult fight_talk_fade_end(FightTalkRun& run);        // 153
SliceResult fight_talk_next_battle(FightTalkRun& run);     // 154
