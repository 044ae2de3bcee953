// The developer console: command lines and their effects, its keys and its caret.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "battle/fame.h"
#include "core/flags.h"
#include "core/game_flags.h"
#include "core/game_mode.h"
#include "core/text_input_field.h"
#include "data/item_list.h"
#include "data/object_db.h"
#include "data/party.h"
#include "devtools/dev_console.h"
#include "tests/devtools/key_driver.h"
#include "tests/fixtures/battlefield_writer.h"
#include "tests/fixtures/objdata_writer.h"
#include "ui/talk_msg.h"

namespace {
using namespace fixtures;

constexpr std::uint16_t bag_object = 123, art_object = 5001;
const char item_text[] = "\xBC" "W\xA5[\xA4" "F\xA4@\xAD\xD3\xAA\xAB\xAB~!!";  // 增加了一個物品!!
const char art_text[] = "\xBC" "W\xA5[\xA4" "F\xA4@\xAD\xD3\xAAk\xB3N!!";      // 增加了一個法術!!

class Console : public ::testing::Test {
 protected:
  void SetUp() override {
    std::vector<ObjectRecord> objects(art_object);
    objects[bag_object - 1].name("herb").kind(100);
    objects[art_object - 1].name("fire").kind(300);
    ASSERT_TRUE(install_item_data(objdata_gll(objects)));
    clear_state();
    party_money = 1000;
  }
  void TearDown() override {
    clear_state();
    close_item_data();
  }
  static void clear_state() {
    reset_console();
    free_party_items();
    free_fame();
    del_all_talkmsg();
    clear_flag(flag_battle);
    GameMode = mode_field;
  }
  static std::string message() {
    const TalkMsg* box = talkmsg_head();
    return box && box->text ? std::string(box->text) : std::string();
  }
  static int arts_of(int member, std::uint16_t object) { return get_item_num(&gmRoleData[member].arts, object); }
  static int arts_anywhere(std::uint16_t object) {
    int n = 0;
    for (int m = 0; m < party_record_count; ++m) n += arts_of(m, object);
    return n;
  }
};

TEST_F(Console, MoneyLinesAddTakeAndIgnoreCase) {
  struct Case {
    const char* line;
    int start, money;
  };
  for (const Case& c : {Case{"money 500", 1000, 1500}, Case{"money -500", 1000, 500}, Case{"MONEY 5", 1000, 1005},
                        // The argument starts at the seventh character: "5" is skipped.
                        Case{"money500", 1000, 1000}, Case{"money", 1000, 1000},
                        // Sums and numbers that pass the int range stop at its ends.
                        Case{"money 99999999999", 1000, INT_MAX}, Case{"money 10", INT_MAX - 3, INT_MAX},
                        Case{"money -10", INT_MIN + 3, INT_MIN}}) {
    party_money = c.start;
    run_console_line(c.line);
    EXPECT_EQ(party_money, c.money) << c.line;
  }
}

TEST_F(Console, ReadIntArgSaturatesAndStopsAfterTheNumber) {
  struct Case {
    const char* text;
    int value;
    int consumed;
  };
  for (const Case& c : {Case{"  12 7", 12, 4}, Case{"\t-34x", -34, 4}, Case{"", 0, 0}, Case{"-", 0, 1},
                        Case{"x5", 0, 0}, Case{"2147483647", INT_MAX, 10}, Case{"2147483648", INT_MAX, 10},
                        Case{"-2147483648", INT_MIN, 11}, Case{"-99999999999999999999", INT_MIN, 21}}) {
    int v = 99;
    const char* end = read_int_arg(c.text, &v);
    EXPECT_EQ(v, c.value) << c.text;
    EXPECT_EQ(end - c.text, c.consumed) << c.text;
  }
}

TEST_F(Console, NumbersAddObjectsToTheBagAndArtsToAMember) {
  run_console_line("123");
  EXPECT_EQ(get_item_num(&party_bag, bag_object), 1);
  EXPECT_EQ(message().rfind(item_text, 0), 0u);
  del_all_talkmsg();

  run_console_line("5001 2");
  EXPECT_EQ(arts_of(1, art_object), 1);
  EXPECT_EQ(message().rfind(art_text, 0), 0u);
}

TEST_F(Console, ArtsWithoutAValidMemberAddNothingButStillSaySo) {
  for (const char* line : {"5001", "5001 0", "5001 9", "5001 -1", "5001 5"}) {
    del_all_talkmsg();
    run_console_line(line);
    EXPECT_EQ(arts_anywhere(art_object), 0) << line;
    EXPECT_EQ(message().rfind(art_text, 0), 0u) << line;
  }
}

TEST_F(Console, AnEmptyLineIsTheItemCommandWithObjectZero) {
  run_console_line("");
  EXPECT_EQ(party_bag.next, nullptr);
  EXPECT_EQ(message().rfind(item_text, 0), 0u);
}

TEST_F(Console, MsTakesAnyCharacterAfterItsKeyword) {
  run_console_line("msx 12");
  const FameNode* monster = fame_find(12, fame_type_monster);
  ASSERT_NE(monster, nullptr);
  EXPECT_EQ(message().rfind("Add Monster!!", 0), 0u);
}

TEST_F(Console, FullRaisesEveryTreasureRecord) {
  ASSERT_EQ(fame_add(bag_object, 1, 0, fame_type_treasure), 1);
  ASSERT_EQ(fame_add(art_object, 1, 0, fame_type_treasure), 1);
  run_console_line("FULL");
  for (std::uint16_t object : {bag_object, art_object}) {
    const FameNode* t = fame_find(object, fame_type_treasure);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->maxed, 1);
    EXPECT_EQ(t->level, 10);
  }
  EXPECT_EQ(message().rfind("full !!", 0), 0u);
}

