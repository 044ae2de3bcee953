// The workshop workers page: the skill totals and the preview of a pending change, taking an
// idle resident (or switching to an exchange when the workshop is full), removing a worker and
// exchanging one, and rows that name no idle resident any more.
#include "base/workers_screen.h"

#include <gtest/gtest.h>

#include <array>

#include "base/house_kinds.h"
#include "base/houses_screen.h"
#include "base/base_pages.h"
#include "base/base_top_menu.h"
#include "base/residents.h"
#include "tests/base/base_test.h"

namespace {
using namespace base_test;

using Skills = std::array<int, 4>;
const Skills wolf_skills{2, 0, 1, 0}, bear_skills{0, 3, 0, 1}, fox_skills{1, 1, 1, 1};

class Workers : public BaseTest {
 protected:
  Workers() {
    std::vector<fixtures::ObjectRecord> objects(fox, fixtures::ObjectRecord::empty_record());
    objects[wolf - 1] = fixtures::ObjectRecord().name("wolf").kind(111).level(3).skill_need(2, 0, 1, 0);
    objects[bear - 1] = fixtures::ObjectRecord().name("bear").kind(111).level(5).skill_need(0, 3, 0, 1);
    objects[fox - 1] = fixtures::ObjectRecord().name("fox").kind(112).level(1).skill_need(1, 1, 1, 1);
    use_objects(objects);
    home_ = built_house(house_brick, 0, 0);
    put(home_, {wolf, bear, fox});
    shop_ = built_house(house_weapons_1, 4, 4);
    selected_house_id = shop_->id;
    worker_substate = workers_choose;
    worker_slot = 1;
    reset_idle_list();
  }
  ~Workers() override {
    worker_substate = idle_count = 0;
    worker_slot = 1;
    reset_idle_list();
    for (int& p : skill_preview) p = 0;
    selected_house_id = 0;
    base_tooltip[0] = 0;
  }
  // Takes the idle resident of the row into the workshop.
  void take(int row) {
    count_idle_residents();
    residents_row = row;
    take_idle_resident(shop_);
  }
  static Skills preview() { return {skill_preview[0], skill_preview[1], skill_preview[2], skill_preview[3]}; }
  static Skills plus(Skills a, const Skills& b, int sign) {
    for (int k = 0; k < 4; ++k) a[std::size_t(k)] += sign * b[std::size_t(k)];
    return a;
  }
  HouseRecord* home_ = nullptr;
  HouseRecord* shop_ = nullptr;
};

TEST_F(Workers, TheTotalsAreTheWorkersSkillsAndThePreviewShowsThePendingChange) {
  take(1);  // wolf
  take(1);  // bear
  sum_workshop_skills(shop_);
  const Skills totals = plus(wolf_skills, bear_skills, 1);
  EXPECT_EQ((Skills{shop_->skill_totals[0], shop_->skill_totals[1], shop_->skill_totals[2], shop_->skill_totals[3]}),
            totals);
  const struct {
    const char* name;
    int substate, row, slot;
    Skills expected;
  } cases[] = {
      {"assign the fox", workers_choose, 1, 1, plus(totals, fox_skills, 1)},
      {"on the exit row", workers_choose, 0, 1, totals},
      {"remove the bear", workers_remove, 1, 2, plus(totals, bear_skills, -1)},
      {"exchange the wolf for the fox", workers_exchange, 1, 1, plus(plus(totals, fox_skills, 1), wolf_skills, -1)},
  };
  count_idle_residents();
  ASSERT_EQ(idle_count, 1);
  for (const auto& c : cases) {
    worker_substate = c.substate, residents_row = c.row, worker_slot = c.slot;
    update_skill_preview(shop_);
    EXPECT_EQ(preview(), c.expected) << c.name;
  }
}

TEST_F(Workers, RemovingTheSecondOfThreeMovesTheThirdUpAndTheHighlightBack) {
  take(1), take(1), take(1);
  ASSERT_EQ(shop_->resident_count, 3);
  worker_substate = workers_remove;
  worker_slot = 2;
  remove_highlighted_worker(shop_);
  EXPECT_EQ(shop_->resident_count, 2);
  EXPECT_EQ(shop_->residents[0].monster, wolf);
  EXPECT_EQ(shop_->residents[1].monster, fox);
  EXPECT_EQ(shop_->residents[2].monster, 0);
  EXPECT_EQ(worker_slot, 1);
  EXPECT_EQ(home_->residents[1].link, 0) << "the bear is idle at home again";
  EXPECT_EQ(count_idle_residents(), 1);
  remove_highlighted_worker(shop_);
  remove_highlighted_worker(shop_);
  EXPECT_EQ(shop_->resident_count, 0);
  EXPECT_EQ(worker_substate, workers_choose) << "the last worker gone";
}

TEST_F(Workers, AFullWorkshopSwitchesToAnExchangeThatKeepsItFull) {
  shop_->capacity = 2;
  take(1), take(1);
  take(1);  // the fox: no free place
  EXPECT_EQ(worker_substate, workers_exchange);
  EXPECT_EQ(shop_->resident_count, 2);
  worker_slot = 1;
  exchange_highlighted_worker(shop_);
  EXPECT_EQ(worker_substate, workers_choose);
  EXPECT_EQ(shop_->resident_count, 2);
  EXPECT_EQ(shop_->residents[0].monster, fox) << "the newcomer takes the freed card";
  EXPECT_EQ(shop_->residents[1].monster, bear);
  EXPECT_EQ(home_->residents[0].link, 0) << "the wolf is idle again";
  EXPECT_EQ(home_->residents[2].link, shop_->id);
}

TEST_F(Workers, AFailedExchangeSaysSoAndAStaleRowChangesNothing) {
  shop_->capacity = 1;
  take(1);
  take(1);
  ASSERT_EQ(worker_substate, workers_exchange);
  // A row past the idle residents: refused before the worker leaves.
  residents_row = 5;
  exchange_highlighted_worker(shop_);
  EXPECT_EQ(shop_->residents[0].monster, wolf);
  EXPECT_EQ(worker_substate, workers_exchange);
  EXPECT_STREQ(base_tooltip, "");
  // A worker whose home cannot be found.
  residents_row = 1;
  shop_->residents[0].link = 99;
  exchange_highlighted_worker(shop_);
  EXPECT_STREQ(base_tooltip, "\xA5\xE6\xB4\xAB\xA9\xC7\xAA\xAB\xB5\x6F\xA5\xCD\xBF\xF9\xBB\x7E");  // 交換怪物發生錯誤
  EXPECT_EQ(home_->residents[1].link, 0) << "the newcomer stays at home";
  // Taking from a stale row does nothing either.
  worker_substate = workers_choose;
  const int count = shop_->resident_count;
  idle_count = 9;
  residents_row = 7;
  take_idle_resident(shop_);
  EXPECT_EQ(shop_->resident_count, count);
  EXPECT_EQ(worker_substate, workers_choose);
}

}  // namespace
