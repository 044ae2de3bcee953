// The battle controller: refusals, placement, a battle won from the menu's attack and the way
// back to the field, an allowed defeat, and the party magic lent for one battle.
#include "battle/atk_script.h"
#include "battle/fight.h"
#include "battle/fight_menu.h"
#include "battle/fight_result.h"
#include "battle/fight_result_screen.h"
#include "battle/fight_target.h"
#include "core/flags.h"
#include "core/game_flags.h"
#include "core/game_mode.h"
#include "core/log.h"
#include "core/paths.h"
#include "data/item_list.h"
#include "data/level_tables.h"
#include "data/map_role.h"
#include "data/party.h"
#include "g3d/view_zoom.h"
#include "script/talk_queue.h"
#include "sound/music_director.h"
#include "ui/screen_fade.h"
#include "ui/title/title_screen.h"
#include "tests/battle/battle_test.h"
#include "tests/fixtures/battlefield_writer.h"
#include "tests/fixtures/level_writer.h"
#include "tests/fixtures/objdata_writer.h"
#include "tests/fixtures/script_assembler.h"
#include "tests/fixtures/temp_folder.h"

namespace {
using namespace battle_test;
using namespace fixtures;

constexpr std::uint16_t hero = 1, slime = 2, sword = 3, herb = 4;

class Controller : public BattleTest {
 protected:
  Controller() {
    game_dir = dir.str();
    set_error_log_switch(1);
    reset_debug_log(nullptr);
    init_fight_field((dir.str() + "\\ACT").c_str());
    install_item_data(objdata_gll({
        ObjectRecord().name("hero"),
        ObjectRecord().name("slime").kind(110).level(1).growth({10, 10, 10, 10, 10, 10, 10, 10}),
        ObjectRecord().name("sword").tag(tag_atk_script, {op16(1)}),
        ObjectRecord().name("herb").kind(201),
    }));
    install_atk_data(atk_gll_image({{1, assemble_atk("hit; end")}}));
    for (int i = 0; i < 4; ++i) gmRoleData[i] = RoleData{};
    for (int flag : {flag_member_0, flag_member_1, flag_member_2, flag_pet, flag_battle, flag_battle_sequence})
      clear_flag(flag);
    GameMode = mode_field;
    write_field(1);
  }
  ~Controller() override {
    if (test_flag(flag_battle)) fight_end();
    free_fight_atk_data();
    install_item_data({});
    for (int i = 0; i < 4; ++i) free_item_list(&gmRoleData[i].arts), gmRoleData[i] = RoleData{};
    for (ItemNode& n : party_magic) n = ItemNode{};
    close_exp_data();
    party_money = 0;
    fight_auto = 0;
    for (int flag : {flag_member_0, flag_member_1, flag_member_2, flag_pet}) clear_flag(flag);
    GameMode = mode_field;
  }
  void write_field(int enemies) {
    kit::BattlefieldSpec spec;
    spec.world_act = 7;
    for (int i = 0; i < enemies; ++i) spec.enemies.push_back({slime, float(100 * i), 0, 300, 0, 0});
    const auto bytes = kit::battlefield_dat({spec}, 2);
    dir.write("ACT/Battlefield.dat", std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  }
  static void join(int i, int attack, int speed = 500) {
    RoleData& r = gmRoleData[i];
    r.object_id = hero;
    r.hp = r.max_hp = 100;
    r.stats[stat_level] = 1;
    r.stats[stat_attack] = std::uint16_t(attack);
    r.stats[stat_speed] = std::uint16_t(speed);
    r.equip[0] = sword;
    set_flag(party_member_flags[i]);
  }
  // Runs battle frames until the condition holds (at most n frames); attacks when the menu opens
  // and, when press_results, confirms every results screen.
  template <class Done>
  bool run_until(Done done, int n = 2000, bool press_results = true) {
    for (int f = 0; f < n && !done(); ++f) {
      if (fight_menu_state == 1) fight_cmd_confirm();  // the wheel's 攻擊, then its target
      if (fight_menu_state == 3) fight_cmd_confirm();
      if (press_results && fight_menu_state >= menu_results_first) fight_cmd_confirm();
      fight_update();
      fight_result_update();
      draw_fade();
    }
    return done();
  }
  // Fells the only party member and lets the battle decide.
  void lose() {
    gmRoleData[0].hp = 0;
    gmFightMan[0].SetDead(1);
    fight_fallen_count = 1;
    fight_flags |= fight_turn_ended;
    fight_check_result();
  }
  TempFolder dir{true};
};

TEST_F(Controller, NumbersOutsideTheFileAndASecondEntryAreRefused) {
  EXPECT_EQ(SFLB_Call_Fight(0), 0);
  EXPECT_EQ(SFLB_Call_Fight(1001), 0);
  EXPECT_EQ(GameMode, mode_field);
  EXPECT_FALSE(test_flag(flag_battle));
  join(0, 10);
  ASSERT_EQ(SFLB_Call_Fight(1), 1);
  EXPECT_EQ(SFLB_Call_Fight(1), 0) << "a battle is running";
  EXPECT_EQ(fight_ally_count, 1);
}

TEST_F(Controller, ARecordWithoutAWorldEndsAtOnce) {
  EXPECT_EQ(SFLB_Call_Fight(2), 0);
  EXPECT_EQ(GameMode, mode_field);
  EXPECT_FALSE(test_flag(flag_battle));
}

TEST_F(Controller, ThePartyStandsBySize) {
  struct Case {
    int members;
    bool pet;
    std::vector<float> x;
  } cases[] = {{1, false, {0}}, {1, true, {-150, 150}}, {3, false, {-200, 0, 200}}, {3, true, {-250, -100, 50, 200}}};
  for (const Case& c : cases) {
    for (int i = 0; i < c.members; ++i) join(i, 10);
    if (c.pet) set_flag(flag_pet);
    ASSERT_EQ(SFLB_Call_Fight(1), 1);
    ASSERT_EQ(fight_ally_count, int(c.x.size()));
    for (std::size_t k = 0; k < c.x.size(); ++k) EXPECT_EQ(gmFightMan[k].pos.x, c.x[k]) << c.members << " " << k;
    EXPECT_EQ(fight_guest_count, c.pet ? 1 : 0);
    EXPECT_EQ(gmFightMan[6].IsEnemy(), 1);
    fight_end();
    for (int flag : {flag_member_0, flag_member_1, flag_member_2, flag_pet}) clear_flag(flag);
  }
}

TEST_F(Controller, AnAttackFromTheMenuWinsAndTheBattleReturnsToTheField) {
  join(0, 400);
  ASSERT_EQ(SFLB_Call_Fight(1), 1);
  EXPECT_EQ(GameMode, mode_battle);
  EXPECT_TRUE(run_until([] { return GameMode == mode_field; }));
  EXPECT_FALSE(test_flag(flag_battle));
  EXPECT_EQ(gmRoleData[0].hp, 100);
  EXPECT_EQ(gmFightMan[6].IsEnemy(), 0) << "every unit is reset";
  EXPECT_EQ(atk_active_count, 0);
}

TEST_F(Controller, AVictoryCountsItsExperienceShowsEachLevelAndTheSpoilsThenReturnsToTheField) {
  // Level 2 after 300, level 3 (with the herb's spell) after 900.
  install_exp_data(level_gll({{{{2, {}, 0, 900}, {3, {}, herb, 5000}}, {}, {}, {}}}));
  join(0, 400);
  gmRoleData[0].next_exp = 300;
  party_money = 5;
  ASSERT_EQ(SFLB_Call_Fight(1), 1);
  ASSERT_TRUE(run_until([] { return fight_menu_state == result_victory; }, 2000, false));
  battle_exp = 1000;
  battle_money = 40;
  // The victory poses hold 110 frames, then the fade to black and back onto the experience.
  EXPECT_FALSE(run_until([] { return fight_menu_state != result_victory; }, 110, false));
  EXPECT_TRUE(test_flag(flag_battle));
  ASSERT_TRUE(run_until([] { return fight_menu_state == result_experience; }, 100, false));
  EXPECT_FALSE(test_flag(flag_battle)) << "the battle's world is no longer drawn";
  std::vector<int> states{fight_menu_state}, levels;
  int f = 0;
  auto note_state = [&states] {
    if (states.back() != fight_menu_state) states.push_back(fight_menu_state);
  };
  for (; f < 600 && GameMode == mode_battle; ++f) {
    fight_cmd_confirm();
    note_state();
    fight_update();
    fight_result_update();
    draw_fade();
    note_state();
    const int level = gmRoleData[0].stats[stat_level];
    if (result_levelup_slot == 0 && (levels.empty() || levels.back() != level)) levels.push_back(level);
  }
  EXPECT_EQ(GameMode, mode_field) << "the results end in bounded frames: " << f;
  EXPECT_EQ(states, (std::vector<int>{result_experience, result_levelups, result_learned_banner, result_levelups,
                                      result_spoils, result_leaving}));
  EXPECT_EQ(levels, (std::vector<int>{2, 3})) << "one level-up screen per level";
  EXPECT_EQ(gmRoleData[0].exp, 1000);
  EXPECT_EQ(gmRoleData[0].next_exp, 5000);
  EXPECT_NE(find_item(&gmRoleData[0].arts, herb), nullptr) << "the spell of level 3";
  EXPECT_EQ(party_money, 45);
}

TEST_F(Controller, AutoBattleFightsWithoutTheMenuUntilTheBattleIsDecided) {
  join(0, 400);
  ASSERT_EQ(SFLB_Call_Fight(1), 1);
  fight_auto = 1;
  chosen_command = 0;
  bool menu_opened = false, attacked = false;
  EXPECT_TRUE(run_until(
      [&] {
        menu_opened = menu_opened || fight_menu_open == 1;
        attacked = attacked || chosen_command == cmd_attack;
        return fight_menu_state == result_victory;
      },
      2000, false));
  EXPECT_FALSE(menu_opened) << "every turn was taken automatically";
  EXPECT_TRUE(attacked) << "with the wheel's first command";
  EXPECT_EQ(fight_auto, 0) << "the decision turns auto-battle off";
}

TEST_F(Controller, AnAllowedDefeatLeavesEveryMemberAtOneHpWithoutThePrompt) {
  join(0, 10);
  ASSERT_EQ(SFLB_Call_Fight(1), 1);
  fight_flags |= fight_may_lose;
  lose();
  EXPECT_TRUE(fight_flags & fight_defeat);
  EXPECT_EQ(fight_menu_state, result_defeat);
  // Sixty frames confirm by themselves; the fade to black then ends the battle at once.
  EXPECT_FALSE(run_until([] { return fight_menu_state != result_defeat; }, 59, false));
  EXPECT_TRUE(run_until([] { return GameMode == mode_field; }, 100, false));
  EXPECT_EQ(result_fade_started, 1) << "the prompt never came: its fade ended the battle";
  EXPECT_EQ(gmRoleData[0].hp, 1);
  EXPECT_EQ(gmRoleData[0].flags & 1, 0);
}

TEST_F(Controller, ALostBattleShowsThePromptAndItsConfirmEndsOnTheTitle) {
  join(0, 10);
  ASSERT_EQ(SFLB_Call_Fight(1), 1);
  lose();
  fight_cmd_confirm();
  EXPECT_EQ(fight_menu_state, result_defeat_prompt) << "the confirm key needs not wait sixty frames";
  EXPECT_EQ(music_director.requested_mode(), 4) << "silence";
  EXPECT_TRUE(run_until([] { return result_fade_started == 1; }, 100, false));
  EXPECT_EQ(GameMode, mode_battle) << "the prompt waits for the key";
  EXPECT_TRUE(run_until([] { return GameMode != mode_battle; }, 100));
  EXPECT_EQ(GameMode, mode_title);
}

// A lost game is over: the title is entered as at start-up, so that nothing of the lost game is
// left for the next (its flags, money, roles and queued talk), and the title starts from its
// beginning rather than on the menu it last showed.
TEST_F(Controller, ALostGameEntersTheTitleAfreshAndLeavesNothingOfItself) {
  constexpr int story_flag = 103;
  constexpr std::uint16_t speaker = 1002, talk = 22;
  set_flag(story_flag);
  party_money = 500;
  gmMapRoleCount = 1;
  gmMapRole[0].RoleID = speaker;
  MapRole event;
  event.RoleID = speaker;
  event.TALK = talk;
  ASSERT_EQ(add_talks_proc(&event), 1);
  title_state = title_start_new_game;
  join(0, 10);
  ASSERT_EQ(SFLB_Call_Fight(1), 1);
  lose();
  fight_cmd_confirm();
  EXPECT_TRUE(run_until([] { return GameMode != mode_battle; }, 300));
  EXPECT_EQ(GameMode, mode_title);
  EXPECT_EQ(title_state, title_start);
  EXPECT_FALSE(test_flag(story_flag));
  EXPECT_EQ(party_money, 0);
  EXPECT_EQ(gmMapRoleCount, 0);
  EXPECT_EQ(find_talks_proc(speaker), 0);
  title_state = title_start;
}

TEST_F(Controller, AllEnemiesOutWaitForTheVictoryBit) {
  join(0, 10);
  ASSERT_EQ(SFLB_Call_Fight(1), 1);
  fight_flags &= ~fight_victory_allowed;
  fight_enemies_out = fight_enemy_count;
  fight_flags |= fight_turn_ended;
  for (int i = 0; i < 100; ++i) fight_check_result();
  EXPECT_FALSE(fight_flags & fight_decided);
  fight_flags |= fight_victory_allowed;
  for (int i = 0; i < 60; ++i) fight_check_result();
  EXPECT_TRUE(fight_flags & fight_victory);
}

TEST_F(Controller, PartyMagicIsLentForOneBattle) {
  join(0, 10);
  join(1, 10);
  party_magic[0].item.object_id = herb;
  ASSERT_EQ(SFLB_Call_Fight(1), 1);
  EXPECT_NE(find_item(&gmRoleData[1].arts, herb), nullptr);
  fight_end();
  EXPECT_EQ(find_item(&gmRoleData[1].arts, herb), nullptr);
}

TEST_F(Controller, TheRewardsOfAFallenEnemyAndRankFive) {
  FightMan& e = enemy(0, 1);
  e.monster.word_200 = 10;  // experience
  e.monster.word_176 = 7;   // money
  e.monster.cost_metal = 2;
  fight_unit_fell(&e);
  EXPECT_EQ(battle_exp, 10);
  EXPECT_EQ(battle_money, 7);
  EXPECT_EQ(battle_metal, 2);
  e.monster.teach_spell = 5;  // rank 5
  fight_unit_fell(&e);
  EXPECT_EQ(battle_exp, 40);
  EXPECT_EQ(battle_money, 21);
  EXPECT_EQ(fight_enemies_out, 2);
}

TEST_F(Controller, TheVictoryViewsFrameThePosingUnitAndMoveEachFrame) {
  join(0, 10);
  ASSERT_EQ(SFLB_Call_Fight(1), 1);
  gmFightMan[0].pos = G3dVector{100, 20, -400, 0};
  struct Case {
    int view;
    float point[3], angles[2], distance;
    float yaw_after_two;  // the yaw goal after two frames of the view's move
  } cases[] = {{0, {100, 105, -400}, {6, 140}, 1000, 141.0f},
               {1, {100, 60, -400}, {6, 200}, 550, 200.0f},
               {2, {-200, 160, -400}, {15, 220}, 850, 218.8f}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.view);
    fight_end_view = c.view;
    fight_flags |= fight_victory | fight_decided;
    battle_over = 1;
    fight_snap_victory_camera(0);
    float px, py, pz, pitch, yaw, dist;
    fight_camera.get_point(nullptr, nullptr, nullptr, &px, &py, &pz);
    fight_camera.get_angles(nullptr, nullptr, nullptr, &pitch, &yaw, nullptr);
    fight_camera.get_distance(nullptr, &dist);
    EXPECT_FLOAT_EQ(px, c.point[0]);
    EXPECT_FLOAT_EQ(py, c.point[1]);
    EXPECT_FLOAT_EQ(pz, c.point[2]);
    EXPECT_FLOAT_EQ(pitch, c.angles[0]);
    EXPECT_FLOAT_EQ(yaw, c.angles[1]);
    EXPECT_FLOAT_EQ(dist, c.distance) << "snapped, not glided";
    EXPECT_EQ(view_scale, c.view == 1 ? 20.0f : 10.0f);
    fight_end_camera_step();
    fight_end_camera_step();
    EXPECT_NEAR(fight_cam_setup.angles[1], c.yaw_after_two, 1e-3);
    view_scale = 10.0f;
  }
}

TEST_F(Controller, TheEndCameraWrapsItsYawAndTheDefeatViewBacksAway) {
  join(0, 10);
  ASSERT_EQ(SFLB_Call_Fight(1), 1);
  battle_over = 1;
  fight_flags |= fight_victory | fight_decided;
  fight_end_view = 0;
  fight_cam_setup.angles[1] = 359.8f;
  fight_end_camera_step();
  EXPECT_FLOAT_EQ(fight_cam_setup.angles[1], 0.0f) << "past 360 the yaw starts again at 0";
  fight_end_view = 2;
  fight_cam_setup.angles[1] = 0.3f;
  fight_end_camera_step();
  EXPECT_FLOAT_EQ(fight_cam_setup.angles[1], 359.0f) << "below 0 the yaw goes on from 359";

  fight_flags &= ~fight_victory;
  fight_flags |= fight_defeat;
  fight_snap_defeat_camera(0);
  EXPECT_FLOAT_EQ(fight_cam_setup.angles[0], 76.0f);
  EXPECT_FLOAT_EQ(fight_cam_setup.distance[0], 700.0f);
  fight_end_camera_step();
  EXPECT_FLOAT_EQ(fight_cam_setup.distance[0], 710.0f);
  EXPECT_FLOAT_EQ(fight_cam_setup.distance[1], 750.0f);
  set_flag(flag_battle_camera_held);
  fight_end_camera_step();
  clear_flag(flag_battle_camera_held);
  EXPECT_FLOAT_EQ(fight_cam_setup.distance[0], 710.0f) << "the held camera stays";
}

TEST_F(Controller, TheNextBattleReplacesTheEnemiesAndKeepsTheAllies) {
  kit::BattlefieldSpec one, three;
  one.world_act = three.world_act = 7;
  one.enemies = {{slime, 0, 0, 300, 0, 0}};
  three.enemies = {{slime, -100, 0, 300, 0, 0}, {slime, 0, 0, 300, 0, 0}, {slime, 100, 0, 300, 0, 0}};
  const auto bytes = kit::battlefield_dat({one, three}, 2);
  dir.write("ACT/Battlefield.dat", std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  EXPECT_EQ(fight_next_battle(2), 0) << "no battle runs";
  join(0, 10);
  ASSERT_EQ(SFLB_Call_Fight(1), 1);
  gmRoleData[0].hp = 40;
  gmFightMan[0].atb = 300;
  fight_enemies_out = 1;
  for (std::uint16_t n : {0, 1001}) EXPECT_EQ(fight_next_battle(n), 0) << n;
  ASSERT_EQ(fight_next_battle(2), 1);
  EXPECT_EQ(fight_enemy_count, 3);
  EXPECT_EQ(fight_enemies_out, 0);
  EXPECT_EQ(fight_unit_count, 4) << "the hero and three new enemies";
  EXPECT_EQ(fight_talk_number, 2);
  EXPECT_EQ(fight_field_index, 1);
  EXPECT_EQ(gmFightMan[0].atb, 300) << "the allies stay as they are";
  EXPECT_EQ(gmRoleData[0].hp, 40);
  for (int k = 6; k < 9; ++k) EXPECT_EQ(gmFightMan[k].IsEnemy(), 1) << k;
  EXPECT_EQ(gmFightMan[8].pos.x, 100.0f);
}

}  // namespace
