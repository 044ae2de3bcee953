// Talk opcodes of videos, free-standing scene animations and the animated camera. No video file
// opens here: a video under way is the flag the player sets while one plays.
#include <cstring>

#include "field/act_camera.h"
#include "field/field_camera_state.h"
#include "field/map_file.h"
#include "field/scene_anim.h"
#include "script/talk_ops.h"
#include "sound/music_director.h"
#include "tests/script/talk_group_test.h"
#include "ui/talk_msg.h"

namespace {
using namespace script_test;

constexpr int map_music_mode = 1, silence_mode = 4;

class TalkVideo : public TalkGroupTest {
 protected:
  TalkVideo() {
    music_director.ChangeMode(map_music_mode, 1, 0);
    music_director.Update();
  }
  ~TalkVideo() override { del_all_ani(); }
  static AniNode* node(int n) {
    AniNode* a = gmAni.next;
    while (a && n-- > 0) a = a->next;
    return a;
  }
};

TEST_F(TalkVideo, AMissingVideoPassesOnceAndTheMusicComesBack) {
  for (bool no_wait : {false, true}) {
    SCOPED_TRACE(no_wait);
    clear_talks_proc();
    clear_flag(600);
    MapRole& ev = start(std::string(no_wait ? "video_no_wait; " : "") + "video \"intro.bik\"; set_flag 600; end");
    if (no_wait) {
      EXPECT_TRUE(test_flag(flag_video_no_wait));
      run_talk(&ev);
    }
    EXPECT_STREQ(video_name, "intro.bik");
    EXPECT_FALSE(test_flag(flag_video));
    EXPECT_FALSE(test_flag(flag_video_no_wait));
    EXPECT_EQ(talk_box_state & talk_state_video, 0u);
    EXPECT_EQ(saved_music_mode, map_music_mode);
    EXPECT_EQ(music_director.requested_mode(), map_music_mode) << "silenced, then back";
    EXPECT_FALSE(test_flag(600)) << "passed, and the slice ended";
    run_talk(&ev);
    EXPECT_TRUE(test_flag(600)) << "passed once";
  }
}

TEST_F(TalkVideo, AVideoUnderWayHoldsTheScriptUntilItIsOver) {
  // The video of the first execution is under way (its mark set) and plays.
  MapRole& ev = start("video_no_wait; video \"a.bik\"; wait_video_frame 30; set_flag 600; end");
  talk_box_state |= talk_state_video;
  set_flag(flag_video);
  save_music_mode();
  music_director.ChangeMode(silence_mode, 1, 0);
  run_talk(&ev);
  EXPECT_EQ(at(ev), 2u) << "the video plays: 90 waits";
  EXPECT_TRUE(test_flag(flag_video_no_wait)) << "99 serves the next video, not one under way";
  clear_flag(flag_video);
  run_talk(&ev);
  EXPECT_EQ(at(ev), 2u + 9u);
  EXPECT_EQ(talk_box_state & talk_state_video, 0u);
  EXPECT_EQ(music_director.requested_mode(), map_music_mode);
  run_talk(&ev);
  EXPECT_EQ(at(ev), 2u + 9u + 4u) << "98 with no video open passes";
}

TEST_F(TalkVideo, ADroppedEventLeavesNoVideoMark) {
  load_talk(5, "video \"a.bik\"; end");
  MapRole& ev = queue(5);
  talk_box_state |= talk_state_video;
  set_flag(flag_video);
  run_talk(&ev);
  ASSERT_EQ(at(ev), 0u);
  clear_talks_proc();
  EXPECT_EQ(talk_box_state & talk_state_video, 0u) << "the next video's set-up is not skipped";
}

TEST_F(TalkVideo, ALongVideoNameIsCutAndTheWholeTextPassed) {
  const std::string name(300, 'v');
  MapRole& ev = start("video \"" + name + "\"; set_flag 600; end");
  EXPECT_EQ(std::strlen(video_name), 259u);
  run_talk(&ev);
  EXPECT_TRUE(test_flag(600));
}

TEST_F(TalkVideo, SceneAnimationsMoveBetweenPointsAndRoles) {
  MapRole& v = gmMapRole[villager_index];
  v.X = 500, v.Y = 10, v.Z = -700;
  MapRole& ev = start("moving_ani -1 2 3 40 50 60 7 9 1; ani_to_role 4 5 6 1001 -3 9 2; ani_at_role 1001 9 3; "
                      "ani_at_role 4321 9 4; end");
  for (int i = 0; i < 3; ++i) run_talk(&ev);
  ASSERT_NE(node(2), nullptr);
  EXPECT_EQ(node(3), nullptr) << "no role, no node";
  struct Want {
    float x, target_x, target_z, speed;
    std::uint16_t qq;
  } want[] = {{-1, 40, 60, 7, 1}, {4, 500, -700, -3, 2}, {500, 500, -700, 0, 3}};
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    const AniNode& n = *node(i);
    EXPECT_EQ(n.x, want[i].x);
    EXPECT_EQ(n.target_x, want[i].target_x);
    EXPECT_EQ(n.target_z, want[i].target_z);
    EXPECT_EQ(n.speed, want[i].speed);
    EXPECT_EQ(n.flags, 0u);
    EXPECT_EQ(n.instance.act, 9);
    EXPECT_EQ(n.instance.qq, want[i].qq);
  }
  // Three missing animations of three lines each (91's number stands in its text), then the role.
  const std::vector<std::string> lines = messages();
  ASSERT_EQ(lines.size(), 10u);
  EXPECT_EQ(lines[0], "\xB9\xEF\xB8\xDC 5 \xAB\xFC\xA5O\xBF\xF9\xBB~ 91: ");
  EXPECT_EQ(lines[3], "\xB9\xEF\xB8\xDC 5 \xAB\xFC\xA5O\xBF\xF9\xBB~ 92: ");
  EXPECT_EQ(lines[6], "\xB9\xEF\xB8\xDC 5 \xAB\xFC\xA5O\xBF\xF9\xBB~ 93: ");
  EXPECT_EQ(lines[9], "\xA7\xE4\xA4\xA3\xA8\xEC 4321 \xA8\xA4\xA6\xE2");  // 找不到 4321 角色
}

