// The fame records saves carry (fame.dat and the treasure images).
#include <gtest/gtest.h>

#include <cstring>

#include "battle/fame.h"
#include "core/byte_reader.h"
#include "core/flags.h"
#include "core/game_flags.h"
#include "core/log.h"
#include "core/paths.h"
#include "data/object_db.h"
#include "tests/fixtures/objdata_writer.h"
#include "tests/fixtures/save_image_writer.h"
#include "tests/fixtures/script_state.h"
#include "tests/fixtures/temp_folder.h"

namespace {
using namespace fixtures;

enum : std::uint16_t { monster = 1, found = 2, treasure = 3, other_treasure = 4, objects_made = 4 };

class Fame : public ::testing::Test {
 protected:
  Fame() {
    game_dir = dir.str();
    fixtures::start_test_game();
    free_fame();  // records an earlier test's summon or battle added
    set_error_log_switch(1);
    reset_debug_log(nullptr);
    std::vector<ObjectRecord> objects(objects_made);
    for (auto& o : objects) o.kind(204);
    dir.write("ObjData.GLL", as_string(objdata_gll(objects)));
    SFINIT0_open_item_data();
    open_item_data();
  }
  ~Fame() override { free_fame(); }
  void write_fame(const std::vector<std::uint8_t>& file) { dir.write("fame.dat", std::string(file.begin(), file.end())); }
  TempFolder dir{true};
};

TEST_F(Fame, TheFileKeepsEveryRecordButTreasuresAndCountsComeBackAsOne) {
  for (int i = 0; i < 3; ++i) fame_add(monster, 0, 0, fame_type_monster);
  fame_add(found, 1, 0, fame_type_object);
  fame_add(1234, 1, 0, fame_type_map);  // a map number: never looked up
  fame_add(treasure, 0, 0, fame_type_treasure);
  EXPECT_EQ(fame_find(monster, fame_type_monster)->points, 3);
  fame_block.cleared = 1;
  ASSERT_EQ(save_fame(), 1);
  fame_block = FameBlock{};
  ASSERT_EQ(load_fame(), 1);
  ASSERT_NE(fame_find(monster, fame_type_monster), nullptr);
  EXPECT_EQ(fame_find(monster, fame_type_monster)->points, 1);
  EXPECT_NE(fame_find(found, fame_type_object), nullptr);
  EXPECT_NE(fame_find(1234, fame_type_map), nullptr);
  EXPECT_EQ(fame_find(treasure, fame_type_treasure), nullptr);  // treasures travel in saves
  EXPECT_EQ(fame_block.mark, fame_block_mark);
  EXPECT_EQ(fame_block.cleared, 1);
  EXPECT_TRUE(test_flag(flag_game_cleared));
}

TEST_F(Fame, MoreRecordsThanTheFileHoldsKeepTheNewest) {
  for (int i = 0; i < fame_pairs_cap + 10; ++i) fame_add(std::uint16_t(5000 + i), 1, 0, fame_type_map);
  ASSERT_EQ(save_fame(), 1);
  ASSERT_EQ(load_fame(), 1);
  EXPECT_NE(fame_find(std::uint16_t(5000 + fame_pairs_cap + 9), fame_type_map), nullptr);
  EXPECT_NE(fame_find(std::uint16_t(5000 + 10), fame_type_map), nullptr);
  EXPECT_EQ(fame_find(std::uint16_t(5000 + 9), fame_type_map), nullptr);
  EXPECT_EQ(fame_find_nth(fame_type_map, fame_pairs_cap), nullptr);
}

TEST_F(Fame, ADamagedFileIsReadNoFurtherThanItsData) {
  const std::vector<std::uint8_t> good = kit::fame_dat({{monster, 0}, {found, 2}});
  struct Case { const char* what; std::vector<std::uint8_t> file; int loaded; int records; };
  std::vector<Case> cases = {
      {"good", good, 1, 2},
      {"count beyond the list", kit::fame_dat({{monster, 0}}, 0, 5000), 0, 0},
      {"no block after the data", std::vector<std::uint8_t>(good.begin(), good.end() - 1), 0, 0},
      {"empty", {}, 0, 0},
      {"cut in the sizes", {1, 0, 0}, 0, 0},
  };
  auto set32 = [](std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    for (std::size_t i = 0; i < 4; ++i) b.at(at + i) = std::uint8_t(v >> (8 * i));
  };
  std::vector<std::uint8_t> big = good;
  set32(big, 0, 5000);  // more than the list's 4096 bytes
  cases.push_back({"unpacked size over the list", big, 0, 0});
  std::vector<std::uint8_t> packed = good;
  set32(packed, 4, std::uint32_t(packed.size()));
  cases.push_back({"packed size past the file", packed, 0, 0});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fame_add(treasure, 0, 0, fame_type_treasure);
    write_fame(c.file);
    EXPECT_EQ(load_fame(), c.loaded);
    int records = 0;
    for (std::uint16_t t = 0; t < 4; ++t)
      for (std::uint16_t n = 0; fame_find_nth(t, n); ++n) ++records;
    EXPECT_EQ(records, c.records);
  }
}

TEST_F(Fame, TreasureImagesUseTheStoredOffsetsAndComeBackReversed) {
  fame_add(treasure, 0, 0, fame_type_treasure);
  fame_add(other_treasure, 0, 0, fame_type_treasure);
  fame_add(monster, 0, 0, fame_type_monster);
  FameNode* t = fame_find(treasure, fame_type_treasure);
  t->level = 7, t->exp = 321, t->bonus[7] = -5, t->pending = 9, t->total = 44, t->level_rose = 1;
  std::vector<std::uint8_t> out;
  fame_save_treasures(out);
  ASSERT_EQ(out.size(), 2 * fame_node_image_size);
  ByteReader second(out.data() + fame_node_image_size, fame_node_image_size);  // older: treasure
  const struct { std::size_t offset; std::uint32_t value; int width; } fields[] = {
      {0, 0, 4}, {8, 1, 4}, {12, treasure, 2}, {14, 1, 2}, {18, 7, 2}, {22, 321, 2},
      {40, 0xFFFB, 2}, {42, 9, 2}, {56, 44, 2}, {92, 0, 4}};
  for (const auto& f : fields)
    EXPECT_EQ(f.width == 2 ? second.u16_at(f.offset) : second.u32_at(f.offset), f.value) << f.offset;
  free_fame();
  std::vector<FameImage> images(2);
  std::memcpy(images[0].data(), out.data(), fame_node_image_size);
  std::memcpy(images[1].data(), out.data() + fame_node_image_size, fame_node_image_size);
  fame_load_treasures(images);
  EXPECT_EQ(fame_find_nth(fame_type_treasure, 0)->id, treasure);  // order reversed
  EXPECT_EQ(fame_find(treasure, fame_type_treasure)->exp, 321);
  EXPECT_EQ(fame_find(treasure, fame_type_treasure)->bonus[7], -5);
}

}  // namespace
