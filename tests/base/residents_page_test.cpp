// The residents page's rules: the rows (exiles first, then the residents dwelling by
// dwelling), expelling an exile or a resident, the exchange between residents and exiles,
// the scroll bar of a long list and the developer keys' exile and dialog.
#include "base/residents_screen.h"

#include <gtest/gtest.h>

#include "base/base_numbers.h"
#include "base/base_pages.h"
#include "base/base_top_menu.h"
#include "base/debug_dialogs.h"
#include "base/house_kinds.h"
#include "base/list_scroll.h"
#include "base/residents.h"
#include "base/workers_screen.h"
#include "core/flags.h"
#include "core/game_flags.h"
#include "core/grp_input.h"
#include "core/key_mapping.h"
#include "tests/base/base_test.h"
#include "ui/dialog_runner.h"

namespace {
using namespace base_test;

class ResidentsPage : public BaseTest {
 protected:
  ResidentsPage() {
    settle();
    reset_residents_screen();
    residents_top = 0;
  }
  ~ResidentsPage() override {
    reset_residents_screen();
    residents_top = residents_total = 0;
    reset_idle_list();
    clear_flag(flag_developer_keys);
    mouse_keyboard_lock = 0;
    abandon_dialog();
    clear_dialog_answers();
  }
  // Two full dwellings: wolf, bear, fox and bear, wolf.
  void settle() {
    first_ = built_house(house_brick, 0, 0);
    second_ = built_house(house_timber, 4, 4);
    put(first_, {wolf, bear, fox});
    put(second_, {bear, wolf});
    first_->capacity = 3, second_->capacity = 2;
  }
  // Row -> monster, 0 for a row past the end.
  static std::uint16_t monster_of(int row) {
    if (row >= 1 && row <= exile_count()) return ExileList[row];
    const HouseRecord* h = find_row_resident(row);
    return h ? h->residents[selected_slot].monster : 0;
  }
  HouseRecord* first_ = nullptr;
  HouseRecord* second_ = nullptr;
};

TEST_F(ResidentsPage, ExilesComeFirstThenTheResidentsDwellingByDwelling) {
  add_exile(fox), add_exile(story_monster);
  EXPECT_EQ(count_resident_rows(), 7);
  const std::uint16_t expected[] = {fox, story_monster, wolf, bear, fox, bear, wolf, 0};
  for (int row = 1; row <= 8; ++row) EXPECT_EQ(monster_of(row), expected[row - 1]) << "row " << row;
  EXPECT_EQ(find_row_resident(2), nullptr);
  EXPECT_EQ(find_row_resident(6), second_);
  EXPECT_EQ(selected_slot, 0);
  // Expelling the second exile: the first stays.
  ASSERT_EQ(expel_row(2), 1);
  EXPECT_EQ(exile_count(), 1);
  EXPECT_EQ(ExileList[1], fox);
}

TEST_F(ResidentsPage, ExpellingAResidentLetsTheFirstWaitingExileInAndNamesIt) {
  add_exile(fox), add_exile(story_monster);
  ASSERT_EQ(expel_row(4), 1);  // the wolf of the first dwelling
  EXPECT_EQ(exile_count(), 1);
  EXPECT_EQ(ExileList[1], story_monster) << "the second exile still waits";
  EXPECT_EQ(first_->resident_count, 3);
  EXPECT_EQ(first_->residents[2].monster, fox);
  ASSERT_EQ(boxes().size(), 1u);
  EXPECT_NE(boxes()[0].find("fox"), std::string::npos);
}

TEST_F(ResidentsPage, StoryCharactersStay) {
  second_->residents[1].monster = story_monster;
  EXPECT_EQ(expel_row(5), 0);
  EXPECT_EQ(second_->resident_count, 2);
  add_exile(fox);
  EXPECT_EQ(exchange_rows(6, 1), 1) << "the swap was tried";
  EXPECT_EQ(second_->residents[1].monster, story_monster);
  EXPECT_EQ(ExileList[1], fox);
}

TEST_F(ResidentsPage, TheExchangeMatrix) {
  struct Case {
    const char* name;
    int first, partner, result;
    std::uint16_t first_after, partner_after;
    bool message;
  } cases[] = {
      {"resident with exile", 3, 1, 1, fox, wolf, false},
      {"exile with resident", 1, 3, 1, wolf, fox, false},
      {"residents of two dwellings", 3, 6, 1, bear, wolf, false},
      {"residents of one dwelling", 3, 4, 0, wolf, bear, true},
      {"exile with exile", 1, 2, 0, fox, story_monster, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    reset_settlement();
    settle();
    add_exile(fox), add_exile(story_monster);
    del_all_talkmsg();
    EXPECT_EQ(exchange_rows(c.first, c.partner), c.result);
    EXPECT_EQ(monster_of(c.first), c.first_after);
    EXPECT_EQ(monster_of(c.partner), c.partner_after);
    EXPECT_EQ(boxes().size(), c.message ? 1u : 0u);
  }
}

TEST_F(ResidentsPage, AWorkerExchangedWithAnExileLeavesItsWorkshop) {
  HouseRecord* shop = built_house(house_weapons_1, 9, 0);
  assign_worker(shop, first_, 0);
  add_exile(fox);
  ASSERT_EQ(exchange_rows(2, 1), 1);
  EXPECT_EQ(shop->resident_count, 0);
  EXPECT_EQ(first_->residents[0].monster, fox);
  EXPECT_EQ(first_->residents[0].link, 0) << "the newcomer arrives idle";
  EXPECT_EQ(ExileList[1], wolf);
}

TEST_F(ResidentsPage, FourteenRowsScrollByAPage) {
  for (std::uint16_t m : {wolf, bear, fox, wolf, bear, fox, wolf, bear, fox}) add_exile(m);
  ASSERT_EQ(count_resident_rows(), 14);
  EXPECT_EQ(residents_thumb_height(14), 241);
  EXPECT_EQ(residents_thumb_height(13), 260);
  ListScroll s{&residents_row, &residents_top, residents_total, residents_page_rows, 0, 0};
  page_down(s);
  EXPECT_EQ(residents_top, 1);
}

TEST_F(ResidentsPage, TheDeveloperKeysExileIsRefusedWhenTheListIsFull) {
  while (exile_count() < exile_entries - 1) ASSERT_EQ(add_exile(fox), 1);
  for (auto& h : house_list) h->resident_count = h->capacity;  // no room to move into
  const std::uint16_t past_end = ExileList[0];
  del_all_talkmsg();
  EXPECT_EQ(add_debug_exile(), 0);
  EXPECT_EQ(exile_count(), exile_entries - 1);
  EXPECT_EQ(ExileList[0], past_end);
}

TEST_F(ResidentsPage, TheDeveloperDialogsMonsterMovesInOnlyWhereADwellingHasRoom) {
  set_flag(flag_developer_keys);
  mouse_keyboard_lock = 1;
  std::uint32_t now = 1000;
  const auto press_z = [&] {
    queue_dialog_answer({{{debug_dialog_edit, "136"}}, {}, dialog_ok});
    grp_input.update_key(now += 200, KeyCode(key_z), 0);
    grp_input.update_key(now += 200, KeyCode(key_z), 1);
    input_residents_screen();
    grp_input.update_key(now + 1, KeyCode(key_z), 0);
  };
  press_z();
  EXPECT_EQ(first_->resident_count + second_->resident_count, 5) << "both dwellings are full";
  second_->capacity = 3;
  press_z();
  EXPECT_EQ(monster_dialog_value, fox);
  EXPECT_EQ(second_->resident_count, 3);
  EXPECT_EQ(second_->residents[2].monster, fox);
}

}  // namespace
