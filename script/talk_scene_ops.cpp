// Talk opcodes that stage the scene and leave it: scene animations on roles and at screen
// points, the tint and alpha fades, the world colour, the map's trigger boxes, waits on a role's
// animation and on the tile fade; the map change, the hand-over to another talk and the battle.
#include <cmath>

#include "battle/fight.h"
#include "core/flags.h"
#include "core/game_flags.h"
#include "core/log.h"
#include "data/map_role.h"
#include "data/role_rows.h"
#include "field/field_controller.h"
#include "field/map_change.h"
#include "field/map_file.h"
#include "field/map_notes.h"
#include "field/role_move.h"
#include "field/role_path.h"
#include "field/scene_anim.h"
#include "g3d/renderer.h"
#include "g3d/screen_tile_fade.h"
#include "g3d/view_zoom.h"
#include "script/talk_marks.h"
#include "script/talk_ops.h"
#include "script/talk_queue.h"
#include "ui/screen_fade.h"
#include "ui/talk_msg.h"

int talk_alpha_fade_mark = 0;

namespace {
// 對話 %d 指令錯誤 91: \n  找不到設定之 \nact[%d] qq[%d]
constexpr const char* no_anim_message =
    "\xB9\xEF\xB8\xDC %d \xAB\xFC\xA5O\xBF\xF9\xBB~ 91: \n  \xA7\xE4\xA4\xA3\xA8\xEC\xB3]\xA9w\xA4\xA7 \nact[%d] qq[%d]";
// Talk%d 指令%d錯誤 : 找不到指定之 角色ID:%d
constexpr const char* no_role_message =
    "Talk%d \xAB\xFC\xA5O%d\xBF\xF9\xBB~ : \xA7\xE4\xA4\xA3\xA8\xEC\xAB\xFC\xA9w\xA4\xA7 \xA8\xA4\xA6\xE2ID:%d";
// 對話%d 指令(%d)錯誤: 找不到指定之 角色ID:%d
constexpr const char* no_role_wait_message =
    "\xB9\xEF\xB8\xDC%d \xAB\xFC\xA5O(%d)\xBF\xF9\xBB~: \xA7\xE4\xA4\xA3\xA8\xEC\xAB\xFC\xA9w\xA4\xA7 "
    "\xA8\xA4\xA6\xE2ID:%d";
// 對話[%d]指令[%d]錯誤,找不到[%d]對話!!)
constexpr const char* no_note_message =
    "\xB9\xEF\xB8\xDC[%d]\xAB\xFC\xA5O[%d]\xBF\xF9\xBB~,\xA7\xE4\xA4\xA3\xA8\xEC[%d]\xB9\xEF\xB8\xDC!!)";

constexpr std::uint16_t op_role_ani = 48, op_tint_fade = 51, op_alpha_fade = 53, op_rearm_note = 82,
                        op_wait_role_anim = 87;
constexpr std::uint16_t tint_running = 0x8000;  // bit 15 of opcode 51's step word
constexpr std::uint16_t role_second_party = 0xFF02;  // keeps its talk mark through a talk's battle
constexpr std::uint32_t opaque = 0xFF000000u;
constexpr std::uint32_t no_override = 0xFFFFFFFFu;
// A step of 0 would never move the fade: it jumps to its target instead, still shown.
constexpr float instant_fade_step = 255.0f;


MapRole* player_role() {
  return player_role_index >= 0 && player_role_index < gmMapRoleCount ? &gmMapRole[player_role_index] : nullptr;
}

std::uint32_t rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return std::uint32_t(r) << 16 | std::uint32_t(g) << 8 | b;
}

// One tick of a new node's animation; a missing animation is reported and the node kept.
void add_scene_ani(TalkRun& run, AniNode& node) {
  if (!Take_3dActData(&node.instance))
    report_error(no_anim_message, run.ev->TALK, node.instance.act, node.instance.qq);
  node.delay = node.instance.delay;
  node.start_time = 0;
  add_ani(&node);
}

// The tint's next value of one channel: the move toward the target, at least one step of 1 so
// that a short step cannot leave a channel standing short of it.
std::uint8_t tint_channel(std::uint8_t current, std::uint8_t target, float d, float len, float step) {
  float move = std::trunc(d / len * step);
  if (move == 0.0f && current != target) move = d > 0 ? 1.0f : -1.0f;
  const float v = float(current) + move;
  return std::uint8_t(v < 0.0f ? 0.0f : (v > 255.0f ? 255.0f : v));
}

// The tint reached its target: the map's fog comes back and models take their own colours.
void end_tint(ScreenFade& f) {
  f.red = f.target_red;
  f.green = f.target_green;
  f.blue = f.target_blue;
  set_chart_map(&map_record.fog);
  renderer.set_override_color(no_override);
}
}  // namespace

