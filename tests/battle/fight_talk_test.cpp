// Fight-talk scripts: the pool and its table, the flow and size of the commands, their tests
// and effects, and the refusals of bad scripts (which let the battle be won).
#include <sstream>

#include "base/resources.h"
#include "battle/fight_talk.h"
#include "core/flags.h"
#include "core/frame_timer.h"
#include "core/game_flags.h"
#include "core/log.h"
#include "core/paths.h"
#include "data/item_list.h"
#include "data/party.h"
#include "tests/battle/battle_test.h"
#include "tests/fixtures/objdata_writer.h"
#include "tests/fixtures/script_assembler.h"
#include "tests/fixtures/temp_folder.h"
#include "ui/talk_msg.h"
#include "ui/text_button.h"

namespace {
using namespace battle_test;
using fixtures::assemble_fight_talk;
using fixtures::Bytes;

constexpr int marker = 900, marker_2 = 901;
constexpr int listed = 3;  // the first flag of the scripts' lists (3 and 5)
constexpr std::uint16_t herb = 1;

class FightTalk : public BattleTest {
 protected:
  FightTalk() {
    game_dir = dir.str();
    set_error_log_switch(1);
    reset_debug_log(nullptr);
    game_clock = 1000;
    for (int f : {listed, 5, marker, marker_2, flag_speed_up}) clear_flag(f);
    fight_ally_count = 1;
    fight_enemy_count = 1;
    member(0, 1);
    enemy(0, 1);
  }
  ~FightTalk() override {
    free_fight_talk_data();
    del_all_talkmsg();
    del_all_tbutton();
    tbutton_confirmed = 0;
    free_item_list(&party_bag);
    install_item_data({});
    party_money = party_wood = party_metal = party_coal = 0;
    for (int f : {listed, 5, marker, marker_2, flag_speed_up}) clear_flag(f);
  }
  static void load(const std::map<std::uint16_t, Bytes>& scripts) {
    install_fight_talk_data(fixtures::fight_talk_gll_image(scripts));
  }
  // Script 1 from source, started; the offset of its first command.
  static std::size_t start(const std::string& source) {
    load({{1, assemble_fight_talk(source)}});
    fight_talk_start(1);
    return fight_talk_pc;
  }
  int reports(const std::string& text) const {
    std::istringstream in(dir.read("debug.txt"));
    int n = 0;
    for (std::string line; std::getline(in, line);) n += line.find(text) != std::string::npos;
    return n;
  }
  static bool marked(int flag = marker) { return test_flag(flag) != 0; }

