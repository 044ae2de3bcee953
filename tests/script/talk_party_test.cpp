// Talk opcodes of the party's money, resources, bag, arts and health, of texts and input, and of
// the game screens with the marked forms that wait for them.
#include <algorithm>
#include <climits>
#include <cstring>

#include "base/resources.h"
#include "battle/fame.h"
#include "core/frame_timer.h"
#include "core/game_mode.h"
#include "data/mission_name.h"
#include "field/talk_view.h"
#include "field/world_map.h"
#include "script/msg_settings.h"
#include "script/script_values.h"
#include "script/talk_ops.h"
#include "script/text_slots.h"
#include "tests/fixtures/fame_kit.h"
#include "tests/fixtures/text_table_writer.h"
#include "tests/script/talk_group_test.h"
#include "ui/saves/save_load.h"
#include "ui/shop/shop.h"
#include "ui/shop/shop_rules.h"
#include "ui/summon/summon.h"

namespace {
using namespace script_test;

class TalkParty : public TalkGroupTest {
 protected:
  // The text of a slot up to its end mark.
  static std::string slot(int d) {
    const char* s = text_slots[d];
    const void* end = std::memchr(s, '.', text_slot_bytes);
    return end ? std::string(s, static_cast<const char*>(end)) : "<no end mark>";
  }
};

TEST_F(TalkParty, MoneyAndResourcesAreWorkedOutWideThenKeptWithinZeroAndTheTop) {
  struct Case {
    const char* op;
    std::int32_t* counter;
    std::int32_t before;
    std::int64_t amount;
    std::int32_t after;
  } cases[] = {
      {"add_money", &party_money, 300, -500, 0},
      {"add_money", &party_money, 300, 200, 500},
      {"add_money", &party_money, INT32_MAX, 1, INT32_MAX},
      {"add_money", &party_money, 0, INT32_MIN, 0},
      {"pay_money", &party_money, 300, 500, 0},
      {"pay_money", &party_money, 100, INT32_MIN, INT32_MAX},
      {"pay_money", &party_money, 300, -20, 320},
      {"add_wood", &party_wood, 5, -10, 0},
      {"add_metal", &party_metal, INT32_MAX, INT32_MAX, INT32_MAX},
      {"add_coal", &party_coal, 7, 3, 10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.op) + " " + std::to_string(c.before) + " " + std::to_string(c.amount));
    *c.counter = c.before;
    MapRole& ev = start(std::string(c.op) + " " + std::to_string(c.amount) + "L; set_flag 600; end");
    EXPECT_EQ(*c.counter, c.after);
    EXPECT_FALSE(test_flag(600)) << "ends the slice";
    run_talk(&ev);
    EXPECT_TRUE(test_flag(600));
    clear_flag(600);
  }
}

TEST_F(TalkParty, MoneyAtLeastTheAmountJumpsAndGoesOn) {
  struct Case {
    std::int32_t money, amount;
    bool jumps;
  } cases[] = {{300, 300, true}, {299, 300, false}, {0, -1, true}, {INT32_MAX, INT32_MIN, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.money) + " " + std::to_string(c.amount));
    party_money = c.money;
    MapRole& ev = start("money_jump " + std::to_string(c.amount) + "L @taken; set_flag 601; end; taken: set_flag 600; end");
    EXPECT_EQ(test_flag(600) != 0, c.jumps);
    EXPECT_FALSE(test_flag(601)) << "a step over ends the slice";
    if (!c.jumps) {
      run_talk(&ev);
      EXPECT_TRUE(test_flag(601));
    }
    clear_flag(600);
    clear_flag(601);
  }
}

