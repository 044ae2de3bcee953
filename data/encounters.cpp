#include "data/encounters.h"

#include <cstring>

#include "core/mem_mgr.h"
#include "core/random_r250.h"
#include "data/map_role.h"
#include "data/maps_db.h"
#include "field/map_file.h"
#include "g3d/geometry.h"

BtlArea btl_area_head{};

namespace {
constexpr std::size_t encounter_set_size = 16;
constexpr std::size_t area_row_size = 18;
constexpr std::size_t chance_row_size = 32;

// Group k of a group list at a pool offset; 0 when the list or the entry is outside the pool.
std::uint16_t group_at(std::int32_t list, unsigned k) {
  ByteReader r = gmMapsPool.reader();
  if (list < 0) return 0;
  return r.u16_at(static_cast<std::size_t>(list) + 2 + 2 * std::size_t(k));
}

std::uint16_t group_count(std::int32_t list) {
  ByteReader r = gmMapsPool.reader();
  if (list < 0 || !r.has(static_cast<std::size_t>(list), 2)) return 0;
  std::uint16_t n = r.u16_at(static_cast<std::size_t>(list));
  // Only the groups that lie inside the pool can be drawn.
  std::size_t fit = (r.size() - static_cast<std::size_t>(list) - 2) / 2;
  return static_cast<std::uint16_t>(n < fit ? n : fit);
}

G3dBox area_box(const BtlArea& a) {
  return G3dBox{{a.corner1[0], a.corner1[1], a.corner1[2], 0.0f}, {a.corner2[0], a.corner2[1], a.corner2[2], 0.0f}};
}

G3dBox role_box(const MapRole& role) {
  G3dBox b = role.anim.box;
  b.min.x += role.X, b.min.y += role.Y, b.min.z += role.Z;
  b.max.x += role.X, b.max.y += role.Y, b.max.z += role.Z;
  return b;
}

// The shared rule of the chance rows: the first entry whose running weight reaches the counter
// is rolled against its chance in tenths. chance_of lets the rage strike adjust the chance.
template <class Chance>
int roll_chance_row(int table, std::uint16_t row, std::uint8_t counter, Chance&& chance_of) {
  ByteReader t = maps_table(table);
  std::size_t base = std::size_t(row) * chance_row_size;
  if (!t.has(base, chance_row_size)) return 0;
  std::uint8_t sum = 0;
  for (int e = 0; e < 8; ++e) {
    std::size_t p = base + 4 * std::size_t(e);
    sum = static_cast<std::uint8_t>(sum + t.u8_at(p));
    if (counter > sum) continue;
    int chance = chance_of(t.u16_at(p + 2));
    return chance >= static_cast<int>(rand_below(10) + 1) ? 1 : 0;
  }
  return 0;
}
}  // namespace

void GetBtlAreaTable(std::uint16_t map, BtlArea* sentinel) {
  ByteReader t = maps_table(maps_battle_areas);
  for (std::size_t p = 0; t.has(p, area_row_size) && t.u16_at(p) != end_mark; p += area_row_size) {
    if (t.u16_at(p) != map) continue;
    void* mem = MemMgr_Alloc(static_cast<int>(sizeof(BtlArea)));
    if (!mem) return;
    std::memset(mem, 0, sizeof(BtlArea));
    auto* node = static_cast<BtlArea*>(mem);
    for (int i = 0; i < 3; ++i) {
      node->corner1[i] = t.u16_at(p + 2 + 2 * std::size_t(i));
      node->corner2[i] = t.u16_at(p + 8 + 2 * std::size_t(i));
    }
    node->groups = t.i32_at(p + 14);
    node->next = sentinel->next;
    sentinel->next = node;
  }
}

std::uint16_t roll_encounter(MapRole* role, int counter, int force) {
  const std::uint16_t set = map_record.encounter_set;
  if (set == 0) return 0;
  ByteReader t = maps_table(maps_encounter_sets);
  std::size_t base = (std::size_t(set) - 1) * encounter_set_size;
  if (!t.has(base, encounter_set_size)) return 0;
  int sum = 0;
  int percent = -1;
  for (int i = 0; i < 4; ++i) {
    sum += t.u16_at(base + 4 * std::size_t(i));
    if (counter < sum || force == 1) {
      percent = t.u16_at(base + 4 * std::size_t(i) + 2);
      break;
    }
  }
  if (percent < 0) return 0;
  int r = static_cast<int>(rand_below(100));
  if (!(percent > r || force == 1)) return 0;
  const G3dBox box = role_box(*role);
  for (BtlArea* area = btl_area_head.next; area; area = area->next) {
    if (!g3d_box_overlap(area_box(*area), box)) continue;
    // An area without groups (or with its list outside the pool) gives no battle.
    std::uint16_t n = group_count(area->groups);
    if (n == 0) return 0;
    return group_at(area->groups, rand_below(n));
  }
  return 0;
}

int roll_rage_strike(std::uint16_t row, std::uint8_t counter, std::uint16_t percent_bonus,
                     std::uint16_t chance_bonus, int force) {
  // Forced: the first entry is taken and succeeds; the chance is still drawn, so the random
  // sequence advances as for any roll.
  return roll_chance_row(maps_rage_rows, row, force == 1 ? 0 : counter, [&](std::uint16_t entry_chance) {
    if (force == 1) return 10;
    int chance = entry_chance + chance_bonus;
    if (percent_bonus != 0) chance += chance * percent_bonus / 100;
    return chance > 9 ? 9 : chance;
  });
}

int roll_excite(std::uint16_t row, std::uint8_t counter) {
  return roll_chance_row(maps_excite_rows, row, counter, [](std::uint16_t c) { return int(c); });
}

int roll_mood(std::uint16_t row, std::uint8_t counter) {
  if (counter == 0) return 0;
  return roll_chance_row(maps_mood_rows, row, counter, [](std::uint16_t c) { return int(c); });
}
