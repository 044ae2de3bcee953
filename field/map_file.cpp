// The map record: loading a map file into it, and what it owns.
#include "field/map_file.h"

#include <cstring>
#include <vector>

#include "core/flags.h"
#include "core/log.h"
#include "core/paths.h"
#include "data/maps_index.h"
#include "field/map_file_image.h"
#include "g3d/effects/effect_def.h"
#include "g3d/effects/effect_list.h"
#include "g3d/model_cache.h"
#include "g3d/wld_grid.h"
#include "platform/files.h"

MapRecord map_record;
G3dWld* map_world = nullptr;
float map_grid_cell[3] = {};
float map_grid_origin[3] = {};
int map_grid_count[3] = {};

namespace {
// load_map(%d)錯誤  找不到檔案
constexpr const char* no_file_message = "load_map(%d)\xBF\xF9\xBB~  \xA7\xE4\xA4\xA3\xA8\xEC\xC0\xC9\xAE\xD7";
// 地圖[%d]找不到MapIndex資料!!
constexpr const char* no_index_message = "\xA6""a\xB9\xCF[%d]\xA7\xE4\xA4\xA3\xA8\xECMapIndex\xB8\xEA\xAE\xC6!!";
// load_map(...)  MapMemory(...)錯誤!!
constexpr const char* no_world_message = "load_map(...)  MapMemory(...)\xBF\xF9\xBB~!!";
// load_map(%d): 觸發事件[%d]超出範圍
constexpr const char* bad_event_message =
    "load_map(%d): \xC4\xB2\xB5o\xA8\xC6\xA5\xF3[%d]\xB6W\xA5X\xBD""d\xB3\xF2";

constexpr float object_grid_cell = 2500.0f;
constexpr std::uint16_t map_without_index = 65000;
constexpr std::int32_t last_event = 0xFFFF;  // a note's event is a talk number, 16 bits

bool read_map_file(std::uint16_t map, MapFileImage& image) {
  std::string path = game_dir;
  std::vector<std::uint8_t> bytes;
  return append_path(path, make_numbered_name("MAP\\WLD", ".MAP", map, 5)) &&
         platform::read_whole_file(path, bytes) && parse_map_file(bytes, image);
}

bool read_map_or_report(std::uint16_t map, MapFileImage& image) {
  if (read_map_file(map, image)) return true;
  report_error(no_file_message, map);
  return false;
}

void copy_header(MapRecord* record, const MapFileImage& image) {
  record->map_number = image.map_number;
  record->map_act = image.map_act;
  record->map_qq = image.map_qq;
  record->sky_act = image.sky_act;
  record->sky_qq = image.sky_qq;
  record->file_flags = image.file_flags;
  record->fixed_eye = image.fixed_eye;
  for (int i = 0; i < 12; ++i) record->grid_words[i] = image.grid_words[i];
  record->fog = image.fog;
  record->value_110 = image.value_110;
  for (std::size_t i = 0; i < sizeof record->name; ++i) record->name[i] = image.name[i];
  // A load over a record whose notes were not freed would chain the old ones behind the new.
  free_map_notes(record);
}

void add_notes(MapRecord* record, const MapFileImage& image, std::uint16_t map) {
  for (const MapFileNote& n : image.notes) {
    if (n.event < 0 || n.event > last_event) {
      report_error(bad_event_message, map, n.event);
      continue;
    }
    MapNote note;
    note.box = n.box;
    note.x = n.x, note.y = n.y, note.z = n.z;
    note.value = n.value;
    note.event = n.event;
    for (int i = 0; i < 8; ++i) note.values[i] = n.values[i];
    note.disabled = test_map_flag(n.event) ? 1 : 0;
    add_map_note(record, note);
  }
}

void add_placements(const MapFileImage& image) {
  for (const MapFilePlacement& p : image.placements) {
    // Type 0 and types past the definitions name no effect.
    if (p.type == 0 || p.type > effect_def_count) continue;
    EffectListNode node;
    node.x = p.x, node.y = p.y, node.z = p.z;
    node.type = p.type;
    node.spare = p.spare;
    add_effect_list(&node);
  }
}

// The texture numbers of a world's objects, in order, as the scroll rows name them.
const std::vector<std::uint32_t>& world_textures(const G3dWld* world) {
  static std::vector<std::uint32_t> numbers;
  numbers.clear();
  if (world)
    for (const G3dWldObj& o : world->objects) numbers.push_back(o.tex_no);
  return numbers;
}

const std::vector<std::uint32_t>& model_textures(const G3dPoly* model) {
  static std::vector<std::uint32_t> numbers;
  numbers.clear();
  if (model)
    for (const PlyMaterial& m : model->materials) numbers.push_back(m.tex_no);
  return numbers;
}

void take_index_row(std::uint16_t map, const G3dWld* world, const G3dPoly* sky) {
  if (map == map_without_index) return;
  if (!read_MapIndex(map)) report_error(no_index_message, map);
  const auto& world_tex = world_textures(world);
  resolve_map_uv_tex(world ? world_tex.data() : nullptr, world_tex.size());
  const auto& sky_tex = model_textures(sky);
  resolve_sky_uv_tex(sky ? sky_tex.data() : nullptr, sky_tex.size());
}

void publish_grid(MapRecord* record, G3dWld* world) {
  clear_map_grid();
  map_world = world;
  const CollArray* grid = world->lpCollArray.get();
  if (!grid) return;
  for (int i = 0; i < 3; ++i) {
    map_grid_cell[i] = grid->cell[i];
    map_grid_origin[i] = grid->min[i];
  }
  map_grid_count[0] = int(grid->nx);
  map_grid_count[1] = int(grid->ny);
  map_grid_count[2] = int(grid->nz);
  const float words[9] = {grid->cell[0], grid->cell[1], grid->cell[2], grid->min[0], grid->min[1],
                          grid->min[2], grid->max[0], grid->max[1], grid->max[2]};
  for (int i = 0; i < 9; ++i) std::memcpy(&record->grid_words[i], &words[i], 4);
  for (int i = 0; i < 3; ++i) record->grid_words[9 + i] = std::uint32_t(map_grid_count[i]);
}
}  // namespace

