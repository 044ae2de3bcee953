// The developer keys: key states of one frame and what they change.
#include <gtest/gtest.h>

#include <cstring>

#include "core/flags.h"
#include "core/frame_timer.h"
#include "core/game_flags.h"
#include "core/game_mode.h"
#include "data/map_role.h"
#include "devtools/dev_console.h"
#include "devtools/developer_keys.h"
#include "devtools/reload_dialog.h"
#include "devtools/role_edit_dialog.h"
#include "devtools/scene_snapshot.h"
#include "field/debug_overlay.h"
#include "field/edit_mode.h"
#include "field/field_camera_state.h"
#include "field/map_file.h"
#include "field/minimap.h"
#include "field/role_path.h"
#include "g3d/view_zoom.h"
#include "field/talk_view.h"
#include "script/talk_ops.h"
#include "script/talk_queue.h"
#include "tests/data/data_test.h"
#include "tests/devtools/key_driver.h"
#include "ui/dialog_runner.h"
#include "ui/talk_msg.h"

namespace {

constexpr KeyCode key_f2 = key_f1 + 1, key_f4 = key_f1 + 3, key_f5 = key_f1 + 4, key_f6 = key_f1 + 5,
                  key_f7 = key_f1 + 6, key_f9 = key_f1 + 8, key_f10 = key_f1 + 9;

class DeveloperKeys : public data_test::DataTest {
 protected:
  void SetUp() override {
    std::memset(flag_bytes, 0, sizeof flag_bytes);
    set_flag(flag_developer_keys);
    GameMode = mode_field;
    SavedGameMode = mode_title;
    quit_request = 0;
    set_frame_rate(35);
    talk_walk_speed = talk_default_speed;
    reset_developer_keys();
    reset_console();
    reset_edit_mode();
    abandon_dialog();
    clear_dialog_answers();
    clear_talks_proc();
    del_all_talkmsg();
    map_record = MapRecord{};
    map_record.map_number = 1;
    field_camera_state = FieldCameraState{};
    field_camera = Camera{};
    view_scale = 10.0f;
    view_far = 10000.0f;
    gmMapRoleCount = 6;
    for (int i = 0; i < gmMapRoleCount; ++i) {
      gmMapRole[i] = MapRole{};
      gmMapRole[i].RoleID = std::uint16_t(i < 4 ? party_role_first + i : 1000 + i);
      gmMapRole[i].X = float(10 * i);
    }
    player_role_index = 0;
    keys_.release_all();
  }
  void TearDown() override {
    abandon_dialog();
    clear_dialog_answers();
    reset_console();
    clear_talks_proc();
    del_all_talkmsg();
    del_all_role_path();
    std::memset(flag_bytes, 0, sizeof flag_bytes);
    set_frame_rate(35);
    quit_request = 0;
    GameMode = mode_field;
  }
  // One frame with the keys held; the step's result.
  int step(std::initializer_list<KeyCode> held) {
    keys_.frame(held);
    return developer_keys_step();
  }
  // A press alone, then every key up again.
  int tap(std::initializer_list<KeyCode> held) {
    const int r = step(held);
    keys_.release_all();
    return r;
  }
  KeyDriver keys_;
};

TEST_F(DeveloperKeys, CtrlF9OpensAndClosesTheConsole) {
  tap({key_lctrl, key_f9});
  EXPECT_TRUE(test_flag(flag_console_open));
  ASSERT_NE(console_field, nullptr);
  tap({key_rctrl, key_f9});
  EXPECT_FALSE(test_flag(flag_console_open));
  EXPECT_EQ(console_field, nullptr);
}

TEST_F(DeveloperKeys, TheOpenConsoleBlocksEveryOtherKey) {
  open_console();
  tap({key_f7});
  tap({key_f10});
  tap({key_lshift, 'q'});
  tap({'1'});
  tap({key_f6});
  EXPECT_FALSE(test_flag(flag_speed_up));
  EXPECT_FALSE(test_flag(flag_debug_overlay));
  EXPECT_EQ(quit_request, 0);
  EXPECT_FALSE(test_flag(flag_role_boxes));
  EXPECT_EQ(GameMode, mode_field);
}

TEST_F(DeveloperKeys, F7TwiceReturnsToNormalSpeed) {
  tap({key_f7});
  EXPECT_TRUE(test_flag(flag_speed_up));
  EXPECT_EQ(frame_period_ms, 1u);
  EXPECT_FLOAT_EQ(talk_walk_speed, 20.0f);
  EXPECT_EQ(run_mode.speeds[0], 60.0f);
  EXPECT_EQ(run_mode.speeds[1], 60.0f);
  tap({key_f7});
  EXPECT_FALSE(test_flag(flag_speed_up));
  EXPECT_EQ(frame_period_ms, 1000u / 35u);
  EXPECT_FLOAT_EQ(talk_walk_speed, talk_default_speed);
  EXPECT_EQ(run_mode.speeds[0], 5.0f);
  EXPECT_EQ(run_mode.speeds[1], 5.0f);
}

TEST_F(DeveloperKeys, ShiftQAsksToQuitAndF10TogglesThePanel) {
  tap({key_f10});
  EXPECT_TRUE(test_flag(flag_debug_overlay));
  tap({'q'});
  EXPECT_EQ(quit_request, 0);
  tap({key_rshift, 'q'});
  EXPECT_EQ(quit_request, 1);
}

// Outside the field the step ends after the quit key.
TEST_F(DeveloperKeys, OtherModesStopAfterTheQuitKey) {
  GameMode = mode_menu;
  tap({key_f10});
  tap({'1'});
  tap({key_f6});
  tap({key_f4});
  EXPECT_TRUE(test_flag(flag_debug_overlay));
  EXPECT_FALSE(test_flag(flag_role_boxes));
  EXPECT_FALSE(test_flag(flag_mark_point));
  EXPECT_EQ(GameMode, mode_menu);
}

TEST_F(DeveloperKeys, F6EntersBaseBuildingWithoutRememberingTheField) {
  tap({key_f6});
  EXPECT_EQ(GameMode, mode_base_camp);
  EXPECT_EQ(SavedGameMode, mode_title);
}

TEST_F(DeveloperKeys, DigitsToggleTheViews) {
  struct Case {
    KeyCode key;
    int flag;
  };
  for (const Case& c : {Case{'1', flag_role_boxes}, Case{'2', flag_note_boxes}, Case{'3', flag_edit_point_box},
                        Case{'4', flag_collision_view}, Case{'5', flag_wall_boxes}, Case{'6', flag_field_wireframe},
                        Case{'9', flag_switch_9}, Case{'8', flag_switch_8}}) {
    tap({c.key});
    EXPECT_TRUE(test_flag(c.flag)) << c.key;
    tap({c.key});
    EXPECT_FALSE(test_flag(c.flag)) << c.key;
  }
}

TEST_F(DeveloperKeys, F5BeforeAnyF4DoesNothing) {
  gmMapRole[4].X = 77.0f;
  tap({key_f5});
  EXPECT_FLOAT_EQ(gmMapRole[4].X, 77.0f);
  EXPECT_EQ(gmMapRole[player_role_index].STATE & state_held, 0u);
}

// The mark keeps its own copy: a talk queued after F4 overwrites the talk-start backup, not the
// mark.
TEST_F(DeveloperKeys, F5RestoresTheMarkedFlagsRolesAndTalksAfterATalk) {
  set_flag(flag_mechanism_listed_0);
  tap({key_f4});
  EXPECT_TRUE(test_flag(flag_mark_point));
  MapRole talk;
  talk.RoleID = 1004;
  talk.TALK = 9;
  gmMapRole[4].X = 500.0f;
  ASSERT_EQ(add_talks_proc(&talk), 1);
  gmMapRole[4].X = 900.0f;
  gmMapRoleCount = 5;
  clear_flag(flag_mechanism_listed_0);
  set_flag(flag_mechanism_listed_1);
  tap({key_f5});
  EXPECT_EQ(gmMapRoleCount, 6);
  EXPECT_FLOAT_EQ(gmMapRole[4].X, 40.0f);
  EXPECT_TRUE(test_flag(flag_mechanism_listed_0));
  EXPECT_FALSE(test_flag(flag_mechanism_listed_1));
  EXPECT_EQ(find_talks_proc(1004), 0);
  EXPECT_EQ(talk_queue_used, 0);
  EXPECT_NE(gmMapRole[player_role_index].STATE & state_held, 0u);
}

// The talk files reloaded after F4: the marked talk's offset into the old file means nothing, so
// the restored talk starts again from its beginning.
TEST_F(DeveloperKeys, AReloadAfterTheMarkRestartsTheMarkedTalks) {
  MapRole talk;
  talk.RoleID = 1004;
  talk.TALK = 9;
  ASSERT_EQ(add_talks_proc(&talk), 1);
  TalkEventQueue[0].talk_start = 40;
  TalkEventQueue[0].talk_offset = 52;
  tap({key_f4});
  tap({key_lshift, key_f1});
  tap({key_f5});
  EXPECT_EQ(find_talks_proc(1004), 9);
  EXPECT_EQ(TalkEventQueue[0].talk_start, 0u);
  EXPECT_EQ(TalkEventQueue[0].talk_offset, 0u);
}

TEST_F(DeveloperKeys, AMarkIsNeverRestoredOnAnotherMap) {
  tap({key_f4});
  map_record.map_number = 2;
  gmMapRoleCount = 5;
  gmMapRole[4].X = 900.0f;
  tap({key_f5});
  EXPECT_EQ(gmMapRoleCount, 5);
  EXPECT_FLOAT_EQ(gmMapRole[4].X, 900.0f);
  EXPECT_EQ(gmMapRole[player_role_index].STATE & state_held, 0u);
}

TEST_F(DeveloperKeys, F2OffRestoresTheSceneOfF2On) {
  field_camera_state.target_point[0] = 12.0f;
  tap({key_f2});
  EXPECT_TRUE(test_flag(flag_edit_mode));
  EXPECT_TRUE(test_flag(flag_collisions_off));
  EXPECT_EQ(field_camera.get_mode(), camera_mode_orbit);
  EXPECT_FLOAT_EQ(edit_point[0], 12.0f);
  EXPECT_EQ(edit_role_index, player_role_index);
  MapRole talk;
  talk.RoleID = 1004;
  talk.TALK = 9;
  gmMapRole[5].X = 300.0f;
  add_talks_proc(&talk);  // a talk's own backup must not become the edit mode's
  gmMapRole[5].X = 600.0f;
  view_scale = 3.0f;
  field_camera_state.target_point[0] = 99.0f;
  tap({key_f2});
  EXPECT_FALSE(test_flag(flag_edit_mode));
  EXPECT_FALSE(test_flag(flag_collisions_off));
  EXPECT_FLOAT_EQ(gmMapRole[5].X, 50.0f);
  EXPECT_FLOAT_EQ(view_scale, 10.0f);
  EXPECT_FLOAT_EQ(field_camera_state.target_point[0], 12.0f);
}

TEST_F(DeveloperKeys, F2OffOnAMapWithAFixedEyeGivesTheCameraItsEye) {
  tap({key_f2});
  map_record.file_flags = map_file_fixed_eye;
  tap({key_f2});
  EXPECT_EQ(field_camera.get_mode(), camera_mode_outside_eye);
}

TEST_F(DeveloperKeys, TheMinimapZoomStartsAt15AndNeverGoesBelowOne) {
  map_record.map_flags = map_has_minimap;
  tap({key_pad_plus});
  EXPECT_EQ(minimap_zoom, 16);
  EXPECT_FLOAT_EQ(minimap.scale(), 1.0f / 16.0f);
  minimap_zoom = 1;
  tap({key_pad_minus});
  EXPECT_EQ(minimap_zoom, 1);
  map_record.map_flags = 0;
  tap({key_pad_plus});
  EXPECT_EQ(minimap_zoom, 1);
}

// ---- The flag editor ----------------------------------------------------------------------------

class FlagEditor : public DeveloperKeys {
 protected:
  void SetUp() override {
    DeveloperKeys::SetUp();
    EXPECT_EQ(tap({key_f11}), 1);  // the pass ends in the editor
    ASSERT_TRUE(test_flag(flag_flag_editor));
  }
};

TEST_F(FlagEditor, CursorAndPageStayInBounds) {
  for (int i = 0; i < 12; ++i) tap({key_down});
  EXPECT_EQ(flag_editor_row, 9);
  for (int i = 0; i < 12; ++i) tap({key_right});
  EXPECT_EQ(flag_editor_column, 9);
  for (int i = 0; i < 12; ++i) tap({key_up});
  for (int i = 0; i < 12; ++i) tap({key_left});
  EXPECT_EQ(flag_editor_row, 0);
  EXPECT_EQ(flag_editor_column, 0);
  tap({key_page_up});
  EXPECT_EQ(flag_editor_base, 0);
  for (int i = 0; i < 81; ++i) tap({key_page_down});
  EXPECT_EQ(flag_editor_base, 8000);
  tap({key_home});
  EXPECT_EQ(flag_editor_base, 0);
  tap({key_end});
  EXPECT_EQ(flag_editor_base, 8000);
}

TEST_F(FlagEditor, SpaceTogglesTheFlagUnderTheCursor) {
  for (int i = 0; i < 3; ++i) tap({key_down});
  for (int i = 0; i < 7; ++i) tap({key_right});
  static_assert(flag_game_cleared == 37);  // row 3, column 7 of the first page
  tap({key_space});
  EXPECT_TRUE(test_flag(flag_game_cleared));
  tap({key_enter});
  EXPECT_FALSE(test_flag(flag_game_cleared));
}

TEST_F(FlagEditor, EscapeOrCtrlClosesIt) {
  for (KeyCode k : {key_escape, key_lctrl, key_rctrl}) {
    set_flag(flag_flag_editor);
    tap({k});
    EXPECT_FALSE(test_flag(flag_flag_editor)) << k;
  }
}

// ---- The dialogs' keys --------------------------------------------------------------------------

TEST_F(DeveloperKeys, F1RunsTheReloadDialogAndOkRestartsTheTalk) {
  reload_talk_number = 7;
  set_flag(flag_edit_mode);
  set_flag(flag_cursor_hidden);
  EXPECT_EQ(tap({key_f1}), 1);  // the dialog holds the frame
  ASSERT_TRUE(dialog_running());
  queue_dialog_answer({{{reload_edit_talk, "12"}}, {}, dialog_ok});
  dialog_frame();
  EXPECT_FALSE(dialog_running());
  EXPECT_EQ(find_talks_proc(12), 12);  // no speaker queued: the talk speaks for itself
  EXPECT_FALSE(test_flag(flag_edit_mode));
  EXPECT_FALSE(test_flag(flag_cursor_hidden));
}

TEST_F(DeveloperKeys, F1CancelRestartsNothing) {
  queue_dialog_answer({{}, {}, dialog_cancel});
  EXPECT_EQ(tap({key_f1}), 0);  // answered at once: the pass goes on
  EXPECT_FALSE(dialog_running());
  EXPECT_EQ(talk_queue_used, 0);
}

TEST_F(DeveloperKeys, ShiftTOpensTheRoleEditor) {
  EXPECT_EQ(tap({key_lshift, 't'}), 1);
  ASSERT_TRUE(dialog_running());
  EXPECT_EQ(running_dialog(), &IDD_ROLE_EDIT);
}

}  // namespace
