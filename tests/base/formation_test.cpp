// The formation screen's rules: who may stand guard, the positions a newcomer takes, the
// withdrawal of a member, the refusals, the escort records of the formation grounds in list
// order, and the preview of a change.
#include "base/formation_screen.h"

#include <gtest/gtest.h>

#include "base/base_camp.h"
#include "base/base_pages.h"
#include "base/house_kinds.h"
#include "base/residents.h"
#include "tests/base/base_test.h"

namespace {
using namespace base_test;

class Formation : public BaseTest {
 protected:
  Formation() {
    home_ = built_house(house_brick, 0, 0);
    put(home_, {wolf, bear, fox});
    ground_ = built_house(house_formation, 9, 0);
    picked_house_id = ground_->id;
    formation_state = formation_choose;
    formation_top = 0;
    formation_cursor = 1;
    reset_formation_selection();
  }
  ~Formation() override {
    formation_state = formation_top = formation_count = formation_slot = 0;
    formation_cursor = 1;
    formation_candidate = 0;
    reset_formation_selection();
    picked_house_id = 0;
  }
  // The candidate on the row takes the position.
  void place(int row, int position) {
    count_formation_candidates();
    formation_row = row;
    formation_cursor = position;
    formation_state = formation_place;
    place_formation_candidate(ground_);
  }
  HouseRecord* home_ = nullptr;
  HouseRecord* ground_ = nullptr;
};

TEST_F(Formation, CandidatesAreIdleResidentsOtherThanMonster52) {
  home_->residents[home_->resident_count++].monster = never_a_guard;
  HouseRecord* shop = built_house(house_weapons_1, 4, 4);
  assign_worker(shop, home_, 1);  // the bear has a job
  EXPECT_EQ(count_formation_candidates(), 2);
  ASSERT_EQ(nth_formation_candidate(1), home_);
  EXPECT_EQ(formation_slot, 0);
  ASSERT_EQ(nth_formation_candidate(2), home_);
  EXPECT_EQ(formation_slot, 2) << "the fox, after the working bear";
  EXPECT_EQ(nth_formation_candidate(3), nullptr);
}

TEST_F(Formation, NewcomersTakeTheLowestFreePositionAndTheLevelLimitsOnlyTheirNumber) {
  ground_->level = 3, ground_->capacity = 3;
  EXPECT_EQ(next_free_position(ground_), 1);
  place(1, next_free_position(ground_));  // the wolf, main guard
  EXPECT_EQ(next_free_position(ground_), 2);
  place(1, 5);  // the bear at a far position
  EXPECT_EQ(formation_position(ground_, 1), 5);
  EXPECT_EQ(next_free_position(ground_), 2);
  place(1, 2);
  EXPECT_EQ(next_free_position(ground_), 3) << "every position up to the capacity taken: the member count";
  set_formation_position(ground_, 2, 5);
  EXPECT_EQ(next_free_position(ground_), 3) << "two members on one position";
  picked_house_id = 0;
  EXPECT_EQ(next_free_position(ground_), 3) << "another house than the picked one";
}

TEST_F(Formation, AFullLevelOneGroundRefusesAFreePositionButPositionOneReplacesTheGuard) {
  place(1, 1);  // the wolf
  ASSERT_EQ(ground_->residents[0].monster, wolf);
  place(1, 2);  // the bear, to a free position
  EXPECT_EQ(boxes(), std::vector<std::string>{"\xB6\x57\xB9\x4C\xA5\xD8\xAB\x65\xAE\x65\xAF\xC7\xAD\xC8!!%Q"});
  EXPECT_EQ(ground_->resident_count, 1);
  EXPECT_EQ(formation_state, formation_choose);
  del_all_talkmsg();
  place(1, 1);  // the bear replaces the wolf
  EXPECT_EQ(ground_->residents[0].monster, bear);
  EXPECT_EQ(formation_position(ground_, 0), 1);
  EXPECT_EQ(home_->residents[0].link, 0) << "the wolf stays home without a job";
  EXPECT_EQ(home_->residents[1].link, ground_->id);
  EXPECT_TRUE(boxes().empty());
}

TEST_F(Formation, WithdrawingTheMainGuardOfThreeMovesTheLastReserveUp) {
  ground_->level = 3, ground_->capacity = 3;
  place(1, 1), place(1, 2), place(1, 3);  // wolf; reserves bear (A) and fox (B)
  formation_state = formation_withdraw;
  formation_cursor = 1;
  withdraw_formation_member(ground_);
  EXPECT_EQ(ground_->resident_count, 2);
  EXPECT_EQ(ground_->residents[0].monster, fox);
  EXPECT_EQ(formation_position(ground_, 0), 1);
  EXPECT_EQ(ground_->residents[1].monster, bear);
  EXPECT_EQ(formation_position(ground_, 1), 2);
  EXPECT_EQ(formation_cursor, 1);
  EXPECT_EQ(formation_state, formation_choose);
  // The only member withdrawn: the escort record is empty on the next rebuild.
  formation_cursor = 2;
  formation_state = formation_withdraw;
  withdraw_formation_member(ground_);
  formation_cursor = 1;
  withdraw_formation_member(ground_);
  EXPECT_EQ(ground_->resident_count, 0);
  build_escort_data();
  EXPECT_EQ(escort_data[0].object_id, 0);
  EXPECT_EQ(escort_data[0].max_hp, 0);
}

TEST_F(Formation, ARowThatNamesNoCandidateChangesNothing) {
  place(7, 1);
  EXPECT_EQ(ground_->resident_count, 0);
  EXPECT_EQ(formation_state, formation_choose);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(home_->residents[i].link, 0);
}

TEST_F(Formation, OnlyTheFirstTwoGroundsInListOrderHaveEscortRecords) {
  HouseRecord* second = built_house(house_formation, 9, 4);
  HouseRecord* third = built_house(house_formation, 5, 8);  // more than the limits allow, from a save
  place(1, 1);
  add_formation_member(second, 1, home_, 1);
  add_formation_member(third, 1, home_, 2);
  build_escort_data();
  EXPECT_EQ(escort_scratch[0].house_id, ground_->id);
  EXPECT_EQ(escort_scratch[1].house_id, second->id);
  EXPECT_EQ(escort_data[0].object_id, wolf);
  EXPECT_EQ(escort_data[1].object_id, bear);
}

TEST_F(Formation, ThePreviewAddsAndTakesAWholeGuardOrAQuarterReserve) {
  ItemData escort{}, in{}, out{};
  escort.max_hp = 335, escort.stats[combat_ave] = 20;
  in.max_hp = 101, in.stats[combat_speed] = 7;
  out.max_hp = 40, out.stats[combat_speed] = 5;
  int values[formation_values];
  formation_preview(escort, &in, &out, 1, false, values);
  EXPECT_EQ(values[0], 335 + 101 - 40) << "the main guard's place";
  EXPECT_EQ(values[5], 20 + 7 - 5) << "speed from the hit word and the speed bytes";
  formation_preview(escort, &in, &out, 4, false, values);
  EXPECT_EQ(values[0], 335 + 25 - 10) << "a reserve's quarter";
  formation_preview(escort, &in, nullptr, 4, true, values);
  EXPECT_EQ(values[0], 335 + 25 - 25) << "a promoted reserve no longer lends its quarter";
  escort.stats[combat_ave] = 250;
  formation_preview(escort, &in, nullptr, 1, false, values);
  EXPECT_EQ(values[5], (250 + 7) % 256) << "kept to one byte";
}

}  // namespace
