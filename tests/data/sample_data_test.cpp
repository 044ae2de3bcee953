// The sample game's tables load completely and agree with one another.
#include "tests/fixtures/sample_base.h"
#include "tests/fixtures/sample_data.h"

#include "data/item_list.h"
#include "data/level_tables.h"
#include "data/map_role.h"
#include "data/maps_db.h"
#include "data/maps_index.h"
#include "data/maps_init.h"
#include "data/maps_lookups.h"
#include "data/maps_music.h"
#include "data/mission_name.h"
#include "data/music_state.h"
#include "data/object_db.h"
#include "data/party.h"
#include "field/map_file.h"
#include "field/world_map.h"
#include "g3d/act_archive.h"
#include "tests/fixtures/sample_maps.h"
#include "tests/fixtures/sample_models.h"
#include "tests/data/data_test.h"

namespace {
using namespace fixtures;

class SampleData : public data_test::DataTest {
 protected:
  SampleData() {
    for (const auto& [name, bytes] : sample_data_files()) write(name, bytes);
    // The world map's places are played as they load: the animations come first.
    EXPECT_TRUE(kit::write_sample_models(dir.path()));
    Set_3dActPath((game_dir + "\\ACT").c_str());
    EXPECT_EQ(Init_3dAct(), 1);
    SFINIT0_open_item_data();
    open_maps_data();
    open_item_data();
    open_exp_data();
    open_mission_data();
    open_Name_data();
  }
  ~SampleData() override { Close_3dAct(); }
};

TEST_F(SampleData, EveryTableLoadsWithoutAReport) {
  EXPECT_TRUE(gmItemPool);
  EXPECT_TRUE(gmMapsPool);
  EXPECT_TRUE(gmExpPool);
  EXPECT_TRUE(gmMission);
  EXPECT_TRUE(gmName);
  EXPECT_EQ(gmItemCount, sample_last_house_object);  // the last object: the base's houses
  for (std::uint16_t n : {sample_hero, sample_healer, sample_herb, sample_elder, sample_sword, sample_cloth,
                          sample_jade, sample_bandit, sample_wolf, sample_fireball, sample_restore_art, sample_treasure,
                          sample_bell, sample_save_stone, sample_level_pill, sample_egg, sample_story_art}) {
    ItemData item;
    EXPECT_EQ(read_Item(n, &item), 1) << n;
    EXPECT_NE(item.NAME[0], '\0') << n;
  }
  for (int member = 0; member < 4; ++member) EXPECT_GT(get_level_exp(member, 1), 0u) << member;
  EXPECT_FALSE(get_mission(1).empty());
  EXPECT_FALSE(get_Name(sample_village).empty());
  EXPECT_TRUE(messages().empty());
}

TEST_F(SampleData, TheMapsHaveRolesMusicAndOneEncounterArea) {
  for (std::uint16_t map : {sample_village, sample_path}) {
    EXPECT_EQ(read_MapIndex(map), 1) << map;
    EXPECT_EQ(read_maps_role(map), 1);
    EXPECT_GT(gmMapRoleCount, 4) << map;
    EXPECT_NE(read_music_id(map), -1) << map;
    char name[64];
    EXPECT_EQ(read_maps_music(name, sizeof name, music_ids[0]), 1) << map;
    EXPECT_EQ(read_maps_name(map, name, sizeof name), 1) << map;
  }
  EXPECT_EQ(read_MapIndex(sample_path), 1);
  EXPECT_EQ(map_record.encounter_set, 1);
  EXPECT_EQ(count_maps_place(), 2);
  // The world map's two places, the path's first (the list runs backwards).
  const GameMapPlace* place = game_map_places();
  ASSERT_NE(place, nullptr);
  EXPECT_EQ(place->flag, kit::sample_path_place);
  ASSERT_NE(place->next, nullptr);
  EXPECT_EQ(place->next->flag, kit::sample_village_place);
  EXPECT_EQ(place->next->next, nullptr);
  EXPECT_TRUE(messages().empty());
}

TEST_F(SampleData, TheNewGameStartListFillsTheParty) {
  read_maps_init();
  EXPECT_EQ(party_money, 100);
  EXPECT_EQ(get_item_num(&party_bag, sample_herb), 2);
  EXPECT_EQ(gmRoleData[0].equip[0], sample_sword);
  EXPECT_EQ(gmRoleData[0].stats[stat_weapon_attack], 12);
  EXPECT_NE(find_item(&gmRoleData[0].arts, sample_fireball), nullptr);
  EXPECT_TRUE(messages().empty());
}

}  // namespace
