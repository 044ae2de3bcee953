// The field controller on the synthetic field: walking keys, speeds, the wall slide, the idle
// cursor, encounters' step counter, talks started by key, turns, jumps and the minimap key.
#include "field/field_controller.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <sstream>

#include "core/flags.h"
#include "core/game_flags.h"
#include "core/game_mode.h"
#include "core/game_state_words.h"
#include "core/grp_input.h"
#include "data/encounters.h"
#include "data/maps_db.h"
#include "field/field_camera_state.h"
#include "field/field_input_rules.h"
#include "field/map_change.h"
#include "field/map_effects.h"
#include "field/minimap.h"
#include "field/role_move.h"
#include "field/role_talk_start.h"
#include "field/role_walk.h"
#include "field/talk_view.h"
#include "g3d/effects/weather_emitters.h"
#include "g3d/view_zoom.h"
#include "script/talk_queue.h"
#include "tests/field/walk_world.h"
#include "tests/fixtures/maps_writer.h"
#include "ui/cursor.h"
#include "ui/menu/menu_system.h"
#include "ui/talk_msg.h"

namespace {
using walk_test::WalkWorld;

constexpr KeyCode keys_used[] = {key_up,     key_down,      key_left,      key_right,     key_joy_up,
                                 key_joy_down, key_joy_left, key_joy_right, key_space,     key_enter,
                                 key_mouse1, key_mouse2,    key_lshift,    key_rshift,    key_lctrl,
                                 key_rctrl,  key_tab,       key_escape,    'm',           'r',
                                 'f',        'q',           'e',           'j',           'k',
                                 key_joy_button1};

class FieldController : public WalkWorld {
 protected:
  FieldController() {
    GameMode = mode_field;
    leader = add_role(1, 100, 0, 500, state_player);
    player_role_index = leader;
    run_mode = RunMode{};
    encounter_step_count = idle_cursor_frames = mouse_idle = 0;
    talk_partner_index = -1;
    // A key counts as pressed only after it was seen up.
    for (KeyCode k : keys_used) {
      grp_input.update_key(now_, k, 0);
      grp_input.update_key(now_ + 100, k, 0);
    }
  }
  // One field frame with these keys held (a key held over frames is pressed in the first). A
  // key not held is released whole, so that no later press counts as a double press.
  void frame(std::initializer_list<KeyCode> held = {}) {
    now_ += 200;
    for (KeyCode k : keys_used) {
      const bool down = std::find(held.begin(), held.end(), k) != held.end();
      grp_input.update_key(now_, k, down);
      if (!down) grp_input.update_key(now_ + 100, k, 0);
    }
    run_field();
  }
  MapRole& p() { return role(leader); }
  std::vector<std::string> messages() const {
    std::vector<std::string> lines;
    std::istringstream in(dir.read("debug.txt"));
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
  int leader = 0;
  std::uint32_t now_ = 10000;
};

TEST(FieldRules, WalkingKeysGiveTheLastMatchingAngle) {
  struct Case {
    const char* what;
    WalkKeys keys;
    bool walks;
    float angle;
  };
  auto keys = [](bool up, bool down, bool left, bool right) {
    WalkKeys k;
    k.up = up, k.down = down, k.left = left, k.right = right;
    return k;
  };
  WalkKeys joy;
  joy.joy_down = joy.joy_left = true;
  const Case cases[] = {
      {"none", keys(false, false, false, false), false, 0}, {"up", keys(true, false, false, false), true, 180},
      {"down", keys(false, true, false, false), true, 0},   {"left", keys(false, false, true, false), true, 270},
      {"right", keys(false, false, false, true), true, 90}, {"up+left", keys(true, false, true, false), true, 225},
      {"down+right", keys(false, true, false, true), true, 45},
      {"up+left+right", keys(true, false, true, true), true, 135},
      {"all four", keys(true, true, true, true), true, 135},
      {"joystick down+left", joy, true, 315},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    float angle = -1;
    EXPECT_EQ(walk_key_angle(c.keys, &angle), c.walks);
    if (c.walks) {
      EXPECT_EQ(angle, c.angle);
    }
  }
}

TEST(FieldRules, CursorSectorsAroundTheScreenCentre) {
  struct Case {
    float angle;
    int qq;
  } cases[] = {{0, 0},     {22.4f, 0},  {22.5f, 1},  {67.5f, 2},  {180, 4}, {337.1f, 7},
               {337.2f, 0}, {359.9f, 0}, {-10, 0},    {-30, 7},    {380, 0}, {405, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.angle);
    EXPECT_EQ(cursor_sector_qq(c.angle), c.qq);
  }
}

TEST(FieldRules, ARoleBeyond350IsTooFarToTalkTo) {
  struct Case {
    float tx;
    bool too_far;
  } cases[] = {{350.0f, false}, {350.9f, false}, {351.0f, true}, {-350.5f, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tx);
    MapRole p, t;
    p.X = 0.7f;
    t.X = c.tx;
    EXPECT_EQ(role_too_far(p, t), c.too_far);
  }
}

TEST_F(FieldController, WalkingKeysWalkRelativeToTheHeading) {
  struct Case {
    std::initializer_list<KeyCode> held;
    float angle;
  } cases[] = {{{key_up}, 180}, {{key_up, key_left}, 225}, {{key_up, key_left, key_right}, 135}, {{key_joy_down}, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.angle);
    p().X = 100, p().Z = 500;
    frame();
    const float heading = field_camera.heading_to(p().X, p().Y, p().Z);
    frame(c.held);
    const float dir = std::fmod(heading + c.angle, 360.0f);
    EXPECT_NEAR(p().DIR, dir, 0.01);
    float dx = 0, dz = 0;
    walk_step(dir, 5, 5, &dx, &dz);
    EXPECT_NEAR(p().X, 100 + dx, 0.01);
    EXPECT_NEAR(p().Z, 500 + dz, 0.01);
    EXPECT_EQ(p().anim.qq, 8);
    EXPECT_NEAR(field_camera_state.target_point[1], p().Y + 100, 0.01) << "the camera looks at the walker";
  }
}

TEST_F(FieldController, SpeedsAndPosesOfRunningOutdoorsAndTheDeveloperKey) {
  struct Case {
    const char* what;
    bool run, outdoor, developer;
    float speed;
    int qq;
    bool run_after;
  } cases[] = {
      {"walking", false, false, false, 5, 8, false},   {"running", true, false, false, 14, 16, true},
      {"outdoors", true, true, false, 8, 16, false},    {"developer speed-up", false, false, true, 30, 8, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    run_mode.flags[0] = run_mode.flags[1] = c.run;
    map_record.map_flags = c.outdoor ? map_outdoor : 0;
    if (c.developer) set_flag(flag_speed_up); else clear_flag(flag_speed_up);
    p().X = 100, p().Z = 500;
    frame({key_up});
    const float moved = std::hypot(p().X - 100, p().Z - 500);
    EXPECT_NEAR(moved, c.speed, 0.01);
    EXPECT_EQ(p().anim.qq, c.qq);
    EXPECT_EQ(run_mode.on(), c.run_after);
    frame();
  }
}

TEST_F(FieldController, TheRKeyTogglesRunMode) {
  frame({'r'});
  EXPECT_TRUE(run_mode.on());
  EXPECT_EQ(run_mode.speeds[0], 14.0f);
  frame();
  frame({'r'});
  EXPECT_FALSE(run_mode.on());
  EXPECT_EQ(run_mode.speeds[0], 5.0f);
}

TEST_F(FieldController, WalkingIntoAWallAtAnAngleSlidesAlongIt) {
  // With the camera's eye at the origin, up walks along +x +z here, into the wall at x 300.
  p().X = 268, p().Z = 268;
  frame({key_up});
  EXPECT_FLOAT_EQ(p().X, 268) << "x alone is blocked";
  EXPECT_GT(p().Z, 271) << "z alone moves";
}

TEST_F(FieldController, AFullBlockLeavesTheStepCounterAsItWas) {
  map_record.encounter_set = 1;
  set_flag(flag_no_random_battles);
  p().X = 268, p().Z = 299;
  map_grid_count[2] = 3;  // the grid ends at z 300: up is blocked both ways
  frame({key_up});
  frame({key_up});
  EXPECT_EQ(encounter_step_count, 0);
  EXPECT_FLOAT_EQ(p().X, 268);
  EXPECT_FLOAT_EQ(p().Z, 299);
}

TEST_F(FieldController, WithFlag10NoBattleIsRolledButTheStepsCount) {
  // A sure battle wherever the leader walks: every step below 1000 rolls at 100 percent.
  fixtures::MapsDat db;
  db.encounter_sets = {{{{{1000, 100}, {0, 0}, {0, 0}, {0, 0}}}}};
  db.battle_areas = {{1, {0, 0, 0}, {1000, 200, 1000}, {11}}};
  const fixtures::Bytes file = fixtures::maps_dat(db);
  ASSERT_TRUE(install_maps_data(file));
  GetBtlAreaTable(1, &btl_area_head);
  map_record.encounter_set = 1;
  set_flag(flag_no_random_battles);
  for (int i = 0; i < 3; ++i) frame({key_up});
  EXPECT_EQ(encounter_step_count, 3);
  EXPECT_EQ(GameMode, mode_field);
  clear_flag(flag_no_random_battles);
  frame();
  frame({key_up});
  EXPECT_EQ(encounter_step_count, 0) << "without the flag the same step starts a battle";
  GameMode = mode_field;
  clear_flag(flag_battle);
  map_record.encounter_set = 0;
  frame();
  frame({key_up});
  EXPECT_EQ(encounter_step_count, 0) << "a map without encounters resets the counter";
  free_btl_area_table();
  close_maps_data();
}

TEST_F(FieldController, WalkingRestartsTheMenuIconAndTakesTheWeatherAlong) {
  for (int weather_flag : {0, flag_switch_8, flag_rain}) {  // none, snow, rain
    SCOPED_TRACE(weather_flag);
    if (weather_flag) set_flag(weather_flag);
    weather_emitters[0] = make_snow_emitter(0, 0, 0).release();
    weather_emitters[1] = make_rain_emitter(0, 0, 0).release();
    p().X = 100, p().Z = 500;
    menu_icon_instance().state &= std::uint16_t(~act_state_restart);
    frame({key_up});
    EXPECT_TRUE(menu_icon_instance().state & act_state_restart);
    for (DriftEmitter*& e : weather_emitters) {
      EXPECT_EQ(e->position.x, weather_flag ? p().X : 0.0f);
      EXPECT_EQ(e->position.z, weather_flag ? p().Z : 0.0f);
      delete e;
      e = nullptr;
    }
    frame();
    if (weather_flag) clear_flag(weather_flag);
  }
}

TEST_F(FieldController, OnAMapOfFlag0x100TheFixedEyeRisesWithTheWalker) {
  map_record.map_flags = map_eye_follows_height;
  map_record.fixed_eye = {1, 2, 3, 0};
  p().X = 550, p().Y = walk_test::step_height;  // on the step
  frame({key_up});
  ASSERT_EQ(p().Y, walk_test::step_height);
  EXPECT_EQ(map_record.fixed_eye.y, walk_test::step_height + 1400.0f) << "the point a talk's end puts the eye back on";
  map_record.fixed_eye = {};
}

TEST_F(FieldController, CameraTurnsLeaveTheYawGoalAndATurningFrameStillCountsPlayTime) {
  field_camera_state.target_angles[1] = 33;
  float before = 0;
  field_camera.get_angles(nullptr, &before, nullptr, nullptr, nullptr, nullptr);
  game_state_words[state_word_play_seconds] = 1800;
  frame({key_lshift, key_left});  // the keyboard turn
  float after = 0;
  field_camera.get_angles(nullptr, &after, nullptr, nullptr, nullptr, nullptr);
  EXPECT_NE(after, before) << "the camera turned";
  EXPECT_EQ(field_camera_state.target_angles[1], 33.0f);
  EXPECT_EQ(game_state_words[state_word_play_seconds], 0u) << "step 22 ran in the turning frame";
  frame({'q'});
  EXPECT_EQ(field_camera_state.target_angles[1], 33.0f);
  frame({key_tab});
  EXPECT_EQ(field_camera_state.target_angles[1], 33.0f);
  field_camera_state.target_angles[1] = 0;
  game_state_words[state_word_play_seconds] = 0;
}

TEST_F(FieldController, TheCursorHidesAfter600IdleFramesAndShowsOnAMove) {
  grp_input.set_mouse_pos(100, 100);
  frame();
  for (int i = 0; i < 599; ++i) frame();
  EXPECT_EQ(mouse_idle, 0) << "599 frames without a move";
  frame();
  EXPECT_EQ(mouse_idle, 1) << "600 frames";
  grp_input.set_mouse_pos(101, 100);
  frame();
  EXPECT_EQ(mouse_idle, 0);
  EXPECT_EQ(idle_cursor_frames, 0);
}

TEST_F(FieldController, ABusyLeaderShowsTheBusyCursorAndDoesNotWalk) {
  p().STATE |= state_held;
  frame({key_up});
  EXPECT_EQ(cursor_act.qq, 9);
  EXPECT_FLOAT_EQ(p().X, 100);
}

TEST_F(FieldController, WalkingIntoATouchRoleQueuesItsTalk) {
  const int v = add_role(200, 100, 0, 500, state_touch_talk);
  role(v).TALK = 33;
  p().X = 100, p().Z = 500;
  frame();
  const float heading = field_camera.heading_to(p().X, p().Y, p().Z);
  role(v).X = 100 + 18 * std::sin(std::fmod(heading + 180, 360) * 0.01745f);
  role(v).Z = 500 - 18 * std::cos(std::fmod(heading + 180, 360) * 0.01745f);
  frame({key_up});
  EXPECT_EQ(find_talks_proc(200), 33);
  EXPECT_FLOAT_EQ(p().X, 100);
  clear_talks_proc();
}

TEST_F(FieldController, SpaceStartsATalkThatIsQueuedWhenTheRoleHasTurned) {
  const int v = add_role(200, 150, 0, 500);
  role(v).TALK = 33;
  role(v).DIR = 0;
  p().DIR = 90;
  frame({key_space});
  EXPECT_TRUE(p().STATE & state_held);
  EXPECT_EQ(talk_partner_index, v);
  EXPECT_TRUE(role(v).STATE & state_turning);
  EXPECT_FLOAT_EQ(role(v).DIR, 270);
  EXPECT_EQ(role(v).turned_to_talk, 1);
  EXPECT_FLOAT_EQ(role(v).kept_dir, 0);
  update_field_roles();
  EXPECT_FALSE(role(v).STATE & state_turning);
  bool reported = false;
  for (const std::string& line : messages()) reported = reported || line.find("Talk[33]") != std::string::npos;
  EXPECT_TRUE(reported) << "the queued talk ran (and found no script)";
}

TEST_F(FieldController, SpaceFarFromEveryRoleOpensNothingAndEnterOpensTheMenu) {
  const int v = add_role(200, 400, 0, 500);
  role(v).TALK = 33;
  frame({key_space});
  EXPECT_FALSE(p().STATE & state_held);
  frame();
  role_bounds.on = 1;
  frame({key_enter});
  EXPECT_EQ(GameMode, mode_field) << "not while the bounds rectangle holds the player";
  role_bounds.on = 0;
  frame();
  frame({key_enter});
  EXPECT_EQ(GameMode, mode_menu);
  now_ += 200;
  grp_input.update_key(now_, key_escape, 1);
  input_menu_system();
  grp_input.update_key(now_ + 100, key_escape, 0);
  EXPECT_EQ(GameMode, mode_field) << "Escape leaves the menu";
  frame();
  frame({key_joy_button1});
  EXPECT_EQ(GameMode, mode_menu) << "the joystick's first button too";
}

TEST_F(FieldController, TheJoysticksFirstButtonTalksToARoleNearby) {
  const int v = add_role(200, 150, 0, 500);
  role(v).TALK = 33;
  frame({key_joy_button1});
  EXPECT_EQ(talk_partner_index, v);
  EXPECT_EQ(GameMode, mode_field);
}

TEST_F(FieldController, TurnsStepFiveDegreesAndApplyThePendingQq) {
  const int v = add_role(200, 400, 0, 500, state_turning | 0x2000);
  role(v).DIR = 0;
  role(v).turn_dir = 20;
  set_role_turn(&role(v));
  *role_var(role(v), 6) = 44;
  talk_partner_index = -1;
  update_field_roles();
  EXPECT_FLOAT_EQ(role(v).DIR, 5);
  EXPECT_EQ(role(v).anim.qq, 8) << "walking while it turns";
  update_field_roles();
  update_field_roles();
  EXPECT_FLOAT_EQ(role(v).DIR, 15);
  update_field_roles();
  EXPECT_FALSE(role(v).STATE & state_turning);
  EXPECT_FLOAT_EQ(role(v).DIR, 20);
  EXPECT_EQ(role(v).anim.qq, 44);
  EXPECT_EQ(*role_var(role(v), 6), 0);
}

TEST_F(FieldController, NoRoleIsUpdatedInBattleOrOtherModes) {
  const int v = add_role(200, 400, 0, 500, state_turning);
  role(v).turn_dir = 90;
  set_role_turn(&role(v));
  for (int mode : {mode_battle, mode_shop_talk}) {
    GameMode = mode;
    update_field_roles();
    EXPECT_FLOAT_EQ(role(v).DIR, 0);
  }
}

TEST_F(FieldController, AJumpThatLandsClearsItsMotion) {
  p().STATE |= state_jumping;
  p().jump.current = {120, 0, 510, 0};
  p().jump.frames = 0;
  step_role_jump(leader, &p());
  EXPECT_FALSE(p().STATE & state_jumping);
  EXPECT_EQ(p().jump.started, 0);
}

TEST_F(FieldController, TheMKeyCyclesTheMinimapDisplay) {
  struct Step {
    int mode;
    bool translucent, hidden;
  } steps[] = {{1, true, false}, {2, true, true}, {0, false, false}, {1, true, false}};
  for (const Step& s : steps) {
    frame({'m'});
    frame();
    EXPECT_EQ(game_state_words[state_word_minimap_mode], std::uint32_t(s.mode));
    EXPECT_EQ(minimap.IsTranslucent() != 0, s.translucent);
    EXPECT_EQ(test_flag(flag_minimap_hidden) != 0, s.hidden);
  }
}

TEST_F(FieldController, TheFarDistanceNeverComesDownToTheNearOne) {
  view_near = 200;
  view_far = 600;
  for (int i = 0; i < 5; ++i) {
    frame({'j'});
    frame();
  }
  EXPECT_GT(view_far, view_near + 1);
  frame({'k'});
  EXPECT_FLOAT_EQ(view_far, 600);
}

}  // namespace
