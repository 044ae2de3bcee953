// Fight-talk commands: dialogue boxes over the units, their settings, and choices.
#include <algorithm>

#include "battle/fight_man.h"
#include "battle/fight_talk_ops.h"
#include "core/flags.h"
#include "core/frame_timer.h"
#include "core/game_flags.h"
#include "core/log.h"
#include "script/msg_settings.h"
#include "ui/talk_msg.h"
#include "ui/text_button.h"

namespace {
constexpr std::uint16_t box_frame_act = 9002;
constexpr std::uint16_t box_margin = 15;
// Typing delays by speed index, as the text's own speed code gives them.
constexpr std::int32_t typing_delays[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
// "對話%d 指令錯誤 17: 按鈕 JUMP值 不夠!!"
constexpr char short_table[] =
    "\xB9\xEF\xB8\xDC%d \xAB\xFC\xA5O\xBF\xF9\xBB~ 17: \xAB\xF6\xB6s JUMP\xAD\xC8 \xA4\xA3\xB0\xF7!!";

SliceResult set_word(FightTalkRun& run, std::uint16_t& word) {
  const std::uint16_t v = run.cur.u16();
  if (run.cur.ok()) word = v;
  return SliceResult::GoOn;
}

void fill_box(TalkMsg& m, const std::uint16_t (&w)[10], std::span<const std::uint8_t> text) {
  m.speaker = w[0];
  m.duration = std::uint32_t(w[1]) * 10;
  m.start_time = m.current_time = game_clock;
  m.cur_x = std::int16_t(w[2]);
  m.cur_y = std::int16_t(w[3]);
  m.target_x = std::int16_t(w[4]);
  m.target_y = std::int16_t(w[5]);
  m.open_speed = w[6];
  m.width = w[7];
  m.height = w[8];
  m.cur_w = float(m.width);
  m.cur_h = float(m.height);
  m.flags = w[9];
  m.flat_colour = fight_talk_colour;
  m.alpha_target = std::uint8_t(fight_talk_colour >> 24);
  m.red = std::uint8_t(fight_talk_colour >> 16);
  m.green = std::uint8_t(fight_talk_colour >> 8);
  m.blue = std::uint8_t(fight_talk_colour);
  m.margin_x = m.margin_y = box_margin;
  m.char_spacing = talk_char_spacing[0];
  m.line_spacing = talk_char_spacing[1];
  m.typing_delay = m.typing_countdown =
      typing_delays[std::min<std::size_t>(fight_talk_speed, std::size(typing_delays) - 1)];
  m.frame_act = box_frame_act;
  // add_talkmsg copies the text into the box's own buffer; the script stays untouched.
  m.text = const_cast<char*>(reinterpret_cast<const char*>(text.data()));
  m.page_start = m.typed_end = m.text;
  m.text_length = std::uint16_t(text.size());
}
}  // namespace

SliceResult fight_talk_box(FightTalkRun& run) {
  std::uint16_t w[10];
  for (std::uint16_t& v : w) v = run.cur.u16();
  const std::span<const std::uint8_t> text = run.cur.text();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  FightMan* speaker = fight_talk_unit(run, w[0]);
  if (!speaker) return SliceResult::EndSlice;
  TalkMsg m;
  fill_box(m, w, text);
  G3dVector at;
  speaker->GetPos4(&at);
  m.anchor[0] = at.x;
  m.anchor[1] = speaker->GetTopY();
  m.anchor[2] = at.z;
  talk_box_state = talk_state_open;
  if (w[9] & 1) talk_box_state = test_flag(flag_battle) ? talk_state_closed_in_battle : talk_state_closed;
  add_talkmsg(&m);
  return SliceResult::EndSlice;
}

SliceResult fight_talk_box_colour(FightTalkRun& run) {
  std::uint16_t argb[4];
  for (std::uint16_t& v : argb) v = run.cur.u16();
  if (!run.cur.ok()) return SliceResult::GoOn;
  fight_talk_colour = std::uint32_t(argb[0] & 0xFF) << 24 | std::uint32_t(argb[1] & 0xFF) << 16 |
                      std::uint32_t(argb[2] & 0xFF) << 8 | (argb[3] & 0xFF);
  return SliceResult::GoOn;
}

SliceResult fight_talk_box_frame(FightTalkRun& run) {
  set_word(run, msg_box_frame[0]);
  return set_word(run, msg_box_frame[1]);
}

SliceResult fight_talk_wait_box(FightTalkRun& run) {
  const std::uint16_t unit = run.cur.u16();
  if (run.cur.ok() && !check_talkmsg_end(unit)) return SliceResult::Wait;
  return SliceResult::GoOn;
}

SliceResult fight_talk_char_spacing(FightTalkRun& run) { return set_word(run, talk_char_spacing[0]); }
SliceResult fight_talk_line_spacing(FightTalkRun& run) { return set_word(run, talk_char_spacing[1]); }
SliceResult fight_talk_typing_speed(FightTalkRun& run) { return set_word(run, fight_talk_speed); }

// Each button has one entry; a choice past the table's entries is reported and the script goes
// on after the table.
SliceResult fight_talk_choice(FightTalkRun& run) {
  if (tbutton_confirmed != 1) return SliceResult::Wait;
  const std::size_t count = run.cur.table_count();
  if (!run.cur.ok()) return SliceResult::EndSlice;
  const int k = tbutton_choice;
  del_all_tbutton();
  tbutton_confirmed = 0;
  if (k < 0 || std::size_t(k) >= count) {
    report_error(short_table, int(fight_talk_current));
    run.cur.skip(4 * count + 4);
    return SliceResult::EndSlice;
  }
  const std::size_t entry = run.cur.pos() + 4 * std::size_t(k);
  run.cur.jump(entry, run.cur.i32_at(entry));
  return SliceResult::EndSlice;
}
