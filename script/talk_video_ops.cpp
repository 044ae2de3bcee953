// Talk opcodes of videos between scenes, free-standing scene animations and the animated camera.
#include "core/flags.h"
#include "core/game_flags.h"
#include "core/log.h"
#include "data/map_role.h"
#include "field/act_camera.h"
#include "field/field_camera_state.h"
#include "field/map_file.h"
#include "field/role_move.h"
#include "field/scene_anim.h"
#include "g3d/model_cache.h"
#include "g3d/renderer.h"
#include "script/talk_marks.h"
#include "script/talk_ops.h"
#include "script/talk_queue.h"
#include "sound/music_director.h"
#include "sound/video_player.h"
#include "ui/talk_msg.h"
#include "ui/talk_text.h"

char video_name[video_name_size] = {};

namespace {
// 對話 %d 指令錯誤 91: \n  找不到設定之 \nact[%d] qq[%d]
constexpr const char* no_anim_91_message =
    "\xB9\xEF\xB8\xDC %d \xAB\xFC\xA5O\xBF\xF9\xBB~ 91: \n  \xA7\xE4\xA4\xA3\xA8\xEC\xB3]\xA9w\xA4\xA7 \nact[%d] qq[%d]";
// 對話 %d 指令錯誤 %d: \n  找不到設定之 \nact[%d] qq[%d]
constexpr const char* no_anim_message =
    "\xB9\xEF\xB8\xDC %d \xAB\xFC\xA5O\xBF\xF9\xBB~ %d: \n  \xA7\xE4\xA4\xA3\xA8\xEC\xB3]\xA9w\xA4\xA7 \nact[%d] qq[%d]";
// 找不到 %d 角色
constexpr const char* no_role_message = "\xA7\xE4\xA4\xA3\xA8\xEC %d \xA8\xA4\xA6\xE2";

constexpr std::uint16_t op_video = 90, op_moving_ani = 91;
constexpr int silence_mode = 4;
constexpr std::uint8_t all_models = 255;


// The video of opcode 90 is over (or goes on without the script): its mark goes, the music
// comes back.
void end_video_wait() {
  talk_box_state &= ~talk_state_video;
  music_director.ChangeMode(saved_music_mode, 1, 0);
}

// A node moving from one point to another, playing its animation: one tick, then queued.
void add_moving_ani(TalkRun& run, const float from[3], const float to[3], float speed, std::uint16_t act,
                    std::uint16_t qq) {
  AniNode node;
  node.x = from[0], node.y = from[1], node.z = from[2];
  node.target_x = to[0], node.target_y = to[1], node.target_z = to[2];
  node.speed = speed;
  node.instance.act = act;
  node.instance.qq = qq;
  if (!Take_3dActData(&node.instance)) {
    if (run.op == op_moving_ani)
      report_error(no_anim_91_message, run.ev->TALK, act, qq);
    else
      report_error(no_anim_message, run.ev->TALK, run.op, act, qq);
  }
  node.delay = node.instance.delay;
  node.start_time = 0;
  add_ani(&node);
}
}  // namespace

// Opcode 90: plays a video and holds the script until it is over, unless 99 asked otherwise.
// The opcode is passed once in every case.
SliceResult talk_video(TalkRun& run) {
  const std::span<const std::uint8_t> text = run.cur.text();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  if (!(talk_box_state & talk_state_video)) {
    // The name is cut on a character boundary to what the buffer holds; the whole text is passed.
    if (read_script_str(reinterpret_cast<const char*>(text.data()), text.size(), video_name, video_name_size) < 0) {
      run.cur.fail();
      return SliceResult::EndSlice;
    }
    play_video(video_name);
    talk_box_state |= talk_state_video;
    save_music_mode();
    music_director.ChangeMode(silence_mode, 1, 0);
    if (test_flag(flag_video_no_wait)) {
      clear_flag(flag_video_no_wait);
      end_video_wait();
      return SliceResult::EndSlice;
    }
  }
  if (test_flag(flag_video)) return SliceResult::Wait;
  end_video_wait();
  return SliceResult::EndSlice;
}

// Opcode 91.
SliceResult talk_moving_ani(TalkRun& run) {
  float from[3], to[3];
  for (float& v : from) v = run.cur.s16();
  for (float& v : to) v = run.cur.s16();
  const float speed = run.cur.s16();
  const std::uint16_t act = run.cur.u16(), qq = run.cur.u16();
  if (run.cur.ok()) add_moving_ani(run, from, to, speed, act, qq);
  return SliceResult::EndSlice;
}

