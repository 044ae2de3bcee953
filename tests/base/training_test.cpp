// The training hall's rules: who may teach, the study that follows its master, a replacement
// whose old master cannot leave, and the party's eight magic slots.
#include "base/training_hall.h"

#include <gtest/gtest.h>

#include "base/base_camp.h"
#include "base/base_top_menu.h"
#include "base/house_kinds.h"
#include "base/residents.h"
#include "data/magic_study.h"
#include "data/party.h"
#include "tests/base/base_test.h"

namespace {
using namespace base_test;

enum : std::uint16_t { fire = 150, ice, storm };

class Training : public BaseTest {
 protected:
  Training() {
    std::vector<fixtures::ObjectRecord> objects(storm, fixtures::ObjectRecord::empty_record());
    objects[wolf - 1] = fixtures::ObjectRecord().name("wolf").kind(111).level(3).teach_spell(fire);
    objects[bear - 1] = fixtures::ObjectRecord().name("bear").kind(111).level(5).teach_spell(ice);
    objects[fox - 1] = fixtures::ObjectRecord().name("fox").kind(112).level(1).teach_spell(storm);
    objects[story_monster - 1] = fixtures::ObjectRecord().name("hero").kind(111);
    objects[fire - 1] = fixtures::ObjectRecord().name("fire").kind(300).level(1).study_goal(100);
    objects[ice - 1] = fixtures::ObjectRecord().name("ice").kind(300).level(1).study_goal(200);
    objects[storm - 1] = fixtures::ObjectRecord().name("storm").kind(300).level(2).study_goal(300);
    use_objects(objects);
    home_ = built_house(house_brick, 0, 0);
    put(home_, {wolf, bear, fox, story_monster});
    hall_ = built_house(house_training, 9, 0);
    picked_house_id = hall_->id;
    free_magic_study();
    current_study = MagicStudy{};
  }
  ~Training() override {
    free_magic_study();
    current_study = MagicStudy{};
    for (ItemNode& n : party_magic) n = ItemNode{};
    picked_house_id = 0;
    base_tooltip[0] = 0;
  }
  static std::vector<std::uint16_t> masters() {
    list_masters();
    std::vector<std::uint16_t> out;
    for (int i = 0; i < master_count; ++i) out.push_back(master_list[i].monster);
    return out;
  }
  // The entry of the monster in the list (from 1).
  static int entry_of(std::uint16_t monster) {
    list_masters();
    for (int i = 0; i < master_count; ++i)
      if (master_list[i].monster == monster) return i + 1;
    return 0;
  }
  HouseRecord* home_ = nullptr;
  HouseRecord* hall_ = nullptr;
};

TEST_F(Training, OnlyIdleTeachersOfUnlearnedSpellsTheHallsLevelAllowsAreListed) {
  EXPECT_EQ(masters(), (std::vector<std::uint16_t>{wolf, bear})) << "storm needs a level-2 hall; the hero teaches nothing";
  hall_->level = 2;
  EXPECT_EQ(masters(), (std::vector<std::uint16_t>{wolf, bear, fox}));
  // A job holder teaches nothing; a second wolf gives no second entry.
  HouseRecord* shop = built_house(house_weapons_1, 4, 4);
  assign_worker(shop, home_, 1);
  put(home_, {wolf});
  EXPECT_EQ(masters(), (std::vector<std::uint16_t>{wolf, fox}));
  // A learned spell is offered no more, but its master stays listed, first.
  ASSERT_EQ(choose_master(entry_of(fox)), 1);
  MagicStudy learned{};
  learned.spell_id = fire, learned.goal = 100, learned.progress = 100, learned.learned = 1;
  add_magic_study(&learned);
  EXPECT_EQ(masters(), (std::vector<std::uint16_t>{fox}));
  EXPECT_EQ(master_list[0].house_kind, house_training);
}

TEST_F(Training, EachSpellsProgressResumesWithItsMaster) {
  ASSERT_EQ(choose_master(entry_of(wolf)), 1);
  EXPECT_EQ(hall_->residents[0].monster, wolf);
  EXPECT_EQ(current_study.spell_id, fire);
  EXPECT_EQ(current_study.goal, 100);
  current_study.progress = 40;  // a battle trained it
  EXPECT_EQ(choose_master(entry_of(bear)), 0) << "the hall has a master: the page asks to replace";
  ASSERT_EQ(replace_master(entry_of(bear)), 1);
  EXPECT_EQ(hall_->residents[0].monster, bear);
  EXPECT_EQ(current_study.spell_id, ice);
  EXPECT_EQ(current_study.progress, 0);
  current_study.progress = 7;
  ASSERT_EQ(replace_master(entry_of(wolf)), 1);
  EXPECT_EQ(current_study.spell_id, fire);
  EXPECT_EQ(current_study.progress, 40);
  ASSERT_EQ(withdraw_master(), 1);
  EXPECT_EQ(hall_->resident_count, 0);
  EXPECT_EQ(current_study.spell_id, 0);
  EXPECT_EQ(home_->residents[0].link, 0);
  EXPECT_EQ(find_magic_study(ice)->progress, 7);
}

TEST_F(Training, AReplacementWhoseMasterCannotLeaveKeepsTheStudy) {
  ASSERT_EQ(choose_master(entry_of(wolf)), 1);
  current_study.progress = 40;
  const int bear_entry = entry_of(bear);
  hall_->residents[0].link = 0;  // the master's home is lost
  EXPECT_EQ(replace_master(bear_entry), 0);
  EXPECT_STREQ(base_tooltip, "\xA5\xE6\xB4\xAB\xA9\xC7\xAA\xAB\xB5\x6F\xA5\xCD\xBF\xF9\xBB\x7E");  // 交換怪物發生錯誤
  EXPECT_EQ(current_study.spell_id, fire);
  EXPECT_EQ(current_study.progress, 40);
  EXPECT_EQ(home_->residents[1].link, 0) << "the bear stays at home";
  EXPECT_EQ(replace_master(99), -1) << "a stale entry";
  EXPECT_EQ(choose_master(99), -1);
}

TEST_F(Training, AHallWithoutAStudySendsItsMasterHome) {
  ASSERT_EQ(choose_master(entry_of(wolf)), 1);
  EXPECT_EQ(dismiss_idle_master(), 0);
  current_study = MagicStudy{};
  EXPECT_EQ(dismiss_idle_master(), 1);
  EXPECT_EQ(hall_->resident_count, 0);
  EXPECT_EQ(home_->residents[0].link, 0);
}

TEST_F(Training, EightSlotsPackedFromTheFirst) {
  for (std::uint16_t s = 1; s <= 5; ++s) ASSERT_EQ(equip_party_magic(s), 1);
  EXPECT_EQ(equip_party_magic(3), 0) << "already equipped";
  ASSERT_EQ(unequip_party_magic(3), 1);
  const std::uint16_t packed[] = {1, 2, 4, 5, 0};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(party_magic[i].object, packed[i]) << i;
  EXPECT_EQ(unequip_party_magic(3), 0);
  EXPECT_EQ(unequip_party_magic(0), 0);
  for (std::uint16_t s = 6; s <= 9; ++s) equip_party_magic(s);
  ASSERT_EQ(equipped_spell_count(), 8);
  EXPECT_EQ(equip_party_magic(10), 1) << "a ninth: the page turns to replacing";
  EXPECT_EQ(equipped_spell_count(), 8);
  for (int i = 0; i < 8; ++i) EXPECT_NE(party_magic[i].object, 10) << "all eight kept";
}

}  // namespace
