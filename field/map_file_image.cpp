// The checked map file image.
#include "field/map_file_image.h"

#include "core/byte_reader.h"

namespace {

G3dVector vector_at(const ByteReader& r, std::size_t p) {
  return {r.f32_at(p), r.f32_at(p + 4), r.f32_at(p + 8), r.f32_at(p + 12)};
}

MapFileNote note_at(const ByteReader& r, std::size_t p) {
  MapFileNote n;
  n.box.min = vector_at(r, p);
  n.box.max = vector_at(r, p + 16);
  n.x = r.f32_at(p + 32);
  n.y = r.f32_at(p + 36);
  n.z = r.f32_at(p + 40);
  n.value = r.u32_at(p + 44);
  n.event = r.i32_at(p + 48);
  for (int i = 0; i < 8; ++i) n.values[i] = r.u32_at(p + 52 + 4 * std::size_t(i));
  return n;
}

MapFilePlacement placement_at(const ByteReader& r, std::size_t p) {
  MapFilePlacement e;
  e.type = r.u16_at(p);
  e.spare = r.u16_at(p + 2);
  e.x = r.f32_at(p + 4);
  e.y = r.f32_at(p + 8);
  e.z = r.f32_at(p + 12);
  return e;
}

void read_header(const ByteReader& r, MapFileImage& out) {
  out.map_number = r.u16_at(8);
  out.map_act = r.u16_at(10);
  out.map_qq = r.u16_at(12);
  out.sky_act = r.u16_at(14);
  out.sky_qq = r.u16_at(16);
  out.file_flags = r.u32_at(18);
  out.fixed_eye = vector_at(r, 22);
  for (int i = 0; i < 12; ++i) out.grid_words[i] = r.u32_at(38 + 4 * std::size_t(i));
  out.fog = {r.f32_at(86), r.f32_at(90), r.f32_at(94), r.f32_at(98), r.f32_at(102), r.f32_at(106)};
  out.value_110 = r.u32_at(110);
  // The name field is 32 bytes; one that fills it without a NUL is cut to 31.
  std::size_t n = 0;
  while (n < sizeof out.name - 1 && r.u8_at(114 + n) != 0) {
    out.name[n] = static_cast<char>(r.u8_at(114 + n));
    ++n;
  }
  out.name[n] = '\0';
}

// The count at p when it is not negative and its records of the given size fit in the file
// before `reserve` more bytes; -1 otherwise.
std::int64_t checked_count(const ByteReader& r, std::size_t p, std::size_t record, std::size_t reserve) {
  const std::int32_t count = r.i32_at(p);
  if (count < 0) return -1;
  const std::uint64_t need = std::uint64_t(count) * record + reserve;
  if (need > r.size() - (p + 4)) return -1;
  return count;
}

}  // namespace

bool parse_map_file(std::span<const std::uint8_t> bytes, MapFileImage& out) {
  const ByteReader r(bytes);
  if (r.size() < map_file_min_size) return false;
  const std::int64_t notes = checked_count(r, map_file_note_count_at, map_file_note_size, 4);
  if (notes < 0) return false;
  const std::size_t placements_at = map_file_notes_at + std::size_t(notes) * map_file_note_size;
  const std::int64_t placements = checked_count(r, placements_at, map_file_placement_size, 0);
  if (placements < 0) return false;
  out = MapFileImage{};
  read_header(r, out);
  out.notes.reserve(std::size_t(notes));
  for (std::int64_t i = 0; i < notes; ++i)
    out.notes.push_back(note_at(r, map_file_notes_at + std::size_t(i) * map_file_note_size));
  out.placements.reserve(std::size_t(placements));
  for (std::int64_t i = 0; i < placements; ++i)
    out.placements.push_back(placement_at(r, placements_at + 4 + std::size_t(i) * map_file_placement_size));
  return true;
}
