#include "script/talk_files.h"

#include <cstdio>
#include <vector>

#include "core/log.h"
#include "data/maps_db.h"
#include "script/talk_queue.h"

TalksSlot TalksCache[talk_file_count];

namespace {
constexpr const char* talk1_names[] = {"Talks1-1.gll", "Talks1-2.gll", "Talks1-3.gll", "Talks1-4.gll"};
constexpr std::uint16_t slot_last[talk_file_count] = {499, 999, 1499, 1999, 5000, 8000};

// open_talk1_data(..)錯誤  無法開啟%s
constexpr const char* talk1_open_message = "open_talk1_data(..)\xBF\xF9\xBB~  \xB5L\xAAk\xB6}\xB1\xD2%s";
// open_talk1_data(...) 無法配制 TalksCache[0].buf 記憶體
constexpr const char* talk1_alloc_message =
    "open_talk1_data(...) \xB5L\xAAk\xB0t\xA8\xEE TalksCache[0].buf \xB0O\xBE\xD0\xC5\xE9";
// open_talk2_data(..)錯誤  無法開啟 TALKS2.gll
constexpr const char* talk2_open_message = "open_talk2_data(..)\xBF\xF9\xBB~  \xB5L\xAAk\xB6}\xB1\xD2 TALKS2.gll";
// open_talk2_data(...) 無法配制 TalksCache[0].buf 記憶體
constexpr const char* talk2_alloc_message =
    "open_talk2_data(...) \xB5L\xAAk\xB0t\xA8\xEE TalksCache[0].buf \xB0O\xBE\xD0\xC5\xE9";
// open_talk3_data(..)錯誤  無法開啟 TALKS3.gll
constexpr const char* talk3_open_message = "open_talk3_data(..)\xBF\xF9\xBB~  \xB5L\xAAk\xB6}\xB1\xD2 TALKS3.gll";
// open_talk3_data(...) 無法配制 TalksCache[0].buf 記憶體
constexpr const char* talk3_alloc_message =
    "open_talk3_data(...) \xB5L\xAAk\xB0t\xA8\xEE TalksCache[0].buf \xB0O\xBE\xD0\xC5\xE9";

// Reads one file into its slot; a slot loaded before is freed first.
void load(int slot, const char* file_name, const char* open_message, const char* alloc_message) {
  free_data_pool(TalksCache[slot].buf);
  std::vector<std::uint8_t> file;
  if (!read_game_data_file(file_name, file)) {
    report_error("%s", open_message);
    return;
  }
  make_data_pool(file, data_file_header_length, TalksCache[slot].buf, open_message, alloc_message);
}
}  // namespace

bool install_talk_file(int slot, std::span<const std::uint8_t> file) {
  if (slot < 0 || slot >= talk_file_count) return false;
  free_data_pool(TalksCache[slot].buf);
  return make_data_pool(file, data_file_header_length, TalksCache[slot].buf, talk1_open_message, talk1_alloc_message);
}

void open_talk1_data() {
  for (int slot = 0; slot < 4; ++slot) {
    char message[128];
    std::snprintf(message, sizeof message, talk1_open_message, talk1_names[slot]);
    load(slot, talk1_names[slot], message, talk1_alloc_message);
  }
}

void open_talk2_data() { load(4, "Talks2.gll", talk2_open_message, talk2_alloc_message); }
void open_talk3_data() { load(5, "Talks3.gll", talk3_open_message, talk3_alloc_message); }

void open_talk_data() {
  open_talk1_data();
  open_talk2_data();
  open_talk3_data();
}

void close_talk_data() {
  for (TalksSlot& slot : TalksCache) free_data_pool(slot.buf);
}

void reload_story_data() {
  close_talk_data();
  open_talk_data();
  close_maps_data();
  open_maps_data();
  // The queued talks held offsets into the old bodies: they start again from their beginning.
  restart_queued_talks();
}

int talk_slot(std::uint16_t n) {
  if (n == 0 || n > last_talk_number) return -1;
  if (n <= 2000) return n / 500;
  return n <= 5000 ? 4 : 5;
}

std::uint16_t talk_slot_last(int slot) { return slot_last[slot]; }

std::size_t talk_table_end(int slot) { return 4 * std::size_t(slot_last[slot]); }

ScriptCursor talk_cursor(int slot, std::size_t pos) {
  if (slot < 0 || slot >= talk_file_count) return ScriptCursor();
  const DataPool& p = TalksCache[slot].buf;
  return ScriptCursor(p.bytes, p.size, talk_table_end(slot), pos);
}

std::uint32_t talk_script_start(std::uint16_t n) {
  int slot = talk_slot(n);
  if (slot < 0 || !TalksCache[slot].buf) return 0;
  ByteReader r = TalksCache[slot].buf.reader();
  std::size_t entry = 4 * (std::size_t(n) - 1);
  if (!r.has(entry, 4)) return 0;
  std::uint32_t off = r.u32_at(entry);
  return talk_cursor(slot, 0).can_start(off) ? off : 0;
}