  fixtures::TempFolder dir{true};
};

TEST_F(FightTalk, AScriptOfOnlyTheVictoryCommandStaysOnIt) {
  const std::size_t at = start("allow_victory");
  fight_talk_step();
  EXPECT_TRUE(fight_flags & fight_victory_allowed);
  EXPECT_EQ(fight_talk_pc, at);
  fight_talk_step();
  EXPECT_EQ(fight_talk_pc, at);
  EXPECT_EQ(fight_talk_running, 1);
  EXPECT_EQ(reports("FightTalk"), 0);
}

// One step over a command followed by "set_flag 900": whether the step went on past it, and
// how far the script moved when the step ended.
TEST_F(FightTalk, EachCommandHasItsSizeAndFlow) {
  struct Case {
    const char* command;
    bool goes_on;
    std::size_t moved;  // bytes past the start when the step ended (the marker's own 4 when it ran)
  } cases[] = {
      {"set_flag 3", true, 4 + 4},
      {"goto @next; raw 0; next:", true, 2 + 4 + 2 + 4},
      {"if_flag 3 @next; next:", true, 8 + 4},
      {"unless_flag 3 @next; next:", true, 8 + 4},  // passes: flag 3 is clear
      {"if_all_flags {3 5} @next; next:", false, 2 + 6 + 4},
      {"if_any_flag {3 5} @next; next:", false, 2 + 6 + 4},
      {"box 0 0 0 0 0 0 0 0 0 0 \"hi\"", false, 22 + 4},
      {"box_colour 255 1 2 3", true, 10 + 4},
      {"box_frame 1 2", true, 6 + 4},
      {"char_spacing 5", true, 4 + 4},
      {"release", true, 2 + 4},
      {"no_escape", false, 2},
      {"set_music 7", false, 4},
      {"may_lose", false, 2},
      {"victory", false, 2},
      {"effect_offset 1L 2L 3L", false, 14},
      {"facing 0 90 77", true, 8 + 4},
      {"pose 0 3", true, 6 + 4},
      {"act 0 3", true, 6 + 4},
      {"set_unit_flags 6 1", false, 6},
      {"wait_turns 5L", false, 0},
      {"wait_time 3", false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    BattleTest::reset();
    for (int f : {listed, marker}) clear_flag(f);
    const std::size_t at = start(std::string(c.command) + "; set_flag 900; allow_victory");
    fight_talk_step();
    EXPECT_EQ(marked(), c.goes_on);
    EXPECT_EQ(fight_talk_pc - at, c.moved);
    EXPECT_EQ(fight_talk_running, 1);
  }
}

TEST_F(FightTalk, FlagListsJumpWhenAllOrAnyAreSet) {
  set_flag(listed);
  for (const char* op : {"if_all_flags", "if_any_flag"}) {
    SCOPED_TRACE(op);
    clear_flag(marker);
    start(std::string(op) + " {3 5} @yes; allow_victory; yes: set_flag 900; allow_victory");
    fight_talk_step();
    EXPECT_EQ(marked(), std::string(op) == "if_any_flag");
  }
  // An empty list: all of its flags are set, none of them is.
  start("if_all_flags {} @yes; allow_victory; yes: set_flag 900; allow_victory");
  fight_talk_step();
  EXPECT_TRUE(marked());
}

TEST_F(FightTalk, TurnWaitsPassWhenTheTurnsAreCounted) {
  start("wait_turns 0L; set_flag 900; allow_victory");
  fight_talk_step();
  EXPECT_EQ(fight_turns_left, 0);
  EXPECT_FALSE(marked());
  fight_talk_step();
  EXPECT_TRUE(marked()) << "0 passes on the second step";
  EXPECT_EQ(fight_talk_waiting, 0);
  start("wait_turns -1L; set_flag 901; allow_victory");
  for (int i = 0; i < 5; ++i) fight_talk_step();
  EXPECT_FALSE(marked(marker_2)) << "-1 never passes";
}

TEST_F(FightTalk, ATimedWaitOfZeroTakesTwoSteps) {
  start("wait_time 0; set_flag 900; allow_victory");
  fight_talk_step();
  EXPECT_EQ(fight_talk_timing, 1);
  fight_talk_step();
  EXPECT_EQ(fight_talk_timing, 0);
  EXPECT_FALSE(marked()) << "the step ends even when the wait passes";
  fight_talk_step();
  EXPECT_TRUE(marked());
  start("wait_time 3; set_flag 901; allow_victory");
  fight_talk_step();
  game_clock += 29;
  fight_talk_step();
  fight_talk_step();
  EXPECT_EQ(fight_talk_timing, 1);
  game_clock += 1;
  fight_talk_step();
  fight_talk_step();
  EXPECT_TRUE(marked(marker_2));
}

TEST_F(FightTalk, TheBagCountsBothCountsOfItsEntry) {
  install_item_data(fixtures::objdata_gll({fixtures::ObjectRecord().kind(201)}));
  add_item(&party_bag, herb, 98, 2);
  add_item(&party_bag, herb, 3, 1);
  const struct { int n; bool jumps; } cases[] = {{100, true}, {101, true}, {102, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.n);
    clear_flag(marker);
    start("if_item 1 " + std::to_string(c.n) + " @yes; allow_victory; yes: set_flag 900; allow_victory");
    fight_talk_step();
    EXPECT_EQ(marked(), c.jumps);
  }
}

TEST_F(FightTalk, ThePoorTestNeedsEveryResourceAtOrBelow) {
  party_money = 100, party_wood = 10, party_metal = 5, party_coal = 1;
  const struct { const char* limits; bool jumps; } cases[] = {
      {"100L 10L 5L 1L", true}, {"99L 10L 5L 1L", false}, {"100L 10L 5L 0L", false}, {"500L 50L 50L 50L", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.limits);
    clear_flag(marker);
    start(std::string("if_poor ") + c.limits + " @yes; allow_victory; yes: set_flag 900; allow_victory");
    fight_talk_step();
    EXPECT_EQ(marked(), c.jumps);
  }
}

TEST_F(FightTalk, TheHpTestTakesTheTruncatedPercentage) {
  const struct { int hp, max; int percent; bool jumps; } cases[] = {
      {50, 100, 50, true}, {51, 100, 50, false}, {2, 3, 66, true}, {2, 3, 65, false},
      {0, 0, 0, true},  // no maximum: 0 %
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.percent);
    clear_flag(marker);
    enemy(0, 1, c.hp, c.max);
    start("if_hp_below 6 " + std::to_string(c.percent) + " @yes; allow_victory; yes: set_flag 900; allow_victory");
    fight_talk_step();
    EXPECT_EQ(marked(), c.jumps);
  }
}

TEST_F(FightTalk, ResourcesWonWaitForTheResultsAndLossesStopAtNothing) {
  party_money = 300, party_wood = 4;
  start("resources 500L 2L 0L 0L; resources -500L -9L 3L 0L; allow_victory");
  fight_talk_step();
  EXPECT_EQ(party_money, 300);
  EXPECT_EQ(battle_money, 500);
  EXPECT_EQ(party_wood, 6);
  fight_talk_step();
  EXPECT_EQ(party_money, 0);
  EXPECT_EQ(battle_money, 500);
  EXPECT_EQ(party_wood, 0);
  EXPECT_EQ(party_metal, 3);
  battle_money = 0x7FFFFF00;
  start("resources 0x7FFFFFF0L 0L 0L 0L; allow_victory");
  fight_talk_step();
  EXPECT_EQ(battle_money, 0x7FFFFFFF) << "the total stops at what it can hold";
}

TEST_F(FightTalk, TheChanceTestJumpsWhenTheDrawIsAtMostP) {
  const struct { int p; unsigned draw; bool jumps; } cases[] = {
      {99, 99, true}, {0, 0, true}, {0, 1, false}, {50, 50, true}, {50, 51, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.p);
    clear_flag(marker);
    start("if_chance " + std::to_string(c.p) + " @yes; set_flag 901; yes: set_flag 900; allow_victory");
    next_draw(100, c.draw);
    fight_talk_step();
    EXPECT_TRUE(marked());  // both paths reach it
    EXPECT_EQ(marked(marker_2), !c.jumps);
    clear_flag(marker_2);
  }
}

TEST_F(FightTalk, AChoiceJumpsByTheConfirmedButtonAndAShortTableGoesOnAfterIt) {
  const std::string source = "choice [@a @b]; set_flag 901; allow_victory; a: allow_victory; b: set_flag 900; allow_victory";
  start(source);
  fight_talk_step();
  EXPECT_FALSE(marked()) << "waits for the choice";
  tbutton_confirmed = 1, tbutton_choice = 1;
  fight_talk_step();
  EXPECT_EQ(tbutton_confirmed, 0);
  fight_talk_step();
  EXPECT_TRUE(marked());
  clear_flag(marker);
  start(source);
  tbutton_confirmed = 1, tbutton_choice = 2;
  fight_talk_step();
  fight_talk_step();
  EXPECT_TRUE(marked(marker_2)) << "the script goes on after the table";
  EXPECT_EQ(reports("17: "), 1);
}

TEST_F(FightTalk, ADialogueBoxOpensOverItsSpeaker) {
  start("char_spacing 7; box 6 100 1 2 3 4 5 0 0 1 \"\\xA7A\\xA6n\"; allow_victory");
  set_flag(flag_battle);
  fight_talk_step();
  clear_flag(flag_battle);
  ASSERT_EQ(talkmsg_count(), 1);
  const TalkMsg& m = *talkmsg_head();
  EXPECT_EQ(m.speaker, 6);
  EXPECT_EQ(m.duration, 1000u);
  EXPECT_EQ(m.char_spacing, 7);
  EXPECT_EQ(m.frame_act, 9002);
  EXPECT_EQ(talk_box_state, std::uint32_t(talk_state_closed_in_battle));
  EXPECT_EQ(std::string(m.text).rfind("\xA7""A\xA6n", 0), 0u);
}

TEST_F(FightTalk, AChainedBattleGoesOnWithItsOwnScript) {
  load({{1, assemble_fight_talk("next_battle 2; set_flag 900; allow_victory")},
        {2, assemble_fight_talk("set_flag 901; allow_victory")}});
  fight_talk_start(1);
  set_flag(flag_battle);  // the next battle comes only inside a battle
  fight_talk_step();
  clear_flag(flag_battle);
  EXPECT_EQ(fight_talk_current, 2);
  EXPECT_TRUE(marked(marker_2)) << "the new script runs in the same step";
  EXPECT_FALSE(marked());
}

TEST_F(FightTalk, ScriptsThatCannotRunLetTheBattleBeWon) {
  const struct { const char* what; std::map<std::uint16_t, std::string> scripts; std::uint16_t number; } cases[] = {
      {"number 0", {{1, "allow_victory"}}, 0},
      {"number past the table", {{1, "allow_victory"}}, 2},
      {"unknown opcode", {{1, "raw 8"}}, 1},
      {"operand cut short", {{1, "raw 6"}}, 1},
      {"jump out of the scripts", {{1, "goto 5000L"}}, 1},
      {"endless loop", {{1, "a: goto @a"}}, 1},
      {"flag list without end", {{1, "if_any_flag 3"}}, 1},
      {"text without end", {{1, "box 0 0 0 0 0 0 0 0 0 0; raw 0x4141"}}, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    reset_debug_log(nullptr);
    fight_flags = 0;
    std::map<std::uint16_t, Bytes> scripts;
    for (const auto& [n, source] : c.scripts) scripts[n] = assemble_fight_talk(source);
    load(scripts);
    fight_talk_start(c.number);
    for (int i = 0; i < 3; ++i) fight_talk_step();
    EXPECT_TRUE(fight_flags & fight_victory_allowed);
    EXPECT_EQ(fight_talk_running, 0);
    EXPECT_EQ(reports("FightTalk") + reports("fight"), 1) << "reported once: " << dir.read("debug.txt");
  }
  free_fight_talk_data();
  fight_flags = 0;
  fight_talk_start(1);
  EXPECT_TRUE(fight_flags & fight_victory_allowed) << "no FigTalk.GLL";
}

TEST_F(FightTalk, OperandsNamingNoUnitOrRecordPassWithAReport) {
  for (const char* command : {"pose 16 3", "facing 99 0 0", "act 16 2", "battlefield 1000"}) {
    SCOPED_TRACE(command);
    clear_flag(marker);
    reset_debug_log(nullptr);
    start(std::string(command) + "; set_flag 900; allow_victory");
    fight_talk_step();
    EXPECT_TRUE(marked());
    EXPECT_EQ(reports("fight talk 1"), 1);
  }
}

}  // namespace
