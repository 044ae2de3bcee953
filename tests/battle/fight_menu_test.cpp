// The battle's command menu and target selection: the menu's states reached by confirm and
// cancel, directions by state, treasure commands (option rows by level, 遁逃's money, the
// double command), refusals, the cursor on both sides, picking, the rage strike and the keys.
#include <string>
#include <vector>

#include "base/escort.h"
#include "base/houses.h"
#include "battle/fight_action.h"
#include "battle/fight_cmd_table.h"
#include "battle/fight_hud.h"
#include "battle/fight_menu.h"
#include "battle/fight_target.h"
#include "battle/monster_panel.h"
#include "core/grp_input.h"
#include "core/key_mapping.h"
#include "data/battle_fields.h"
#include "data/item_list.h"
#include "data/object_db.h"
#include "data/party.h"
#include "tests/battle/battle_test.h"
#include "tests/battle/key_driver.h"
#include "tests/fixtures/objdata_writer.h"
#include "ui/talk_msg.h"

namespace {
using namespace battle_test;
using namespace fixtures;

// Object 1 is the hero.
constexpr std::uint16_t slime = 2, sword = 3, herb = 4, flee_charm = 5, double_charm = 6,
                        liuhe_charm = 7, martial_art = 8, gather_charm = 9, wide_sword = 10, ally_art = 11;

constexpr char not_now[] = "\xB2{\xA6""b\xB5L\xAAk\xA8\xCF\xA5\xCE!!%Q";
constexpr char cannot_escape[] = "\xB5L\xAAk\xB2\xE6\xC2\xF7\xBE\xD4\xB0\xAB!!%Q";
constexpr char cost_short[] =
    "\xAE\xF8\xAF\xD3\xC2I\xBC\xC6\xA4\xA3\xA8\xAC\xA1""A\xB5L\xAAk\xA8\xCF\xA5\xCE!!%Q";
constexpr char no_room[] =
    "\xA9\xC7\xAA\xAB\xA9~\xA6\xED\xAA\xC5\xB6\xA1\xA4\xA3\xB0\xF7\xA1""A\xB5L\xAAk\xA6\xAC\xA4\xC6!!%Q";

ObjectRecord charm(std::uint16_t command) {
  return ObjectRecord().name("charm").kind(420).tag(tag_treasure_code, {op16(command)});
}

class Menu : public BattleTest {
 protected:
  Menu() {
    install_item_data(objdata_gll({
        ObjectRecord().name("hero"),
        ObjectRecord().name("slime").kind(110).level(3),
        ObjectRecord().name("sword"),
        ObjectRecord().name("herb").kind(201).list_flags(0x40).tag(tag_target_mode, {op8(0), op8(0), op8(1), op8(0)}),
        charm(24),
        charm(23),
        charm(19),
        ObjectRecord().name("palm").kind(300).list_flags(0x80),
        charm(16),
        ObjectRecord().name("wide").tag(tag_target_mode, {op8(1), op8(0), op8(0), op8(0)}),
        ObjectRecord()
            .name("mend")
            .kind(300)
            .list_flags(0x80)
            .tag(tag_action_flags, {op8(0x80), op8(1), op8(0)})
            .tag(tag_target_mode, {op8(0), op8(0), op8(1), op8(0)}),
    }));
    clean();
  }
  ~Menu() override {
    clean();
    install_item_data({});
  }
  void clean() {
    reset();
    free_item_list(&party_bag);
    for (RoleData& r : roles_) free_item_list(&r.arts);
    del_all_talkmsg();
    fight_menu_reset();
    fight_auto = 0;
    last_mechanism_tab = 0;
    monster_info_shown = see_through_result = 0;
    for (ItemData& e : escort_data) e = ItemData{};
    guardians_called[0] = guardians_called[1] = 0;
    fight_action = FightAction{};
    for (int i = 0; i < 4; ++i) fight_party_slot[i] = i;
    mouse_x = mouse_y = 0;
    pointer_keyboard_mode = 0;
    input_snapshot = PointerSnapshot{};
    release_keys();
  }

