// The settlement's house and landmark lists.
#include "base/houses.h"

#include <algorithm>

#include "base/build_grid.h"
#include "base/escort.h"
#include "base/house_costs.h"
#include "base/house_kinds.h"
#include "base/house_table.h"
#include "core/flags.h"
#include "core/log.h"

HouseList house_list;
HouseList landmark_list;
std::int32_t BuildGrid[build_grid_cells] = {};

namespace {

constexpr int default_anchor = 5;  // row and column of a new or default house
constexpr int max_house_id = 127;  // a resident link holds an id in one byte
// The four field maps from which the two story landmarks stay away.
constexpr std::uint16_t landmark_excluded_maps[] = {14982, 13073, 13074, 13033};

std::unique_ptr<HouseRecord> new_house(int kind, float x, float y, float z, float w) {
  auto house = std::make_unique<HouseRecord>();
  house->kind = kind;
  house->pos = {x, y, z, w};
  house->grid_row = house->grid_col = default_anchor;
  house->active = 1;
  std::fill(std::begin(house->effect_ids), std::end(house->effect_ids), -1);
  return house;
}

// Walks the footprint cells over the grid and turns `from` into `to`, stopping once as many
// cells changed as the footprint has.
void change_cells(const HouseRecord* house, std::int32_t from, std::int32_t to) {
  int changed = 0;
  for (int r = 0; r < footprint_size; ++r)
    for (int c = 0; c < footprint_size; ++c) {
      if (changed >= house->footprint_cells) return;
      if (!house->footprint[r * footprint_size + c]) continue;
      const int row = house->grid_row + r, col = house->grid_col + c;
      if (!grid_cell_on(row, col)) continue;
      std::int32_t& cell = BuildGrid[row * build_grid_cols + col];
      if (cell == from) {
        cell = to;
        ++changed;
      }
    }
}

// Why a saved image is no house of ours, or null.
const char* saved_house_fault(const HouseRecord& h) {
  if (!is_house_kind(h.kind)) return "kind";
  if (h.capacity < 0 || h.capacity > house_kind_max_capacity(h.kind)) return "capacity";
  if (h.resident_count < 0 || h.resident_count > h.capacity) return "resident count";
  for (int i = 0; i < h.capacity; ++i)
    if ((h.residents[i].monster != 0) != (i < h.resident_count)) return "resident run";
  if (h.rotation_step > 3) return "rotation step";
  if (h.label < 0 || h.label >= house_label_count) return "label";
  const int last_id = house_list.empty() ? 0 : house_list.back()->id;
  if (h.id < 1 || h.id > max_house_id || h.id <= last_id) return "id";
  for (int r = 0; r < footprint_size; ++r)
    for (int c = 0; c < footprint_size; ++c)
      if (h.footprint[r * footprint_size + c] && !grid_cell_on(h.grid_row + r, h.grid_col + c)) return "footprint";
  return nullptr;
}

// 1 when house `other` holds a slot below its capacity with the monster that links to `id`.
bool links_back(const HouseRecord* other, std::uint16_t monster, int id) {
  if (!other) return false;
  for (int i = 0; i < other->capacity; ++i)
    if (other->residents[i].monster == monster && other->residents[i].link == std::int8_t(id)) return true;
  return false;
}

}  // namespace

HouseRecord* add_default_house(std::uint16_t object, float x, float y, float z, float w) {
  auto house = new_house(house_thatch, x, y, z - 50.0f, w);
  house->id = 1;
  house->act.act = object;
  house->placed = house->built = 1;
  house->level = 1;
  house->capacity = house_kind_row(house_thatch).capacity;
  compute_house_footprint(house.get());
  HouseRecord* made = house.get();
  house_list.insert(house_list.begin(), std::move(house));
  return made;
}

HouseRecord* add_house(int kind, float x, float y, float z, float w) {
  if (!is_house_kind(kind)) return nullptr;
  const HouseKindRow& row = house_kind_row(kind);
  auto house = new_house(kind, x, y, z, w);
  house->label = next_house_label(kind);
  house->act.act = row.object;
  house->capacity = row.capacity;
  house->level = std::uint8_t(row.level);
  compute_house_footprint(house.get());
  int id = 1;
  auto at = house_list.begin();
  for (; at != house_list.end() && (*at)->id <= id; ++at) ++id;
  house->id = id;
  HouseRecord* made = house.get();
  house_list.insert(at, std::move(house));
  return made;
}

