// Block 5 of the save file: the build grid and the house images go through the real records.
// A save of ours reads back house for house; a house image that is no house of ours is
// dropped and reported while the rest of the save loads.
#include <gtest/gtest.h>

#include "base/house_kinds.h"
#include "base/residents.h"
#include "core/byte_reader.h"
#include "data/maps_db.h"
#include "tests/base/base_test.h"
#include "tests/fixtures/map_file_writer.h"
#include "tests/fixtures/maps_writer.h"
#include "tests/fixtures/save_image_writer.h"
#include "ui/saves/save_file.h"
#include "ui/saves/save_image.h"

namespace {
using namespace base_test;

class HouseSave : public BaseTest {
 protected:
  HouseSave() {
    write("maps.dat", fixtures::maps_dat(fixtures::MapsDat{}));
    open_maps_data();
    write(kit::map_file_name(0), kit::map_file(kit::MapFileSpec{}));  // the map the saves stand on
  }
  ~HouseSave() override {
    free_party_items();
    close_maps_data();
  }
  void write_slot(const kit::SaveKit& save) {
    const auto file = kit::save_slot_file(kit::save_image(save));
    write("Save/01.sav", fixtures::Bytes(file.begin(), file.end()));
  }
};

TEST_F(HouseSave, ASavedSettlementReadsBackHouseForHouse) {
  HouseRecord* home = add_default_house(9901, 5700, 200, 5700, 0);
  mark_house_cells(home);
  add_resident(wolf);
  HouseRecord* shop = built_house(house_weapons_1, 0, 0);
  assign_worker(shop, home, 0);
  shop->skill_totals[1] = 6;
  HouseRecord* dropped = add_house(house_timber, 0, 0, 0, 0);  // being placed: not active after a cancel
  dropped->active = 0;
  BuildGrid[100] = cell_blocked;
  std::vector<HouseImage> before;
  for (int n = 1; HouseRecord* h = get_house_at(n); ++n) house_to_image(*h, before.emplace_back());
  ASSERT_EQ(before.size(), 2u);
  std::int32_t grid[build_grid_cells];
  std::copy(std::begin(BuildGrid), std::end(BuildGrid), grid);

  ASSERT_TRUE(save_game("02.sav"));
  free_all_houses();
  std::fill(std::begin(BuildGrid), std::end(BuildGrid), cell_free);
  ASSERT_EQ(load_game("02.sav"), 1);

  ASSERT_EQ(house_list.size(), 2u);
  for (std::size_t i = 0; i < 2; ++i) {
    HouseImage after;
    house_to_image(*house_list[i], after);
    EXPECT_EQ(after, before[i]) << i;
  }
  EXPECT_TRUE(std::equal(std::begin(BuildGrid), std::end(BuildGrid), grid));
  EXPECT_EQ(BuildGrid[75], cell_taken);
  EXPECT_EQ(BuildGrid[1], cell_taken);
  EXPECT_EQ(house_list[0]->residents[0].link, 2) << "the job stays paired";
}

TEST_F(HouseSave, AForeignHouseImageIsDroppedAndTheSaveStillLoads) {
  kit::SaveKit save;
  save.resources = {500, 0, 0, 0};
  for (std::uint32_t& cell : save.grid) cell = cell_free;
  fixtures::HouseImageSpec good;
  good.residents = {{wolf, 0}};
  good.resident_count = 1;
  fixtures::HouseImageSpec off_grid = good;
  off_grid.id = 2;
  off_grid.grid_col = 13;
  fixtures::HouseImageSpec third = good;
  third.id = 3;
  third.grid_row = 0, third.grid_col = 0;
  third.residents = {{bear, 2}};  // its partner was dropped with its house
  for (const auto& house : {good, off_grid, third}) {
    const auto image = fixtures::house_image(house);
    save.houses.push_back({0, 0, 0, std::vector<std::uint8_t>(image.begin(), image.end())});
  }
  write_slot(save);
  ASSERT_EQ(load_game("01.sav"), 1);
  EXPECT_EQ(party_money, 500);
  ASSERT_EQ(house_list.size(), 2u);
  EXPECT_EQ(house_list[0]->id, 1);
  EXPECT_EQ(house_list[1]->id, 3);
  EXPECT_EQ(house_list[1]->residents[0].link, 0) << "a link to no house is cleared";
  EXPECT_EQ(BuildGrid[75], cell_taken);
  EXPECT_EQ(BuildGrid[5 * 14 + 13], cell_free);
  bool reported = false;
  for (const std::string& line : messages()) reported |= line.find("house 2 dropped") != std::string::npos;
  EXPECT_TRUE(reported);
}

TEST_F(HouseSave, ImagesRunToTheEndMarkAndAreKeptAsTheyStand) {
  kit::SaveKit save;
  save.houses = {{1, 2, 0x33}, {3, 4, 0x44}};
  SaveImage image;
  ASSERT_EQ(parse_save_image(kit::save_image(save), image), SaveParse::Ok);
  ASSERT_EQ(image.houses.size(), 2u);
  EXPECT_EQ(ByteReader(image.houses[1].data(), house_record_size).u32_at(392), 3u);
  EXPECT_EQ(image.houses[1][500], 0x44);
}

}  // namespace
