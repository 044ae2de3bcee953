// The developer keys of the frame tick.
#include "devtools/developer_keys.h"

#include "core/flags.h"
#include "core/game_flags.h"
#include "core/grp_input.h"
#include "data/maprole_txt.h"
#include "devtools/battle_calls.h"
#include "devtools/dev_console.h"
#include "ui/talk_msg.h"

namespace {

constexpr KeyCode key_f9 = key_f1 + 8;

const char dump_message[] = "\xBF\xE9\xA5X\xA7\xB9\xB2\xA6!!%Q";  // 輸出完畢!!%Q

bool ctrl_down() { return grp_input.key_down(key_lctrl) || grp_input.key_down(key_rctrl); }

// F9: with Ctrl the console opens or closes; alone it dumps the role rows and the fame list.
void console_and_dump_key() {
  if (!grp_input.key_press(key_f9)) return;
  if (ctrl_down()) {
    if (test_flag(flag_console_open))
      close_console();
    else
      open_console();
    return;
  }
  write_maprole_txt();
  dump_fame();
  add_time_msg(320, 40, 0, 300, dump_message, 2);
}

}  // namespace

int developer_keys_step() {
  console_and_dump_key();
  if (test_flag(flag_console_open)) return 0;
  return 0;
}
