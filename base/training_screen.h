#pragma once
// The magic training screen (base sub-mode 7). Pages 0-2: the list of masters who may teach in
// the training hall picked_house_id names, with the questions whether to replace or withdraw
// the master. Page 3: the magic page, where learned spells go into the party's eight slots.
#include <cstdint>

enum TrainingPage : int { training_masters = 0, training_ask_replace = 1, training_ask_withdraw = 2, training_magic = 3 };
enum MagicFocus : int { magic_learned = 0, magic_equipped = 1, magic_replacing = 2 };
constexpr int training_page_rows = 12;
constexpr int magic_page_rows = 7;

extern int training_page;  // base/base_pages.h
extern int training_cursor, training_top;
extern int question_choice;  // 0 yes, 1 no
extern int magic_focus;
// The learned list [0] and the equipped list [1]: cursor (1-based), top, entries at the last draw.
extern int magic_cursor[2], magic_top[2], magic_count[2];
extern std::uint16_t magic_selected_spell;  // the learned spell under the cursor, kept while replacing

// Back to the master list at the first row, the magic page's lists at their first rows.
void reset_training_screen();

// Pages 0-2.
void input_training_hall();
void draw_training_hall();
// The master list's row top + cursor is chosen: the master's own row asks to withdraw it, a
// candidate becomes the master of an empty hall or asks to replace the master.
void choose_training_row();
// The yes of pages 1 and 2.
void answer_training_question();

// Page 3.
void input_magic_page();
void draw_magic_page();
void list_equipped_spells();
void list_learned_spells();