TEST_F(TalkVideo, WaitsOnScenesAnimationsAndAFadingNodeStaysUntilItsFadeIsOver) {
  AniNode fading;
  fading.instance.act = 9, fading.instance.qq = 1;
  fading.flags = ani_fades;
  fading.alpha = 100;
  add_ani(&fading);
  MapRole& ev = start("wait_ani 9 1; del_ani 9 1; del_ani 9 8; set_flag 600; end");
  EXPECT_EQ(at(ev), 0u) << "the node plays";
  gmAni.next->flags |= ani_counts_ended | ani_arrived;
  run_talk(&ev);
  EXPECT_EQ(at(ev), 6u);
  gmAni.next->flags &= ~(ani_counts_ended | ani_arrived);
  run_talk(&ev);
  EXPECT_EQ(at(ev), 6u) << "fading out";
  EXPECT_TRUE(gmAni.next->flags & ani_fading_out);
  gmAni.next->alpha = 0;
  run_talk(&ev);
  EXPECT_EQ(at(ev), 12u);
  EXPECT_EQ(gmAni.next, nullptr);
  run_talk(&ev);
  EXPECT_EQ(at(ev), 18u) << "no such node: at once";
}

TEST_F(TalkVideo, TheAnimatedCameraIsWaitedForHeldReleasedAndEnded) {
  map_record.map_ready = 1;
  // The view as the talk found it, saved when it was queued; the scene then moves the camera.
  field_camera_state.point_interp = 2;
  field_camera_state.eye_mode = camera_eye_holds;
  field_camera_state.target_point[0] = 123.0f;
  field_camera_state.distance = 900.0f;
  MapRole& ev = start("act_camera 40 2; wait_act_camera 5; act_camera_go; wait_act_camera 0; "
                      "wait_act_camera 9; act_camera_end; end");
  field_camera_state = FieldCameraState{};
  field_camera.set_mode(camera_mode_outside_eye);
  EXPECT_EQ(act_camera_running, 1);
  EXPECT_TRUE(test_flag(flag_act_camera));
  EXPECT_EQ(map_record.map_ready, 0) << "the map is not drawn";
  EXPECT_EQ(act_camera_act, 40);
  EXPECT_EQ(act_camera_qq, 2);
  act_camera.frame = 4;
  run_talk(&ev);
  EXPECT_EQ(at(ev), 6u);
  act_camera.frame = 5;
  run_talk(&ev);
  EXPECT_EQ(at(ev), 10u);
  EXPECT_TRUE(act_camera.state & act_state_frozen) << "held at its frame";
  run_talk(&ev);
  EXPECT_FALSE(act_camera.state & act_state_frozen);
  run_talk(&ev);
  EXPECT_EQ(at(ev), 12u) << "frame 0 waits for the whole animation";
  act_camera_running = 0;
  run_talk(&ev);
  EXPECT_EQ(at(ev), 16u);
  run_talk(&ev);
  EXPECT_EQ(at(ev), 20u) << "a stopped camera short of the frame is not waited for";
  run_talk(&ev);
  EXPECT_EQ(field_camera.get_mode(), camera_mode_orbit);
  EXPECT_EQ(field_camera.get_point_interp(), 2);
  float gx = 0, distance = 0;
  field_camera.get_point(&gx, nullptr, nullptr, nullptr, nullptr, nullptr);
  field_camera.get_distance(&distance, nullptr);
  EXPECT_EQ(gx, 123.0f);
  EXPECT_EQ(distance, 900.0f);
  EXPECT_EQ(field_camera_state.eye_mode, camera_eye_holds);
  EXPECT_EQ(map_record.map_ready, 1);
  EXPECT_FALSE(test_flag(flag_act_camera));
}

}  // namespace