TEST_F(TalkParty, HealingClearsTheKnockOutAndKeepsEachValueInItsRange) {
  struct Case {
    std::int32_t hp, mp, sp;
    std::int32_t want_hp;
    std::int16_t want_mp, want_sp;
  } cases[] = {
      {-9999, 0, -30, 0, 50, 0},          // HP and SP to their floor
      {9999, 0x7FFF, 5, 150, 200, 15},    // to their maxima: a 16-bit sum would have turned negative
      {30, 0x10005, 0x20000, 150, 55, 10},  // MP and SP take the low 16 bits
      {-119, -50, -10, 1, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.hp) + " " + std::to_string(c.mp) + " " + std::to_string(c.sp));
    RoleData& r = gmRoleData[1];
    r.hp = 120, r.max_hp = 150, r.mp = 50, r.max_mp = 200, r.sp = 10, r.max_sp = 40, r.flags = 3;
    start("heal 2 " + std::to_string(c.hp) + "L " + std::to_string(c.mp) + "L " + std::to_string(c.sp) + "L; end");
    EXPECT_EQ(r.hp, c.want_hp);
    EXPECT_EQ(r.mp, c.want_mp);
    EXPECT_EQ(r.sp, c.want_sp);
    EXPECT_EQ(r.flags, 2) << "only the knocked-out bit is cleared";
  }
}

TEST_F(TalkParty, HealingAMemberOutsideOneToFourIsReported) {
  for (int member : {0, 5}) {
    SCOPED_TRACE(member);
    reset_debug_log(nullptr);
    gmRoleData[0].hp = 10, gmRoleData[0].max_hp = 100, gmRoleData[0].flags = 1;
    MapRole& ev = start("heal " + std::to_string(member) + " 50L 0L 0L; set_flag 600; end");
    EXPECT_EQ(messages(), std::vector<std::string>{"healing \xA8\xA4\xA6\xE2ID\xAC\xB0\xA4\xA3\xA6" "b1\xA8\xEC" "4\xA4\xA7\xB6\xA1!!"});
    EXPECT_EQ(gmRoleData[0].hp, 10);
    EXPECT_EQ(gmRoleData[0].flags, 1);
    run_talk(&ev);
    EXPECT_TRUE(test_flag(600)) << "passed over";
    clear_flag(600);
  }
}

TEST_F(TalkParty, TheBagAndTheArtListsTakeAndGiveObjects) {
  MapRole& ev = start("add_item 3 5; del_item 3 2; learn_art 3 6; learn_art 3 2; learn_art 0 4; learn_art 4 4; end");
  EXPECT_EQ(get_item_num(&party_bag, 3), 5);
  run_talk(&ev);
  EXPECT_EQ(get_item_num(&party_bag, 3), 3);
  run_talk(&ev);
  run_talk(&ev);
  ASSERT_NE(gmRoleData[2].arts.next, nullptr);
  EXPECT_EQ(gmRoleData[2].arts.next->object, 2) << "sorted";
  EXPECT_EQ(get_item_num(&gmRoleData[2].arts, 6), 1);
  run_talk(&ev);
  run_talk(&ev);
  // 對話5 指令錯誤172: 編號<n> 不合法
  const std::vector<std::string> lines = messages();
  for (int n : {0, 4}) {
    const std::string line = "\xB9\xEF\xB8\xDC" "5 \xAB\xFC\xA5O\xBF\xF9\xBB~172: \xBDs\xB8\xB9" + std::to_string(n) +
                             " \xA4\xA3\xA6X\xAAk";
    EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << n;
  }
  for (const RoleData& r : gmRoleData) EXPECT_EQ(get_item_num(const_cast<ItemNode*>(&r.arts), 4), 0);
}

TEST_F(TalkParty, ScriptValuesAndTheBattleSequence) {
  MapRole& ev = start("script_value_0 77; battle_sequence 3 10 11 12 13 14 15 16; end");
  EXPECT_EQ(script_values[0], 77);
  run_talk(&ev);
  EXPECT_EQ(script_values[1], 3);
  for (int i = 0; i < 7; ++i) EXPECT_EQ(script_values[2 + i], 10 + i);
  EXPECT_TRUE(test_flag(flag_battle_sequence));
}