// Opcode 92: toward where the role stands now.
SliceResult talk_ani_to_role(TalkRun& run) {
  float from[3];
  for (float& v : from) v = run.cur.s16();
  const std::uint16_t id = run.cur.u16();
  const float speed = run.cur.s16();
  const std::uint16_t act = run.cur.u16(), qq = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  const MapRole* role = role_by_id(id);
  if (!role) {
    report_error(no_role_message, id);
    return SliceResult::EndSlice;
  }
  const float to[3] = {role->X, role->Y, role->Z};
  add_moving_ani(run, from, to, speed, act, qq);
  return SliceResult::EndSlice;
}

// Opcode 93: standing where the role stands.
SliceResult talk_ani_at_role(TalkRun& run) {
  const std::uint16_t id = run.cur.u16(), act = run.cur.u16(), qq = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  const MapRole* role = role_by_id(id);
  if (!role) {
    report_error(no_role_message, id);
    return SliceResult::EndSlice;
  }
  const float at[3] = {role->X, role->Y, role->Z};
  add_moving_ani(run, at, at, 0.0f, act, qq);
  return SliceResult::EndSlice;
}

// Opcode 95.
SliceResult talk_wait_ani(TalkRun& run) {
  const std::uint16_t act = run.cur.u16(), qq = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  return check_ani_end(act, qq) ? SliceResult::EndSlice : SliceResult::Wait;
}

// Opcode 96: a fading node stays until its fade-out is over.
SliceResult talk_del_ani(TalkRun& run) {
  const std::uint16_t act = run.cur.u16(), qq = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  return del_ani(act, qq) ? SliceResult::EndSlice : SliceResult::Wait;
}

// Opcode 98: waits for a frame of the open video (0: its last); with no video open there is
// nothing to wait for.
SliceResult talk_wait_video_frame(TalkRun& run) {
  const std::uint16_t frame = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  if (test_flag(flag_video) && !check_video_frame(frame)) return SliceResult::Wait;
  return SliceResult::EndSlice;
}

// Opcode 99.
SliceResult talk_video_no_wait(TalkRun&) {
  set_flag(flag_video_no_wait);
  return SliceResult::EndSlice;
}

// Opcode 260: the animated camera takes the field camera; the map and the roles rest.
SliceResult talk_act_camera(TalkRun& run) {
  const std::uint16_t act = run.cur.u16(), qq = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  FreePolyMemory(all_models);
  renderer.flush_textures();
  act_camera_running = 1;
  map_record.map_ready = 0;
  set_flag(flag_act_camera);
  act_camera = ActInstance{};
  act_camera_act = act;
  act_camera_qq = qq;
  return SliceResult::EndSlice;
}

// Opcode 261: frame > 0 waits for that frame and holds the camera there; 0 waits for its end.
// A camera that stopped before the frame is not waited for.
SliceResult talk_wait_act_camera(TalkRun& run) {
  const std::uint16_t frame = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  if (frame > 0 && act_camera.frame >= frame) {
    act_camera.state |= act_state_frozen;
    return SliceResult::EndSlice;
  }
  return act_camera_running ? SliceResult::Wait : SliceResult::EndSlice;
}

// Opcode 262.
SliceResult talk_act_camera_go(TalkRun&) {
  act_camera.state &= std::uint16_t(~act_state_frozen);
  return SliceResult::EndSlice;
}

// Opcode 263: the field camera as the scene found it, in orbit; the map is drawn again.
SliceResult talk_act_camera_end(TalkRun&) {
  field_camera = field_camera_saved;
  field_camera_state = field_view_saved;
  const FieldCameraState& v = field_camera_state;
  field_camera.set_mode(camera_mode_orbit);
  field_camera.set_point_interp(v.point_interp);
  field_camera.set_angle_interp(v.angle_interp);
  field_camera.set_dist_interp(v.dist_interp);
  field_camera.set_eye_mode(v.eye_mode);
  field_camera.set_point(v.target_point[0], v.target_point[1], v.target_point[2]);
  field_camera.set_turn_dir(0);
  field_camera.set_angles(v.target_angles[0], v.target_angles[1], v.target_angles[2]);
  field_camera.set_look_distance(v.look_distance);
  field_camera.set_distance(v.distance);
  // An animation cut short would leave a later wait on its end waiting for ever.
  act_camera_running = 0;
  map_record.map_ready = 1;
  clear_flag(flag_act_camera);
  FreePolyMemory(all_models);
  renderer.flush_textures();
  return SliceResult::EndSlice;
}

void undo_video_mark(std::uint16_t word) {
  if (word == op_video && (talk_box_state & talk_state_video)) end_video_wait();
}