  // A party of members (each with the sword) against enemies of level 3; member 0's menu open.
  void battle(int members, int enemies) {
    for (int i = 0; i < members; ++i) member(i, 1).role->equip[0] = sword;
    for (int k = 0; k < enemies; ++k) enemy(k, 3);
    fight_ally_count = std::int16_t(members);
    fight_enemy_count = std::int16_t(enemies);
    fight_open_menu(0);
  }
  // Menu steps: c confirm, x cancel, u d l r the directions.
  static void run(const std::string& steps) {
    for (char s : steps) {
      switch (s) {
        case 'c': fight_cmd_confirm(); break;
        case 'x': fight_cmd_cancel(); break;
        case 'u': fight_cmd_up(); break;
        case 'd': fight_cmd_down(); break;
        case 'l': fight_cmd_left(); break;
        case 'r': fight_cmd_right(); break;
        default: break;
      }
    }
  }
  void equip(int slot, std::uint16_t treasure, std::uint16_t command, int level) {
    RoleData& r = *gmFightMan[0].role;
    r.equip[slot] = treasure;
    gmFightMan[0].treasure[slot - 4] = treasure;
    gmFightMan[0].treasure_command[slot - 4] = command;
    if (level > 0) {
      fame_add(treasure, 0, 0, fame_type_treasure);
      fame_find(treasure, fame_type_treasure)->level = std::uint16_t(level);
    }
  }
  static void give_status(FightMan& u, std::uint8_t low) {
    StatusEntry e;
    e.status_low = low;
    u.statuses.push_back(e);
  }
  static std::string last_message() {
    const TalkMsg* last = nullptr;
    for (const TalkMsg* b = talkmsg_head(); b; b = b->next) last = b;
    return last && last->text ? std::string(last->text) : std::string();
  }
  // One frame of the menu's input with these keys down (every other one up).
  void frame(std::initializer_list<KeyCode> down) { keys.frame(down, fight_cmd_input); }
  void release_keys() { keys.release(); }
  KeyDriver keys;
};

TEST_F(Menu, ConfirmAndCancelMoveBetweenTheMenusStates) {
  struct Case {
    const char* steps;
    int state;
    int open;
  } cases[] = {
      {"", menu_wheel, 1},      {"c", menu_target, 1},      {"cx", menu_wheel, 1},   {"x", menu_wheel, 1},
      {"lc", menu_subwheel, 1}, {"lcx", menu_wheel, 1},     {"lcc", menu_martial, 1}, {"lccx", menu_subwheel, 1},
      {"lcdc", menu_special, 1}, {"lcdcx", menu_subwheel, 1}, {"rc", menu_subwheel, 1}, {"rcc", menu_items, 1},
      {"rccx", menu_subwheel, 1}, {"rccc", menu_target, 1},  {"rcccx", menu_items, 1}, {"dc", menu_closed, 0},
      {"ccc", menu_closed, 0},
  };
  for (const Case& c : cases) {
    clean();
    battle(1, 2);
    add_item(&party_bag, herb, 2, 2);
    run(c.steps);
    EXPECT_EQ(fight_menu_state, c.state) << c.steps;
    EXPECT_EQ(fight_menu_open, c.open) << c.steps;
    const bool list = c.state == menu_items || c.state == menu_martial || c.state == menu_special;
    EXPECT_EQ((fight_flags & fight_list_keys) != 0, list) << c.steps;
  }
}

TEST_F(Menu, AnEmptyListAndAnEmptySlotTakeNoConfirm) {
  battle(1, 1);
  run("lcc");  // 武術 with no arts
  ASSERT_EQ(fight_menu_state, menu_martial);
  EXPECT_EQ(menu_list.item_count, 0);
  run("c");
  EXPECT_EQ(fight_menu_state, menu_martial);
  run("xxrcr");  // the right second wheel: slot 3 is empty without a treasure
  EXPECT_EQ(fight_menu_state, menu_subwheel);
  EXPECT_EQ(subwheel_slot, 0);
  EXPECT_EQ(menu_command, cmd_items);
}

TEST_F(Menu, DirectionsActByState) {
  battle(1, 3);
  struct Case {
    int state;
    void (*op)();
    int* value;
    int before, after;
  } cases[] = {
      {menu_defence, fight_cmd_up, &option_cursor, 0, 2},  {menu_defence, fight_cmd_down, &option_cursor, 2, 0},
      {menu_defence, fight_cmd_left, &option_cursor, 1, 1}, {menu_resist, fight_cmd_left, &resist_column, 0, 1},
      {menu_resist, fight_cmd_right, &resist_column, 1, 0}, {menu_resist, fight_cmd_down, &option_cursor, 0, 1},
      {menu_guardians, fight_cmd_up, &guardian_cursor, 0, 1}, {menu_guardians, fight_cmd_right, &guardian_cursor, 1, 1},
      {menu_items, fight_cmd_right, &list_tab, 2, 0},       {menu_items, fight_cmd_left, &list_tab, 0, 2},
      {menu_special, fight_cmd_right, &list_tab, 1, 1},     {menu_target, fight_cmd_right, &SelMan, 2, 0},
      {menu_target, fight_cmd_left, &SelMan, 0, 2},         {menu_target, fight_cmd_up, &target_on_allies, 0, 0},
  };
  for (const Case& c : cases) {
    fight_menu_state = c.state;
    option_rows = 3;
    guardian_count = 2;
    *c.value = c.before;
    c.op();
    EXPECT_EQ(*c.value, c.after) << "state " << c.state << " from " << c.before;
  }
  EXPECT_EQ(last_item_tab, 2) << "a tab change is remembered for the next list";
}

TEST_F(Menu, TheHighlightedSlotsKeyConfirmsItAndAnotherOnlyMovesTheHighlight) {
  battle(1, 1);
  frame({key_left});
  EXPECT_EQ(wheel_slot, 2);
  EXPECT_EQ(fight_menu_state, menu_wheel);
  frame({});
  frame({key_left});
  EXPECT_EQ(fight_menu_state, menu_subwheel);
}

TEST_F(Menu, EnterOnTheWheelThenOnTheTargetAttacksTheFirstStandingEnemy) {
  battle(1, 2);
  gmFightMan[6].SetDead(1);
  frame({key_enter});
  ASSERT_EQ(fight_menu_state, menu_target);
  EXPECT_EQ(fight_main_target, 7);
  frame({});
  frame({key_enter});
  EXPECT_EQ(fight_menu_state, menu_closed);
  EXPECT_EQ(fight_menu_open, 0);
  EXPECT_EQ(chosen_command, cmd_attack);
  ASSERT_EQ(fight_action.target_count, 1);
  EXPECT_EQ(fight_action.targets[0], &gmFightMan[7]);
  EXPECT_EQ(gmFightMan[0].GetTarget(), 7);
}

TEST_F(Menu, TheAutoKeyStartsAutoBattleAtTheTargetAndTurnsItOffAgain) {
  battle(1, 2);
  run("l");
  frame({'a'});
  EXPECT_EQ(fight_auto, 1);
  EXPECT_EQ(fight_menu_state, menu_target) << "the wheel's slot-0 attack, whatever slot was lit";
  EXPECT_EQ(menu_command, cmd_attack);
  release_keys();  // a quick second press would count as a double press
  frame({'a'});
  EXPECT_EQ(fight_auto, 0);
  EXPECT_EQ(fight_menu_state, menu_wheel);
  release_keys();
  frame({'a'});
  frame({});
  frame({key_enter});
  EXPECT_EQ(auto_target, fight_main_target) << "the confirmed target is remembered for the next turns";
  EXPECT_EQ(fight_menu_open, 0);
  release_keys();
  frame({key_escape});
  EXPECT_EQ(fight_auto, 0) << "Escape between turns turns it off";
}

TEST_F(Menu, TheEscapeKeyWorksOnTheWheelsOnlyAndNotWhenForbidden) {
  battle(2, 1);
  escape_forbidden = 1;
  frame({'r'});
  EXPECT_EQ(last_message(), cannot_escape);
  EXPECT_EQ(fight_menu_state, menu_wheel);
  escape_forbidden = 0;
  run("lcc");
  frame({});
  frame({'r'});
  EXPECT_EQ(fight_menu_state, menu_martial) << "in a list the key does nothing";
  run("xx");
  frame({});
  frame({'r'});
  EXPECT_EQ(fight_menu_state, menu_closed);
  EXPECT_EQ(menu_command, cmd_escape);
  for (int k = 0; k < 2; ++k) EXPECT_EQ(gmFightMan[k].GetState(), cmd_escape) << k;
}

TEST_F(Menu, SealedCommandsAreRefusedAndTheMenuStays) {
  struct Case {
    std::uint8_t status;
    const char* steps;
    int state;
  } cases[] = {{0x20, "lcc", menu_subwheel}, {0x8, "lcdc", menu_subwheel}, {0x8, "lcc", menu_martial},
               {0x20, "lcdc", menu_special}};
  for (const Case& c : cases) {
    clean();
    battle(1, 1);
    give_status(gmFightMan[0], c.status);
    run(c.steps);
    EXPECT_EQ(fight_menu_state, c.state) << c.steps << " " << int(c.status);
    EXPECT_EQ(last_message(), c.state == menu_subwheel ? not_now : "") << c.steps;
  }
}

TEST_F(Menu, TheFleeTreasureAlwaysSucceedsAndCostsMoneyByItsLevel) {
  struct Case {
    int level;
    int money;
  } cases[] = {{1, 0}, {10, -45}};
  for (const Case& c : cases) {
    clean();
    free_fame();
    battle(2, 1);
    equip(4, flee_charm, cmd_treasure_flee, c.level);
    gmFightMan[0].role->rage = 100;
    run("rcl");
    ASSERT_EQ(menu_command, cmd_treasure_flee);
    run("c");
    EXPECT_EQ(battle_money, c.money) << c.level;
    EXPECT_EQ(flee_granted, 1);
    EXPECT_EQ(fight_menu_open, 0);
    EXPECT_EQ(gmFightMan[1].GetState(), cmd_escape);
    EXPECT_EQ(gmFightMan[0].role->rage, 95) << "the command's rage cost is 5";
  }
  clean();
  battle(1, 1);
  equip(4, flee_charm, cmd_treasure_flee, 3);
  gmFightMan[0].role->rage = 100;
  escape_forbidden = 1;
  run("rclc");
  EXPECT_EQ(last_message(), cannot_escape);
  EXPECT_EQ(fight_menu_state, menu_subwheel);
  EXPECT_EQ(gmFightMan[0].role->rage, 100);
}

TEST_F(Menu, ATreasureCommandWithoutRageIsRefused) {
  battle(1, 1);
  equip(5, gather_charm, cmd_gather, 1);
  gmFightMan[0].role->rage = 29;
  run("rcrc");
  EXPECT_EQ(last_message(), cost_short);
  EXPECT_EQ(fight_menu_state, menu_subwheel);
  gmFightMan[0].role->rage = 30;
  run("c");
  EXPECT_EQ(fight_menu_state, menu_closed) << "聚勁 is carried out by the unit's state";
  EXPECT_EQ(gmFightMan[0].GetState(), cmd_gather);
  EXPECT_NE(gmFightMan[0].TestCondition(cond_charged), 0u);
  EXPECT_EQ(gmFightMan[0].role->rage, 0);
}

TEST_F(Menu, TheDefenceOptionsOfferOneRowPerTwoTreasureLevels) {
  for (int level = 1; level <= 10; ++level) {
    clean();
    free_fame();
    battle(1, 1);
    equip(4, liuhe_charm, cmd_liuhe, level);
    run("rclc");
    ASSERT_EQ(fight_menu_state, menu_defence) << level;
    EXPECT_EQ(option_rows, (level + 1) / 2) << level;
    EXPECT_EQ(option_cursor, 0);
  }
  clean();
  free_fame();
  battle(1, 1);
  equip(4, liuhe_charm, cmd_liuhe, 0);
  option_rows = 4;
  run("rclc");
  EXPECT_EQ(option_rows, 4) << "without a fame record the rows stay as they were";
}

TEST_F(Menu, ADefenceOptionGuardsTheChosenAlly) {
  battle(2, 1);
  equip(4, liuhe_charm, cmd_liuhe, 3);
  gmFightMan[0].role->rage = 100;
  run("rclc");
  option_cursor = 1;  // every ally
  chosen_action.rage_cost = 50;
  run("c");
  ASSERT_EQ(fight_menu_state, menu_target);
  EXPECT_EQ(target_on_allies, 1);
  EXPECT_EQ(target_all, 1);
  run("c");
  EXPECT_EQ(fight_menu_state, menu_closed);
  for (int k = 0; k < 2; ++k) EXPECT_NE(gmFightMan[k].TestCondition(cond_liuhe), 0u) << k;
  EXPECT_EQ(gmFightMan[0].role->rage, 50);
}

TEST_F(Menu, TheDoubleCommandNeedsRageByLevelAndRunsBothActionsInOrder) {
  battle(1, 2);
  equip(5, double_charm, cmd_double, 4);
  add_item(&gmFightMan[0].role->arts, martial_art, 1, 2);
  gmFightMan[0].role->rage = 24;
  run("rcr");
  ASSERT_EQ(menu_command, cmd_double);
  run("c");
  EXPECT_EQ(last_message(), cost_short) << "100 / level 4 = 25 rage";
  EXPECT_EQ(fight_menu_state, menu_subwheel);
  gmFightMan[0].role->rage = 30;
  run("c");
  ASSERT_EQ(fight_menu_state, menu_martial) << "the left second wheel's first command: 武術";
  EXPECT_EQ(double_unit, 0);
  run("cc");  // the first action on the first enemy
  EXPECT_EQ(double_stage, 1);
  EXPECT_EQ(fight_menu_state, menu_martial) << "the list again for the second action";
  EXPECT_EQ(gmFightMan[0].role->rage, 30) << "the rage is taken with the second choice";
  run("cr");
  EXPECT_EQ(fight_main_target, 7);
  run("c");  // the second action on the second enemy
  EXPECT_EQ(fight_menu_state, menu_closed);
  EXPECT_EQ(gmFightMan[0].role->rage, 5);
  EXPECT_EQ(fight_main_target, 6) << "the first action runs first";
  EXPECT_EQ(double_second.main_target, 7);
  ActMan = -1;
  run_second_action();
  EXPECT_EQ(ActMan, 0);
  EXPECT_EQ(fight_main_target, 7);
  EXPECT_EQ(double_unit, -1);
  EXPECT_EQ(double_stage, 0);
}

TEST_F(Menu, TheDoubleCommandWithoutAFameRecordCountsLevelOne) {
  battle(1, 1);
  equip(5, double_charm, cmd_double, 0);
  gmFightMan[0].treasure_level = 0;  // what a unit holds when no record gave it a level
  gmFightMan[0].role->rage = 99;
  run("rcrc");
  EXPECT_EQ(last_message(), cost_short) << "100 rage at level 1";
  gmFightMan[0].role->rage = 100;
  run("c");
  EXPECT_EQ(fight_menu_state, menu_martial);
}

TEST_F(Menu, LeavingTheDoubleCommandsListDropsIt) {
  battle(1, 1);
  equip(5, double_charm, cmd_double, 1);
  gmFightMan[0].role->rage = 100;
  run("rcrc");
  ASSERT_EQ(double_unit, 0);
  run("x");
  EXPECT_EQ(fight_menu_state, menu_subwheel);
  EXPECT_EQ(double_unit, -1);
  EXPECT_EQ(menu_command, cmd_double);
}

TEST_F(Menu, ASecondActionWhoseEnemiesAreOutIsDropped) {
  battle(1, 2);
  double_unit = 0;
  double_stage = 1;
  double_second.target_count = 1;
  double_second.targets[0] = &gmFightMan[7];
  double_second.chosen_command = cmd_martial;
  gmFightMan[7].SetDead(1);
  ActMan = -1;
  run_second_action();
  EXPECT_EQ(ActMan, -1);
  EXPECT_EQ(double_unit, -1);
  EXPECT_EQ(double_stage, 0);
}

TEST_F(Menu, TheEnemySideCursorSkipsTheFallenAndStopsAfterOnePass) {
  battle(1, 4);
  gmFightMan[7].SetDead(1);
  gmFightMan[8].SetDead(1);
  run("c");
  EXPECT_EQ(fight_main_target, 6);
  run("r");
  EXPECT_EQ(fight_main_target, 9);
  run("r");
  EXPECT_EQ(fight_main_target, 6);
  run("l");
  EXPECT_EQ(fight_main_target, 9);
  for (int k = 6; k < 10; ++k) gmFightMan[k].SetDead(1);
  run("r");
  EXPECT_EQ(fight_main_target, 9) << "nobody left: the cursor stays";
  run("x");
  run("c");
  EXPECT_EQ(fight_menu_state, menu_wheel) << "no target selection without a living enemy";
}

TEST_F(Menu, ThePartySideCursorSkipsTheActorAPetThatFellAndCalledMonstersForTalismanActions) {
  battle(4, 1);
  gmFightMan[1].SetDead(1);        // a fallen member stays selectable (revival)
  gmFightMan[2].SetPetFallen(1);   // never
  gmFightMan[3].SetGuest(1);       // a called monster
  struct Case {
    std::uint8_t side, flags;
    std::vector<int> right;  // main targets after each right step from the actor
  } cases[] = {
      {0, 0, {1, 3, 0, 1}},
      {1, 0, {1, 3, 1}},
      {1, 0x80, {1, 1}},
  };
  for (const Case& c : cases) {
    fight_menu_state = menu_target;
    target_on_allies = 1;
    target_all = 0;
    SelMan = fight_main_target = 0;
    chosen_action = ItemData{};
    chosen_action.target_side = c.side;
    chosen_action.action_flags = c.flags;
    for (int expected : c.right) {
      run("r");
      EXPECT_EQ(fight_main_target, expected) << int(c.side) << " " << int(c.flags);
    }
  }
}

TEST_F(Menu, UpAndDownSwitchSidesOnlyForActionsThatAllowIt) {
  battle(2, 2);
  add_item(&gmFightMan[0].role->arts, ally_art, 1, 2);
  run("lcc");
  ASSERT_EQ(menu_list.item_count, 1);
  chosen_action = find_item(&gmFightMan[0].role->arts, ally_art)->item;
  run("c");
  ASSERT_EQ(fight_menu_state, menu_target);
  EXPECT_EQ(target_on_allies, 1);
  EXPECT_EQ(fight_main_target, 0) << "an art that starts on the own side starts on the actor";
  run("d");
  EXPECT_EQ(target_on_allies, 0);
  EXPECT_EQ(fight_main_target, 6);
  run("u");
  EXPECT_EQ(target_on_allies, 1);
  EXPECT_EQ(fight_main_target, 1) << "the first unit of the side that is not the actor";
  chosen_action.target_mode = 2;
  run("r");
  EXPECT_EQ(fight_main_target, 1) << "a fixed cursor does not move sideways";
  run("d");
  EXPECT_EQ(target_on_allies, 0) << "but still switches sides";
}

TEST_F(Menu, AWeaponForEveryEnemyTakesEveryStandingEnemyAndTheDragonClawOne) {
  battle(1, 3);
  gmFightMan[0].role->equip[0] = wide_sword;
  gmFightMan[7].SetDead(1);
  run("c");
  EXPECT_EQ(target_all, 1);
  ASSERT_EQ(fight_action.target_count, 2);
  EXPECT_EQ(fight_action.targets[0], &gmFightMan[6]);
  EXPECT_EQ(fight_action.targets[1], &gmFightMan[8]);
  run("x");
  menu_command = cmd_dragon_claw;
  target_from_wheel();
  EXPECT_EQ(target_all, 0);
}

int hits_everywhere(int unit, int, int, float* depth) {
  static const float depths[16] = {0.5f, 0.4f, 0.4f, 0, 0, 0, 0.3f, 0.3f, 1.5f, 0.2f};
  *depth = depths[unit];
  return unit != 3;
}

TEST_F(Menu, PickingTakesTheNearestUnitALaterSlotWinningATieAndNothingBeyondDepthOne) {
  battle(3, 4);
  struct Case {
    int on_allies, switching;
    std::vector<int> dead;
    int picked;
  } cases[] = {
      {1, 0, {}, 2},      // 0.4 twice: the higher slot
      {0, 0, {}, 9},      // 0.2; slot 8 lies beyond 1.0
      {0, 0, {9}, 7},     // a fallen enemy is never picked
      {1, 0, {2}, 2},     // fallen party members are, on their own side
      {1, 1, {2, 9}, 7},  // switching sides: every side, no fallen unit
  };
  for (const Case& c : cases) {
    for (int k : {0, 1, 2, 6, 7, 8, 9}) gmFightMan[k].SetDead(0);
    for (int k : c.dead) gmFightMan[k].SetDead(1);
    target_on_allies = c.on_allies;
    target_switch = c.switching;
    EXPECT_EQ(pick_target_at(100, 100, hits_everywhere), c.picked) << c.on_allies << c.switching;
  }
}

TEST_F(Menu, TalismanRequirementsAreCheckedInOrder) {
  constexpr char none[] = "\xA8S\xA6\xB3\xB2\xBD\xB2\xC5\xB5L\xAAk\xACI\xAEi!!%Q";
  constexpr char wrong[] = "\xB2\xBD\xB2\xC5\xC4\xDD\xA9\xCA\xA4\xA3\xB9\xEF\xB5L\xAAk\xACI\xAEi!!%Q";
  constexpr char few[] = "\xB2\xBD\xB2\xC5\xB5\xA5\xAF\xC5\xA4\xA3\xB0\xF7\xB5L\xAAk\xACI\xAEi!!%Q";
  constexpr char full[] = "\xB2\xBD\xB2\xC5\xB5\xA5\xAF\xC5\xA4w\xA8\xEC\xA4W\xAD\xAD\xA4""F!!%Q";
  struct Case {
    std::uint8_t flags, element, count;  // the action
    std::uint8_t gauge_element, gauge_count;
    int ok;
    const char* message;
  } cases[] = {
      {0x80, 1, 2, 0, 0, 0, none},  {0x80, 1, 2, 2, 3, 0, wrong}, {0x80, 1, 2, 1, 1, 0, few},
      {0x80, 1, 2, 1, 2, 1, ""},    {0x00, 1, 2, 0, 0, 1, ""},    {0x01, 1, 1, 1, 3, 0, full},
      {0x01, 1, 1, 2, 3, 1, ""},    {0x01, 1, 1, 1, 2, 1, ""},
  };
  for (const Case& c : cases) {
    del_all_talkmsg();
    chosen_action = ItemData{};
    chosen_action.action_flags = c.flags;
    chosen_action.talisman_element = c.element;
    chosen_action.talisman_count = c.count;
    talisman_element = c.gauge_element;
    talisman_count = c.gauge_count;
    EXPECT_EQ(check_talisman(), c.ok) << int(c.flags) << " " << int(c.gauge_element) << int(c.gauge_count);
    EXPECT_EQ(last_message(), c.message);
  }
}

TEST_F(Menu, ARageStrikeIsRolledForTheFirstAttackCommandOnly) {
  battle(2, 1);
  struct Case {
    int actor;
    int solo;
    int counted;
  } cases[] = {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}};  // member 1's wheel attacks with command 13
  for (const Case& c : cases) {
    fight_menu_end();
    fight_open_menu(c.actor);
    fight_party_slot[c.actor] = c.actor;
    menu_command = wheel_command(0);
    gmFightMan[c.actor].SetSoloHero(c.solo);
    role_strike_counter(*gmFightMan[c.actor].role) = 3;
    run("cc");
    EXPECT_EQ(role_strike_counter(*gmFightMan[c.actor].role), 3 + c.counted) << c.actor << c.solo;
    gmFightMan[c.actor].SetSoloHero(0);
  }
}

