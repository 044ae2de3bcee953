#include "data/maps_lookups.h"

#include "core/flags.h"
#include "data/map_role.h"
#include "data/maps_db.h"

namespace {
constexpr std::size_t act_row_size = 20;
constexpr std::size_t nofight_row_size = 4;
constexpr std::size_t scale_row_size = 12;
constexpr std::size_t summon_row_size = 6;

// The production-list cursor: a table position, and the objects left in the record taken.
int recipe_table = 0;
std::size_t recipe_pos = 0;
int recipe_remaining = 0;

// Keyed texts: u16 key, "%Q"-ended text, ... ended by a 0xFFFF key.
int keyed_text(int table, std::uint16_t key, char* out, std::size_t out_size) {
  ByteReader t = maps_table(table);
  std::size_t p = 0;
  while (t.has(p, 2) && t.u16_at(p) != end_mark) {
    long len = find_text_end(t.tail(p + 2));
    if (len < 0) break;  // an unended text ends the table
    if (t.u16_at(p) == key) {
      copy_text_cut(t.data() + p + 2, static_cast<std::size_t>(len), out, out_size);
      return 1;
    }
    p += 2 + static_cast<std::size_t>(len) + 2;
  }
  if (out_size) out[0] = '\0';
  return 0;
}
}  // namespace

void select_maps_recipe(std::uint16_t list) {
  recipe_table = list <= 3 ? maps_recipes_0 + list : 0;
  recipe_pos = 0;
  recipe_remaining = 0;
}

std::uint16_t read_maps_recipe(std::uint16_t key) {
  ByteReader t = maps_table(recipe_table);
  for (;;) {
    if (!t.has(recipe_pos, 2) || t.u16_at(recipe_pos) == end_mark) return 0;
    if (recipe_remaining > 0) {
      --recipe_remaining;
      recipe_pos += 2;
      return t.u16_at(recipe_pos - 2);
    }
    if (!t.has(recipe_pos, 6)) return 0;
    std::uint16_t record_key = t.u16_at(recipe_pos);
    std::uint16_t flag = t.u16_at(recipe_pos + 2);
    std::uint16_t count = t.u16_at(recipe_pos + 4);
    recipe_pos += 6;
    if (record_key == key && test_flag(flag))
      recipe_remaining = count;
    else
      recipe_pos += 2 * std::size_t(count);
  }
}

int read_maps_type_name(std::uint16_t key, char* out, std::size_t out_size) {
  return keyed_text(maps_type_names, key, out, out_size);
}

int read_maps_hint(std::uint16_t key, char* out, std::size_t out_size) {
  return keyed_text(maps_hint_texts, key, out, out_size);
}

int read_maps_name(std::uint16_t map, char* out, std::size_t out_size) {
  return keyed_text(maps_map_names, map, out, out_size);
}

int read_maps_group_talk(std::uint16_t map, std::uint16_t* talk) {
  ByteReader t = maps_table(maps_map_groups);
  std::size_t p = 0;
  while (t.has(p, 2) && t.u16_at(p) != end_mark) {
    long len = find_text_end(t.tail(p));
    if (len < 0 || !t.has(p + len + 2, 2)) return 0;
    p += static_cast<std::size_t>(len) + 2;
    *talk = t.u16_at(p);
    p += 2;
    for (; t.has(p, 2) && t.u16_at(p) != end_mark; p += 2)
      if (t.u16_at(p) == map) return 1;
    p += 2;
  }
  return 0;
}

int read_maps_act(std::uint16_t act, std::uint16_t out[10]) {
  if (act == 0) return 0;
  // The file stores the 3 x 3 block column by column.
  static const int slot[9] = {1, 4, 7, 2, 5, 8, 3, 6, 9};
  ByteReader t = maps_table(maps_act_rows);
  for (std::size_t p = 0; t.has(p, act_row_size) && t.u16_at(p) != end_mark; p += act_row_size) {
    if (t.u16_at(p) != act) continue;
    out[0] = 1;
    for (int i = 0; i < 9; ++i) out[slot[i]] = t.u16_at(p + 2 + 2 * i);
  }
  return 1;
}

int check_maps_nofight(std::uint16_t map) {
  ByteReader t = maps_table(maps_nofight_rows);
  for (std::size_t p = 0; t.has(p, nofight_row_size) && t.u16_at(p) != end_mark; p += nofight_row_size)
    if (t.u16_at(p) == map) return test_flag(t.u16_at(p + 2));
  return 0;
}

int apply_maps_role_scale(MapRole* role) {
  ByteReader t = maps_table(maps_scale_rows);
  for (std::size_t p = 0; t.has(p, scale_row_size) && t.i32_at(p) != 0xFFFF; p += scale_row_size) {
    if (t.i32_at(p) != role->RoleID) continue;
    role->scale = static_cast<float>(t.i32_at(p + 4) / 100.0);
    role->opacity = t.u8_at(p + 8);
  }
  return 1;
}

int count_maps_summon() {
  ByteReader t = maps_table(maps_summon_list);
  int n = 0;
  while (t.has(std::size_t(n) * summon_row_size, summon_row_size) && t.u16_at(std::size_t(n) * summon_row_size) != end_mark)
    ++n;
  return n;
}

std::uint16_t* read_maps_summon(std::uint16_t out[3], int n) {
  out[0] = out[1] = out[2] = 0;
  if (n < 0 || n >= count_maps_summon()) return out;
  ByteReader t = maps_table(maps_summon_list);
  std::size_t p = std::size_t(n) * summon_row_size;
  std::uint16_t flag = t.u16_at(p);
  out[0] = test_flag(flag) ? flag : 0xFFFF;
  out[1] = t.u16_at(p + 2);
  out[2] = t.u16_at(p + 4);
  return out;
}

int count_maps_place() {
  ByteReader t = maps_table(maps_place_list);
  int n = 0;
  while (t.has(2 * std::size_t(n), 2) && t.u16_at(2 * std::size_t(n)) != end_mark) ++n;
  return n;
}

std::uint16_t read_maps_place(int n) {
  if (n < 0 || n >= count_maps_place()) return 0;
  return maps_table(maps_place_list).u16_at(2 * std::size_t(n));
}
