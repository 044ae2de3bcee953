// The exile list.
#include "base/exiles.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "base/residents.h"
#include "data/item_data.h"
#include "data/object_db.h"
#include "ui/talk_msg.h"

std::uint16_t ExileList[exile_entries] = {};
int exile_refill_notice = 0;

namespace {
constexpr int last_entry = exile_entries - 1;
constexpr int message_x = 224, message_user = 2;
}  // namespace

void clear_exiles() { std::fill(std::begin(ExileList), std::end(ExileList), std::uint16_t{0}); }

int exile_count() { return ExileList[0]; }

int add_exile(std::uint16_t monster) {
  if (!monster) return 0;
  for (int i = 1; i <= last_entry; ++i)
    if (!ExileList[i]) {
      ExileList[i] = monster;
      ++ExileList[0];
      return 1;
    }
  add_txt_msg(message_x, 176, 200, 90, 0, 0, "\xAC\x79\xA9\xF1\xA9\x7E\xA5\xC1\xB9\x4C\xA6\x68\xA1\x41\xBD\xD0\xAD\xAB\xB7\x73\xB0\xB5\xBD\xD5\xBE\xE3!%Q", message_user);  // 流放居民過多，請重新做調整!%Q
  return 0;
}

void remove_exile(int n) {
  if (n < 1 || n > last_entry || !ExileList[n]) return;
  ExileList[n] = 0;
  --ExileList[0];
}

void compact_exiles() {
  for (int i = 1; i < last_entry; ++i) {
    if (ExileList[i]) continue;
    if (!ExileList[i + 1]) return;
    ExileList[i] = ExileList[i + 1];
    ExileList[i + 1] = 0;
  }
}

void exiles_move_in() {
  int before = ExileList[0];
  char text[128];
  while (ExileList[1] && add_resident(ExileList[1]) == 1) {
    if (exile_refill_notice == 1) {
      ItemData d{};
      read_Item(ExileList[1], &d);
      std::snprintf(text, sizeof text, "\xAD\xEC\xA6\xEC\xA5\xD1 %%C9%s%%C0 \xBB\xBC\xB8\xC9%%Q", d.NAME);  // 原位由 %%C9%s%%C0 遞補%%Q
      add_txt_msg(message_x, 176, 5 * int(std::strlen(text)) + 130, 64, 50, 800, text, message_user);
      exile_refill_notice = 0;
      --before;
    }
    remove_exile(1);
    compact_exiles();
  }
  const int moved = before - ExileList[0];
  if (moved > 0) {
    std::snprintf(text, sizeof text, "%%C9%d%%C0 \xA6\x57\xAC\x79\xA9\xF1\xA9\x7E\xA5\xC1\xB6\x69\xA6\xED%%Q", moved);  // %%C9%d%%C0 名流放居民進住%%Q
    add_txt_msg(message_x, 242, 5 * int(std::strlen(text)) + 115, 64, 50, 800, text, message_user);
  }
}
