// The results' rules: experience and the treasures' share, counting, level-ups, money and the
// spoils list.
#include "base/resources.h"
#include "battle/fame.h"
#include "battle/fight_menu.h"
#include "battle/fight_result.h"
#include "battle/fight_result_screen.h"
#include "core/flags.h"
#include "core/game_flags.h"
#include "data/magic_study.h"
#include "data/item_list.h"
#include "data/party.h"
#include "tests/battle/battle_test.h"
#include "tests/fixtures/fame_kit.h"
#include "tests/fixtures/objdata_writer.h"
#include "tests/fixtures/temp_folder.h"
#include "ui/talk_msg.h"
#include "core/log.h"
#include "core/paths.h"

namespace {
using namespace battle_test;
using namespace fixtures;

// Objects 1 and 2: treasures that grow; 3-14: plain items with names.
enum : std::uint16_t { ring = 1, mirror = 2, first_item = 3 };

class Results : public BattleTest {
 protected:
  Results() {
    game_dir = dir.str();
    set_error_log_switch(1);
    reset_debug_log(nullptr);
    std::vector<ObjectRecord> objects = {kit::treasure_object(55), kit::treasure_object(56)};
    for (int i = 0; i < 12; ++i) objects.push_back(ObjectRecord().kind(201).name("item" + std::to_string(i)));
    install_item_data(objdata_gll(objects));
    result_reset();
    clear_spoils();
    party_money = party_metal = party_wood = party_coal = 0;
  }
  ~Results() override {
    for (int k = 0; k < party_member_count; ++k) gmRoleData[k] = RoleData{}, fight_party_slot[k] = 0;
    result_screen_reset();
    fight_menu_state = 0;
    del_all_talkmsg();
    free_magic_study();
    current_study = MagicStudy{};
    clear_flag(flag_member_1);
    free_item_list(&party_bag);
    install_item_data({});
    party_money = party_metal = party_wood = party_coal = 0;
  }
  // A standing party member in unit k with its record in gmRoleData[k].
  static RoleData& hero(int k, int level = 10) {
    FightMan& u = gmFightMan[k];
    u.side = side_party;
    RoleData& r = gmRoleData[k];
    r = RoleData{};
    r.stats[stat_level] = std::uint16_t(level);
    r.next_exp = 1000000;
    u.role = &r;
    fight_party_slot[k] = k;
    return r;
  }
  static void make_maxed(std::uint16_t id) {
    fame_add(id, 0, 0, fame_type_treasure);
    fame_find(id, fame_type_treasure)->maxed = 1;
  }
  TempFolder dir{true};
};

TEST_F(Results, ThousandExperienceIsCountedInTwentyThreeFrames) {
  RoleData& r = hero(0);
  battle_exp = 1000;
  result_divide_exp();
  const int expected[] = {250, 187, 140, 105, 79, 59, 45, 33, 25, 19, 14, 11, 8, 6, 4, 3, 3, 2, 1, 1, 1, 1, 3};
  int frames = 0, before = r.exp;
  for (int step : expected) {
    SCOPED_TRACE(frames);
    const int left = result_count_exp();
    EXPECT_EQ(r.exp - before, step);
    before = r.exp;
    EXPECT_EQ(left, ++frames < 23 ? 1 : 0);
  }
  EXPECT_EQ(battle_exp, 0);
  EXPECT_EQ(r.exp, 1000);
}

TEST_F(Results, WornTreasuresTakeATenthUnlessAtTheirTop) {
  struct Case {
    const char* what;
    std::uint16_t slot4, slot5;
    bool ring_maxed, mirror_maxed;
    int exp_left, share, ring_exp, mirror_exp;
  } cases[] = {
      {"no treasure", 0, 0, false, false, 1000, 0, -1, -1},
      {"one growing", ring, 0, false, false, 900, 100, 100, -1},
      {"one in slot 5", 0, mirror, false, false, 900, 100, -1, 100},
      {"one at its top", ring, 0, true, false, 1000, 0, 0, -1},
      {"two growing: half each", ring, mirror, false, false, 900, 50, 50, 50},
      {"two, one at its top", ring, mirror, true, false, 900, 100, 0, 100},
      {"two at their top", ring, mirror, true, true, 1000, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    free_fame();
    result_reset();
    RoleData& r = hero(0);
    r.equip[4] = c.slot4, r.equip[5] = c.slot5;
    if (c.ring_maxed) make_maxed(ring);
    if (c.mirror_maxed) make_maxed(mirror);
    battle_exp = 1000;
    result_divide_exp();
    EXPECT_EQ(result_exp_left[0], c.exp_left);
    EXPECT_EQ(result_treasure_share[0], c.share);
    const FameNode* rn = fame_find(ring, fame_type_treasure);
    const FameNode* mn = fame_find(mirror, fame_type_treasure);
    EXPECT_EQ(rn ? int(rn->exp) : -1, c.ring_exp);
    EXPECT_EQ(mn ? int(mn->exp) : -1, c.mirror_exp);
  }
}

TEST_F(Results, OnlyStandingMembersShareAndTheCapLosesIt) {
  RoleData& top = hero(0, result_level_cap);
  RoleData& fallen = hero(1);
  gmFightMan[1].dead = 1;
  hero(2).exp = 0;
  gmFightMan[2].guest = 1;
  battle_exp = 40;
  result_divide_exp();
  EXPECT_EQ(result_exp_left[0], 40);
  EXPECT_EQ(result_exp_left[1], 0);
  EXPECT_EQ(result_exp_left[2], 0);
  while (result_count_exp()) {
  }
  EXPECT_EQ(top.exp, 0) << "a member at the cap loses what is counted for it";
  EXPECT_EQ(fallen.exp, 0);
  EXPECT_EQ(result_next_level_up(), -1);
}

TEST_F(Results, TwoLevelsAreTwoLevelUpsOneAtATime) {
  RoleData& r = hero(1, 5);
  hero(0, 5).exp = 0;
  r.exp = 500, r.next_exp = 100;
  EXPECT_EQ(result_next_level_up(), 1);
  EXPECT_EQ(r.stats[stat_level], 6);
  EXPECT_EQ(result_levelup_backup.stats[stat_level], 5);
  EXPECT_EQ(result_next_level_up(), 1);
  EXPECT_EQ(r.stats[stat_level], 7);
  r.exp = 50;
  EXPECT_EQ(result_next_level_up(), -1);
  r.stats[stat_level] = result_level_cap, r.exp = 500;
  EXPECT_EQ(result_next_level_up(), -1) << "no level past the cap";
}

TEST_F(Results, MoneyIsCountedInQuartersEitherWayAndNeverBelowZero) {
  battle_money = 1000, battle_wood = 7;
  int frames = 0;
  while (result_count_money()) ++frames;
  EXPECT_EQ(party_money, 1000);
  EXPECT_EQ(party_wood, 7);
  EXPECT_EQ(battle_wood, 0);
  EXPECT_EQ(frames, 22);
  // A flight's cost: -45 against 30 in hand.
  party_money = 30;
  battle_money = -45;
  const int steps[] = {-11, -8, -6, -5, -3, -3, -2, -1, -1, -1, -1, -3};
  int expected_battle = -45;
  for (int s : steps) {
    result_count_money();
    expected_battle -= s;
    EXPECT_EQ(battle_money, expected_battle);
  }
  EXPECT_EQ(battle_money, 0);
  EXPECT_EQ(party_money, 0);
}

TEST_F(Results, SpoilsMergeByObjectAndTheBagGetsWhatTheListCannotHold) {
  add_spoil(first_item, 2);
  add_spoil(first_item, 3);
  ASSERT_EQ(fight_spoil_count, 1);
  EXPECT_EQ(fight_spoils[0].count, 5);
  EXPECT_STREQ(fight_spoils[0].name, "item0");
  for (std::uint16_t i = 1; i < 12; ++i) add_spoil(std::uint16_t(first_item + i), 1);
  EXPECT_EQ(fight_spoil_count, spoils_max);
  EXPECT_EQ(get_item_num(&party_bag, first_item + 11), 1) << "past the list, still in the bag";
  EXPECT_EQ(get_item_num(&party_bag, first_item), 5);
}

TEST_F(Results, DropsAreRolledUnlessTheBattleForbidsThem) {
  fight_enemy_count = 1;
  FightMan& m = enemy(0, 1);
  m.monster.drop_item = first_item;
  m.monster.drop_chance = 100;
  for (int forbid = 0; forbid < 3; ++forbid) {
    SCOPED_TRACE(forbid);
    clear_spoils();
    fight_flags = forbid == 1 ? fight_victory_pose_22 : 0;
    flee_granted = forbid == 2;
    roll_monster_drops();
    EXPECT_EQ(fight_spoil_count, forbid == 0 ? 1 : 0);
  }
}

TEST_F(Results, TheFirstConfirmTellsOfRisenTreasuresAndTheSpellUnderStudy) {
  struct Case {
    const char* what;
    bool member_1_with_party, member_1_fallen, already_learned;
    int progress;  // before: the goal is 100, the battle's tenth 10
    int boxes, progress_after, learned_after;
  } cases[] = {
      {"the spell reaches its goal", true, false, false, 95, 2, 100, 1},
      {"progress short of the goal", true, false, false, 50, 1, 60, 0},
      {"the second character away", false, false, false, 95, 1, 95, 0},
      {"the second character fallen", true, true, false, 95, 1, 95, 0},
      {"already learned", true, false, true, 95, 1, 95, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    free_fame();
    result_screen_reset();
    del_all_talkmsg();
    free_magic_study();
    RoleData& r = hero(0);
    r.equip[4] = ring;
    fame_add(ring, 0, 0, fame_type_treasure);
    fame_find(ring, fame_type_treasure)->level_rose = 1;
    c.member_1_with_party ? set_flag(flag_member_1) : clear_flag(flag_member_1);
    gmRoleData[1].flags = c.member_1_fallen ? 1 : 0;
    current_study = MagicStudy{};
    current_study.spell_id = first_item;
    current_study.goal = 100;
    current_study.progress = std::uint16_t(c.progress);
    current_study.learned = c.already_learned;
    battle_exp = 100;
    fight_menu_state = result_experience;
    fight_cmd_confirm();
    EXPECT_EQ(result_counting, 1);
    EXPECT_EQ(fame_find(ring, fame_type_treasure)->level_rose, 0) << "told once";
    EXPECT_EQ(talkmsg_count(), c.boxes);
    EXPECT_EQ(current_study.progress, c.progress_after);
    EXPECT_EQ(int(current_study.learned), c.learned_after);
    EXPECT_EQ(has_magic_study(first_item) != 0, c.boxes == 2) << "a learned spell is recorded";
    EXPECT_EQ(fight_menu_state, result_experience) << "the experience is still to count";
  }
}

TEST_F(Results, ABattleWithoutExperiencePassesToTheLevelUpsOnTheFirstConfirm) {
  hero(0);
  fight_enemy_count = 1;
  FightMan& m = enemy(0, 1);
  m.monster.drop_item = first_item;
  m.monster.drop_chance = 100;
  battle_exp = 0;
  fight_menu_state = result_experience;
  fight_cmd_confirm();
  EXPECT_EQ(fight_menu_state, result_levelups);
  EXPECT_EQ(result_counting, 0);
  EXPECT_EQ(result_levelup_slot, -1);
  EXPECT_EQ(fight_spoil_count, 1) << "the drops are rolled on leaving the experience";
  fight_result_update();
  EXPECT_EQ(fight_menu_state, result_spoils) << "no level-up: the spoils";
}

TEST_F(Results, ALevelUpScreenTakesTheConfirmOnlyOnceItsPanelHasArrived) {
  RoleData& r = hero(0, 5);
  r.exp = 500, r.next_exp = 100;
  fight_menu_state = result_levelups;
  fight_result_update();
  ASSERT_EQ(result_levelup_slot, 0);
  EXPECT_EQ(r.stats[stat_level], 6);
  fight_cmd_confirm();
  EXPECT_EQ(result_levelup_slot, 0) << "the panel is still sliding in";
  for (int f = 0; f < 200 && !result_levelup_tweens[0].is_done(); ++f) fight_result_update();
  ASSERT_TRUE(result_levelup_tweens[0].is_done());
  fight_cmd_confirm();
  EXPECT_EQ(result_levelup_slot, -1);
  fight_result_update();
  EXPECT_EQ(r.stats[stat_level], 7) << "the next level's screen";
}

TEST_F(Results, TheSpoilsCountTheMoneyAfterTheFirstConfirmAndThenFadeOut) {
  battle_money = 100;
  fight_menu_state = result_spoils;
  fight_result_update();
  EXPECT_EQ(party_money, 0) << "nothing counted before the key";
  fight_cmd_confirm();
  EXPECT_EQ(fight_menu_state, result_spoils);
  for (int f = 0; f < 100 && battle_money != 0; ++f) fight_result_update();
  EXPECT_EQ(party_money, 100);
  fight_cmd_confirm();
  EXPECT_EQ(fight_menu_state, result_leaving);
  EXPECT_EQ(result_counting, 0);
}

}  // namespace
