// Talk opcodes of the field camera: the settings go to the camera and its settings record, the
// goals make the talk wait (or not) by the control mode and flag 8031, the follow opcode snaps in
// one call, the eye follows the map's fixed eye, and an event that leaves while it waits takes
// the camera's busy mark with it.
#include "field/field_camera_state.h"
#include "field/map_change.h"
#include "field/map_file.h"
#include "g3d/view_zoom.h"
#include "script/talk_ops.h"
#include "tests/script/talk_group_test.h"

namespace {
using namespace script_test;

constexpr int done_flag = 600;

// 對話5 指令錯誤 71: 找不到指定之 角色ID:2002
const std::string no_role_71 =
    "\xB9\xEF\xB8\xDC" "5 \xAB\xFC\xA5O\xBF\xF9\xBB~ 71: \xA7\xE4\xA4\xA3\xA8\xEC\xAB\xFC\xA9w\xA4\xA7 "
    "\xA8\xA4\xA6\xE2ID:2002";

class TalkCamera : public TalkGroupTest {
 protected:
  TalkCamera() {
    MapRole& v = gmMapRole[villager_index];
    v.X = 100;
    v.Y = 50;
    v.Z = 200;
    player_role_index = villager_index;
  }
  ~TalkCamera() override { clear_flag(flag_talk_waits_path); }

