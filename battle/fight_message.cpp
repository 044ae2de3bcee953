// Battle messages.
#include "battle/fight_message.h"

#include <cstdio>

#include "ui/talk_msg.h"

void fight_message(const char* text, std::uint32_t duration_10ms) {
  del_all_talkmsg();
  add_time_msg(320, 40, 0, duration_10ms, text, 2);
}

void fight_message_name(const char* format, const char* name, std::uint32_t duration_10ms) {
  char text[256];
  std::snprintf(text, sizeof text, format, name ? name : "");
  fight_message(text, duration_10ms);
}
