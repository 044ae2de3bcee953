// The monster summoning list: its refusals and the summon itself, through its rules and through
// its input with keys and answers.
#include "ui/summon/summon.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/houses.h"
#include "base/residents.h"
#include "core/flags.h"
#include "core/game_flags.h"
#include "core/grp_input.h"
#include "core/key_mapping.h"
#include "data/item_list.h"
#include "data/map_role.h"
#include "data/maps_db.h"
#include "data/object_db.h"
#include "data/party.h"
#include "tests/data/data_test.h"
#include "tests/fixtures/maps_writer.h"
#include "tests/fixtures/objdata_writer.h"
#include "ui/talk_msg.h"
#include "ui/text_button.h"

namespace {
using namespace fixtures;

enum : std::uint16_t { wolf = 1, bear = 2 };
constexpr std::uint16_t wolf_flag = 500, bear_flag = 501, locked_flag = 502;

class Summon : public data_test::DataTest {
 protected:
  Summon() {
    std::vector<ObjectRecord> objects(2);
    objects[wolf - 1].name("wolf").kind(111);
    objects[bear - 1].name("bear").kind(111);
    while (objects.size() < summon_egg_object - 1) objects.push_back(ObjectRecord::empty_record());
    objects.push_back(ObjectRecord().name("egg").kind(201));
    write("ObjData.GLL", objdata_gll(objects));
    SFINIT0_open_item_data();
    open_item_data();
    table({{wolf_flag, wolf, 3}, {bear_flag, bear, 5}, {locked_flag, bear, 1}});
    set_flag(wolf_flag);
    set_flag(bear_flag);
    free_all_houses();
    add_default_house(9901, 5700, 200, 5700, 0);
    mouse_x = mouse_y = 0;
    // The question box is the narrator's.
    gmMapRoleCount = 1;
    gmMapRole[0] = MapRole{};
    gmMapRole[0].RoleID = party_role_first;
  }
  ~Summon() override {
    close_summon();
    gmMapRoleCount = 0;
    free_party_items();
    free_all_houses();
  }
  void table(const std::vector<SummonRow>& rows) {
    MapsDat db;
    db.summons = rows;
    write("maps.dat", maps_dat(db));
    open_maps_data();
  }
  void eggs(int n) {
    if (n) add_item(&party_bag, summon_egg_object, std::uint16_t(n), 2);
  }
  void press(KeyCode k) {
    now_ += 200;
    grp_input.update_key(now_, k, 0);
    now_ += 200;
    grp_input.update_key(now_, k, 1);
    input_summon();
    grp_input.update_key(now_ + 1, k, 0);
  }
  void answer(int choice) {
    tbutton_choice = choice;
    tbutton_cancelled = choice < 0;
    tbutton_confirmed = 1;
    input_summon();
  }
  static std::string box_text() {
    const TalkMsg* last = nullptr;
    for (const TalkMsg* b = talkmsg_head(); b; b = b->next) last = b;
    return last && last->text ? last->text : "";
  }
  // What a refused or declined summon must leave as it was.
  void expect_nothing_taken(int eggs_before) {
    EXPECT_EQ(get_item_num(&party_bag, summon_egg_object), eggs_before);
    EXPECT_TRUE(test_flag(wolf_flag));
    EXPECT_EQ(is_resident(wolf), 0);
  }
  std::uint32_t now_ = 1000;
};

TEST_F(Summon, OpeningHoldsTheInputAndReadsTheEggs) {
  eggs(4);
  open_summon();
  EXPECT_TRUE(summon_is_open());
  EXPECT_TRUE(test_flag(flag_input_captured));
  EXPECT_EQ(summon_eggs, 4);
  EXPECT_EQ(summon_list.item_count, 3);
  EXPECT_EQ(summon_state, summon_choosing);
  press(key_escape);
  EXPECT_FALSE(summon_is_open());
  EXPECT_FALSE(test_flag(flag_input_captured));
}

TEST_F(Summon, RefusalsTakeNothing) {
  struct Case {
    const char* name;
    int eggs, row;
    bool dwelling;
    SummonAsk ask;
    SummonResult result;
  } cases[] = {
      {"locked", 9, 2, true, SummonAsk::locked, SummonResult::nothing},
      {"too few eggs", 2, 0, true, SummonAsk::too_few_eggs, SummonResult::nothing},
      {"no room", 3, 0, false, SummonAsk::ask, SummonResult::no_room},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    free_party_items();
    eggs(c.eggs);
    house_list.front()->active = c.dwelling;
    open_summon();
    EXPECT_EQ(summon_check(c.row), c.ask);
    SummonEntry e;
    ASSERT_TRUE(summon_entry(c.row, &e));
    EXPECT_EQ(summon_accept(c.row, e.monster), c.result);
    expect_nothing_taken(c.eggs);
    EXPECT_EQ(is_resident(bear), 0);
  }
}

TEST_F(Summon, AFullSettlementRefusesByMessageAfterTheQuestion) {
  eggs(3);
  while (add_resident(bear)) {
  }
  open_summon();
  press(key_enter);
  ASSERT_EQ(summon_state, summon_asking);
  answer(0);
  EXPECT_EQ(summon_state, summon_choosing);
  // 怪物居住空間不夠，無法召喚!!%Q
  EXPECT_EQ(box_text(), "\xA9\xC7\xAA\xAB\xA9~\xA6\xED\xAA\xC5\xB6\xA1\xA4\xA3\xB0\xF7\xA1" "A\xB5L\xAAk\xA5l\xB3\xEA!!%Q");
  expect_nothing_taken(3);
}

TEST_F(Summon, TooFewEggsShowTheirMessage) {
  eggs(2);
  open_summon();
  press(key_enter);
  EXPECT_EQ(summon_state, summon_choosing);
  EXPECT_EQ(box_text(), "\xAB\xCA\xA6L\xA4\xA7\xB3J\xBC\xC6\xB6q\xA4\xA3\xB0\xF7!!%Q");  // 封印之蛋數量不夠!!%Q
}

TEST_F(Summon, ASummonTakesTheCostAndLocksItsEntry) {
  eggs(5);
  open_summon();
  press(key_enter);
  ASSERT_EQ(summon_state, summon_asking);
  // 確定要召喚嗎? %B確定./%B放棄.%Q
  EXPECT_EQ(box_text(), "\xBDT\xA9w\xADn\xA5l\xB3\xEA\xB6\xDC? %B\xBDT\xA9w./%B\xA9\xF1\xB1\xF3.%Q");
  answer(0);
  EXPECT_EQ(summon_eggs, 2);
  EXPECT_EQ(get_item_num(&party_bag, summon_egg_object), 2);
  EXPECT_FALSE(test_flag(wolf_flag));
  EXPECT_EQ(is_resident(wolf), 1);
  EXPECT_EQ(box_text(), "\xA9\xC7\xAA\xAB\xA5l\xB3\xEA\xA6\xA8\xA5\x5C!!%Q");  // 怪物召喚成功!!%Q
  EXPECT_TRUE(summon_is_open()) << "the list stays open";
  SummonEntry e;
  ASSERT_TRUE(summon_entry(0, &e));
  EXPECT_EQ(e.flag, summon_locked) << "drawn as ?????? from now on";
  EXPECT_EQ(summon_check(0), SummonAsk::locked);
}

TEST_F(Summon, DecliningOrCancellingTheQuestionTakesNothing) {
  for (int choice : {1, -1}) {
    SCOPED_TRACE(choice);
    free_party_items();
    eggs(5);
    open_summon();
    press(key_space);
    ASSERT_EQ(summon_state, summon_asking);
    answer(choice);
    EXPECT_EQ(summon_state, summon_choosing);
    expect_nothing_taken(5);
  }
}

TEST_F(Summon, ConfirmOnAnEmptyTableOrPastTheEndDoesNothing) {
  eggs(5);
  table({});
  open_summon();
  EXPECT_EQ(summon_list.item_count, 0);
  EXPECT_EQ(summon_check(0), SummonAsk::nothing);
  press(key_enter);
  EXPECT_EQ(summon_state, summon_choosing);
  EXPECT_EQ(talkmsg_count(), 0);
  EXPECT_EQ(summon_accept(0, 0), SummonResult::nothing);

  table({{wolf_flag, wolf, 1}, {bear_flag, 0, 1}, {bear_flag, bear, 1}});
  open_summon();
  EXPECT_EQ(summon_check(3), SummonAsk::nothing);
  EXPECT_EQ(summon_check(-1), SummonAsk::nothing);
  EXPECT_EQ(summon_check(1), SummonAsk::nothing) << "a monster of 0 ends the rows";
  EXPECT_EQ(summon_accept(1, 0), SummonResult::nothing);
  expect_nothing_taken(5);
}

TEST_F(Summon, AnAnswerForAnEntryThatChangedMeanwhileDoesNothing) {
  eggs(5);
  open_summon();
  press(key_enter);
  ASSERT_EQ(summon_state, summon_asking);
  table({{bear_flag, bear, 1}});
  answer(0);
  EXPECT_EQ(is_resident(bear), 0);
  EXPECT_TRUE(test_flag(bear_flag));
  EXPECT_EQ(get_item_num(&party_bag, summon_egg_object), 5);
}

TEST_F(Summon, TheMouseOverARowMovesTheCursorUnlessKeysLead) {
  open_summon();
  mouse_x = 300;
  mouse_y = 175;  // row 1's band: 160 up to 190
  input_summon();
  EXPECT_EQ(summon_list.cursor_row, 1);
  mouse_y = 159;
  input_summon();
  EXPECT_EQ(summon_list.cursor_row, 0) << "the first box reaches up to the list's top";
  mouse_y = 260;  // past the three rows
  input_summon();
  EXPECT_EQ(summon_list.cursor_row, 0);
  key_nav_mode = 1;
  mouse_y = 175;
  input_summon();
  EXPECT_EQ(summon_list.cursor_row, 1) << "the mouse moved, so it leads again";
  key_nav_mode = 1;
  mouse_y = 175;
  summon_list.cursor_row = 2;
  input_summon();
  EXPECT_EQ(summon_list.cursor_row, 2) << "a mouse that stays put leaves the keys' row";
}

}  // namespace
