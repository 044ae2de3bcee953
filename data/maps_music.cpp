#include "data/maps_music.h"

#include "core/log.h"
#include "data/maps_db.h"
#include "data/music_state.h"

namespace {
// read_maps_music(...) 錯誤 找不到 MusicID[%d] 音樂 
constexpr const char* names_ran_out_message =
    "read_maps_music(...) \xBF\xF9\xBB~ \xA7\xE4\xA4\xA3\xA8\xEC MusicID[%d] \xAD\xB5\xBC\xD6 ";
// read_maps_music(...)錯誤找不到 MusicID[%d] 音樂 
constexpr const char* name_missing_message =
    "read_maps_music(...)\xBF\xF9\xBB~\xA7\xE4\xA4\xA3\xA8\xEC MusicID[%d] \xAD\xB5\xBC\xD6 ";
}  // namespace

int read_music_id(std::uint16_t map) {
  if (talk_music_mark == 1) return 2;
  ByteReader t = maps_table(maps_music_rows);
  for (std::size_t p = 0; t.has(p, music_row_size) && t.u16_at(p) != end_mark; p += music_row_size) {
    MusicRow row;
    record_image::read_value(t, p, row);
    if (row.map != map) continue;
    if (row.music_id1 == music_ids[0] && row.music_id2 == music_ids[1]) return 2;
    music_ids[0] = row.music_id1;
    music_params[0] = row.param1;
    music_ids[1] = row.music_id2;
    music_params[1] = row.param2;
    return row.music_id1 == 0 && row.music_id2 == 0 ? -1 : 1;
  }
  return -1;
}

int read_maps_music(char* out, std::size_t out_size, int n) {
  if (n <= 0) return 0;
  ByteReader t = maps_table(maps_music_names);
  std::size_t p = 0;
  for (int i = 0; i <= n; ++i) {
    int used = 0;
    if (t.has(p, 2) && t.u16_at(p) != end_mark) used = read_Item_str(t.tail(p), out, out_size);
    if (used == 0) {
      report_error(i < n ? names_ran_out_message : name_missing_message, n);
      if (out_size) out[0] = '\0';
      return 0;
    }
    p += static_cast<std::size_t>(used);
  }
  return 1;
}

void set_music_id(std::uint16_t map, std::uint16_t id1, std::uint16_t param1, std::uint16_t id2, std::uint16_t param2) {
  long start = maps_table_start(maps_music_rows);
  if (start < 0) return;
  ByteReader t = maps_table(maps_music_rows);
  for (std::size_t p = 0; t.has(p, music_row_size) && t.u16_at(p) != end_mark; p += music_row_size) {
    if (t.u16_at(p) != map) continue;
    const MusicRow row{map, id1, param1, id2, param2};
    record_image::write_value(row, std::span<std::uint8_t>(gmMapsPool.bytes, gmMapsPool.size),
                              static_cast<std::size_t>(start) + p);
  }
}
