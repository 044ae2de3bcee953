// Talk opcodes of message boxes and choices.
#include "core/flags.h"
#include "core/frame_timer.h"
#include "core/game_flags.h"
#include "core/log.h"
#include "core/text_colours.h"
#include "data/map_role.h"
#include "field/role_move.h"
#include "script/msg_settings.h"
#include "script/name_plate.h"
#include "script/talk_ops.h"
#include "ui/talk_msg.h"
#include "ui/text_button.h"

namespace {
constexpr std::uint16_t box_frame_act = 9002;
constexpr std::uint16_t talk_box_margin = 15;
constexpr std::int32_t talk_typing_delay = 3;

// [%d]號對話 [%d]號指令錯誤 找不到 RoleID=%d ,此角色不在此地圖內
constexpr const char* no_speaker_message =
    "[%d]\xB8\xB9\xB9\xEF\xB8\xDC [%d]\xB8\xB9\xAB\xFC\xA5O\xBF\xF9\xBB~ \xA7\xE4\xA4\xA3\xA8\xEC RoleID=%d ,"
    "\xA6\xB9\xA8\xA4\xA6\xE2\xA4\xA3\xA6""b\xA6\xB9\xA6""a\xB9\xCF\xA4\xBA";
// 對話%d 指令錯誤 17: 按鈕 JUMP值 不夠!!
constexpr const char* short_table_message =
    "\xB9\xEF\xB8\xDC%d \xAB\xFC\xA5O\xBF\xF9\xBB~ 17: \xAB\xF6\xB6s JUMP\xAD\xC8 \xA4\xA3\xB0\xF7!!";
// 對話%d 指令錯誤 16: 顏色%d 不合法
constexpr const char* bad_colour_message =
    "\xB9\xEF\xB8\xDC%d \xAB\xFC\xA5O\xBF\xF9\xBB~ 16: \xC3""C\xA6\xE2%d \xA4\xA3\xA6X\xAAk";

SliceResult set_word(TalkRun& run, std::uint16_t& word) {
  word = run.cur.u16();
  return SliceResult::GoOn;
}
}  // namespace

SliceResult talk_message_box(TalkRun& run) {
  std::uint16_t id = run.cur.u16();
  if (id == 0) id = narrator_role;
  std::uint16_t w[9];
  for (std::uint16_t& v : w) v = run.cur.u16();
  const std::span<const std::uint8_t> text = run.cur.text();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  const std::uint16_t index = find_role(id);
  TalkMsg& m = run.box;
  m.speaker = index;
  m.duration = std::uint32_t(w[0]) * 10;
  m.start_time = m.current_time = game_clock;
  m.flat_colour = talk_box_colour;
  m.cur_x = static_cast<std::int16_t>(w[1]);
  m.cur_y = static_cast<std::int16_t>(w[2]);
  m.target_x = static_cast<std::int16_t>(w[3]);
  m.target_y = static_cast<std::int16_t>(w[4]);
  m.open_speed = w[5];
  m.width = w[6];
  m.cur_w = float(m.width);
  m.height = w[7];
  m.cur_h = float(m.height);
  m.flags = w[8];
  m.typing_delay = m.typing_countdown = talk_typing_delay;
  m.frame_act = box_frame_act;
  m.margin_x = m.margin_y = talk_box_margin;
  m.char_spacing = talk_char_spacing[0];
  m.line_spacing = talk_char_spacing[1];
  m.text_colour = text_colours[msg_text_colour < text_colour_count ? msg_text_colour : 0];
  // add_talkmsg copies the text into the box's own buffer; the script stays untouched.
  m.text = const_cast<char*>(reinterpret_cast<const char*>(text.data()));
  m.page_start = m.typed_end = m.text;
  m.text_length = static_cast<std::uint16_t>(text.size());
  make_name_plate(talk_name_plate, m.name);
  talk_name_plate = {};
  if (w[8] & 1) talk_box_state = test_flag(flag_battle) ? 4 : 1;
  else talk_box_state = 16;
  if (index == 0xFFFF) {
    report_error(no_speaker_message, run.ev->TALK, 10, id);
    return SliceResult::GoOn;
  }
  add_talkmsg(&m);
  return SliceResult::EndSlice;
}

SliceResult talk_set_box_colour(TalkRun& run) {
  const std::uint16_t a = run.cur.u16(), r = run.cur.u16(), g = run.cur.u16(), b = run.cur.u16();
  talk_box_colour = std::uint32_t(a) << 24 | std::uint32_t(r) << 16 | std::uint32_t(g) << 8 | b;
  run.box.red = static_cast<std::uint8_t>(r);
  run.box.green = static_cast<std::uint8_t>(g);
  run.box.blue = static_cast<std::uint8_t>(b);
  run.box.alpha_target = static_cast<std::uint8_t>(a);
  run.box.alpha_now = 0;
  return SliceResult::GoOn;
}

SliceResult talk_box_frame(TalkRun& run) {
  msg_box_frame[0] = run.cur.u16();
  msg_box_frame[1] = run.cur.u16();
  return SliceResult::GoOn;
}

SliceResult talk_wait_box(TalkRun& run) {
  const std::uint16_t i = find_role(run.cur.u16());
  if (run.cur.ok() && i != 0xFFFF && (gmMapRole[i].STATE & state_box_open)) return SliceResult::Wait;
  return SliceResult::EndSlice;
}

SliceResult talk_set_char_spacing(TalkRun& run) { return set_word(run, talk_char_spacing[0]); }
SliceResult talk_line_spacing(TalkRun& run) { return set_word(run, talk_char_spacing[1]); }

SliceResult talk_text_colour(TalkRun& run) {
  const std::uint16_t index = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::GoOn;
  if (index >= text_colour_count) report_error(bad_colour_message, run.ev->TALK, index);
  else msg_text_colour = index;
  return SliceResult::GoOn;
}

SliceResult talk_choice(TalkRun& run) {
  if (tbutton_confirmed != 1) return SliceResult::Wait;
  const std::size_t count = run.cur.table_count();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  const int n = tbutton_choice;
  del_all_tbutton();
  if (n < 0 || static_cast<std::size_t>(n) >= count) {
    report_error(short_table_message, run.ev->TALK);
    run.cur.skip(4 * count + 4);
    return SliceResult::EndSlice;
  }
  const std::size_t entry = run.cur.pos() + 4 * static_cast<std::size_t>(n);
  run.cur.jump(entry, run.cur.i32_at(entry));
  return SliceResult::EndSlice;
}

SliceResult talk_close_box(TalkRun& run) {
  const std::uint16_t id = run.cur.u16();
  if (run.cur.ok()) del_talkmsg(id);
  return SliceResult::EndSlice;
}