TEST_F(TalkParty, TextSlotsFillInTurnWrapAfterTenAndClear) {
  std::string source;
  for (int i = 0; i < 11; ++i) source += "text_slots \"t" + std::to_string(i) + "\"; ";
  MapRole& ev = start(source + "text_slots \"0\"; end");
  for (int i = 1; i < 11; ++i) run_talk(&ev);
  EXPECT_EQ(slot(0), "t10") << "the eleventh text goes into slot 0 again";
  EXPECT_EQ(slot(9), "t9");
  EXPECT_EQ(text_slot_count, 1);
  run_talk(&ev);
  EXPECT_EQ(text_slot_count, 0);
  EXPECT_EQ(text_slots[0][0], 0) << "cleared";
}

TEST_F(TalkParty, ALongTextIsCutOnACharacterAndAZeroTextAlwaysClears) {
  // Ten two-byte characters: 19 bytes hold nine of them, and the end mark follows.
  std::string chars;
  for (int i = 0; i < 10; ++i) chars += "\xA4\x40";
  MapRole& ev = start("text_slots \"" + chars + "\"; text_slots \"0abc\"; set_flag 600; end");
  EXPECT_EQ(slot(0), chars.substr(0, 18));
  EXPECT_EQ(text_slot_count, 1);
  run_talk(&ev);
  EXPECT_EQ(text_slot_count, 0);
  EXPECT_EQ(text_slots[0][0], 0);
  run_talk(&ev);
  EXPECT_TRUE(test_flag(600)) << "the whole text was passed";
}

TEST_F(TalkParty, TheEndOfATalkForgetsTheSlots) {
  MapRole& ev = start("text_slots \"ab\"; end");
  EXPECT_EQ(text_slot_count, 1);
  run_talk(&ev);
  EXPECT_EQ(text_slot_count, 0);
}

TEST_F(TalkParty, ANamePlateTakesItsTextFromTheNameTable) {
  dir.write("Name.gll", fixtures::as_string(fixtures::name_gll({{2, "\xA4\x40two"}})));
  open_Name_data();
  start("name_plate 2; end");
  const std::string plate(talk_name_plate.begin(), talk_name_plate.end());
  EXPECT_EQ(plate.substr(0, plate.find("%Q")), "\xA4\x40two");
  EXPECT_TRUE(messages().empty());
  close_Name_data();
}

TEST_F(TalkParty, ANamePlateWithoutItsTextIsReported) {
  start("name_plate 3; end");
  // 對話5 指令117錯誤: 找不到第3號Caption
  EXPECT_EQ(messages(), std::vector<std::string>{"\xB9\xEF\xB8\xDC" "5 \xAB\xFC\xA5O" "117\xBF\xF9\xBB~: \xA7\xE4\xA4\xA3\xA8\xEC"
                                                 "\xB2\xC4" "3\xB8\xB9" "Caption"});
  EXPECT_TRUE(talk_name_plate.empty());
}

TEST_F(TalkParty, FlagsInputAndSpeed) {
  player_role_index = add_role(0xFF02, state_bit_5 | state_held);
  set_flag(flag_speed_up);
  set_frame_rate(1000);
  talk_walk_speed = 20.0f;
  run_mode.set_speeds(60.0f);
  MapRole& ev = start("hide_scene; show_scene; input_wait; input_release; speed_up_off; end");
  EXPECT_TRUE(test_flag(flag_scene_hidden));
  run_talk(&ev);
  EXPECT_FALSE(test_flag(flag_scene_hidden));
  EXPECT_EQ(gmMapRole[player_role_index].STATE & (state_bit_5 | state_held), 0u);
  EXPECT_FALSE(test_flag(flag_input_captured));
  EXPECT_FALSE(test_flag(flag_speed_up));
  EXPECT_EQ(frame_period_ms, 1000u / 35);
  EXPECT_EQ(talk_walk_speed, 8.0f);
  EXPECT_EQ(run_mode.speeds[0], 5.0f);
  EXPECT_EQ(run_mode.speeds[1], 5.0f);
}

TEST_F(TalkParty, TheWorldMapOpensCentredOnThePlaceAndTheSliceEnds) {
  game_map_place = 3;
  MapRole& ev = start("world_map 7; set_flag 600; end");
  EXPECT_EQ(GameMode, mode_world_map);
  EXPECT_EQ(game_map_place, 7);
  EXPECT_FALSE(test_flag(600));
  leave_game_map();
  run_talk(&ev);
  EXPECT_TRUE(test_flag(600));
}

