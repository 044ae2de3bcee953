// The house rules: footprints, ids, labels, costs and refunds, limits, grid marking, landmarks,
// and the checks that saved houses pass before they join the settlement.
#include <gtest/gtest.h>

#include <cstring>

#include "base/house_costs.h"
#include "base/house_kinds.h"
#include "core/flags.h"
#include "core/game_flags.h"
#include "tests/base/base_test.h"

namespace {
using namespace base_test;

class HouseRules : public BaseTest {};

std::string footprint_text(const HouseRecord& h) {
  std::string s;
  for (int r = 0; r < 3; ++r) {
    if (r) s += ' ';
    for (int c = 0; c < 3; ++c) s += char('0' + h.footprint[r * 3 + c]);
  }
  return s;
}

TEST_F(HouseRules, FootprintsByKindAndQuarterTurn) {
  const struct { int kind; const char* steps[4]; int cells; } table[] = {
      {1, {"110 000 000", "100 100 000", "110 000 000", "100 100 000"}, 2},
      {2, {"110 100 000", "100 110 000", "010 110 000", "110 010 000"}, 3},
      {3, {"110 110 000", "110 110 000", "110 110 000", "110 110 000"}, 4},
      {4, {"110 110 000", "110 110 000", "110 110 000", "110 110 000"}, 4},
      {5, {"011 110 000", "100 110 010", "011 110 000", "100 110 010"}, 4},
      {6, {"001 111 100", "110 010 011", "001 111 100", "110 010 011"}, 5},
      {7, {"110 110 000", "110 110 000", "110 110 000", "110 110 000"}, 4},
      {8, {"110 011 000", "010 110 100", "110 011 000", "010 110 100"}, 4},
      {9, {"100 111 001", "011 010 110", "100 111 001", "011 010 110"}, 5},
      {10, {"110 100 000", "100 110 000", "010 110 000", "110 010 000"}, 3},
      {11, {"110 110 000", "110 110 000", "110 110 000", "110 110 000"}, 4},
      {12, {"111 010 000", "100 110 100", "010 111 000", "010 110 010"}, 4},
      {13, {"101 010 000", "100 010 100", "010 101 000", "010 100 010"}, 3},
      {14, {"010 101 010", "010 101 010", "010 101 010", "010 101 010"}, 4},
      {15, {"010 111 010", "010 111 010", "010 111 010", "010 111 010"}, 5},
      {16, {"101 010 101", "101 010 101", "101 010 101", "101 010 101"}, 5},
      {17, {"101 111 101", "111 010 111", "101 111 101", "111 010 111"}, 7},
  };
  for (const auto& row : table)
    for (int step = 0; step < 4; ++step) {
      HouseRecord h;
      h.kind = row.kind;
      h.rotation_step = std::uint16_t(step);
      compute_house_footprint(&h);
      EXPECT_EQ(footprint_text(h), row.steps[step]) << "kind " << row.kind << " step " << step;
      EXPECT_EQ(h.footprint_cells, row.cells) << "kind " << row.kind;
    }
  HouseRecord odd;
  odd.kind = 6;
  odd.rotation_step = 4;
  odd.footprint_cells = 9;
  odd.footprint[0] = 1;
  compute_house_footprint(&odd);
  EXPECT_EQ(footprint_text(odd), "000 000 000");
  EXPECT_EQ(odd.footprint_cells, 9) << "a step outside 0-3 keeps the count";
}

TEST_F(HouseRules, ANewHouseTakesTheLowestFreeIdInIdOrder) {
  for (int i = 0; i < 4; ++i) add_house(house_items_1 + i, 0, 0, 0, 0);  // ids 1-4
  house_list.erase(house_list.begin() + 2);                             // 1, 2, 4
  HouseRecord* h = add_house(house_weapons_1, 1, 2, 3, 4);
  EXPECT_EQ(h->id, 3);
  ASSERT_EQ(house_list.size(), 4u);
  EXPECT_EQ(house_list[2].get(), h) << "between 2 and 4";
  EXPECT_EQ(h->placed, 0);
  EXPECT_EQ(h->grid_row, 5);
  EXPECT_EQ(h->act.act, 9904);
  EXPECT_EQ(h->capacity, 5);
  EXPECT_EQ(h->effect_ids[4], -1);
  EXPECT_EQ(add_house(house_weapons_1, 0, 0, 0, 0)->id, 5);
  EXPECT_EQ(add_house(18, 0, 0, 0, 0), nullptr);
}

TEST_F(HouseRules, LabelsFillTheLowestGap) {
  const struct { std::vector<int> labels; int next; } cases[] = {
      {{}, 0}, {{0, 1, 2}, 3}, {{0, 2}, 1}, {{1}, 0}, {{0, 1, 3, 4}, 2},
  };
  for (const auto& c : cases) {
    free_all_houses();
    for (int label : c.labels) add_house(house_timber, 0, 0, 0, 0)->label = label;
    add_house(house_thatch, 0, 0, 0, 0)->label = 7;  // another kind does not count
    EXPECT_EQ(next_house_label(house_timber), c.next) << ::testing::PrintToString(c.labels);
  }
}

TEST_F(HouseRules, RemovalRefundsHalfOfWhatWasPaid) {
  HouseRecord* paid = built_house(house_weapons_1, 0, 0);
  paid->active = 0;
  EXPECT_EQ(BuildGrid[0], cell_taken);
  unmark_house_cells(paid);
  EXPECT_EQ(remove_inactive_house(), 1);
  EXPECT_EQ(party_money, house_money / 2) << "25 gives 12";
  EXPECT_EQ(party_metal, 5);
  EXPECT_EQ(party_wood, 10);
  EXPECT_EQ(party_coal, 15);
  HouseRecord* unpaid = add_house(house_weapons_1, 0, 0, 0, 0);
  unpaid->active = 0;
  EXPECT_EQ(remove_inactive_house(), 1);
  EXPECT_EQ(party_money, 12) << "a cancelled placement refunds nothing";
  EXPECT_TRUE(house_list.empty());
  EXPECT_EQ(remove_inactive_house(), 0);
  EXPECT_EQ(BuildGrid[0], cell_free);
}

TEST_F(HouseRules, PaymentIsAllOrNothing) {
  party_metal = house_metal, party_wood = house_wood, party_coal = house_coal, party_money = house_money - 1;
  EXPECT_EQ(pay_house_cost(house_weapons_1, 1), 0);
  EXPECT_EQ(party_metal, house_metal);
  EXPECT_EQ(party_money, house_money - 1);
  EXPECT_EQ(cost_enough[3], 0);
  EXPECT_EQ(cost_enough[0], 1);
  party_money = house_money;
  EXPECT_EQ(pay_house_cost(house_weapons_1, 1), 1);
  EXPECT_EQ(party_metal + party_wood + party_coal + party_money, 0);
}

TEST_F(HouseRules, AKindOverItsLimitAndShortOfResourcesShowsTheResourceMessage) {
  rich();
  built_house(house_weapons_1, 0, 0);
  EXPECT_EQ(check_house_limit(house_weapons_1, 1), 0);
  EXPECT_EQ(check_house_limit(house_thatch, 1), 1);
  // "%C9house 4%C0 限制1幢%Q"
  ASSERT_EQ(boxes().size(), 1u);
  EXPECT_EQ(boxes()[0], "%C9house 4%C0 \xAD\xAD\xA8\xEE" "1\xBC\x6C%Q");
  del_all_talkmsg();
  party_coal = 0;
  EXPECT_EQ(check_house_limit(house_weapons_1, 1), 0);
  ASSERT_EQ(boxes().size(), 1u);
  EXPECT_EQ(boxes()[0], "\xAB\xD8\xB3y\xBB\xDD\xA8" "D\xB8\xEA\xB7\xBD\xA4\xA3\xA8\xAC%Q");  // 建造需求資源不足%Q
  del_all_talkmsg();
  EXPECT_EQ(check_house_limit(house_weapons_1, 0), 0);
  EXPECT_TRUE(boxes().empty());
}

TEST_F(HouseRules, FormationGroundsAllowTwoAndDwellingsTwentyTwo) {
  rich();
  for (int i = 0; i < 2; ++i) add_house(house_formation, 0, 0, 0, 0);
  EXPECT_EQ(check_house_limit(house_formation, 0), 0);
  for (int i = 0; i < 21; ++i) add_house(house_brick, 0, 0, 0, 0);
  EXPECT_EQ(check_house_limit(house_brick, 0), 1);
  add_house(house_brick, 0, 0, 0, 0);
  EXPECT_EQ(check_house_limit(house_brick, 0), 0);
}

TEST_F(HouseRules, UpgradesRaiseTheLevelAndModelOfTheTwoSpecialKinds) {
  HouseRecord* f = add_house(house_formation, 0, 0, 0, 0);
  EXPECT_EQ(upgrade_house_level(f), 1);
  EXPECT_EQ(f->level, 2);
  EXPECT_EQ(f->capacity, 2);
  EXPECT_EQ(f->act.act, 9917);
  HouseRecord* t = add_house(house_training, 0, 0, 0, 0);
  EXPECT_EQ(upgrade_house_level(t), 1);
  EXPECT_EQ(t->act.act, 9923);
  EXPECT_EQ(t->capacity, 1);
  EXPECT_EQ(upgrade_house_level(add_house(house_items_1, 0, 0, 0, 0)), 0);
  f->built = 1;
  f->active = 0;
  remove_inactive_house();
  EXPECT_EQ(party_money, house_money / 2) << "the refund is the level-1 record's";
}

TEST_F(HouseRules, MarkingWalksOnlyTheFootprintAndStopsAtItsCount) {
  BuildGrid[0] = cell_blocked;
  HouseRecord* h = add_house(house_thatch, 0, 0, 0, 0);  // 110 000 000
  h->grid_row = 0;
  h->grid_col = 0;
  mark_house_cells(h);
  EXPECT_EQ(BuildGrid[0], cell_blocked);
  EXPECT_EQ(BuildGrid[1], cell_taken);
  EXPECT_EQ(BuildGrid[2], cell_free);
  h->grid_col = 13;  // the second cell lies off the grid
  mark_house_cells(h);
  EXPECT_EQ(BuildGrid[13], cell_taken);
  EXPECT_EQ(BuildGrid[14], cell_free) << "no wrap into the next row";
  unmark_house_cells(h);
  EXPECT_EQ(BuildGrid[13], cell_free);
}

TEST_F(HouseRules, TheDefaultDwellingAndTheActiveHousesOfTheSaveWriter) {
  HouseRecord* d = add_default_house(9901, 5700, 200, 5700, 0);
  EXPECT_EQ(d->id, 1);
  EXPECT_EQ(d->kind, house_thatch);
  EXPECT_EQ(d->pos.z, 5650.0f);
  EXPECT_EQ(d->capacity, 3);
  EXPECT_EQ(d->grid_row * 14 + d->grid_col, 75);
  EXPECT_EQ(d->footprint_cells, 2);
  HouseRecord* gone = add_house(house_timber, 0, 0, 0, 0);
  add_house(house_brick, 0, 0, 0, 0);
  gone->active = 0;
  EXPECT_EQ(get_house_at(1), d);
  EXPECT_EQ(get_house_at(2)->kind, house_brick);
  EXPECT_EQ(get_house_at(3), nullptr);
  EXPECT_EQ(get_house_at(0), nullptr);
  EXPECT_EQ(has_spare_dwelling(d), 1);
  free_all_houses();
  EXPECT_EQ(get_house_at(1), nullptr);
}

TEST_F(HouseRules, LandmarksFollowTheirFlags) {
  set_flag(flag_landmark_kite);
  set_flag(flag_landmark_cottage);
  set_flag(flag_mechanism_1);
  spawn_landmarks(1000);
  ASSERT_EQ(landmark_list.size(), 3u);
  EXPECT_EQ(landmark_list[0]->kind, 4) << "newest first";
  EXPECT_EQ(landmark_list[0]->act.qq, 3);
  EXPECT_EQ(landmark_list[2]->kind, 1);
  EXPECT_EQ(landmark_list[2]->rotation, -60.0f);
  EXPECT_EQ(landmark_list[2]->countdown, 200);
  EXPECT_EQ(landmark_list[2]->pos.z, 6950.0f);
  EXPECT_EQ(add_landmark(2, 0, 0, 0, 0), nullptr) << "one of each kind";
  spawn_landmarks(13073);
  EXPECT_EQ(landmark_list.size(), 2u) << "the cottage stays away from that map";
  // The kite stays while the first mechanism's flag is set.
  EXPECT_EQ(drop_landmark(), 1);
  ASSERT_EQ(landmark_list.size(), 1u);
  EXPECT_EQ(landmark_list[0]->kind, 2);
  EXPECT_EQ(drop_landmark(), 0);
  clear_flag(flag_landmark_kite);
  clear_flag(flag_landmark_cottage);
  clear_flag(flag_mechanism_1);
}

HouseImage kit_image(const fixtures::HouseImageSpec& house) { return fixtures::house_image(house); }

TEST_F(HouseRules, SavedHousesThatAreNoHousesOfOursAreDroppedAndReported) {
  const struct { const char* fault; void (*change)(fixtures::HouseImageSpec&); } cases[] = {
      {"kind", [](fixtures::HouseImageSpec& s) { s.kind = 18; }},
      {"kind", [](fixtures::HouseImageSpec& s) { s.kind = 0; }},
      {"capacity", [](fixtures::HouseImageSpec& s) { s.capacity = 4; }},
      {"capacity", [](fixtures::HouseImageSpec& s) { s.kind = 16, s.capacity = 6; }},
      {"resident count", [](fixtures::HouseImageSpec& s) { s.resident_count = 4; }},
      {"resident run", [](fixtures::HouseImageSpec& s) { s.resident_count = 2; }},
      {"resident run", [](fixtures::HouseImageSpec& s) { s.resident_count = 2, s.residents = {{134, 0}, {0, 0}, {135, 0}}; }},
      {"rotation step", [](fixtures::HouseImageSpec& s) { s.rotation_step = 4; }},
      {"label", [](fixtures::HouseImageSpec& s) { s.label = 22; }},
      {"id", [](fixtures::HouseImageSpec& s) { s.id = 0; }},
      {"id", [](fixtures::HouseImageSpec& s) { s.id = 128; }},
      {"id", [](fixtures::HouseImageSpec& s) { s.id = 2; }},
      {"footprint", [](fixtures::HouseImageSpec& s) { s.grid_col = 13; }},
      {"footprint", [](fixtures::HouseImageSpec& s) { s.grid_row = -1; }},
  };
  fixtures::HouseImageSpec first;
  first.id = 2;
  first.grid_row = 0, first.grid_col = 0;
  for (const auto& c : cases) {
    free_all_houses();
    clear_messages();
    ASSERT_EQ(add_saved_house(kit_image(first)), 1);
    fixtures::HouseImageSpec house;
    house.id = 3;
    house.residents = {{134, 0}};
    house.resident_count = 1;
    c.change(house);
    EXPECT_EQ(add_saved_house(kit_image(house)), 0) << c.fault;
    EXPECT_EQ(house_list.size(), 1u) << c.fault;
    ASSERT_FALSE(messages().empty());
    EXPECT_NE(messages().back().find(c.fault), std::string::npos) << messages().back();
  }
}

TEST_F(HouseRules, ASavedHouseJoinsTheEndMarksItsCellsAndDropsItsEmitters) {
  fixtures::HouseImageSpec hall;
  hall.id = 4;
  hall.kind = 17, hall.capacity = 1, hall.act = 9922;
  hall.grid_row = 10, hall.grid_col = 11, hall.rotation_step = 1;  // 111 010 111
  hall.footprint = {};                                            // recomputed
  hall.effect_ids = {5, 6, 7, 8, 150};
  ASSERT_EQ(add_saved_house(kit_image(hall)), 1);
  const HouseRecord& h = *house_list.back();
  EXPECT_EQ(h.footprint_cells, 7);
  EXPECT_EQ(h.effect_ids[0], -1);
  EXPECT_EQ(h.effect_ids[3], -1);
  EXPECT_EQ(h.effect_ids[4], 150) << "the hall keeps its floating phase";
  EXPECT_EQ(BuildGrid[10 * 14 + 11], cell_taken);
  EXPECT_EQ(BuildGrid[11 * 14 + 11], cell_free);
  EXPECT_EQ(BuildGrid[12 * 14 + 13], cell_taken);
}

TEST_F(HouseRules, LinksToNoHouseOrNoPartnerAreClearedAfterLoading) {
  fixtures::HouseImageSpec dwelling;
  dwelling.id = 1;
  dwelling.resident_count = 3;
  dwelling.residents = {{134, 2}, {135, 9}, {136, 2}};  // a worker, a link to nothing, a broken pair
  fixtures::HouseImageSpec shop;
  shop.id = 2, shop.kind = 4, shop.capacity = 5, shop.act = 9904, shop.grid_row = 0, shop.grid_col = 0;
  shop.footprint = {};
  shop.resident_count = 2;
  shop.residents = {{134, 1}, {137, 1}};
  ASSERT_EQ(add_saved_house(kit_image(dwelling)), 1);
  ASSERT_EQ(add_saved_house(kit_image(shop)), 1);
  clear_broken_house_links();
  const HouseRecord& d = *house_list[0];
  const HouseRecord& w = *house_list[1];
  EXPECT_EQ(d.residents[0].link, 2);
  EXPECT_EQ(d.residents[1].link, 0);
  EXPECT_EQ(d.residents[2].link, 0);
  EXPECT_EQ(w.residents[0].link, 1);
  EXPECT_EQ(w.residents[1].link, 0);
}

}  // namespace
