// Message-box texts from outside (scripts and data files give them): the box is opened with the
// text, the "%F" strings are filled, and 30 frames of input and drawing run; the script-string
// copy and the paragraph walk read the same bytes. Input: a flags byte, a size byte, the box
// text up to the first NUL, then the strings block (20 bytes a string).
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "core/flags.h"
#include "core/frame_timer.h"
#include "core/grp_input.h"
#include "data/map_role.h"
#include "fuzz/data_fuzz.h"
#include "ui/paragraph.h"
#include "ui/talk_msg.h"
#include "ui/talk_text.h"
#include "ui/text_button.h"

namespace {

constexpr std::uint32_t template_flags[8] = {0, talk_timed, talk_flat, talk_auto_size, talk_open_anim,
                                             talk_auto_size | talk_no_arrow, talk_label, talk_keys_off};

void check_boxes() {
  for (TalkMsg* b = talkmsg_head(); b; b = b->next) {
    if (b->text[talk_text_size - 1] != 0) __builtin_trap();
    if (b->page_start < b->text || b->page_start > b->text + talk_text_size - 1) __builtin_trap();
    if (b->typed_end < b->text || b->typed_end > b->text + talk_text_size - 1) __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  DataFuzzInput input;
  gmMapRoleCount = 1;
  gmMapRole[0] = MapRole{};
  gmMapRole[0].RoleID = 0xFF01;
  const char* bytes = reinterpret_cast<const char*>(data);
  const std::size_t text_end = std::find(data + 2, data + size, 0) - data;
  const std::string text(bytes + 2, text_end - 2);
  std::memset(talk_strings, 0, sizeof talk_strings);
  const std::size_t strings_at = std::min(size, text_end + 1);
  const std::size_t string_bytes = std::min<std::size_t>(size - strings_at, sizeof talk_strings);
  std::memcpy(talk_strings, bytes + strings_at, string_bytes);
  talk_string_count = int(string_bytes / talk_string_size);

  TalkMsg t;
  t.flags = template_flags[data[0] & 7] | (data[0] & 0x8 ? talk_constant_speed : 0);
  t.margin_x = t.margin_y = data[1] & 0x1F;
  t.char_spacing = data[1] >> 5;
  t.line_spacing = data[0] >> 4;
  t.cur_w = (data[0] & 0x40) ? 0 : float(60 + 2 * data[1]);
  t.cur_h = (data[0] & 0x40) ? 0 : float(data[1] % 3);
  t.open_speed = data[0] >> 5;
  t.typing_countdown = (data[1] & 3) - 1;
  t.duration = 200;
  t.text = const_cast<char*>(text.c_str());
  t.text_length = std::uint16_t(std::min<std::size_t>(text.size(), 0xFFFF));
  add_talkmsg(&t);
  add_txt_msg(10, 10, 300, 80, 0, 2, text.c_str(), 0);
  check_boxes();

  std::uint32_t now = 1000;
  for (int frame = 0; frame < 30; ++frame) {
    now += 100;
    game_clock = now;
    grp_input.update_key(now, key_enter, frame % 3 == 1);
    grp_input.update_key(now, key_down, frame % 5 == 2);
    input_talkmsg();
    show_talkmsg();
    check_boxes();
  }
  int choice = 0;
  get_tbutton(&choice);
  del_all_talkmsg();
  del_all_tbutton();

  char dst[64];
  const int n = read_script_str(bytes, size, dst, sizeof dst);
  if (n != -1 && (n < 2 || std::size_t(n) > size)) __builtin_trap();
  if (std::strlen(dst) >= sizeof dst) __builtin_trap();
  const int lines = count_paragraph_lines(text.c_str(), 1 + data[1] % 6, 40 + data[0]);
  if (lines < 1 || lines > 1 + data[1] % 6) __builtin_trap();
  draw_paragraph(nullptr, text.c_str(), 0, 0, 3, 200, data[0]);
  return 0;
}