void clear_map_grid() {
  map_world = nullptr;
  for (int i = 0; i < 3; ++i) {
    map_grid_cell[i] = map_grid_origin[i] = 0.0f;
    map_grid_count[i] = 0;
  }
}

bool check_map_file(std::uint16_t map) {
  MapFileImage image;
  return read_map_or_report(map, image);
}

void load_map(MapRecord* record, std::uint16_t map) {
  MapFileImage image;
  // A damaged file is handled as a missing one: nothing of it reaches the record.
  if (!read_map_or_report(map, image)) return;
  copy_header(record, image);
  add_notes(record, image, map);
  add_placements(image);
  if (record->tint == 0) record->tint = map_tint_none;

  record->map_anim = ActInstance{};
  record->map_anim.act = record->map_act;
  record->map_anim.qq = record->map_qq;
  Take_3dActData(&record->map_anim);
  map_world = MapMemory(record->map_anim.resource);
  if (map_world) g3d_wld_build_grid(map_world, object_grid_cell);

  record->sky_anim = ActInstance{};
  record->sky_anim.act = record->sky_act;
  record->sky_anim.qq = record->sky_qq;
  Take_3dActData(&record->sky_anim);
  const G3dPoly* sky = record->sky_anim.resource ? GetPoly(record->sky_anim.resource) : nullptr;

  take_index_row(map, map_world, sky);
  if (!map_world) {
    report_error("%s", no_world_message);
    clear_map_grid();
    return;
  }
  publish_grid(record, map_world);
}

void free_map(MapRecord* record) {
  // The per-cell count block and the three work buffers are never allocated here.
  delete[] record->cell_counts;
  record->cell_counts = nullptr;
  free_map_notes(record);
}

void free_map_tex() {}

void add_map_note(MapRecord* record, const MapNote& note) {
  MapNote* node = new MapNote(note);
  node->next = record->notes;
  record->notes = node;
  ++record->note_count;
}

void free_map_notes(MapRecord* record) {
  while (MapNote* node = record->notes) {
    record->notes = node->next;
    delete node;
  }
  record->note_count = 0;
}

// No count block is ever allocated: nothing to lower, nothing to count.
int dec_map_cell_count(float, float, float) { return 0; }
int get_map_cell_count(int, int, int) { return -1; }