// Opcode 48: a scene animation riding on a role.
SliceResult talk_role_ani(TalkRun& run) {
  const std::uint16_t id = run.cur.u16(), act = run.cur.u16(), qq = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  MapRole* role = role_by_id(id);
  if (!role) {
    report_error(no_role_message, run.ev->TALK, op_role_ani, id);
    return SliceResult::EndSlice;
  }
  AniNode node;
  node.role = role;
  node.RoleID = id;
  node.map_id = map_record.map_number;
  node.x = node.target_x = role->X;
  node.y = node.target_y = role->Y;
  node.z = node.target_z = role->Z;
  node.flags = ani_follows_role;
  node.instance.act = act;
  node.instance.qq = qq;
  add_scene_ani(run, node);
  return SliceResult::EndSlice;
}

// Opcode 49.
SliceResult talk_del_role_ani(TalkRun& run) {
  const std::uint16_t id = run.cur.u16(), act = run.cur.u16(), qq = run.cur.u16();
  if (run.cur.ok()) del_role_ani(id, act, qq);
  return SliceResult::EndSlice;
}

// Opcode 50: the map change. Of each coordinate only its low 16 bits count, unsigned; the rest
// of the script runs on the new map.
SliceResult talk_map_change(TalkRun& run) {
  const std::uint16_t map = run.cur.u16();
  const float x = float(std::uint16_t(run.cur.i32()));
  const float y = float(std::uint16_t(run.cur.i32()));
  const float z = float(std::uint16_t(run.cur.i32()));
  const float direction = float(run.cur.u16());
  const float far_distance = float(run.cur.u16());
  if (!run.cur.ok()) return SliceResult::EndSlice;
  del_all_talkmsg();
  del_all_role_path();
  save_all_maps_role();
  if (const MapRole* leader = player_role()) set_maps_role_map(leader->RoleID, map);
  renderer.flush_textures();
  enter_map(map, x, y, z, direction);
  set_far(far_distance);
  return SliceResult::GoOn;
}

// Opcode 51: the scene's colour moves to the operands' by the step a slice. The opcode marks
// itself running with bit 15 of its step word, so the script's next run starts afresh.
SliceResult talk_tint_fade(TalkRun& run) {
  const std::size_t step_pos = run.cur.pos();
  std::uint16_t step_word = run.cur.u16();
  const std::uint16_t r = run.cur.u16(), g = run.cur.u16(), b = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  ScreenFade& f = screen_fade;
  if (!(step_word & tint_running)) {
    f.target_red = std::uint8_t(r);
    f.target_green = std::uint8_t(g);
    f.target_blue = std::uint8_t(b);
    step_word |= tint_running;
    run.cur.put_u16(step_pos, step_word);
  }
  const float step = float(step_word & ~tint_running);
  const float d[3] = {float(f.target_red) - f.red, float(f.target_green) - f.green, float(f.target_blue) - f.blue};
  const float len = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
  // A step of 0 would never arrive: the tint ends at once.
  if (len <= step || step == 0.0f) {
    end_tint(f);
    run.cur.put_u16(step_pos, std::uint16_t(step_word & ~tint_running));
    return SliceResult::GoOn;
  }
  f.alpha = 1;
  f.red = tint_channel(f.red, f.target_red, d[0], len, step);
  f.green = tint_channel(f.green, f.target_green, d[1], len, step);
  f.blue = tint_channel(f.blue, f.target_blue, d[2], len, step);
  set_chart_map(nullptr);
  renderer.set_override_color(opaque | rgb(f.red, f.green, f.blue));
  return SliceResult::Wait;
}

// Opcode 52: the fade's colour, opaque, and the world drawn in it.
SliceResult talk_screen_colour(TalkRun& run) {
  const std::uint16_t r = run.cur.u16(), g = run.cur.u16(), b = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::GoOn;
  screen_fade.alpha = 255;
  screen_fade.red = std::uint8_t(r);
  screen_fade.green = std::uint8_t(g);
  screen_fade.blue = std::uint8_t(b);
  map_record.tint = opaque | rgb(std::uint8_t(r), std::uint8_t(g), std::uint8_t(b));
  return SliceResult::GoOn;
}

// Opcode 53: the screen fade's alpha moves from one value to another; the field's fade drawing
// moves it by the same step each frame too.
SliceResult talk_alpha_fade(TalkRun& run) {
  std::uint16_t w[6];
  for (std::uint16_t& v : w) v = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  const std::uint8_t r = std::uint8_t(w[1]), g = std::uint8_t(w[2]), b = std::uint8_t(w[3]);
  const float step = w[0] == 0 ? instant_fade_step : float(w[0]);
  ScreenFade& f = screen_fade;
  if (talk_alpha_fade_mark == 0) {
    talk_alpha_fade_mark = 1;
    f.done = 0;
    f.alpha = std::uint8_t(w[4]);
    f.red = f.target_red = r;
    f.green = f.target_green = g;
    f.blue = f.target_blue = b;
    f.target_alpha = std::uint8_t(w[5]);
  }
  f.step = step;
  const float d = float(f.target_alpha) - float(f.alpha);
  if (std::fabs(d) <= step) {
    f.alpha = f.target_alpha;
    f.red = f.target_red;
    f.green = f.target_green;
    f.blue = f.target_blue;
    talk_alpha_fade_mark = 0;
    return SliceResult::GoOn;
  }
  f.alpha = std::uint8_t(float(f.alpha) + (d > 0 ? step : -step));
  return SliceResult::Wait;
}

