// Talk opcodes of texts, the input, and the game's screens, with the marked forms of those that
// wait for a screen to close.
#include <cstring>
#include <vector>

#include "core/flags.h"
#include "core/frame_timer.h"
#include "core/game_flags.h"
#include "core/game_mode.h"
#include "core/log.h"
#include "data/map_role.h"
#include "data/mission_name.h"
#include "field/role_move.h"
#include "script/msg_settings.h"
#include "script/talk_marks.h"
#include "field/talk_view.h"
#include "field/world_map.h"
#include "script/talk_ops.h"
#include "script/text_slots.h"
#include "ui/saves/save_load.h"
#include "ui/shop/shop.h"
#include "ui/summon/summon.h"
#include "ui/talk_text.h"
#include "ui/title/title_screen.h"

namespace {
// 對話%d 指令%d錯誤: 找不到第%d號Caption
constexpr const char* no_caption_message =
    "\xB9\xEF\xB8\xDC%d \xAB\xFC\xA5O%d\xBF\xF9\xBB~: \xA7\xE4\xA4\xA3\xA8\xEC\xB2\xC4%d\xB8\xB9""Caption";
// Talk%d 指令%d錯誤 : 找不到指定之 角色ID:%d
constexpr const char* cap_no_role_message =
    "Talk%d \xAB\xFC\xA5O%d\xBF\xF9\xBB~ : \xA7\xE4\xA4\xA3\xA8\xEC\xAB\xFC\xA9w\xA4\xA7 \xA8\xA4\xA6\xE2ID:%d";
constexpr char clear_slots_mark = '0';
constexpr char slot_end_mark = '.';
constexpr int input_wait_unlimited = 0xFFFF;
constexpr unsigned normal_frame_rate = 35;

// Marks the opcode word in the loaded script: the next call runs the marked form.
SliceResult mark_and_wait(TalkRun& run) {
  run.cur.put_u16(run.op_pos, static_cast<std::uint16_t>(run.op | talk_mark_bit));
  return SliceResult::Wait;
}

// Puts the plain number back: the opcode is done.
void unmark(TalkRun& run) { run.cur.put_u16(run.op_pos, static_cast<std::uint16_t>(run.op & ~talk_mark_bit)); }
}  // namespace

SliceResult talk_show_scene(TalkRun&) {
  clear_flag(flag_scene_hidden);
  return SliceResult::GoOn;
}

SliceResult talk_hide_scene(TalkRun&) {
  set_flag(flag_scene_hidden);
  return SliceResult::EndSlice;
}

SliceResult talk_text_slots(TalkRun& run) {
  const std::span<const std::uint8_t> text = run.cur.text();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  if (text[0] == clear_slots_mark) {
    std::memset(text_slots, 0, sizeof text_slots);
    text_slot_count = 0;
    return SliceResult::EndSlice;
  }
  if (text_slot_count < 0 || text_slot_count >= text_slot_total) text_slot_count = 0;
  // The text is cut on a character boundary to leave room for the end mark.
  char copy[text_slot_bytes];
  if (read_script_str(reinterpret_cast<const char*>(text.data()), text.size(), copy, sizeof copy) < 0) {
    run.cur.fail();
    return SliceResult::EndSlice;
  }
  char* slot = text_slots[text_slot_count];
  const std::size_t n = std::strlen(copy);
  std::memset(slot, 0, text_slot_bytes);
  std::memcpy(slot, copy, n);
  slot[n] = slot_end_mark;
  text_slot_count = (text_slot_count + 1) % text_slot_total;
  return SliceResult::EndSlice;
}

SliceResult talk_name_plate_text(TalkRun& run) {
  const std::uint16_t n = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  const PoolText text = get_Name(n);
  if (text.empty()) report_talk_role(run, no_caption_message, n);
  else talk_name_plate = text;
  return SliceResult::EndSlice;
}

SliceResult talk_input_wait(TalkRun&) {
  set_flag(flag_input_captured);
  start_input_wait(input_wait_unlimited);
  return SliceResult::GoOn;
}

SliceResult talk_input_release(TalkRun&) {
  clear_flag(flag_input_captured);
  end_input_wait();
  if (player_role_index >= 0 && player_role_index < gmMapRoleCount)
    gmMapRole[player_role_index].STATE &= ~(state_bit_5 | state_held);
  return SliceResult::GoOn;
}

SliceResult talk_speed_up_off(TalkRun&) {
  clear_flag(flag_speed_up);
  run_mode.set_speeds(leader_walk_speed);
  talk_walk_speed = talk_default_speed;
  set_frame_rate(normal_frame_rate);
  return SliceResult::EndSlice;
}

SliceResult talk_world_map(TalkRun& run) {
  const std::uint16_t place = run.cur.u16();
  if (run.cur.ok()) enter_game_map(place);
  return SliceResult::EndSlice;
}

SliceResult talk_summon(TalkRun& run) {
  open_summon();
  return mark_and_wait(run);
}

SliceResult talk_summon_marked(TalkRun& run) {
  if (summon_is_open()) return SliceResult::Wait;
  unmark(run);
  return SliceResult::EndSlice;
}

SliceResult talk_title(TalkRun&) {
  SFLB_call_game_start(MODE_ENTER, 0, 0);
  set_flag(flag_scene_hidden);
  return SliceResult::EndSlice;
}

SliceResult talk_shop(TalkRun& run) {
  const std::size_t list = run.cur.pos();
  const std::size_t n = run.cur.word_list();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  // The shop keeps every good of the list; the buffer keeps its room from one shop to the next.
  static std::vector<std::uint16_t> goods_list;
  goods_list.resize(n);
  for (std::size_t i = 0; i < n; ++i) goods_list[i] = run.cur.u16_at(list + 2 * i);
  call_shop_system(MODE_ENTER, goods_list.data(), static_cast<int>(n));
  return mark_and_wait(run);
}

SliceResult talk_shop_marked(TalkRun& run) {
  if (shop_is_open()) return SliceResult::Wait;
  unmark(run);
  run.cur.word_list();
  return SliceResult::EndSlice;
}

SliceResult talk_save_screen(TalkRun&) {
  clear_flag(flag_wall_test_off);
  call_save_system(MODE_ENTER, 0, 0);
  return SliceResult::EndSlice;
}

SliceResult talk_load_screen(TalkRun&) {
  call_load_system(MODE_ENTER, 0, 0);
  return SliceResult::EndSlice;
}

// The two game-state words these opcodes test are never written in this system: the plain form
// always marks itself and the marked form always passes, a pause of two slices.
SliceResult talk_pause(TalkRun& run) { return mark_and_wait(run); }

SliceResult talk_pause_marked(TalkRun& run) {
  unmark(run);
  return SliceResult::EndSlice;
}

SliceResult talk_cap_step(TalkRun& run) {
  const std::uint16_t role_id = run.cur.u16(), step = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::GoOn;
  if (find_role(role_id) == 0xFFFF) report_talk_role(run, cap_no_role_message, role_id);
  else apply_cap(role_id, step);
  return SliceResult::GoOn;
}
