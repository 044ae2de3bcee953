// The debug overlays over the village: nothing without their flags, nothing of a world that is
// not there, the boxes and triangles as a reference frame, the picked role, and the flag page.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <tuple>

#include "core/flags.h"
#include "core/game_flags.h"
#include "core/key_mapping.h"
#include "field/debug_overlay.h"
#include "field/field_controller.h"
#include "field/field_draw.h"
#include "field/role_pick.h"
#include "devtools/reload_dialog.h"
#include "devtools/role_edit_dialog.h"
#include "field/edit_mode.h"
#include "gfx2d/big5_gb_table.h"
#include "gfx2d/game_fonts.h"
#include "gfx2d/glyph_font.h"
#include "core/frame_timer.h"
#include "script/talk_queue.h"
#include "tests/field/village_scene.h"
#include "tests/gfx2d/fake_font.h"
#include "ui/dialog_runner.h"
#include "tests/platform/raster/reference_image.h"

namespace {

using test_support::back_frame;

class Overlays : public ::testing::Test {
 protected:
  void SetUp() override {
    std::memset(flag_bytes, 0, sizeof flag_bytes);
    ASSERT_TRUE(scene_.ok());
    // Text in the test's own font, so that the frames do not depend on a font file.
    fake_font::install_game_fonts();
    init_big5_gb();
    // The compass under the minimap spins a little every drawn frame: the frames leave it out.
    set_flag(flag_minimap_hidden);
    current_fps = 35.0f;
    game_clock = 61000;
    mouse_x = mouse_y = 0;
    draw_field();
  }
  void TearDown() override {
    abandon_dialog();
    debug_picked_role = -1;
    clear_dialog_answers();
    fake_font::release_game_fonts();
    std::memset(flag_bytes, 0, sizeof flag_bytes);
  }
  static void expect_reference(const char* name) {
    const std::string failure = test_support::compare_with_reference(name, back_frame());
    EXPECT_TRUE(failure.empty()) << failure;
  }
  test_support::VillageScene scene_;
};

TEST_F(Overlays, WithoutTheirFlagsNothingIsDrawn) {
  clear_flag(flag_minimap_hidden);
  const test_support::Frame565 before = back_frame();
  draw_debug_info();
  EXPECT_EQ(back_frame().pixels, before.pixels);
}

// The collision views read the map's world, which a map change can leave null.
TEST_F(Overlays, WithoutAWorldTheCollisionViewsDrawNothing) {
  G3dWld* world = map_world;
  map_world = nullptr;
  set_flag(flag_collision_view);
  set_flag(flag_wall_boxes);
  const test_support::Frame565 before = back_frame();
  draw_debug_info();
  const test_support::Frame565 after = back_frame();
  map_world = world;
  EXPECT_EQ(after.pixels, before.pixels);
}

TEST_F(Overlays, BoxesAndTrianglesOverTheVillage) {
  for (int f : {flag_role_boxes, flag_note_boxes, flag_collision_view, flag_wall_boxes}) set_flag(f);
  draw_field();
  const std::string failure = test_support::compare_with_reference("devtools_village_boxes", back_frame());
  EXPECT_TRUE(failure.empty()) << failure;
}

// Two roles in the same place under the mouse: the equal depth goes to the later one.
TEST_F(Overlays, PickingTakesTheNearestRoleAndTheLaterOnATie) {
  const int a = 4, b = 5;
  gmMapRole[b].X = gmMapRole[a].X, gmMapRole[b].Y = gmMapRole[a].Y, gmMapRole[b].Z = gmMapRole[a].Z;
  gmMapRole[b].DIR = gmMapRole[a].DIR, gmMapRole[b].scale = gmMapRole[a].scale, gmMapRole[b].anim.box = gmMapRole[a].anim.box;
  bool found = false;
  float depth = 0;
  for (int y = 0; y < 480 && !found; y += 4)
    for (int x = 0; x < 640 && !found; x += 4)
      if (pick_role_box(gmMapRole[a], float(x), float(y), true, &depth)) mouse_x = x, mouse_y = y, found = true;
  ASSERT_TRUE(found);
  set_flag(flag_debug_overlay);
  draw_debug_info();
  EXPECT_EQ(debug_picked_role, b);
}

TEST_F(Overlays, TheTextPanel) {
  set_flag(flag_debug_overlay);
  draw_field();
  // The texture line counts what earlier draws of the process left in the device's caches: it
  // is blanked before the comparison.
  test_support::Frame565 frame = back_frame();
  std::fill(frame.pixels.begin() + 125 * 640, frame.pixels.begin() + 145 * 640, std::uint16_t{0});
  const std::string failure = test_support::compare_with_reference("devtools_text_panel", frame);
  EXPECT_TRUE(failure.empty()) << failure;
}

TEST_F(Overlays, TheEditModePanelWithItsBoxes) {
  set_flag(flag_debug_overlay);
  set_flag(flag_edit_mode);
  set_flag(flag_edit_point_box);
  set_flag(flag_edit_role_mode);
  edit_role_index = 5;
  field_camera_state.target_point[0] = gmMapRole[5].X;
  field_camera_state.target_point[1] = gmMapRole[5].Y;
  field_camera_state.target_point[2] = gmMapRole[5].Z;
  draw_field();
  expect_reference("devtools_edit_panel");
}

// Each dialog over the frozen frame of the village.
TEST_F(Overlays, TheDialogs) {
  struct Case {
    const DialogTable* table;
    DialogProc proc;
    const char* reference;
  };
  reload_talk_number = 12;
  edit_dialog_act = 3001;
  edit_dialog_qq = 4;
  for (const Case& c : {Case{&IDD_RELOAD, reload_dialog_proc, "devtools_dialog_reload"},
                        Case{&IDD_ROLE_EDIT, role_edit_dialog_proc, "devtools_dialog_role_edit"},
                        Case{&IDD_SET_ACT, set_act_dlg_proc, "devtools_dialog_set_act"}}) {
    draw_field();
    ASSERT_EQ(run_dialog(*c.table, c.proc, nullptr), 1);
    dialog_frame();
    expect_reference(c.reference);
    abandon_dialog();
  }
}

TEST_F(Overlays, TheFlagPage) {
  flag_editor_base = 100;
  flag_editor_row = 3;
  flag_editor_column = 7;
  for (int f : {flag_mechanism_listed_0 + 100 - 30 + 7, 100 + 37}) set_flag(f);
  draw_debug_flags();
  flag_editor_base = flag_editor_row = flag_editor_column = 0;
  expect_reference("devtools_flag_page");
}

}  // namespace
