// The field frame through the software device: what a battle or a hidden scene leaves alone,
// the frame of a map without its world, and the village frame and the minimap against their
// reference pictures.
#include <gtest/gtest.h>

#include "core/flags.h"
#include "core/game_flags.h"
#include "core/game_state_words.h"
#include "data/map_role.h"
#include "field/field_camera_state.h"
#include "field/field_draw.h"
#include "field/map_file.h"
#include "field/minimap.h"
#include "g3d/wld_grid.h"
#include "g3d/wld_world.h"
#include "gfx2d/memoryer.h"
#include "platform/display.h"
#include "tests/fixtures/sample_maps.h"
#include "tests/g3d/act_folder.h"
#include "tests/g3d/draw_fixture.h"

namespace {

constexpr std::uint16_t yellow_565 = 0xFFE0;

class FieldDraw : public DrawTest {
 protected:
  void SetUp() override {
    DrawTest::SetUp();
    for (int f : {flag_battle, flag_scene_hidden, flag_minimap_hidden, flag_cursor_hidden, flag_field_fog_off})
      clear_flag(f);
    talk_box_state = 0;
    map_record = MapRecord{};
    map_world = nullptr;
    for (MapRole& r : gmMapRole) r = MapRole{};
    gmMapRole[0].RoleID = 0xFF01;
    gmMapRole[0].STATE = state_player;
    player_role_index = 0;
    gmMapRoleCount = 4;
    field_camera = Camera{};
    field_camera.set_point(3000, 100, 2400);
    field_camera.set_angles(30, 20, 0);
    field_camera.set_distance(2500);
    field_camera.set_look_distance(2500);
    minimap = Minimap{};
    minimap.SetRect(10, 10, 160, 160);
    minimap.SetScale(30);
  }
  void TearDown() override {
    map_world = nullptr;
    Close_Memoryer();
    DrawTest::TearDown();
  }
  // The leader at (x, z) facing DIR, tracked by marker 1 as the map change sets it up.
  void place_leader(float x, float z, float dir) {
    MapRole& p = gmMapRole[0];
    p.X = x;
    p.Z = z;
    p.DIR = dir;
    minimap.SetTracked(1);
    minimap.AddMarker(1, 0xFFFFFF00, x, z, dir, 5, 0);
  }
};

TEST_F(FieldDraw, BattleOrHiddenSceneNeitherDrawsNorPresents) {
  for (int flag : {flag_battle, flag_scene_hidden}) {
    back()->colour_fill(nullptr, 0x1234);
    field_camera_state.current_point[0] = -1;
    set_flag(flag);
    const int shown = platform::presented_frame_count();
    draw_field();
    EXPECT_EQ(platform::presented_frame_count(), shown) << flag;
    EXPECT_EQ(pixel(320, 240), 0x1234) << flag;
    EXPECT_EQ(pixel(0, 0), 0x1234) << flag;
    EXPECT_EQ(field_camera_state.current_point[0], 3000.0f) << "the camera state is kept up even then";
    clear_flag(flag);
  }
}

TEST_F(FieldDraw, CameraStateTakesTheCurrentPointAnglesAndDistances) {
  draw_field();
  const FieldCameraState& s = field_camera_state;
  EXPECT_EQ(s.current_point[0], 3000.0f);
  EXPECT_EQ(s.current_point[2], 2400.0f);
  EXPECT_EQ(s.current_angles[0], 30.0f);
  EXPECT_EQ(s.current_angles[1], 20.0f);
  EXPECT_EQ(s.current_distance, 2500.0f);
  EXPECT_EQ(s.current_look_distance, 2500.0f);
}

TEST_F(FieldDraw, AMapWithoutItsWorldClearsAndPresents) {
  back()->colour_fill(nullptr, 0x1234);
  map_record.map_ready = 1;  // ready, but no world: nothing of it is drawn
  const int shown = platform::presented_frame_count();
  draw_field();
  EXPECT_EQ(platform::presented_frame_count(), shown + 1);
  EXPECT_EQ(drawn_pixels(), 0) << "only the black far-depth rectangle";
}

TEST_F(FieldDraw, MinimapShowsOnlyOnMinimapMapsWhenNothingHidesIt) {
  EXPECT_FALSE(field_minimap_shown());
  map_record.map_flags = map_has_minimap;
  EXPECT_TRUE(field_minimap_shown());
  for (int flag : {flag_cursor_hidden, flag_minimap_hidden}) {
    set_flag(flag);
    EXPECT_FALSE(field_minimap_shown()) << flag;
    clear_flag(flag);
  }
  talk_box_state = 1;
  EXPECT_FALSE(field_minimap_shown());
  talk_box_state = 0x10;
  EXPECT_TRUE(field_minimap_shown());
}

TEST_F(FieldDraw, VillageFrameWithMinimap) {
  use_test_textures();
  // The village's minimap picture: grass inside a wall, 200 x 200 pixels at the scale of 30.
  ASSERT_TRUE(kit::write_sample_archives(dir_.path()));
  Memoryer_SetPath((dir_.path() / "ACT").string().c_str());
  ASSERT_EQ(Init_Memoryer(), 1);
  test_support::ActFolder acts;
  ASSERT_TRUE(acts.open(kit::sample_map_act_blocks()));
  minimap.SetPicture(kit::sample_village_act, 1);
  G3dWld village;
  world(kit::sample_world(20001, 20002, 30001), &village);
  g3d_wld_build_grid(&village, 2500.0f);
  map_world = &village;
  map_record.map_ready = 1;
  map_record.map_flags = map_has_minimap;
  place_leader(3000, 2400, 180);  // the arrow points up the screen
  minimap.AddMarker(1131, 0xFFFF0000, 3600, 3000, 0, 5, 0);  // a marked role up and to the right
  minimap.AddMarker(40, 0xFF00FF00, 90000, 2400, 0, 6, 1);   // a place far off: held at the edge
  draw_field();
  EXPECT_EQ(pixel(84, 86), yellow_565) << "the player's arrow is in the middle of the box";
  // The picture scrolls with the leader: its pixel (45, 121) is left of the arrow, in the grass.
  const std::uint16_t grass = pixel(30, 86);
  EXPECT_EQ(red_of(grass), 110u >> 3);
  EXPECT_EQ(green_of(grass) >> 1, 170u >> 3);
  EXPECT_EQ(blue_of(grass), 90u >> 3);
  expect_reference("field_village_frame");
}

TEST_F(FieldDraw, TranslucentMinimap) {
  back()->colour_fill(nullptr, 0);
  d3d_device.clear_z_buffer();
  game_state_words[state_word_minimap_mode] = minimap_translucent;
  apply_minimap_mode();
  place_leader(1500, 1500, 45);
  minimap.AddMarker(1131, 0xFFFF0000, 1200, 1800, 0, 5, 0);
  minimap.AddMarker(1132, 0x80FFFFFF, 2100, 1500, 0, 4, 0);
  minimap.AddMarker(40, 0xFF00FF00, -9000, 1500, 0, 6, 1);
  minimap.Draw();
  expect_reference("field_minimap_translucent");
}

}  // namespace