// Opcode 55: a picture at a screen point that fades in by its step.
SliceResult talk_screen_ani(TalkRun& run) {
  const std::uint16_t act = run.cur.u16(), qq = run.cur.u16();
  const std::int16_t x = run.cur.s16(), y = run.cur.s16(), step = run.cur.s16();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  AniNode node;
  node.x = node.target_x = x;
  node.y = node.target_y = y;
  node.speed = step;
  node.alpha = 0;
  node.flags = ani_fades;
  node.instance.act = act;
  node.instance.qq = qq;
  add_scene_ani(run, node);
  return SliceResult::EndSlice;
}

// Opcode 79.
SliceResult talk_map_note(TalkRun& run) {
  const std::uint16_t event = run.cur.u16(), on = run.cur.u16();
  if (run.cur.ok()) enable_map_note(event, on);
  return SliceResult::EndSlice;
}

// Opcode 80: hands the scene over to another talk, which keeps the scene this one saved. The
// running event leaves the queue; the new one starts on a later call.
SliceResult talk_hand_over(TalkRun& run) {
  const std::uint16_t talk = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  const std::uint16_t speaker = run.ev->RoleID;
  if (MapRole* r = role_by_id(speaker)) r->STATE &= ~state_in_talk;
  del_talkmsg(speaker);
  del_talk_event(run.ev);
  clear_flag(flag_battle);
  clear_flag(flag_collisions_off);
  clear_flag(flag_minimap_hidden);
  talk_box_state = talk_state_closed;
  talk_skip_save = 1;
  gmTmpTalk = MapRole{};
  gmTmpTalk.RoleID = narrator_role;
  gmTmpTalk.TALK = talk;
  add_talks_proc(&gmTmpTalk);
  if (MapRole* r = role_by_id(speaker)) r->STATE &= ~(state_in_talk | state_held);
  if (MapRole* p = player_role()) {
    p->anim.qq = 0;
    Take_3dActData(&p->anim);
    p->STATE |= state_held;
  }
  return SliceResult::EventGone;
}

// Opcode 81: the battle. The event stays queued and goes on after it.
SliceResult talk_battle(TalkRun& run) {
  const std::uint16_t battle = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  const std::uint16_t speaker = run.ev->RoleID;
  if (speaker != role_second_party)
    if (MapRole* r = role_by_id(speaker)) r->STATE &= ~state_in_talk;
  del_talkmsg(speaker);
  if (!test_flag(flag_no_talk_battles)) {
    unload_map();
    SFLB_Call_Fight(battle);
  }
  fight_from_talk = 1;
  encounter_step_count = 0;
  return SliceResult::EndSlice;
}

// Opcode 82.
SliceResult talk_rearm_note(TalkRun& run) {
  if (!rearm_map_note(run.ev->TALK)) report_error(no_note_message, run.ev->TALK, op_rearm_note, run.ev->TALK);
  return SliceResult::GoOn;
}

// Opcode 84.
SliceResult talk_tile_fade(TalkRun& run) {
  const std::uint16_t step = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::GoOn;
  start_screen_tile_fade();
  set_screen_tile_fade_step(static_cast<short>(step));
  return SliceResult::GoOn;
}

// Opcode 85.
SliceResult talk_wait_tile_fade(TalkRun&) {
  return is_screen_tile_fade_done() == 1 ? SliceResult::EndSlice : SliceResult::Wait;
}

// Opcode 87: waits until the role's animation reaches a frame (0: its end).
SliceResult talk_wait_role_anim(TalkRun& run) {
  const std::uint16_t id = run.cur.u16(), frame = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  const MapRole* role = role_by_id(id);
  if (!role) {
    report_error(no_role_wait_message, run.ev->TALK, op_wait_role_anim, id);
    return SliceResult::EndSlice;
  }
  const ActInstance& a = role->anim;
  const bool reached =
      frame > 0 ? a.frame >= frame : ((a.state & act_state_finished) != 0 || a.frame >= a.frame_max);
  return reached ? SliceResult::EndSlice : SliceResult::Wait;
}

void undo_fade_marks(ScriptCursor& at, std::size_t offset, std::uint16_t word) {
  if (word == op_alpha_fade) talk_alpha_fade_mark = 0;
  if (word != op_tint_fade) return;
  const std::uint16_t step_word = at.u16_at(offset + 2);
  if (at.ok() && (step_word & tint_running)) at.put_u16(offset + 2, std::uint16_t(step_word & ~tint_running));
}