HouseRecord* add_landmark(int kind, float x, float y, float z, float w) {
  for (const auto& l : landmark_list)
    if (l->kind == kind) return nullptr;
  const LandmarkRow& row = landmark_row(kind);
  auto mark = new_house(kind, x, y, z - 50.0f, w);
  mark->id = int(landmark_list.size()) + 1;
  mark->act.act = row.act;
  mark->act.qq = row.qq;
  mark->rotation = row.rotation;
  mark->label = row.keep_flag;
  mark->countdown = row.countdown;
  mark->level = 1;
  mark->placed = 1;
  mark->grid_row = mark->grid_col = 0;
  HouseRecord* made = mark.get();
  landmark_list.insert(landmark_list.begin(), std::move(mark));
  return made;
}

void spawn_landmarks(std::uint16_t entry_map) {
  landmark_list.clear();
  const bool excluded = std::find(std::begin(landmark_excluded_maps), std::end(landmark_excluded_maps), entry_map) !=
                        std::end(landmark_excluded_maps);
  for (int kind = 1; kind <= landmark_kind_count; ++kind) {
    const LandmarkRow& row = landmark_row(kind);
    if (!test_flag(row.add_flag) || (row.map_excluded && excluded)) continue;
    add_landmark(kind, row.x, row.y, row.z, 0.0f);
  }
}

int add_saved_house(std::span<const std::uint8_t, house_record_size> image) {
  auto house = std::make_unique<HouseRecord>();
  house_from_image(image, *house);
  compute_house_footprint(house.get());
  if (const char* fault = saved_house_fault(*house)) {
    report_error("add_saved_house: house %d dropped (%s)", house->id, fault);
    return 0;
  }
  const int phase_slot = house->kind == house_training ? house_effect_slots - 1 : house_effect_slots;
  for (int i = 0; i < phase_slot; ++i) house->effect_ids[i] = -1;
  mark_house_cells(house.get());
  house_list.push_back(std::move(house));
  return 1;
}

void clear_broken_house_links() {
  for (const auto& h : house_list)
    for (int i = 0; i < h->capacity; ++i) {
      ResidentSlot& slot = h->residents[i];
      if (slot.link && !links_back(find_house(slot.link), slot.monster, h->id)) slot.link = 0;
    }
}

HouseRecord* get_house_at(int n) {
  if (n < 1) return nullptr;
  for (const auto& h : house_list)
    if (h->active && --n == 0) return h.get();
  return nullptr;
}

void free_all_houses() {
  house_list.clear();
  landmark_list.clear();
}

int remove_inactive_house() {
  auto it = std::find_if(house_list.begin(), house_list.end(), [](const auto& h) { return !h->active; });
  if (it == house_list.end()) return 0;
  const int kind = (*it)->kind;
  if ((*it)->built == 1) refund_house(kind);
  house_list.erase(it);
  build_house_table();
  if (house_table_rows - house_table_top < 10 && house_table_top > 0) --house_table_top;
  // A formation house that goes takes its guard out of the escort records.
  if (kind == house_formation) build_escort_data();
  return 1;
}

int drop_landmark() {
  auto it = std::find_if(landmark_list.begin(), landmark_list.end(), [](const auto& l) { return !test_flag(l->label); });
  if (it == landmark_list.end()) return 0;
  landmark_list.erase(it);
  return 1;
}

HouseRecord* find_house(int id) {
  for (const auto& h : house_list)
    if (h->id == id) return h.get();
  return nullptr;
}

HouseRecord* unplaced_house() {
  for (const auto& h : house_list)
    if (!h->placed) return h.get();
  return nullptr;
}

int count_houses_of_kind(int kind) {
  return int(std::count_if(house_list.begin(), house_list.end(), [&](const auto& h) { return h->kind == kind; }));
}

int has_spare_dwelling(const HouseRecord*) {
  return std::count_if(house_list.begin(), house_list.end(), [](const auto& h) { return is_dwelling_kind(h->kind); }) > 1;
}

int upgrade_house_level(HouseRecord* house) {
  if (!house || (house->kind != house_formation && house->kind != house_training)) return 0;
  ++house->level;
  if (house->kind == house_formation) ++house->capacity;
  house->act.act = house_level_object(house->kind, house->level);
  build_house_table();
  return 1;
}

int next_house_label(int kind) {
  bool used[house_label_count] = {};
  int count = 0, highest = -1;
  for (const auto& h : house_list) {
    if (h->kind != kind || h->label < 0 || h->label >= house_label_count) continue;
    used[h->label] = true;
    highest = std::max(highest, int(h->label));
    ++count;
  }
  if (count >= highest + 1) return count;
  for (int i = 0; i < house_label_count; ++i)
    if (!used[i]) return i;
  return count;
}

void mark_house_cells(HouseRecord* house) { change_cells(house, cell_free, cell_taken); }
void unmark_house_cells(HouseRecord* house) { change_cells(house, cell_taken, cell_free); }