TEST_F(Menu, CaptureIsRefusedWithoutRoomForTheMonster) {
  free_all_houses();  // no dwelling, so no room
  battle(1, 1);
  menu_command = cmd_capture;
  target_from_wheel();
  ASSERT_EQ(fight_menu_state, menu_target);
  run("c");
  EXPECT_EQ(last_message(), no_room);
  EXPECT_EQ(fight_menu_state, menu_target);
}

TEST_F(Menu, AnItemIsTakenFromTheBagWhenItsTargetIsConfirmed) {
  battle(1, 1);
  add_item(&party_bag, herb, 2, 2);
  run("rcc");
  chosen_action = find_item(&party_bag, herb)->item;
  chosen_item = herb;
  run("cc");
  EXPECT_EQ(get_item_num(&party_bag, herb), 1);
  EXPECT_EQ(chosen_item, 0);
  EXPECT_EQ(fight_main_target, 0) << "the herb starts on the user";
}

TEST_F(Menu, GuardiansAreCalledOnceAndRefusedWhenAbsent) {
  battle(1, 1);
  escort_data[1] = ItemData{};
  escort_data[1].object_id = slime;
  escort_data[1].kind = 110;
  fight_menu_state = menu_guardians;
  guardian_count = 2;
  run("c");
  EXPECT_EQ(fight_menu_state, menu_guardians) << "slot 0 holds no guardian";
  run("d");
  run("c");
  EXPECT_EQ(fight_menu_state, menu_closed);
  EXPECT_EQ(guardians_called[1], slime);
  EXPECT_EQ(escort_data[1].object_id, 0);
  EXPECT_EQ(gmFightMan[0].GetState(), cmd_guardians);
}

