// Map files: the checked image refuses every file its counts do not fit, and load_map fills the
// map record, its trigger boxes, the effect placements and the grid globals from a valid one.
#include <cstring>

#include "core/flags.h"
#include "field/map_file_image.h"
#include "tests/field/sample_map_test.h"
#include "tests/fixtures/sample_data.h"
#include "tests/fixtures/sample_effects.h"
#include "tests/fixtures/sample_maps.h"

namespace {
using field_test::SampleMapTest;

// 地圖[%d]找不到MapIndex資料!!
const std::string no_index = "\xA6""a\xB9\xCF[300]\xA7\xE4\xA4\xA3\xA8\xECMapIndex\xB8\xEA\xAE\xC6!!";
// load_map(%d)錯誤  找不到檔案
std::string no_file(int map) {
  return "load_map(" + std::to_string(map) + ")\xBF\xF9\xBB~  \xA7\xE4\xA4\xA3\xA8\xEC\xC0\xC9\xAE\xD7";
}

kit::MapFileSpec village_like(std::uint16_t map) {
  kit::MapFileSpec s;
  s.map = map;
  s.map_act = kit::sample_village_act;
  s.name = "test";
  return s;
}

TEST(MapFileImage, AFileWithoutNotesOrPlacementsIs154BytesAndValid) {
  kit::MapFileSpec s;
  s.map = 12116;
  s.map_act = 12001, s.map_qq = 2, s.sky_act = 15001, s.sky_qq = 3;
  s.file_flags = 0x5;
  s.fixed_eye = {1, 2, 3, 4};
  s.grid_words[11] = 77;
  s.value_110 = 0xABCD;
  s.name = "\xB2M\xA4\xF4\xA7\xF8";
  const auto bytes = kit::map_file(s);
  ASSERT_EQ(bytes.size(), 154u);
  MapFileImage image;
  ASSERT_TRUE(parse_map_file(bytes, image));
  EXPECT_EQ(image.map_number, 12116);
  EXPECT_EQ(image.map_act, 12001);
  EXPECT_EQ(image.map_qq, 2);
  EXPECT_EQ(image.sky_act, 15001);
  EXPECT_EQ(image.sky_qq, 3);
  EXPECT_EQ(image.file_flags, 0x5u);
  EXPECT_EQ(image.fixed_eye.z, 3.0f);
  EXPECT_EQ(image.grid_words[11], 77u);
  EXPECT_EQ(image.fog.start, 3000.0f);
  EXPECT_EQ(image.fog.bias, 1.0f);
  EXPECT_EQ(image.value_110, 0xABCDu);
  EXPECT_STREQ(image.name, "\xB2M\xA4\xF4\xA7\xF8");
  EXPECT_TRUE(image.notes.empty());
  EXPECT_TRUE(image.placements.empty());
}

TEST(MapFileImage, NotesAndPlacementsAreReadInFileOrder) {
  kit::MapFileSpec s;
  s.notes.resize(2);
  s.notes[0].event = 11, s.notes[0].x = 5, s.notes[0].values[7] = 9;
  s.notes[1].event = 12, s.notes[1].box.max.y = 450;
  s.placements = {{3, 7, 1, 2, 3}, {4, 0, -1, -2, -3}};
  const auto bytes = kit::map_file(s);
  ASSERT_EQ(bytes.size(), 154u + 2 * 84 + 2 * 16);
  MapFileImage image;
  ASSERT_TRUE(parse_map_file(bytes, image));
  ASSERT_EQ(image.notes.size(), 2u);
  EXPECT_EQ(image.notes[0].event, 11);
  EXPECT_EQ(image.notes[0].x, 5.0f);
  EXPECT_EQ(image.notes[0].values[7], 9u);
  EXPECT_EQ(image.notes[1].event, 12);
  EXPECT_EQ(image.notes[1].box.max.y, 450.0f);
  ASSERT_EQ(image.placements.size(), 2u);
  EXPECT_EQ(image.placements[0].type, 3);
  EXPECT_EQ(image.placements[0].spare, 7);
  EXPECT_EQ(image.placements[1].z, -3.0f);
}

// A file shorter than its counts demand, or with a negative count, is refused whole.
TEST(MapFileImage, CountsTheFileCannotHoldAreRefused) {
  struct Case {
    const char* what;
    std::optional<std::int32_t> notes, placements;
    int note_list, placement_list;
    int cut;  // bytes taken off the end
  };
  const Case cases[] = {
      {"shorter than the header", {}, {}, 0, 0, 1},
      {"negative note count", -1, {}, 0, 0, 0},
      {"huge note count", 0x7FFFFFFF, {}, 1, 0, 0},
      {"note count past the end", 2, {}, 1, 0, 0},
      {"last note cut short", {}, {}, 2, 0, 1},
      {"negative placement count", {}, -5, 1, 0, 0},
      {"huge placement count", {}, 0x10000000, 0, 1, 0},
      {"last placement cut short", {}, {}, 1, 2, 1},
  };
  for (const Case& c : cases) {
    kit::MapFileSpec s;
    s.notes.resize(std::size_t(c.note_list));
    s.placements.resize(std::size_t(c.placement_list));
    s.note_count = c.notes;
    s.placement_count = c.placements;
    auto bytes = kit::map_file(s);
    bytes.resize(bytes.size() - std::size_t(c.cut));
    MapFileImage image;
    EXPECT_FALSE(parse_map_file(bytes, image)) << c.what;
  }
}

TEST(MapFileImage, ANameThatFillsItsFieldIsCutTo31Bytes) {
  kit::MapFileSpec s;
  s.name = std::string(32, 'N');
  MapFileImage image;
  ASSERT_TRUE(parse_map_file(kit::map_file(s), image));
  EXPECT_EQ(std::strlen(image.name), 31u);
}

TEST_F(SampleMapTest, TheVillageLoadsItsWorldGridRowAndTriggerBox) {
  load_map(&map_record, fixtures::sample_village);
  EXPECT_TRUE(log_lines().empty());
  EXPECT_EQ(map_record.map_number, fixtures::sample_village);
  EXPECT_STREQ(map_record.name, "\xB2M\xA4\xF4\xA7\xF8");
  EXPECT_EQ(map_record.map_flags, 0x40);  // the village's row: a minimap
  ASSERT_NE(map_world, nullptr);
  EXPECT_TRUE(map_world->grid_built);
  EXPECT_EQ(map_grid_count[0], 2);
  EXPECT_EQ(map_grid_count[2], 2);
  EXPECT_EQ(map_grid_cell[0], 3000.0f);
  EXPECT_EQ(map_grid_origin[1], 0.0f);
  EXPECT_EQ(map_record.grid_words[9], 2u);
  EXPECT_EQ(map_record.tint, map_tint_none);
  ASSERT_EQ(map_record.note_count, 1);
  EXPECT_EQ(map_record.notes->event, kit::sample_to_path_talk);
  EXPECT_EQ(map_record.notes->disabled, 0);
  ASSERT_EQ(effect_list().size(), 1u);
  EXPECT_EQ(effect_list().front().type, kit::sample_smoke);
}

TEST_F(SampleMapTest, NotesComeInReverseOrderAndAFlaggedOneLoadsDisabled) {
  kit::MapFileSpec s = village_like(200);
  s.notes.resize(4);
  s.notes[0].event = 31;
  s.notes[1].event = 32;
  s.notes[2].event = -1;      // no talk has this number: skipped, reported
  s.notes[3].event = 70000;   // nor this
  s.placements = {{0, 0, 1, 1, 1}, {std::uint16_t(kit::sample_sparkle_burst), 0, 5, 6, 7}, {6000, 0, 0, 0, 0}};
  write_map(s);
  set_map_flag(32);
  load_map(&map_record, 200);
  ASSERT_EQ(map_record.note_count, 2);
  EXPECT_EQ(map_record.notes->event, 32);
  EXPECT_EQ(map_record.notes->disabled, 1);
  EXPECT_EQ(map_record.notes->next->event, 31);
  EXPECT_EQ(map_record.notes->next->disabled, 0);
  EXPECT_EQ(map_record.notes->next->rearm, 0);
  // Types 0 and past the definitions are no effect at all.
  ASSERT_EQ(effect_list().size(), 1u);
  EXPECT_EQ(effect_list().front().x, 5.0f);
  EXPECT_TRUE(logged("[-1]"));
  EXPECT_TRUE(logged("[70000]"));
}

TEST_F(SampleMapTest, AMissingOrDamagedFileIsReportedAndChangesNothing) {
  load_map(&map_record, fixtures::sample_village);
  for (int damaged = 0; damaged <= 1; ++damaged) {
    kit::MapFileSpec s = village_like(201);
    s.note_count = 3;  // no notes follow
    if (damaged) write_map(s);
    reset_debug_log(nullptr);
    load_map(&map_record, 201);
    EXPECT_EQ(log_lines(), std::vector<std::string>{no_file(201)});
    EXPECT_EQ(map_record.map_number, fixtures::sample_village);
    EXPECT_EQ(map_record.note_count, 1);
    EXPECT_NE(map_world, nullptr);
  }
}

TEST_F(SampleMapTest, Map65000TakesNoRowOfTheMapDatabase) {
  write_map(village_like(65000));
  write_map(village_like(300));
  map_record.map_flags = 0x1234;
  load_map(&map_record, 65000);
  EXPECT_EQ(map_record.map_flags, 0x1234);
  EXPECT_TRUE(log_lines().empty());
  load_map(&map_record, 300);  // no row either, but asked for: reported, the flags kept
  EXPECT_EQ(log_lines(), std::vector<std::string>{no_index});
  EXPECT_EQ(map_record.map_flags, 0x1234);
}

TEST_F(SampleMapTest, AMapWithoutAWorldLeavesNoGridBehind) {
  load_map(&map_record, fixtures::sample_village);
  ASSERT_NE(map_world, nullptr);
  kit::MapFileSpec s = village_like(202);
  s.map_act = 0;
  write_map(s);
  load_map(&map_record, 202);
  EXPECT_TRUE(logged("load_map(...)  MapMemory(...)\xBF\xF9\xBB~!!"));
  EXPECT_EQ(map_world, nullptr);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(map_grid_count[i], 0);
}

TEST(MapCells, WithoutACountBlockNothingIsCounted) {
  EXPECT_EQ(dec_map_cell_count(10, 0, 10), 0);
  EXPECT_EQ(get_map_cell_count(0, 0, 0), -1);
}

}  // namespace
