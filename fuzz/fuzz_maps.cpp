// maps.dat: the loader and every lookup of its 26 tables, the start list, the map role table
// built from the placement rows, the row setters, role variables and the encounter rolls.
#include <cstdint>
#include <span>
#include <vector>

#include "battle/fame.h"
#include "core/byte_reader.h"
#include "core/random_r250.h"
#include "data/encounters.h"
#include "data/map_role.h"
#include "data/maps_db.h"
#include "data/maps_index.h"
#include "data/maps_init.h"
#include "data/maps_lookups.h"
#include "data/maps_music.h"
#include "data/object_db.h"
#include "data/party.h"
#include "data/role_rows.h"
#include "data/role_vars.h"
#include "field/map_change.h"
#include "field/map_file.h"
#include "fuzz/data_fuzz.h"
#include "tests/fixtures/objdata_writer.h"

namespace {

// A few objects for the start list and the equipment bonuses.
void load_objects_once() {
  static const bool loaded = [] {
    using namespace fixtures;
    install_item_data(objdata_gll({ObjectRecord().kind(201), ObjectRecord().kind(202).bonuses(5, 0, 0, 0, 0),
                                   ObjectRecord().kind(204).list_flags(0x02)}));
    return true;
  }();
  (void)loaded;
}

void lookups(std::uint16_t key) {
  char text[64];
  std::uint16_t words[10] = {};
  read_music_id(key);
  read_maps_music(text, sizeof text, key % 16);
  check_text_field(text);
  read_maps_type_name(key, text, sizeof text);
  check_text_field(text);
  read_maps_hint(key, text, sizeof text);
  check_text_field(text);
  read_maps_name(key, text, sizeof text);
  check_text_field(text);
  read_maps_group_talk(key, &words[0]);
  read_maps_act(key, words);
  check_maps_nofight(key);
  if (read_MapIndex(key)) {
    const std::uint32_t textures[] = {0, key, 10001, 20001, map_record.uv_tex[0], map_record.sky_tex};
    resolve_map_uv_tex(textures, std::size(textures));
    resolve_sky_uv_tex(textures, std::size(textures));
  }
  for (std::uint16_t list = 0; list <= 4; ++list) {
    select_maps_recipe(list);
    for (int i = 0; i < 256 && read_maps_recipe(key); ++i) {
    }
  }
}

void roles(std::uint16_t map, std::uint16_t role_id) {
  map_record.map_number = map;
  read_maps_role(map);
  add_maps_role(map, role_id);
  MapRole out;
  std::uint16_t out_map = 0;
  get_maps_role(role_id, &out, &out_map);
  if (gmMapRoleCount > 4) {
    gmMapRole[4].STATE |= 0x40000;
    gmMapRole[4].X = -1e30f;
  }
  save_all_maps_role();
  set_maps_role_state(role_id, 0x10, 1);
  set_maps_role_xyz(role_id, 1e9f, -5.5f, 3.0f);
  set_maps_role_flagex(role_id, 2);
  set_role_var_row(role_id, 2, 150);
  add_role_var_row(role_id, 1, 0xFFF0);
  set_role_var_scale(role_id, -2.5f);
  apply_cap(role_id, 0);

  free_btl_area_table();
  GetBtlAreaTable(map, &btl_area_head);
  map_record.encounter_set = role_id & 7;
  MapRole walker;
  walker.anim.box = {{-50, -50, -50, 0}, {50, 50, 50, 0}};
  if (gmMapRoleCount > 4) walker = gmMapRole[4];
  for (int force = 0; force <= 1; ++force) roll_encounter(&walker, role_id & 0xFF, force);
  for (std::uint16_t row = 0; row < 4; ++row) {
    roll_rage_strike(row, static_cast<std::uint8_t>(role_id), 50, 3, row & 1);
    roll_excite(row, static_cast<std::uint8_t>(map));
    roll_mood(row, static_cast<std::uint8_t>(map));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  DataFuzzInput input;
  load_objects_once();
  init_random(1);
  install_maps_data(std::span<const std::uint8_t>(data, size));
  read_maps_init();

  // Keys: a few fixed ones, and words of the input.
  ByteReader r(data, size);
  std::vector<std::uint16_t> keys = {0, 1, 2, 101, 0xFFFF};
  for (std::size_t i = 0; i < 12; ++i) keys.push_back(r.u16_at(size > 64 ? 32 + 5 * i : 2 * i));
  for (std::uint16_t key : keys) lookups(key);
  for (std::size_t i = 0; i + 1 < keys.size(); i += 2) roles(keys[i], keys[i + 1]);

  std::uint16_t summon[3];
  const int summons = count_maps_summon();
  for (int n = -1; n <= std::min(summons, 300); ++n) read_maps_summon(summon, n);
  const int places = count_maps_place();
  for (int n = -1; n <= std::min(places, 300); ++n) read_maps_place(n);
  set_music_id(keys.back(), 1, 2, 3, 4);
  maps_role_row_block();

  free_btl_area_table();
  free_party_items();
  free_fame();
  close_maps_data();
  return 0;
}
