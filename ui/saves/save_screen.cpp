// The save screen's input: the slot chosen, the overwrite question, the leave.
#include <cstring>
#include <string>

#include "core/game_mode.h"
#include "core/paths.h"
#include "data/item_list.h"
#include "data/party.h"
#include "platform/files.h"
#include "sound/sfx_bank.h"
#include "ui/menu/item_recovery.h"
#include "ui/menu/menu_items.h"
#include "ui/menu/menu_system.h"
#include "ui/saves/save_file.h"
#include "ui/saves/save_load.h"
#include "ui/talk_msg.h"
#include "ui/text_button.h"
#include "ui/ui_numbers.h"

namespace {

// "確定要覆蓋嗎? %B確定./%B放棄.%Q"
constexpr const char overwrite_question[] =
    "\xBD\x54\xA9\x77\xAD\x6E\xC2\xD0\xBB\x5C\xB6\xDC\x3F \x25\x42\xBD\x54\xA9\x77./\x25\x42\xA9\xF1\xB1\xF3.%Q";
// "存檔完畢!!%Q"
constexpr const char saved_message[] = "\xA6\x73\xC0\xC9\xA7\xB9\xB2\xA6!!%Q";
// "存檔失敗!!%Q"
constexpr const char save_failed_message[] = "\xA6\x73\xC0\xC9\xA5\xA2\xB1\xD1!!%Q";
constexpr int message_top = 70;
constexpr int question_x = 180, question_w = 320, saved_x = 224, saved_w = 192, message_h = 64;
constexpr std::uint32_t saved_min_ms = 100, saved_duration = 100;
constexpr std::uint32_t msg_user_value = 2;
constexpr int overwrite_button = 0;

int cursor_message_y() { return save_slot_list.cursor_row * save_row_pitch + message_top; }

void leave() { call_save_system(MODE_LEAVE, 0, 0); }

bool slot_file_exists(const char* name) {
  std::string path = game_dir;
  return append_path(path, save_folder_name) && append_path(path, name) && platform::file_exists(path);
}

// The save item is taken before the slot is written, so the saved bag no longer holds it (a
// load must not give it back); a failed write puts it back, into the count, with its mark.
bool save_taking_save_item(const char* slot_name) {
  const bool taking = item_save_mark != 0;
  consume_save_item();
  if (save_game(slot_name)) return true;
  if (taking) {
    add_item(&party_bag, object_save_item, 1, 2);
    item_save_mark = 1;
  }
  return false;
}

// A failed write keeps the save item and the screen: the player may try another slot.
void report_failed_save() {
  del_all_talkmsg();
  play_sfx(sfx_refuse, 1);
  add_txt_msg(saved_x, cursor_message_y(), saved_w, message_h, saved_min_ms, saved_duration, save_failed_message,
              msg_user_value);
}

void answer_overwrite(int button) {
  play_sfx(sfx_prompt_answer, 1);
  del_all_talkmsg();
  save_screen.prompt_open = 0;
  if (button != overwrite_button) return;
  if (!save_taking_save_item(save_screen.slot_name)) {
    report_failed_save();
    return;
  }
  save_screen.leave_countdown = 1;
}

void confirm_slot() {
  play_sfx(sfx_select, 1);
  cursor_slot_name(save_screen.slot_name);
  if (slot_file_exists(save_screen.slot_name)) {
    set_tbutton_cancel(1);
    add_txt_msg(question_x, cursor_message_y(), question_w, message_h, 0, 0, overwrite_question, msg_user_value);
    save_screen.prompt_open = 1;
    return;
  }
  if (!save_taking_save_item(save_screen.slot_name)) {
    report_failed_save();
    return;
  }
  save_screen.saved_open = 1;
  read_save_summaries();
  add_txt_msg(saved_x, cursor_message_y(), saved_w, message_h, saved_min_ms, saved_duration, saved_message,
              msg_user_value);
}

void cancel() {
  play_sfx(sfx_back, 1);
  del_all_talkmsg();
  slot_list_state.key_mode = 1;
  leave();
}

// The question waits for its answer and does nothing else: its cancel keys are its buttons'
// (cancel is allowed), which answer it with the answer's sound.
void input_prompt() {
  int button = 0;
  if (get_tbutton(&button)) answer_overwrite(button);
}

}  // namespace

void input_save_system() {
  if (save_screen.saved_open) {
    // Any box still open keeps the screen: the narrator's wait alone ends at once on a map without it.
    if (!check_txt_msg_end() || talkmsg_count() > 0) return;
    save_screen.saved_open = 0;
    leave();
    return;
  }
  if (save_screen.prompt_open) {
    input_prompt();
    return;
  }
  if (save_screen.leave_countdown) {
    if (save_screen.leave_countdown == 1) read_save_summaries();
    if (++save_screen.leave_countdown >= save_leave_frames) {
      save_screen.leave_countdown = 0;
      leave();
    }
    return;
  }
  const SlotListInput in = input_slot_list();
  if (in.confirm) {
    slot_list_state.key_mode = 1;
    confirm_slot();
    return;
  }
  if (in.cancel) cancel();
}
