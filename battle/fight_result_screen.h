#pragma once
// The results screen: the screens after a decided battle, each a value of fight_menu_state.
// After a victory: the wait and fade, the experience counted into the party, one level-up
// screen per level gained (with a banner for a spell learned), the spoils; after a defeat a
// prompt. Each path ends in fight_end. fight_result_update (fight_menu.h) runs the state's
// screen once a frame and fight_result_confirm moves it on.
#include <cstdint>

#include "g3d/act_animation.h"
#include "ui/tween.h"

enum ResultState : int {
  result_victory = 100,     // the victory poses, then fade out and in
  result_experience = 101,  // the experience screen
  result_levelups = 102,    // the next level-up, or the spoils when none is left
  result_learned_banner = 103,
  result_spoils = 110,
  result_leaving = 300,  // the spoils fade out; the battle ends
  result_defeat = 200,
  result_defeat_prompt = 201,
};

constexpr int result_wait_start = 220;  // falls by 2 a frame: 110 frames of victory poses
constexpr int result_member_panels = 3;

extern int result_counting;        // 1 while the experience or the money is being counted
extern int result_levelup_effect;  // 1 while the level-up animation plays
extern int result_fade_started;
extern std::int16_t result_frames;  // frames of the defeat screen
extern int result_tick;             // toggles the counting sound
extern ActInstance result_levelup_anim;
extern ActInstance result_prompt_anim;
extern Tween result_member_tweens[result_member_panels];
extern Tween result_title_tween;
extern Tween result_levelup_tweens[2];  // panel A, panel B
extern int result_panel_effects[result_member_panels];  // ids in fight_unit_effects; -1 none

// A battle starts: the screen's state, the results' rules and the spoils list afresh.
void result_screen_reset();
// The first confirm of the experience screen: a box for each worn treasure whose level rose,
// and the experience's tenth for the spell under study (a box when it is learned).
void result_messages();
// The banner of a learned spell: its picture flies across from (x, y).
void start_learned_banner(int x, int y);

// The screens' drawing (fight_result_draw.cpp); they read the state and change nothing but
// their tweens and effects' positions.
void draw_result_background();
void draw_experience_screen();
void draw_levelup_panel();
void draw_learned_banner();
void draw_spoils_screen();
void draw_defeat_prompt();
