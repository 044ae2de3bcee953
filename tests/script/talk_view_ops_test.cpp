// Talk opcodes of the view and the screen: the player's walking bounds, the camera brought back
// to the player, the far distance, the screen shade over its frames, an effect at a role with
// its one-shot offset, and the return point there and back again on the sample game's maps.
#include "core/game_mode.h"
#include "data/map_role.h"
#include "field/field_camera_state.h"
#include "field/map_change.h"
#include "field/map_effects.h"
#include "field/map_file.h"
#include "field/role_move.h"
#include "field/talk_view.h"
#include "g3d/effects/effect_dat.h"
#include "g3d/effects/effect_manager.h"
#include "g3d/view_zoom.h"
#include "script/talk_ops.h"
#include "script/talk_state_words.h"
#include "tests/field/sample_map_test.h"
#include "tests/fixtures/effect_dat_writer.h"
#include "tests/fixtures/sample_data.h"
#include "tests/fixtures/sample_effects.h"
#include "tests/script/talk_group_test.h"
#include "ui/screen_fade.h"
#include "ui/talk_msg.h"

namespace {
using namespace script_test;

constexpr int done_flag = 600;

// 對話5 指令錯誤 <op>: 找不到指定之 角色ID<sep>2002
std::string no_role(int op, const char* sep) {
  return "\xB9\xEF\xB8\xDC" "5 \xAB\xFC\xA5O\xBF\xF9\xBB~ " + std::to_string(op) +
         ": \xA7\xE4\xA4\xA3\xA8\xEC\xAB\xFC\xA9w\xA4\xA7 \xA8\xA4\xA6\xE2ID" + sep + "2002";
}

class TalkView : public TalkGroupTest {
 protected:
  TalkView() {
    MapRole& v = gmMapRole[villager_index];
    v.X = 300;
    v.Y = 20;
    v.Z = 400;
    player_role_index = villager_index;
  }
  ~TalkView() override { fight_unit_effects.clear(); }