// A battle must not start inside the draw that runs the console: the line closes the console and
// the battle waits for the frame tick's call after the draw.
TEST_F(Console, FightAndAtkCloseTheConsoleAndWaitForTheFramesEnd) {
  const fixtures::TempFolder folder;
  const kit::BattlefieldInstall battlefield(folder, 3);
  open_console();
  run_console_line("fight 3");
  EXPECT_FALSE(test_flag(flag_console_open));
  EXPECT_EQ(console_field, nullptr);
  EXPECT_EQ(GameMode, mode_field);
  EXPECT_TRUE(console_command_queued());
  run_queued_console_command();
  EXPECT_EQ(GameMode, mode_battle);
  EXPECT_FALSE(console_command_queued());

  open_console();
  run_console_line("atk 1 2");
  EXPECT_FALSE(test_flag(flag_console_open));
  EXPECT_TRUE(console_command_queued());
  run_queued_console_command();
  EXPECT_FALSE(console_command_queued());
}

class ConsoleKeys : public Console {
 protected:
  void SetUp() override {
    Console::SetUp();
    keys_.release_all();
    open_console();
  }
  void type(const char* text) { console_field->set_text(text); }
  KeyDriver keys_;
};

TEST_F(ConsoleKeys, OpeningCapturesTheInputAndClosingFreesIt) {
  EXPECT_TRUE(test_flag(flag_console_open));
  EXPECT_TRUE(test_flag(flag_input_captured));
  ASSERT_NE(console_field, nullptr);
  EXPECT_EQ(console_field->get_x(), 10);
  EXPECT_EQ(console_field->get_y(), 380);
  close_console();
  EXPECT_FALSE(test_flag(flag_console_open));
  EXPECT_FALSE(test_flag(flag_input_captured));
}

TEST_F(ConsoleKeys, EnterRunsTheLineAndKeepsTheText) {
  type("money 5");
  keys_.frame({key_enter});
  console_input();
  EXPECT_EQ(party_money, 1005);
  char text[64];
  console_field->get_text(text, sizeof text);
  EXPECT_STREQ(text, "money 5");
  EXPECT_EQ(console_last_line, "money 5");
}

TEST_F(ConsoleKeys, EscapeClosesBeforeEnterIsLookedAt) {
  type("money 5");
  keys_.frame({key_escape, key_enter});
  console_input();
  EXPECT_EQ(party_money, 1000);
  EXPECT_EQ(console_field, nullptr);
}

TEST_F(ConsoleKeys, UpRecallsTheLastLine) {
  type("money 7");
  keys_.frame({key_enter});
  console_input();
  type("");
  keys_.frame({key_up});
  console_input();
  char text[64];
  console_field->get_text(text, sizeof text);
  EXPECT_STREQ(text, "money 7");
}

// The line keeps 63 bytes of whole characters: a two-byte character across the limit goes.
TEST_F(ConsoleKeys, LongLinesAreCutOnACharacterBoundary) {
  const std::string big5 = "\xA4\xA4";
  struct Case {
    std::string text;
    std::size_t kept;
  };
  for (const Case& c : {Case{std::string(62, '1') + big5, 62}, Case{std::string(61, '1') + big5, 63},
                        Case{std::string(80, '1'), 63}}) {
    type(c.text.c_str());
    keys_.frame({key_enter});
    console_input();
    EXPECT_EQ(console_last_line.size(), c.kept);
    keys_.release_all();
    party_money = 1000;
    del_all_talkmsg();
    free_party_items();
  }
}

// The caret flips every 15 frames, starting hidden.
TEST_F(ConsoleKeys, CaretBlinksEveryFifteenFrames) {
  std::vector<int> shown;
  for (int frame = 0; frame < 32; ++frame) {
    draw_console(console_field);
    shown.push_back(console_caret.shown);
  }
  for (int frame = 0; frame < 32; ++frame) EXPECT_EQ(shown[std::size_t(frame)], frame >= 15 && frame < 30 ? 1 : 0) << frame;
}

}  // namespace
