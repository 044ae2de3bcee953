// The field edit mode: keys and drags of one frame and what they do to the camera record, the
// edit point and the edited role.
#include <gtest/gtest.h>

#include <cstring>

#include "core/flags.h"
#include "core/game_flags.h"
#include "core/key_mapping.h"
#include "data/map_role.h"
#include "field/edit_mode.h"
#include "field/field_camera_state.h"
#include "g3d/view_zoom.h"
#include "tests/data/data_test.h"
#include "tests/devtools/key_driver.h"
#include "ui/dialog_runner.h"
#include "ui/talk_msg.h"

namespace {

class EditMode : public data_test::DataTest {
 protected:
  void SetUp() override {
    std::memset(flag_bytes, 0, sizeof flag_bytes);
    set_flag(flag_edit_mode);
    set_flag(flag_collisions_off);
    reset_edit_mode();
    abandon_dialog();
    clear_dialog_answers();
    field_camera_state = FieldCameraState{};
    field_camera = Camera{};
    view_scale = 10.0f;
    gmMapRoleCount = 6;
    for (int i = 0; i < gmMapRoleCount; ++i) {
      gmMapRole[i] = MapRole{};
      gmMapRole[i].RoleID = std::uint16_t(i < 4 ? party_role_first + i : 1000 + i);
    }
    player_role_index = 0;
    edit_role_index = 4;
    mouse_x = mouse_y = 100;
    keys_.release_all();
  }
  void TearDown() override {
    abandon_dialog();
    clear_dialog_answers();
    del_all_talkmsg();
    std::memset(flag_bytes, 0, sizeof flag_bytes);
    reset_edit_mode();
  }
  void frame(std::initializer_list<KeyCode> held = {}) {
    keys_.frame(held);
    field_edit_mode();
  }
  void tap(std::initializer_list<KeyCode> held) {
    frame(held);
    keys_.release_all();
  }
  static float& pitch() { return field_camera_state.target_angles[0]; }
  static float& yaw() { return field_camera_state.target_angles[1]; }
  static float& look() { return field_camera_state.look_distance; }
  KeyDriver keys_;
};

TEST_F(EditMode, WTurnsTheCameraAQuarterSnappedDown) {
  for (auto [from, to] : {std::pair{45.0f, 90.0f}, std::pair{300.0f, 0.0f}, std::pair{0.0f, 90.0f}, std::pair{270.0f, 0.0f}}) {
    yaw() = from;
    tap({'w'});
    EXPECT_FLOAT_EQ(yaw(), to) << from;
  }
}

TEST_F(EditMode, LeftDragsTurnThePitchAndStopAt270OnlyWhenItWrapped) {
  struct Case {
    float from;
    int pixels;
    float to;
  };
  for (const Case& c : {Case{10, 60, 340}, Case{10, 300, 270}, Case{340, 160, 260}, Case{350, -40, 10}}) {
    pitch() = c.from;
    mouse_x = mouse_y = 100;
    frame({key_mouse1});
    mouse_y = 100 + c.pixels;
    frame({key_mouse1});
    EXPECT_FLOAT_EQ(pitch(), c.to) << c.from << " " << c.pixels;
    keys_.release_all();
    frame();
  }
}

TEST_F(EditMode, RightDragsZoomAndStopAt100) {
  look() = 200.0f;
  frame({key_mouse2});
  mouse_y = 140;  // 40 pixels down: + 200
  frame({key_mouse2});
  EXPECT_FLOAT_EQ(look(), 400.0f);
  EXPECT_FLOAT_EQ(field_camera_state.distance, 400.0f);
  mouse_y = 0;  // far up
  frame({key_mouse2});
  EXPECT_FLOAT_EQ(look(), 100.0f);
  EXPECT_FLOAT_EQ(field_camera_state.distance, 100.0f);
  keys_.release_all();
  frame();
  mouse_y = 300;  // the drag has ended: nothing moves
  frame();
  EXPECT_FLOAT_EQ(look(), 100.0f);
}

TEST_F(EditMode, CtrlEndStopsAt50) {
  look() = 51.0f;
  tap({key_lctrl, key_end});
  EXPECT_FLOAT_EQ(look(), 50.0f);
  EXPECT_FLOAT_EQ(field_camera_state.distance, 50.0f);
  tap({key_home});
  EXPECT_FLOAT_EQ(look(), 100.0f);
}

TEST_F(EditMode, WithTheLookAtPointStillPageUpStillRaisesIt) {
  set_flag(flag_edit_look_still);
  field_camera_state.target_point[0] = 7.0f;
  tap({key_page_up});
  EXPECT_FLOAT_EQ(edit_point[1], 50.0f);
  EXPECT_FLOAT_EQ(field_camera_state.target_point[1], 50.0f);
  tap({key_caps_lock});  // the next role: the look-at point stays
  EXPECT_FLOAT_EQ(field_camera_state.target_point[0], 7.0f);
}

TEST_F(EditMode, HeldArrowsWalkTheRoleAt5AndADoublePressAt14) {
  set_flag(flag_edit_role_mode);
  frame();  // no move: the role speed
  const float z0 = gmMapRole[4].Z;
  frame({key_up});
  frame({key_up});
  EXPECT_NEAR(gmMapRole[4].Z - z0, 10.0f, 0.01f);
  const float z1 = gmMapRole[4].Z;
  keys_.double_press({key_up});
  field_edit_mode();
  EXPECT_NEAR(gmMapRole[4].Z - z1, 14.0f, 0.01f);
  frame({key_up});  // it stays while the key is held
  EXPECT_NEAR(gmMapRole[4].Z - z1, 28.0f, 0.01f);
}

TEST_F(EditMode, CapsLockWrapsToTheControlledRole) {
  edit_role_index = 5;  // the map's last role
  gmMapRole[0].X = 33.0f;
  tap({key_caps_lock});
  EXPECT_EQ(edit_role_index, 0);
  EXPECT_FLOAT_EQ(edit_point[0], 33.0f);
  // A full table has no slot after its last: the controlled role again, never slot 256.
  gmMapRoleCount = map_role_capacity;
  for (int i = 6; i < map_role_capacity; ++i) gmMapRole[i].RoleID = std::uint16_t(2000 + i);
  edit_role_index = map_role_capacity - 1;
  tap({key_caps_lock});
  EXPECT_EQ(edit_role_index, 0);
}

TEST_F(EditMode, ScaleKeysKeepTheViewScaleAtLeastAHalf) {
  view_scale = 0.7f;
  tap({'d'});
  EXPECT_FLOAT_EQ(view_scale, 0.5f);
  tap({'d'});
  EXPECT_FLOAT_EQ(view_scale, 0.5f);
  tap({'s'});
  EXPECT_FLOAT_EQ(view_scale, 1.0f);
}

TEST_F(EditMode, EnterLeavesTheModeAndKeepsTheEdits) {
  set_flag(flag_edit_role_mode);
  frame();
  frame({key_up});
  const float z = gmMapRole[4].Z;
  tap({key_enter});
  EXPECT_FALSE(test_flag(flag_edit_mode));
  EXPECT_FALSE(test_flag(flag_collisions_off));
  EXPECT_FLOAT_EQ(gmMapRole[4].Z, z);
}

// "取消" keeps the dialog's values, which still go to the role.
TEST_F(EditMode, SetActCancelStillAppliesTheLastAcceptedAnimation) {
  edit_dialog_act = 3001;
  edit_dialog_qq = 4;
  queue_dialog_answer({{{set_act_edit_act, "77"}}, {}, dialog_cancel});
  tap({'v'});
  EXPECT_FALSE(dialog_running());
  EXPECT_EQ(gmMapRole[4].anim.act, 3001);
  EXPECT_EQ(gmMapRole[4].anim.qq, 4);
  // No animation archive is loaded: the animation cannot play and the mode is left.
  EXPECT_FALSE(test_flag(flag_edit_animation));

  queue_dialog_answer({{{set_act_edit_act, "-1"}, {set_act_edit_qq, "5"}}, {}, dialog_ok});
  tap({'v'});
  EXPECT_EQ(edit_dialog_act, 65535);
  EXPECT_EQ(gmMapRole[4].anim.act, 65535);
  EXPECT_EQ(gmMapRole[4].anim.qq, 5);
}

TEST_F(EditMode, SetActOpensFilledWithTheKeptValues) {
  edit_dialog_act = 3001;
  edit_dialog_qq = 4;
  tap({'v'});
  ASSERT_TRUE(dialog_running());
  EXPECT_EQ(running_dialog(), &IDD_SET_ACT);
  EXPECT_EQ(get_dlg_item_text(set_act_edit_act), "3001");
  EXPECT_EQ(get_dlg_item_text(set_act_edit_qq), "4");
  EXPECT_EQ(dlg_focus_id(), set_act_edit_act);
}

}  // namespace