  // The settings a scene started with: gliding types and speeds of its own.
  static void save_scene_view() {
    FieldCameraState s;
    s.point_interp = s.angle_interp = s.dist_interp = camera_constant_speed;
    s.eye_mode = camera_eye_follows;
    s.point_speed = 7;
    s.angle_speed = 8;
    s.dist_speed = 9;
    s.point_divisor = s.angle_divisor = s.dist_divisor = 2;
    s.target_angles[1] = 45;
    s.look_distance = s.distance = 900;
    field_view_saved = s;
    saved_view_pair[0] = 12.0f;
    saved_view_pair[1] = 7000.0f;
  }
  // Queues talk 5 as a scene that started with those settings, and runs its first slice.
  MapRole& start_scene(const std::string& source) {
    load_talk(5, source);
    MapRole& ev = queue(5);
    save_scene_view();
    run_talk(&ev);
    return ev;
  }
  // Field frames (a camera step, then the talk's slice) until flag 600 is set; how many ran.
  int frames_until_done(MapRole& ev, void (*frame)(), int limit = 400) {
    int n = 0;
    while (n < limit && !test_flag(done_flag)) {
      frame();
      run_talk(&ev);
      ++n;
    }
    return n;
  }
  static void camera_frame() { field_camera.update(); }
  static void shade_frame() { draw_screen_dim(); }
};

TEST_F(TalkView, WalkBoundsAreTakenUnsignedAndOnlyOneSwitchesThemOn) {
  struct Case {
    std::uint16_t on;
    int expected_on;
  } cases[] = {{1, 1}, {0, 0}, {2, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.on);
    clear_flag(done_flag);
    MapRole& ev = start("walk_bounds 0 10 65535 1000 " + std::to_string(c.on) + "; set_flag 600; end");
    EXPECT_FALSE(test_flag(done_flag)) << "ends the slice";
    EXPECT_EQ(role_bounds.min_x, 0.0f);
    EXPECT_EQ(role_bounds.min_z, 10.0f);
    EXPECT_EQ(role_bounds.max_x, 65535.0f);
    EXPECT_EQ(role_bounds.max_z, 1000.0f);
    EXPECT_EQ(role_bounds.on, c.expected_on);
    run_talk(&ev);
    EXPECT_TRUE(test_flag(done_flag));
  }
}

TEST_F(TalkView, ASnappedReturnIsBackOnTheNextFrameWithTheScenesWaysOfMoving) {
  MapRole& ev = start_scene("view_return_snap; view_return; set_flag 600; end");
  EXPECT_EQ(view_return_snap, 1);
  run_talk(&ev);
  EXPECT_EQ(view_return_busy, 1);
  EXPECT_EQ(field_camera.get_point_interp(), camera_snap);
  EXPECT_EQ(view_scale, 12.0f);
  EXPECT_EQ(view_far, 7000.0f);
  EXPECT_EQ(field_camera_state.target_point[1], 120.0f) << "100 above the player's feet";
  field_camera.update();
  run_talk(&ev);
  EXPECT_EQ(view_return_busy, 0);
  EXPECT_EQ(view_return_snap, 0) << "one return only";
  EXPECT_EQ(field_camera.get_point_interp(), camera_constant_speed);
  EXPECT_EQ(field_camera.get_angle_interp(), camera_constant_speed);
  EXPECT_EQ(field_camera.get_dist_interp(), camera_constant_speed);
  EXPECT_EQ(field_camera_state.point_speed, 7.0f);
  EXPECT_EQ(field_camera_state.dist_divisor, 2.0f);
  float x = 0, z = 0;
  field_camera.get_point(nullptr, nullptr, nullptr, &x, nullptr, &z);
  EXPECT_EQ(x, 300.0f);
  EXPECT_EQ(z, 400.0f);
  run_talk(&ev);
  EXPECT_TRUE(test_flag(done_flag));
}

TEST_F(TalkView, AReturnWithoutSnapGlidesOverSeveralFrames) {
  MapRole& ev = start_scene("view_return; set_flag 600; end");
  EXPECT_EQ(field_camera.get_point_interp(), camera_proportional);
  EXPECT_EQ(field_camera_state.point_speed, 20.0f);
  EXPECT_EQ(field_camera_state.point_divisor, 10.0f);
  const int frames = frames_until_done(ev, camera_frame);
  EXPECT_GT(frames, 3);
  EXPECT_LT(frames, 400);
  EXPECT_EQ(field_camera_state.point_speed, 7.0f) << "the scene's speeds again";
}

TEST_F(TalkView, AFixedEyeMapPutsTheEyeBackAndPassesAtOnce) {
  fixed_eye.on = 1;
  map_record.fixed_eye = {11, 1500, 13, 0};
  MapRole& ev = start_scene("view_return; set_flag 600; end");
  EXPECT_EQ(field_camera.get_mode(), camera_mode_outside_eye);
  field_camera.set_eye_mode(camera_eye_glides);
  field_camera.set_eye_speed(1e6f);
  field_camera.update();  // the eye reaches its goal in one step
  G3dVector eye{};
  field_camera.get_eye(&eye);
  EXPECT_EQ(eye.y, 1500.0f) << "the map's one fixed eye point";
  EXPECT_EQ(view_return_busy, 0);
  run_talk(&ev);
  EXPECT_TRUE(test_flag(done_flag));
  fixed_eye = FixedEye{};
  map_record.fixed_eye = {};
}

TEST_F(TalkView, TheShadeDarkensOver17FramesAndSwitchesOffWhenBrightAgain) {
  MapRole& ev = start("screen_shade 0 255 15; set_flag 600; screen_shade 255 0 15; set_flag 601; end");
  EXPECT_EQ(shade_busy, 1);
  int frames = 0;
  while (frames < 40 && at(ev) == 0) {
    draw_screen_dim();
    ++frames;
    run_talk(&ev);
  }
  EXPECT_EQ(frames, 17);
  EXPECT_EQ(screen_dim.alpha, 255);
  EXPECT_EQ(shade_busy, 0);
  run_talk(&ev);
  ASSERT_TRUE(test_flag(done_flag));
  EXPECT_NE(screen_dim.step, 0.0f) << "it stays drawn at its target";
  frames = 0;
  while (frames < 40 && !test_flag(601)) {
    draw_screen_dim();
    ++frames;
    run_talk(&ev);
  }
  EXPECT_EQ(frames, 18) << "17 frames, then the slice after the pass";
  EXPECT_EQ(screen_dim.alpha, 0);
  EXPECT_EQ(screen_dim.step, 0.0f) << "the shade is off";
}

TEST_F(TalkView, AShadeOfStepZeroTakesItsTargetAtOnce) {
  MapRole& ev = start("screen_shade 0 200 0; set_flag 600; end");
  EXPECT_EQ(shade_busy, 0);
  EXPECT_EQ(screen_dim.alpha, 200);
  EXPECT_EQ(screen_dim.done, 1);
  EXPECT_NE(screen_dim.step, 0.0f) << "drawn at its alpha";
  run_talk(&ev);
  EXPECT_TRUE(test_flag(done_flag));

  start("screen_shade 200 0 0; end");
  EXPECT_EQ(screen_dim.alpha, 0);
  EXPECT_EQ(screen_dim.step, 0.0f);
}

TEST_F(TalkView, AnEventThatLeavesWhileTheShadeOrTheReturnRunsTakesItsMarkWithIt) {
  MapRole& ev = start("screen_shade 0 255 1; end");
  ASSERT_EQ(shade_busy, 1);
  del_talk_event(&ev);
  EXPECT_EQ(shade_busy, 0);
  MapRole& next = start_scene("view_return; end");
  ASSERT_EQ(view_return_busy, 1);
  del_talk_event(&next);
  EXPECT_EQ(view_return_busy, 0);
  // The next shade starts from its own values.
  start("screen_shade 10 20 1; end");
  EXPECT_EQ(screen_dim.alpha, 10);
  EXPECT_EQ(screen_dim.target_alpha, 20);
}

TEST_F(TalkView, WaitingForTheCameraHoldsUntilEverythingArrived) {
  field_camera.set_point_interp(camera_constant_speed);
  field_camera.set_point_speed(100);
  field_camera.set_point(0, 0, 250);
  MapRole& ev = start("wait_camera; set_flag 600; end");
  EXPECT_EQ(at(ev), 0u);
  EXPECT_EQ(frames_until_done(ev, camera_frame), 4) << "three steps, then the slice after the pass";
}

TEST_F(TalkView, TheFarDistanceIsSetAndAFarAtTheNearPlaneKeepsTheView) {
  start("far_distance 30000; end");
  EXPECT_EQ(view_far, 30000.0f);
  start("far_distance 0; end");
  EXPECT_EQ(view_far, 30000.0f);
}

// The effect goes to the manager of the screen the talk runs on, which updates it: on the field
// it gives particles; the offset serves the first effect only.
TEST_F(TalkView, AnEffectPlaysWhereTheTalkRunsAndItsOffsetServesOneEffectOnly) {
  dir.write("ACT/Effect.dat", fixtures::as_string(kit::effect_dat_file({{3, kit::streak_fountain_def()}})));
  set_effect_path((game_dir + "\\ACT").c_str());
  struct Case {
    int mode;
    EffectManager* manager;
    EffectManager* other;
  } cases[] = {{mode_field, &field_effects, &fight_unit_effects},
               {mode_battle, &fight_unit_effects, &field_effects},
               {mode_title, &fight_unit_effects, &field_effects}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    field_effects.clear();
    fight_unit_effects.clear();
    const std::size_t reported = messages().size();
    GameMode = c.mode;
    MapRole& ev = start("effect_offset 5L -6L 7L; role_effect 1001 3; role_effect 1001 3; role_effect 2002 3; end");
    EXPECT_EQ(effect_offset[1], -6.0f);
    run_talk(&ev);
    run_talk(&ev);
    ParticleEmitter* first = c.manager->get(0);
    ParticleEmitter* second = c.manager->get(1);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(first->position.x, 305.0f);
    EXPECT_EQ(first->position.y, 14.0f);
    EXPECT_EQ(first->position.z, 407.0f);
    EXPECT_EQ(second->position.x, 300.0f) << "the offset was used up";
    EXPECT_EQ(second->position.z, 400.0f);
    run_talk(&ev);
    ASSERT_EQ(messages().size(), reported + 1);
    EXPECT_EQ(messages().back(), no_role(154, "="));
    EXPECT_EQ(c.manager->size(), 2);
    EXPECT_EQ(c.other->size(), 0);
    for (int frame = 0; frame < 30; ++frame) c.manager->update(33);
    EXPECT_GT(first->live_count, 0);
  }
  GameMode = mode_field;
}

TEST_F(TalkView, LookingAtAPartOfARoleNotOnTheMapIsReportedAndPassed) {
  MapRole& ev = start("look_at_part 2002 0; set_flag 600; end");
  EXPECT_EQ(messages(), std::vector<std::string>{no_role(130, ":")});
  EXPECT_EQ(talk_camera_busy, 0);
  run_talk(&ev);
  EXPECT_TRUE(test_flag(done_flag));
}

TEST_F(TalkView, LookingAtAPartOfARoleWithoutAModelKeepsTheGoalAndWaitsAsTheCameraDoes) {
  field_camera_state.target_point[0] = 5;
  MapRole& ev = start("point_interp 2; control_on; look_at_part 1001 0; set_flag 600; end");
  EXPECT_EQ(talk_camera_busy, 1);
  EXPECT_EQ(field_camera_state.target_point[0], 5.0f);
  run_talk(&ev);
  EXPECT_EQ(talk_camera_busy, 0);
  run_talk(&ev);
  EXPECT_TRUE(test_flag(done_flag));
}

// The sample game's maps: the return point remembered in the village, left for the path
// and back; a look at a tagged part of a role's model.
class TalkOnSampleMaps : public field_test::SampleMapTest {
 protected:
  TalkOnSampleMaps() {
    read_maps_role(0);
    leader_id = leader().RoleID;
    set_maps_role_map(leader_id, fixtures::sample_village);
    enter_map(fixtures::sample_village, 3000, 0, 1200, 90);
  }
  ~TalkOnSampleMaps() override {
    for (MapRole& ev : TalkEventQueue) ev = MapRole{};
    clear_flag(done_flag);
    clear_return_point();
  }
  MapRole& leader() { return gmMapRole[player_role_index]; }
  MapRole& queue_talk(const std::string& source) {
    constexpr std::uint16_t test_talk = 60;
    const int slot = talk_slot(test_talk);
    EXPECT_TRUE(install_talk_file(slot, fixtures::talk_file_image(slot, {{test_talk, fixtures::assemble_talk(source)}})));
    gmTmpTalk = MapRole{};
    gmTmpTalk.RoleID = narrator_role;
    gmTmpTalk.TALK = test_talk;
    EXPECT_EQ(add_talks_proc(&gmTmpTalk), 1);
    for (MapRole& ev : TalkEventQueue)
      if (ev.RoleID == narrator_role) return ev;
    return TalkEventQueue[0];
  }
  void run_until_done(MapRole& ev) {
    for (int i = 0; i < 10 && !test_flag(done_flag); ++i) run_talk(&ev);
  }
  std::uint16_t leader_id = 0;
};

TEST_F(TalkOnSampleMaps, ThereAndBackAgain) {
  leader().Z = 1250;
  field_camera_state.target_angles[1] = 33;
  field_camera_state.distance = 880;
  view_far = 9000;
  MapRole& ev = queue_talk(
      "save_return; map_change 102 1000L 0L 3000L 270 6000; message_box 0 0 40 300 40 300 0 560 140 0 \"A\";"
      "go_return; set_flag 600; end");
  run_talk(&ev);
  const ReturnPoint p = get_return_point();
  EXPECT_EQ(p.map, fixtures::sample_village);
  EXPECT_EQ(p.z, 1250.0f);
  EXPECT_EQ(p.dir, 90.0f);
  EXPECT_EQ(p.far_distance, 9000.0f);
  EXPECT_EQ(p.view.target_angles[1], 33.0f);
  EXPECT_EQ(talk_state_words[37], std::uint32_t{fixtures::sample_village}) << "the map's stored place";

  run_talk(&ev);
  ASSERT_EQ(map_record.map_number, fixtures::sample_path);
  field_camera_state.target_angles[1] = 0;
  EXPECT_EQ(talkmsg_count(), 1);
  run_until_done(ev);
  EXPECT_TRUE(test_flag(done_flag));
  EXPECT_EQ(talkmsg_count(), 0) << "the boxes are closed";
  EXPECT_EQ(map_record.map_number, fixtures::sample_village);
  EXPECT_EQ(leader().RoleID, leader_id);
  EXPECT_EQ(leader().X, 3000.0f);
  EXPECT_EQ(leader().Z, 1250.0f);
  EXPECT_EQ(leader().DIR, 90.0f);
  EXPECT_EQ(view_far, 9000.0f);
  EXPECT_EQ(field_camera_state.target_angles[1], 33.0f);
  EXPECT_EQ(field_camera_state.distance, 880.0f);
  EXPECT_TRUE(return_point_empty()) << "used once";
}

TEST_F(TalkOnSampleMaps, AMapWhoseEyeFollowsTheLeaderRemembersTheFixedEye) {
  map_record.map_flags |= map_eye_follows_height;
  map_record.fixed_eye = {40, 1400, 60, 0};
  MapRole& ev = queue_talk("save_return; go_return; set_flag 600; end");
  run_talk(&ev);
  const ReturnPoint p = get_return_point();
  EXPECT_EQ(p.view.camera_mode, camera_mode_outside_eye);
  EXPECT_EQ(p.view.eye[0], 40.0f);
  EXPECT_EQ(p.view.eye[2], 60.0f);
  run_until_done(ev);
  EXPECT_EQ(field_camera_state.camera_mode, camera_mode_outside_eye);
  EXPECT_EQ(field_camera_state.eye[1], 1400.0f);
}

TEST_F(TalkOnSampleMaps, GoingBackWithNothingRememberedIsReportedAndChangesNothing) {
  MapRole& ev = queue_talk("message_box 0 0 40 300 40 300 0 560 140 0 \"A\"; go_return; set_flag 600; end");
  run_talk(&ev);
  reset_debug_log(nullptr);
  const float x = leader().X;
  run_until_done(ev);
  EXPECT_TRUE(test_flag(done_flag)) << "passed";
  EXPECT_EQ(talkmsg_count(), 1) << "nothing was closed";
  EXPECT_EQ(map_record.map_number, fixtures::sample_village);
  EXPECT_EQ(leader().X, x);
  // 對話60 指令錯誤 163: 沒有記住返回點
  EXPECT_TRUE(logged("\xB9\xEF\xB8\xDC" "60 \xAB\xFC\xA5O\xBF\xF9\xBB~ 163: \xA8S\xA6\xB3\xB0O\xA6\xED\xAA\xF0\xA6^\xC2I"));
}

TEST_F(TalkOnSampleMaps, TheCameraLooksAtTheTaggedPartOfARolesModel) {
  constexpr std::uint16_t rig_role = 3001;
  // The rig's model under its own number (the sample game keeps it under another).
  const std::vector<std::uint8_t> rig = kit::ply_file(kit::camera_rig_model(10001));
  dir.write("MODEL/IT00005.PLY", std::string(rig.begin(), rig.end()));
  MapRole& r = gmMapRole[gmMapRoleCount++];
  r = MapRole{};
  r.RoleID = rig_role;
  r.X = 500;
  r.Z = 700;
  r.anim.resource = kit::sample_rig_model;
  r.anim.scale[0] = r.anim.scale[1] = r.anim.scale[2] = 1;
  field_camera.set_point_interp(camera_constant_speed);
  field_camera_state.target_point[0] = 5;
  MapRole& ev = queue_talk("look_at_part 3001 1; look_at_part 3001 7; set_flag 600; end");
  run_talk(&ev);
  EXPECT_EQ(talk_camera_busy, 1);
  EXPECT_FLOAT_EQ(field_camera_state.target_point[0], 500 + kit::rig_target[0]);
  EXPECT_FLOAT_EQ(field_camera_state.target_point[1], kit::rig_target[1]);
  EXPECT_FLOAT_EQ(field_camera_state.target_point[2], 700 + kit::rig_target[2]);
  G3dVector goal{};
  field_camera.get_point(&goal.x, &goal.y, &goal.z, nullptr, nullptr, nullptr);
  EXPECT_FLOAT_EQ(goal.x, 500 + kit::rig_target[0]);

  field_camera_state.control_mode = 1;
  run_talk(&ev);
  EXPECT_EQ(talk_camera_busy, 0) << "passed without waiting";
  run_talk(&ev);
  EXPECT_FLOAT_EQ(field_camera_state.target_point[0], 500 + kit::rig_target[0]) << "no part tagged 7: kept";
  EXPECT_EQ(talk_camera_busy, 1);
}

}  // namespace
