#pragma once
// The title screen, game mode 100. Its entry keeps the mode-switch convention with two
// exceptions: entering does not remember the replaced mode, and leaving goes to the field.
#include <cstdint>

class TextInputField;

// The talk the title's story item queues.
constexpr std::uint16_t story_scene_talk = 10;
// The talk a new game starts with; it enters the first map.
constexpr std::uint16_t new_game_talk = 1;

// MODE_ENTER (unless the title is current): the new-game reset, then the title. MODE_RESUME:
// the title again. Anything else: the field (mode 0).
void SFLB_call_game_start(std::uint32_t flags, int, int);
// Enter starts a new game: the start list, the roles of map 0 (the leader's placement among
// them), the new game's talk queued for the narrator, the field.
void input_game_start();
void update_game_start();
void draw_game_start();

// The name entry's text field while it exists (game flag 8 routes window messages to it).
extern TextInputField* title_name_field;
