// The monster summoning list.
#include "ui/summon.h"

#include "core/flags.h"
#include "core/game_flags.h"

std::uint32_t summon_state = 0;

void open_summon() {
  set_flag(flag_input_captured);
  summon_state |= summon_open;
}

void close_summon() {
  summon_state &= ~summon_open;
  clear_flag(flag_input_captured);
}