  // Field frames (a camera step, then the talk's slice) until flag 600 is set; how many ran.
  int frames_until_done(MapRole& ev, int limit = 50) {
    int n = 0;
    while (n < limit && !test_flag(done_flag)) {
      field_camera.update();
      run_talk(&ev);
      ++n;
    }
    return n;
  }
  static G3dVector point_goal() {
    G3dVector g{};
    field_camera.get_point(&g.x, &g.y, &g.z, nullptr, nullptr, nullptr);
    return g;
  }
  static G3dVector point_now() {
    G3dVector c{};
    field_camera.get_point(nullptr, nullptr, nullptr, &c.x, &c.y, &c.z);
    return c;
  }
};

TEST_F(TalkCamera, SettingsReachTheCameraAndItsRecordAndTheScriptGoesOn) {
  MapRole& ev = start(
      "camera_interp 2; point_speed 30; angle_speed -4; distance_speed 7; control_on; eye_mode 3;"
      "point_interp 3; angle_interp 1; eye_speed 9; camera_mode 4; set_flag 600; end");
  EXPECT_TRUE(test_flag(done_flag)) << "every setting goes on";
  const FieldCameraState& v = field_camera_state;
  EXPECT_EQ(v.control_mode, 1);
  EXPECT_EQ(v.point_interp, 3);
  EXPECT_EQ(v.angle_interp, 1);
  EXPECT_EQ(v.dist_interp, 2);
  EXPECT_EQ(v.eye_mode, 3);
  EXPECT_EQ(v.point_speed, 30.0f);
  EXPECT_EQ(v.point_divisor, 30.0f);
  EXPECT_EQ(v.angle_speed, -4.0f) << "the record keeps what the script said";
  EXPECT_EQ(v.dist_speed, 7.0f);
  EXPECT_EQ(v.dist_divisor, 7.0f);
  EXPECT_EQ(field_camera.get_point_interp(), 3);
  EXPECT_EQ(field_camera.get_angle_interp(), 1);
  EXPECT_EQ(field_camera.get_dist_interp(), 2);
  EXPECT_EQ(field_camera.get_mode(), camera_mode_outside_eye);
  EXPECT_EQ(ev.RoleID, 0) << "the script ended";

  start("control_off; distance_interp 3; set_flag 601; end");
  EXPECT_EQ(field_camera_state.control_mode, 0);
  EXPECT_EQ(field_camera_state.dist_interp, 3);
  EXPECT_EQ(field_camera.get_dist_interp(), 3);
}

TEST_F(TalkCamera, APointGoalWaitsForTheCameraInControlModeZero) {
  MapRole& ev = start("camera_interp 2; point_speed 100; control_off; camera_point 0L 0L 300L; set_flag 600; end");
  EXPECT_FALSE(test_flag(done_flag));
  EXPECT_EQ(talk_camera_busy, 1);
  EXPECT_EQ(field_camera_state.target_point[2], 300.0f);
  EXPECT_EQ(point_goal().z, 300.0f);
  const int frames = frames_until_done(ev);
  EXPECT_GE(frames, 2) << "the first frame only set the goal";
  EXPECT_LT(frames, 50);
  EXPECT_TRUE(field_camera.point_arrived());
  EXPECT_EQ(talk_camera_busy, 0);
}

TEST_F(TalkCamera, ControlModeOneGoesOnAtOnceWithFlag8031ElseOnTheNextFrame) {
  constexpr unsigned angles_at = 6, after_angles = 16;
  // The camera never moves: it does not matter in control mode 1.
  const std::string source = "camera_interp 2; control_on; camera_angles 10 20 30 1; set_flag 600; end";
  set_flag(flag_talk_waits_path);
  start(source);
  EXPECT_TRUE(test_flag(done_flag)) << "set and passed in the same call";
  EXPECT_EQ(talk_camera_busy, 0);

  clear_flag(done_flag);
  clear_flag(flag_talk_waits_path);
  MapRole& ev = start(source);
  EXPECT_EQ(at(ev), angles_at) << "the goal is set";
  EXPECT_EQ(talk_camera_busy, 1);
  run_talk(&ev);
  EXPECT_EQ(at(ev), after_angles) << "passed on the next frame, which ends there";
  EXPECT_FALSE(test_flag(done_flag));
  EXPECT_EQ(talk_camera_busy, 0);
  EXPECT_EQ(field_camera_state.target_angles[1], 20.0f);
  EXPECT_FALSE(field_camera.angles_arrived());
  run_talk(&ev);
  EXPECT_TRUE(test_flag(done_flag));
}

TEST_F(TalkCamera, ADistanceSetsTheLookAndTheEyeDistanceGoals) {
  start("control_on; camera_distance 500; end");
  float eye = 0, look = 0;
  field_camera.get_distance(&eye, nullptr);
  field_camera.get_look_distance(&look, nullptr);
  EXPECT_EQ(eye, 500.0f);
  EXPECT_EQ(look, 500.0f);
  EXPECT_EQ(field_camera_state.distance, 500.0f);
  EXPECT_EQ(field_camera_state.look_distance, 500.0f);
}

TEST_F(TalkCamera, FollowingARoleSnapsWithinOneCallAndGlidesOtherwise) {
  start("camera_follow 1 1001 30; set_flag 600; end");
  EXPECT_TRUE(test_flag(done_flag)) << "set, moved and passed in the same call";
  const G3dVector now = point_now();
  EXPECT_EQ(now.x, 100.0f);
  EXPECT_EQ(now.y, 80.0f) << "the height is added to the role's Y";
  EXPECT_EQ(now.z, 200.0f);
  EXPECT_EQ(field_camera_state.target_point[1], 80.0f);
  EXPECT_EQ(talk_camera_busy, 0);
  EXPECT_EQ(field_camera_state.point_interp, 0) << "the follow's type is the camera's only";

  clear_flag(done_flag);
  gmMapRole[villager_index].X = 400;
  MapRole& ev = start("point_speed 100; camera_follow 2 1001 30; set_flag 600; end");
  EXPECT_FALSE(test_flag(done_flag));
  EXPECT_GE(frames_until_done(ev), 3) << "300 to travel at 100 a frame";
  EXPECT_EQ(point_now().x, 400.0f);
}

TEST_F(TalkCamera, FollowingARoleNotOnTheMapIsReportedAndPassed) {
  MapRole& ev = start("camera_follow 1 2002 30; set_flag 600; end");
  EXPECT_EQ(messages(), std::vector<std::string>{no_role_71});
  EXPECT_FALSE(test_flag(done_flag)) << "the slice ends";
  EXPECT_EQ(talk_camera_busy, 0);
  run_talk(&ev);
  EXPECT_TRUE(test_flag(done_flag));
}

TEST_F(TalkCamera, TheEyeGoesAboveTheLeaderOnAMapWhoseEyeFollowsItsHeight) {
  map_record.map_flags = map_eye_follows_height;
  map_record.fixed_eye = {1, 2, 3, 7};
  start("camera_eye 10 999 20; set_flag 600; end");
  EXPECT_TRUE(test_flag(done_flag));
  EXPECT_EQ(map_record.fixed_eye.x, 10.0f);
  EXPECT_EQ(map_record.fixed_eye.y, 50.0f + eye_above_player) << "the y operand is not used";
  EXPECT_EQ(map_record.fixed_eye.z, 20.0f);
  EXPECT_EQ(map_record.fixed_eye.w, 7.0f);

  map_record.map_flags = 0;
  map_record.fixed_eye = {1, 2, 3, 7};
  start("camera_eye 10 999 20; end");
  EXPECT_EQ(map_record.fixed_eye.y, 2.0f) << "the map's eye is left alone";
}

TEST_F(TalkCamera, TheViewZoomEndsTheSliceEvenAtOnce) {
  MapRole& ev = start("view_zoom 1 0 20; set_flag 600; end");
  EXPECT_FALSE(test_flag(done_flag));
  EXPECT_EQ(view_zoom.mode, zoom_at_once);
  EXPECT_EQ(view_zoom.target, 20.0f);
  run_talk(&ev);
  EXPECT_TRUE(test_flag(done_flag));
}

TEST_F(TalkCamera, AnEventThatLeavesWhileItWaitsTakesTheBusyMarkWithIt) {
  // Each way out of the queue: the next event's camera opcode sets its own goal.
  struct Case {
    const char* name;
    void (*leave)(MapRole& ev);
  } cases[] = {
      {"dropped", [](MapRole& ev) { del_talk_event(&ev); }},
      {"cleared", [](MapRole&) { clear_talks_proc(); }},
      {"replaced", [](MapRole& ev) {
         gmTmpTalk = MapRole{};
         gmTmpTalk.RoleID = ev.RoleID;
         gmTmpTalk.TALK = 6;
         add_talks_proc(&gmTmpTalk);
       }},
      {"restarted", [](MapRole&) { restart_queued_talks(); }},
  };
  load_talks({{5, fixtures::assemble_talk("camera_interp 2; point_speed 1; camera_point 0L 0L 5000L; end")},
              {6, fixtures::assemble_talk("camera_point 0L 0L 70L; end")}});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    clear_talks_proc();
    MapRole& ev = queue(5);
    run_talk(&ev);
    ASSERT_EQ(talk_camera_busy, 1);
    c.leave(ev);
    if (std::string(c.name) != "restarted") {
      EXPECT_EQ(talk_camera_busy, 0);
    }
    clear_talks_proc();
    MapRole& next = queue(6, villager);
    run_talk(&next);
    EXPECT_EQ(field_camera_state.target_point[2], 70.0f) << "the new goal, not the stale one";
    EXPECT_EQ(point_goal().z, 70.0f);
    EXPECT_EQ(talk_camera_busy, 1);
    clear_talks_proc();
    EXPECT_EQ(talk_camera_busy, 0);
  }
}

TEST_F(TalkCamera, AnotherEventsGoalIsSharedWhileItsEventStays) {
  load_talks({{5, fixtures::assemble_talk("camera_interp 2; point_speed 100; camera_point 0L 0L 300L; end")},
              {6, fixtures::assemble_talk("camera_point 0L 0L 70L; set_flag 600; end")}});
  MapRole& first = queue(5);
  run_talk(&first);
  MapRole& second = queue(6, villager);
  run_talk(&second);
  EXPECT_EQ(field_camera_state.target_point[2], 300.0f) << "the second waits on the first's goal";
  EXPECT_GE(frames_until_done(second), 3);
  EXPECT_EQ(talk_camera_busy, 0);
}

}  // namespace
