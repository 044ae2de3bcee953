// The developer console's command line: a typed line, as Enter hands it over, is recognised and
// run. The line is the input up to its first NUL; the money sum, the bag and the art lists must
// stay sound whatever it says.
#include <cstdint>
#include <string>

#include "battle/fame.h"
#include "core/flags.h"
#include "core/game_flags.h"
#include "data/item_list.h"
#include "data/party.h"
#include "devtools/dev_console.h"
#include "ui/talk_msg.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string line(reinterpret_cast<const char*>(data), size);
  party_money = 1000;
  open_console();
  run_console_line(line.c_str());
  // fight and atk close the console; their battle waits for the frame's end.
  if (console_command_queued() && test_flag(flag_console_open)) __builtin_trap();
  reset_console();
  if (console_command_queued()) __builtin_trap();
  del_all_talkmsg();
  free_party_items();
  free_fame();
  return 0;
}
