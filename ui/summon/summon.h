#pragma once
// The monster summoning list: an overlay over the live field from which the player summons the
// monsters the story unlocked into the settlement, paying sealing eggs. Talk opcode 164 opens it
// and waits until it is closed; while it is open it holds the field's input (game flag 8015),
// the field controller runs input_summon and the field frame draws it (ui/summon/summon_list.h).
#include <cstdint>

#include "ui/scroll_list.h"

constexpr std::uint16_t summon_egg_object = 4150;  // the sealing egg
constexpr std::uint16_t summon_locked = 0xFFFF;    // an entry's flag field while its flag is clear
constexpr int summon_visible_rows = 8;
constexpr int summon_list_x = 210, summon_list_y = 100;  // where the field draws the list

// The field's overlay word; bit 0 while the summoning list is open.
constexpr std::uint32_t overlay_summon_open = 0x1;
extern std::uint32_t field_overlay_bits;

enum : int { summon_choosing = 0, summon_asking = 1 };
extern int summon_state;
extern ScrollList summon_list;
extern std::uint16_t summon_eggs;  // sealing eggs in the bag, read on opening and after a summon

// One entry of the summon table.
struct SummonEntry {
  std::uint16_t flag = summon_locked;  // the unlocking game flag; summon_locked while it is clear
  std::uint16_t monster = 0;
  std::uint16_t cost = 0;
};
// Entry n of the table; false past its end or at a monster of 0, which ends the rows.
bool summon_entry(int n, SummonEntry* out);

bool summon_is_open();
void open_summon();
void close_summon();
// Each frame of the field while the list is open.
void input_summon();

// What a confirm on a row leads to.
enum class SummonAsk { nothing, locked, too_few_eggs, ask };
// The confirm's rule: nothing for a row the table does not have.
SummonAsk summon_check(int row);
// What the answer "確定" did.
enum class SummonResult { nothing, summoned, no_room };
// Puts the row's monster into the settlement and only then takes the eggs and clears the entry's
// flag; nothing is taken when no dwelling takes it in. `monster` is the monster asked about: a
// row that no longer holds it does nothing.
SummonResult summon_accept(int row, std::uint16_t monster);

// The list's texts.
constexpr const char* summon_few_eggs_text =
    "\xAB\xCA\xA6L\xA4\xA7\xB3J\xBC\xC6\xB6q\xA4\xA3\xB0\xF7!!%Q";  // 封印之蛋數量不夠!!%Q
constexpr const char* summon_question_text =
    "\xBDT\xA9w\xADn\xA5l\xB3\xEA\xB6\xDC? %B\xBDT\xA9w./%B\xA9\xF1\xB1\xF3.%Q";  // 確定要召喚嗎? %B確定./%B放棄.%Q
constexpr const char* summon_done_text = "\xA9\xC7\xAA\xAB\xA5l\xB3\xEA\xA6\xA8\xA5\x5C!!%Q";  // 怪物召喚成功!!%Q
constexpr const char* summon_no_room_text =
    "\xA9\xC7\xAA\xAB\xA9~\xA6\xED\xAA\xC5\xB6\xA1\xA4\xA3\xB0\xF7\xA1" "A\xB5L\xAAk\xA5l\xB3\xEA!!%Q";  // 怪物居住空間不夠，無法召喚!!%Q
