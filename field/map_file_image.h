#pragma once
// A map file (MAP\WLDnnnnn.MAP) as a checked image: every count is tested against the file's
// length before anything is copied, so only a whole, consistent file reaches the map record.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "g3d/g3d_math.h"
#include "g3d/renderer.h"

// Byte layout of a map file.
constexpr std::size_t map_file_note_count_at = 146;
constexpr std::size_t map_file_notes_at = 150;
constexpr std::size_t map_file_note_size = 84;
constexpr std::size_t map_file_placement_size = 16;
constexpr std::size_t map_file_min_size = map_file_notes_at + 4;  // no notes, no placements

struct MapFileNote {
  G3dBox box{};  // relative to the position
  float x = 0, y = 0, z = 0;
  std::uint32_t value = 0;
  std::int32_t event = 0;
  std::uint32_t values[8] = {};
};

struct MapFilePlacement {
  std::uint16_t type = 0;   // 1-based effect definition
  std::uint16_t spare = 0;  // kept with the effect, not read
  float x = 0, y = 0, z = 0;
};

struct MapFileImage {
  std::uint16_t map_number = 0;
  std::uint16_t map_act = 0, map_qq = 0;
  std::uint16_t sky_act = 0, sky_qq = 0;
  std::uint32_t file_flags = 0;
  G3dVector fixed_eye{};
  std::uint32_t grid_words[12] = {};
  ChartRecord fog{};
  std::uint32_t value_110 = 0;
  char name[32] = {};  // always ends with a NUL (at most 31 bytes of the file's name)
  std::vector<MapFileNote> notes;            // in file order
  std::vector<MapFilePlacement> placements;  // in file order
};

// Parses a whole map file. False (out unspecified) when the file is shorter than its header or
// than its counts of notes and placements demand, or when a count is negative.
bool parse_map_file(std::span<const std::uint8_t> bytes, MapFileImage& out);