TEST_F(Menu, ThePointerHighlightsWhatItRestsOnAndAClickConfirms) {
  battle(1, 1);
  add_item(&party_bag, herb, 1, 2);
  for (int f = 0; f < 60; ++f)
    for (Tween& t : wheel_tweens) t.update();  // the slots at rest
  mouse_x = 130, mouse_y = 150;  // slot 2's box
  frame({});
  EXPECT_EQ(wheel_slot, 2);
  EXPECT_EQ(menu_command, cmd_skills);
  frame({key_mouse1});
  EXPECT_EQ(fight_menu_state, menu_subwheel);
  // A key puts the pointer aside until the mouse moves.
  keys.release();
  frame({key_right});  // slot 3 of the left second wheel is empty: nothing
  EXPECT_EQ(subwheel_slot, 0);
  mouse_x = 250;  // slot 3's box, also empty
  frame({});
  EXPECT_EQ(subwheel_slot, 0);
  frame({key_mouse1});
  EXPECT_EQ(fight_menu_state, menu_martial) << "a click on an empty slot confirms the lit command";
  run("xxrcc");
  ASSERT_EQ(fight_menu_state, menu_items);
  ASSERT_EQ(menu_list.item_count, 1);
  mouse_x = 200, mouse_y = 125;  // the second row: past the list's one entry
  frame({});
  EXPECT_EQ(menu_list.cursor_row, 0);
  fight_menu_state = menu_resist;
  option_rows = 2;
  mouse_x = 190, mouse_y = 70;  // the fire column
  frame({});
  EXPECT_EQ(resist_column, 1);
}

TEST_F(Menu, TheMonsterPanelsKeysCloseIt) {
  battle(1, 1);
  monster_info_shown = 1;
  frame({});
  EXPECT_EQ(monster_info_shown, 1);
  frame({key_escape});
  EXPECT_EQ(monster_info_shown, 0);
}

}  // namespace

namespace {
// The name table holds commands 1-28; a treasure may grant 29-49, whose slots draw no name
// rather than a name read past the table.
TEST(MenuNames, CommandsBeyondTheNameTableHaveNone) {
  EXPECT_EQ(fight_cmd_name(0), nullptr);
  EXPECT_STREQ(fight_cmd_name(1), "\xA7\xF0\xC0\xBB");
  EXPECT_STREQ(fight_cmd_name(28), "\xAD\xD7\xB4_");
  EXPECT_EQ(fight_cmd_name(29), nullptr);
  EXPECT_EQ(fight_cmd_name(49), nullptr);
  EXPECT_EQ(command_rule(29).action, CmdAction::target) << "a nameless treasure command still takes a target";
}
}  // namespace
