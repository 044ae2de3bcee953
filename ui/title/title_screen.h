#pragma once
// The title screen, game mode 100: the animated title with its menu of five items. Its entry
// keeps the mode-switch convention with two exceptions: entering does not remember the replaced
// mode, and leaving goes to the field.
#include <cstdint>

#include "g3d/act_animation.h"

class TextInputField;

// The talk the title's story item queues.
constexpr std::uint16_t story_scene_talk = 10;
// The talk a new game starts with; it enters the first map.
constexpr std::uint16_t new_game_talk = 1;
// The speaker the title's talks are queued for.
constexpr std::uint16_t title_talk_speaker = 0xFF01;

// The title's animation: QQ 0 the background picture, QQ 9 the intro, QQ 10 the transition.
constexpr std::uint16_t title_act = 9014;
constexpr std::uint16_t title_background_qq = 0;
constexpr std::uint16_t title_intro_qq = 9;
constexpr std::uint16_t title_transition_qq = 10;
// The menu items: QQ i, or i + 5 for the chosen item.
constexpr std::uint16_t title_menu_act = 9036;

// The title's steps.
enum TitleState : int {
  title_start = 0,        // music and the base map
  title_intro = 1,        // the intro plays
  title_transition = 2,   // the chosen item's transition plays
  title_menu = 20,        // the menu waits for a choice
  title_options = 21,     // the options panel
  title_act_on_choice = 100,
  title_start_new_game = 110,
};
// The menu's items.
enum TitleChoice : int { title_new_game = 0, title_load, title_options_item, title_story, title_quit, title_items };

extern int title_state;
extern int title_choice;
extern ActInstance title_instance;

// The menu item under the mouse, or -1.
int title_item_at(int x, int y);

// Always clears the title's effects first (the first battle manager, which talks share).
// MODE_ENTER (unless the title is current): the new-game reset, fame.dat, and the title from its
// start. MODE_RESUME: the title again. Anything else: the field (mode 0).
void SFLB_call_game_start(std::uint32_t flags, int, int);
void input_game_start();
void update_game_start();
void draw_game_start();

// The name entry's text field while it exists (game flag 8 routes window messages to it). The
// title has no name entry: it stays null.
extern TextInputField* title_name_field;
