// The sample game's base pages played as a process. The first run builds the weapons workshop
// and saves (base_camp.txt); between the runs the settlement grows in that save, as later visits
// would have made it: the teacher and the sentinel move into the dwelling, a training hall and a
// formation ground stand on free cells, and the healer has joined the party. The second run
// (base_pages.txt) loads it from the title, staffs the workshop with the smith, orders two swords
// and sees them delivered, chooses the teacher as the hall's master, wins a battle on the path
// that teaches the party his spell, equips it on the magic page, sets the sentinel as the
// formation ground's guard, goes back out to the menu and saves through the system page.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "base/base_camp.h"
#include "base/build_grid.h"
#include "base/house_kinds.h"
#include "base/house_record.h"
#include "core/game_flags.h"
#include "data/magic_study.h"
#include "tests/app/sample_run.h"
#include "tests/fixtures/sample_base.h"
#include "tests/fixtures/sample_data.h"
#include "tests/fixtures/sample_fight_talk.h"
#include "tests/fixtures/save_image_writer.h"

namespace {

using sample_run::bag_of;
using sample_run::expect_frame;
using sample_run::read_slot_zero;
using sample_run::run_script;

constexpr float cell_size = 300.0f;

// Whether the house's footprint, anchored at (row, col), covers only free cells of the grid.
bool fits(const std::array<std::int32_t, build_grid_cells>& grid, const HouseRecord& h, int row, int col) {
  for (int r = 0; r < footprint_size; ++r)
    for (int c = 0; c < footprint_size; ++c) {
      if (!h.footprint[r * footprint_size + c]) continue;
      if (!grid_cell_on(row + r, col + c) || grid[std::size_t((row + r) * build_grid_cols + col + c)] != cell_free)
        return false;
    }
  return true;
}

// A built house of the kind on the first free cells, as the build page places one (the origin
// above the anchor cell, at the height of the houses already built), appended to the save with
// the next id and its cells taken.
bool add_built_house(SaveImage& image, int kind, float y) {
  HouseRecord h{};
  const HouseKindRow& row = house_kind_row(kind);
  h.kind = kind;
  h.act.act = row.object;
  h.capacity = row.capacity;
  h.level = std::uint8_t(row.level);
  h.active = h.placed = 1;
  h.built = 1;
  std::fill(std::begin(h.effect_ids), std::end(h.effect_ids), -1);
  compute_house_footprint(&h);
  HouseRecord last{};
  house_from_image(image.houses.back(), last);
  h.id = last.id + 1;
  for (int r = 0; r < build_grid_rows; ++r)
    for (int c = 0; c < build_grid_cols; ++c) {
      if (!fits(image.build_grid, h, r, c)) continue;
      h.grid_row = r, h.grid_col = c;
      h.pos = {base_origin_x - 1500 + cell_size * float(c), y, base_origin_z + 1450 - cell_size * float(r), 0};
      for (int fr = 0; fr < footprint_size; ++fr)
        for (int fc = 0; fc < footprint_size; ++fc)
          if (h.footprint[fr * footprint_size + fc])
            image.build_grid[std::size_t((r + fr) * build_grid_cols + c + fc)] = cell_taken;
      house_to_image(h, image.houses.emplace_back());
      return true;
    }
  return false;
}

// Slot 0 of the first run with the grown settlement written back in its place.
// *bag_before is the bag the first run saved.
::testing::AssertionResult grow_settlement(const fixtures::TempFolder& dir, std::map<int, int>* bag_before) {
  SaveImage image;
  if (!read_slot_zero(dir, image)) return ::testing::AssertionFailure() << "no slot 0\n" << dir.read("debug.txt");
  *bag_before = bag_of(image);
  if (image.houses.size() != 2) return ::testing::AssertionFailure() << image.houses.size() << " houses saved";
  HouseRecord dwelling, workshop;
  house_from_image(image.houses[0], dwelling);
  house_from_image(image.houses[1], workshop);
  dwelling.residents[1].monster = fixtures::sample_teacher;
  dwelling.residents[2].monster = fixtures::sample_sentinel;
  dwelling.resident_count = 3;
  house_to_image(dwelling, image.houses[0]);
  // The healer has joined: the hall's study needs party character 1 in the battle.
  image.header.global_flags[flag_member_1 >> 3] |= std::uint8_t(1 << (flag_member_1 & 7));
  if (!add_built_house(image, house_training, workshop.pos.y) || !add_built_house(image, house_formation, workshop.pos.y))
    return ::testing::AssertionFailure() << "no free cells";
  const std::vector<std::uint8_t> bytes = write_save_image(image);
  const std::vector<std::uint8_t> file = kit::save_slot_file(bytes);
  dir.write("Save/00.sav", std::string(file.begin(), file.end()));
  return ::testing::AssertionSuccess();
}

TEST(BasePagesProcess, TheWorkshopTrainingHallAndFormationGroundServeTheParty) {
  fixtures::TempFolder dir;
  ASSERT_TRUE(fixtures::write_sample_game(dir.path()));
  ASSERT_EQ(run_script(dir, "base_camp.txt"), 0) << dir.read("qorv.out");
  std::map<int, int> bag_before;
  ASSERT_TRUE(grow_settlement(dir, &bag_before));
  std::filesystem::remove_all(dir.path() / "shots");  // the second run's shots only
  ASSERT_EQ(run_script(dir, "base_pages.txt"), 0) << dir.read("qorv.out");
  SaveImage image;
  ASSERT_TRUE(read_slot_zero(dir, image)) << dir.read("debug.txt");

  // Two swords for 40 money and two herbs; the battle's spoils: the hare's herb and both
  // monsters' money.
  std::map<int, int> bag = bag_of(image);
  EXPECT_EQ(bag[fixtures::sample_forged_sword], 2);
  EXPECT_EQ(bag[fixtures::sample_herb], bag_before[fixtures::sample_herb] - 2 + 1);
  EXPECT_EQ(image.header.resources[0],
            50 - 2 * fixtures::sample_sword_money + kit::sample_boar_money + kit::sample_hare_money);

  // The smith works the workshop, whose 冶金 is his; the teacher holds the hall; the sentinel
  // guards the formation ground.
  ASSERT_EQ(image.houses.size(), 4u);
  HouseRecord dwelling, workshop, hall, ground;
  house_from_image(image.houses[0], dwelling);
  house_from_image(image.houses[1], workshop);
  house_from_image(image.houses[2], hall);
  house_from_image(image.houses[3], ground);
  EXPECT_EQ(workshop.resident_count, 1);
  EXPECT_EQ(workshop.residents[0].monster, fixtures::sample_smith);
  EXPECT_EQ(workshop.skill_totals[0], 2);
  EXPECT_EQ(hall.kind, house_training);
  EXPECT_EQ(ground.kind, house_formation);
  EXPECT_EQ(ground.resident_count, 1);
  EXPECT_EQ(ground.residents[0].monster, fixtures::sample_sentinel);
  EXPECT_EQ(dwelling.resident_count, 3) << "jobs keep their residents in the dwelling";

  // The guard is the first escort record, which the next battle calls.
  ItemData escort{};
  item_data_from_image(image.escort[0], escort);
  EXPECT_EQ(escort.object_id, fixtures::sample_sentinel);
  ItemData second{};
  item_data_from_image(image.escort[1], second);
  EXPECT_EQ(second.object_id, 0);

  // The battle taught the teacher's spell and the party equipped it in its first slot.
  const auto learned = std::find_if(image.studies.begin(), image.studies.end(), [](const MagicStudyImage& m) {
    MagicStudy study{};
    magic_study_from_image(m, study);
    return study.spell_id == fixtures::sample_fire_spell && study.learned == 1;
  });
  EXPECT_NE(learned, image.studies.end());
  EXPECT_EQ(image.party_magic[0] | image.party_magic[1] << 8, fixtures::sample_fire_spell);

  // The whole image, blocks 5 and 6 among the rest, written again is the same bytes.
  const std::string file = dir.read("Save/00.sav");
  const std::vector<std::uint8_t> packed(file.begin(), file.end());
  std::vector<std::uint8_t> bytes;
  ASSERT_EQ(unpack_save_file(packed, bytes), SaveUnpack::Ok);
  EXPECT_EQ(write_save_image(image), bytes);

  // The workers page with the smith taken in; the order of two swords; the delivery; the hall's
  // new master; the equipped spell; the new guard; back in the menu.
  const struct { int frame; const char* reference; } frames[] = {
      {560, "base_process_worker_taken"},     {700, "base_process_order_two"},
      {731, "base_process_delivered"},        {930, "base_process_master_chosen"},
      {2350, "base_process_spell_equipped"}, {2551, "base_process_guard_set"},
      {3070, "base_process_back_in_menu"}};
  for (const auto& f : frames) expect_frame(dir, f.frame, f.reference);
}

}  // namespace