TEST_F(TalkParty, TheInputWaitHasNoFrameLimit) {
  start("input_wait; hide_scene; end");
  EXPECT_TRUE(test_flag(flag_input_captured));
  EXPECT_EQ(input_wait_frames, 0xFFFF);
}

// 167 feeds the worn treasures with event 1 (growth code 55), 173 raises their levels, 169 marks
// the fame record cleared and writes fame.dat; each ends the slice.
TEST_F(TalkParty, FameAndTreasures) {
  constexpr std::uint16_t treasure = 1;
  std::vector<fixtures::ObjectRecord> objects{kit::treasure_object(55), kit::treasure_object(56)};
  dir.write("ObjData.GLL", fixtures::as_string(fixtures::objdata_gll(objects)));
  SFINIT0_open_item_data();
  open_item_data();
  free_fame();
  fame_block = FameBlock{};
  set_flag(party_member_flags[0]);
  gmRoleData[0].equip[4] = treasure;
  gmRoleData[0].equip[5] = treasure + 1;  // growth code 56: event 1 passes it by
  MapRole& ev = start("treasure_event; raise_treasures 3; fame_cleared; set_flag 600; end");
  const FameNode* fed = fame_find(treasure, fame_type_treasure);
  ASSERT_NE(fed, nullptr);
  EXPECT_EQ(fed->points, 1);
  EXPECT_EQ(fed->level, 1);
  EXPECT_EQ(fame_find(treasure + 1, fame_type_treasure), nullptr);
  run_talk(&ev);
  EXPECT_EQ(fame_find(treasure, fame_type_treasure)->level, 4);
  ASSERT_NE(fame_find(treasure + 1, fame_type_treasure), nullptr);
  EXPECT_EQ(fame_find(treasure + 1, fame_type_treasure)->level, 4) << "registered at level 1, then raised";
  EXPECT_EQ(dir.read("fame.dat"), "");
  run_talk(&ev);
  EXPECT_EQ(fame_block.cleared, 1);
  EXPECT_FALSE(test_flag(600));
  // fame.dat holds the cleared mark: read back after it was put back in memory.
  fame_block = FameBlock{};
  free_fame();
  const std::string file = dir.read("fame.dat");
  ASSERT_EQ(load_fame_image({reinterpret_cast<const std::uint8_t*>(file.data()), file.size()}), 1);
  EXPECT_EQ(fame_block.cleared, 1);
  free_fame();
  fame_block = FameBlock{};
}

TEST_F(TalkParty, ACapStepOnAMissingRoleIsReported) {
  start("cap_step 2002 1; end");
  // Talk5 指令270錯誤 : 找不到指定之 角色ID:2002
  EXPECT_EQ(messages(), std::vector<std::string>{"Talk5 \xAB\xFC\xA5O" "270\xBF\xF9\xBB~ : \xA7\xE4\xA4\xA3\xA8\xEC"
                                                 "\xAB\xFC\xA9w\xA4\xA7 \xA8\xA4\xA6\xE2ID:2002"});
}

// ---- Screens and the opcodes that mark themselves ----------------------------------------

TEST_F(TalkParty, SummoningWaitsWhileTheListIsOpen) {
  MapRole& ev = start("summon; set_flag 600; end");
  EXPECT_EQ(at(ev), 0u) << "waits on its own word";
  EXPECT_EQ(script_word(ev, 0), 164 + 0x2000);
  EXPECT_TRUE(summon_is_open());
  EXPECT_TRUE(test_flag(flag_input_captured));
  for (int frame = 0; frame < 3; ++frame) run_talk(&ev);
  EXPECT_EQ(at(ev), 0u);
  close_summon();
  run_talk(&ev);
  EXPECT_EQ(at(ev), 2u);
  EXPECT_EQ(script_word(ev, 0), 164);
  EXPECT_FALSE(test_flag(600)) << "ends the slice";
}

