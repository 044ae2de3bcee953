// The battle's developer tools: the console takes every key, the edit mode's camera kept or
// thrown away and its keys, the Ctrl keys' bounds and switches, and the debug ATK call.
#include "battle/fight_action.h"
#include "battle/fight_debug.h"
#include "battle/fight_menu.h"
#include "core/flags.h"
#include "core/game_flags.h"
#include "core/key_mapping.h"
#include "g3d/effects/effect_manager.h"
#include "g3d/view_zoom.h"
#include "tests/battle/battle_test.h"
#include "tests/battle/key_driver.h"
#include "ui/talk_msg.h"

namespace {
using namespace battle_test;

class DevTools : public BattleTest {
 protected:
  DevTools() { clean(); }
  ~DevTools() override { clean(); }
  void clean() {
    reset();
    for (int f : {flag_developer_keys, flag_console_open, flag_edit_mode, flag_edit_role_mode, flag_collision_view})
      clear_flag(f);
    fight_menu_reset();
    fight_invincible = fight_no_flee = fight_enemy_lock = fight_party_lock = 0;
    debug_atk_enemy = debug_atk_script = 0;
    fight_unit_effects.paused = fight_effects.paused = 0;
    fight_cam_setup = FightCamSetup{};
    fight_camera = Camera{};
    view_scale = 10.0f, view_near = 200.0f, view_far = 10000.0f;
    fight_field_index = 0;
    reset_edit_mode();
    edit_unit = edit_enemy_cursor = 0;
    mouse_x = mouse_y = 0;
    keys.release();
    del_all_talkmsg();
  }
  void frame(std::initializer_list<KeyCode> down) { keys.frame(down, fight_debug_input); }
  void party(int members, int enemies) {
    for (int i = 0; i < members; ++i) member(i, 1, 40, 100);
    for (int k = 0; k < enemies; ++k) enemy(k, 2);
    fight_ally_count = std::int16_t(members);
    fight_enemy_count = std::int16_t(enemies);
  }
  KeyDriver keys;
};

TEST_F(DevTools, TheOpenConsoleTakesEveryKeyOfTheBattle) {
  party(1, 1);
  fight_open_menu(0);
  set_flag(flag_developer_keys);
  set_flag(flag_console_open);
  frame({key_enter});
  frame({});
  frame({key_f1 + 1});
  EXPECT_EQ(fight_menu_state, menu_wheel) << "no command menu";
  EXPECT_FALSE(test_flag(flag_edit_mode)) << "no developer key";
  clear_flag(flag_console_open);
  keys.release();
  frame({key_enter});
  EXPECT_EQ(fight_menu_state, menu_target);
}

TEST_F(DevTools, LeavingEditModeWithF2PutsBackTheCameraAndWithEnterKeepsIt) {
  party(1, 1);
  set_flag(flag_developer_keys);
  fight_cam_setup.point[0] = 15;
  fight_cam_setup.distance[0] = fight_cam_setup.distance[1] = 1600;
  fight_camera.set_point_interp(3);
  frame({key_f1 + 1});
  ASSERT_TRUE(test_flag(flag_edit_mode));
  EXPECT_EQ(fight_unit_effects.paused, 1);
  EXPECT_EQ(fight_effects.paused, 1);
  EXPECT_EQ(fight_camera.get_point_interp(), 1) << "the edit camera snaps";
  keys.release();
  frame({key_home});
  frame({});
  frame({'s'});
  EXPECT_EQ(fight_cam_setup.distance[0], 1650);
  keys.release();
  frame({key_f1 + 1});
  EXPECT_FALSE(test_flag(flag_edit_mode));
  EXPECT_EQ(fight_cam_setup.distance[0], 1600) << "F2 throws the edits away";
  EXPECT_EQ(fight_camera.get_point_interp(), 3);
  EXPECT_EQ(fight_unit_effects.paused, 0);
  keys.release();
  frame({key_f1 + 1});
  keys.release();
  frame({key_home});
  keys.release();
  frame({key_enter});
  EXPECT_FALSE(test_flag(flag_edit_mode));
  EXPECT_EQ(fight_cam_setup.distance[0], 1650) << "Enter keeps them";
  EXPECT_EQ(fight_camera.get_point_interp(), 1);
  EXPECT_EQ(fight_effects.paused, 0);
}

TEST_F(DevTools, EditModeTakesTheMenusKeys) {
  party(1, 1);
  fight_open_menu(0);
  set_flag(flag_developer_keys);
  frame({key_f1 + 1});
  keys.release();
  frame({key_enter});  // keeps the edits, and the menu gets no key this frame
  EXPECT_EQ(fight_menu_state, menu_wheel);
}

TEST_F(DevTools, TheEditKeysStopAtTheirBoundsOnlyDownward) {
  party(1, 1);
  set_flag(flag_developer_keys);
  fight_cam_setup.distance[0] = fight_cam_setup.distance[1] = 120;
  frame({key_f1 + 1});
  for (int i = 0; i < 3; ++i) {
    keys.release();
    frame({key_end});
  }
  EXPECT_EQ(fight_cam_setup.distance[0], 50);
  keys.release();
  mouse_y = 100;
  frame({key_mouse2});
  mouse_y = 0;  // a drag of -50 pixels: -250
  frame({key_mouse2});
  EXPECT_EQ(fight_cam_setup.distance[0], 20);
  mouse_y = 100;
  frame({key_mouse2});
  EXPECT_EQ(fight_cam_setup.distance[0], 520) << "a downward drag has no upper bound";
}

TEST_F(DevTools, ArrowsMoveThePointByTheCamerasYawAndDragTheChosenUnit) {
  struct Case {
    int base;
    float yaw, dx, dz;
  } cases[] = {{180, 0, 0, 1}, {0, 0, 0, -1}, {90, 0, 1, 0}, {270, 0, -1, 0}, {180, 90, -1, 0}};
  for (const Case& c : cases) {
    float dx = 0, dz = 0;
    edit_arrow_step(c.base, c.yaw, &dx, &dz);
    EXPECT_NEAR(dx, c.dx, 1e-3) << c.base << " " << c.yaw;
    EXPECT_NEAR(dz, c.dz, 1e-3) << c.base << " " << c.yaw;
  }
  party(2, 1);
  set_flag(flag_developer_keys);
  frame({key_f1 + 1});
  keys.release();
  frame({'z'});
  ASSERT_TRUE(test_flag(flag_edit_role_mode));
  keys.release();
  frame({key_right});
  EXPECT_NEAR(gmFightMan[0].pos.x, 100, 1e-3) << "before any Caps Lock the arrows drag unit 0";
  EXPECT_NEAR(edit_point[0], 100, 1e-3);
}

TEST_F(DevTools, TheFieldRecordStepsStopAtBothEnds) {
  party(1, 1);
  set_flag(flag_developer_keys);
  frame({key_lctrl, '1'});
  EXPECT_EQ(fight_field_index, 0);
  fight_field_index = 999;
  keys.release();
  frame({key_lctrl, '2'});
  EXPECT_EQ(fight_field_index, 999);
}

TEST_F(DevTools, HealingGoesThroughInvincibilityAndWoundingDoesNot) {
  party(2, 1);
  set_flag(flag_developer_keys);
  frame({key_lctrl, 'x'});
  ASSERT_EQ(fight_invincible, 1);
  keys.release();
  frame({key_lctrl, 'd'});
  EXPECT_EQ(gmFightMan[0].role->hp, 40) << "invincible: no wound";
  keys.release();
  frame({key_lctrl, 'c'});
  EXPECT_EQ(gmFightMan[0].role->hp, 100);
  EXPECT_EQ(gmFightMan[1].role->hp, 100);
  EXPECT_EQ(fight_invincible, 1) << "on again after the heal";
  keys.release();
  frame({key_lctrl, 'x'});
  keys.release();
  frame({key_lctrl, 'd'});
  EXPECT_EQ(gmFightMan[0].role->hp, 50);
}

TEST_F(DevTools, TheSwitchesToggleWithCtrlAndOutliveABattlesStart) {
  party(1, 1);
  set_flag(flag_developer_keys);
  struct Case {
    KeyCode key;
    int* value;
  } cases[] = {{'v', &fight_enemy_lock}, {'t', &fight_party_lock}, {'f', &fight_no_flee}, {'x', &fight_invincible}};
  for (const Case& c : cases) {
    keys.release();
    frame({key_lctrl, c.key});
    EXPECT_EQ(*c.value, 1) << char(c.key);
    keys.release();
    frame({c.key});
    EXPECT_EQ(*c.value, 1) << "without Ctrl nothing changes";
  }
  EXPECT_EQ(fight_side_locked(6), 1);
  EXPECT_EQ(fight_side_locked(0), 1);
  fight_enemy_lock = 0;
  EXPECT_EQ(fight_side_locked(6), 0);
  fight_menu_reset();
  EXPECT_EQ(fight_party_lock, 1) << "a battle's start keeps the switches";
  del_all_talkmsg();
}

TEST_F(DevTools, TheDebugAtkCallPlaysOnEnemyOnesUnitAndRepeatsWithCtrlR) {
  party(1, 2);
  set_flag(flag_developer_keys);
  frame({key_lctrl, 'r'});
  EXPECT_EQ(ActMan, -1) << "no call yet: nothing";
  ActMan = 0;  // another unit was acting
  fight_debug_atk(1, 40);
  EXPECT_EQ(ActMan, 6);
  EXPECT_EQ(fight_main_target, 0);
  EXPECT_EQ(fight_action.actor, &gmFightMan[6]);
  EXPECT_EQ(fight_action.target_count, 1);
  EXPECT_EQ(fight_action.targets[0], &gmFightMan[0]);
  EXPECT_EQ(debug_atk_enemy, 1);
  EXPECT_EQ(debug_atk_script, 40);
  for (std::uint16_t n : {0, 3, 11}) {
    ActMan = 0;
    fight_debug_atk(n, 40);
    EXPECT_EQ(ActMan, 0) << "enemy " << n << " is not in this battle";
  }
  ActMan = -1;
  fight_debug_atk(2, 41);
  ActMan = -1;
  keys.release();
  frame({key_lctrl, 'r'});
  EXPECT_EQ(ActMan, 7);
}

TEST_F(DevTools, TheEndOfABattleInEditModeLetsTheEffectsGo) {
  set_flag(flag_developer_keys);
  frame({key_f1 + 1});
  ASSERT_EQ(fight_unit_effects.paused, 1);
  fight_debug_end();
  EXPECT_EQ(fight_unit_effects.paused, 0);
  EXPECT_EQ(fight_effects.paused, 0);
}

}  // namespace
