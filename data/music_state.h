#pragma once
// The music ids the map change and the talk scripts share: entries 0 and 1 are the current map's
// two music ids and their parameters (set from the map database), entries 2 and 3 the talk's.
// The map database's music rows, which talk scripts edit and saves keep, are MusicRow records.
#include <cstddef>
#include <cstdint>

#include "data/record_image.h"

extern int music_ids[4];
extern int music_params[4];
// 1 while a talk script holds its own music: the map change then keeps the music playing.
extern int talk_music_mark;

// The file name of the music to play next: read_maps_music fills it, play_music reads it, and
// a talk script may write it directly.
constexpr std::size_t music_name_size = 64;
extern char music_name[music_name_size];

// One music row of the map database (table 3).
struct MusicRow {
  std::uint16_t map = 0;
  std::uint16_t music_id1 = 0;
  std::uint16_t param1 = 0;
  std::uint16_t music_id2 = 0;
  std::uint16_t param2 = 0;
};
constexpr std::size_t music_row_size = 10;

// The stored layout: one row per field (name, offset, member).
template <>
struct record_image::Layout<MusicRow> {
  static constexpr std::size_t size = music_row_size;
  static constexpr auto fields = std::tuple{
      field("map", 0, &MusicRow::map),
      field("music_id1", 2, &MusicRow::music_id1),
      field("param1", 4, &MusicRow::param1),
      field("music_id2", 6, &MusicRow::music_id2),
      field("param2", 8, &MusicRow::param2),
  };
};