TEST_F(TalkParty, TheShopOpensWithItsGoodsAndTheScriptGoesOnWhenItIsLeft) {
  MapRole& ev = start("shop {3 5 7}; set_flag 600; end");
  EXPECT_EQ(GameMode, mode_shop_talk);
  ASSERT_EQ(shop.goods.size(), 3u);
  EXPECT_EQ(shop.goods[2], 7);
  EXPECT_EQ(script_word(ev, 0), 202 + 0x2000);
  for (int mode : {mode_shop_talk, mode_shop_buy, mode_shop_sell}) {
    GameMode = mode;
    run_talk(&ev);
    EXPECT_EQ(at(ev), 0u) << mode;
  }
  call_shop_system(MODE_LEAVE, nullptr, 0);
  run_talk(&ev);
  EXPECT_EQ(at(ev), 10u);
  EXPECT_EQ(script_word(ev, 0), 202);
  EXPECT_FALSE(test_flag(600));
}

TEST_F(TalkParty, AShopKeepsEveryGoodOfALongList) {
  std::string list;
  for (int i = 1; i <= 40; ++i) list += std::to_string(i) + " ";
  MapRole& ev = start("shop {" + list + "}; set_flag 600; end");
  ASSERT_EQ(shop.goods.size(), 40u);
  EXPECT_EQ(shop.goods[39], 40);
  call_shop_system(MODE_LEAVE, nullptr, 0);
  run_talk(&ev);
  EXPECT_EQ(at(ev), 2u + 80u + 2u);
}

TEST_F(TalkParty, PausesPassOnTheirSecondSlice) {
  for (const char* op : {"pause_210", "pause_211", "pause_212"}) {
    SCOPED_TRACE(op);
    MapRole& ev = start(std::string(op) + "; set_flag 600; end");
    const std::uint16_t plain = script_word(ev, 0) - 0x2000;
    EXPECT_EQ(at(ev), 0u);
    run_talk(&ev);
    EXPECT_EQ(at(ev), 2u);
    EXPECT_EQ(script_word(ev, 0), plain);
    EXPECT_FALSE(test_flag(600));
    clear_talks_proc();
  }
}

TEST_F(TalkParty, AnEventLeavingTheQueueWhileItWaitsPutsThePlainNumberBack) {
  struct Case {
    const char* how;
    void (*drop)();
  } cases[] = {
      {"cleared", [] { clear_talks_proc(); }},
      {"dropped", [] { del_talk_event(&TalkEventQueue[0]); }},
      {"replaced", [] {
         gmTmpTalk = MapRole{};
         gmTmpTalk.RoleID = narrator_role;
         gmTmpTalk.TALK = 5;
         add_talks_proc(&gmTmpTalk);
       }},
      {"restarted", [] { restart_talk(5); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    field_overlay_bits = 0;
    MapRole& ev = start("summon; set_flag 600; end");
    const int base = ev.talk_base;
    const unsigned first = ev.talk_start;
    c.drop();
    EXPECT_EQ(word_at(base, first), 164);
    close_summon();
    MapRole& again = queue(5);
    run_talk(&again);
    EXPECT_TRUE(summon_is_open()) << "the next run opens the list again";
    clear_talks_proc();
  }
}

TEST_F(TalkParty, SaveLoadAndTitleScreens) {
  set_flag(flag_wall_test_off);
  start("save_screen; end");
  EXPECT_EQ(GameMode, mode_save);
  EXPECT_FALSE(test_flag(flag_wall_test_off));
  start("load_screen; end");
  EXPECT_EQ(GameMode, mode_save) << "not while the save screen is current";
  call_save_system(MODE_LEAVE, 0, 0);
  EXPECT_EQ(GameMode, mode_field);
  start("load_screen; end");
  EXPECT_EQ(GameMode, mode_load);
  GameMode = mode_field;
  start("title; end");
  EXPECT_EQ(GameMode, mode_title);
  EXPECT_TRUE(test_flag(flag_scene_hidden));
}

}  // namespace
