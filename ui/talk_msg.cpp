// Message boxes in their least form: the open boxes are kept, drawn as flat panels with a bar
// on the highlighted choice, and closed by the go-on keys; a box's "%B" codes make its buttons.
#include "ui/talk_msg.h"

#include <span>

#include "core/flags.h"
#include "core/grp_input.h"
#include "data/map_role.h"
#include "field/role_move.h"
#include "gfx2d/cddraw.h"
#include "ui/text_button.h"

namespace {
constexpr int box_capacity = 8;
constexpr std::uint32_t panel_colour = 0x4208;
constexpr std::uint32_t bar_colour = 0x7BEF;
constexpr int bar_height = 24, bar_step = 30, bar_inset = 20;

struct OpenBox {
  TalkMsg msg;
  int buttons = 0;
};
OpenBox boxes[box_capacity];
int box_count = 0;

int count_buttons(const TalkMsg& m) {
  int n = 0;
  for (std::uint16_t i = 0; m.text && i + 1 < m.text_length; ++i)
    if (m.text[i] == '%' && m.text[i + 1] == 'B') ++n;
  return n;
}

void close_at(int i) {
  const std::uint16_t speaker = boxes[i].msg.speaker;
  for (int j = i + 1; j < box_count; ++j) boxes[j - 1] = boxes[j];
  --box_count;
  if (speaker < gmMapRoleCount) gmMapRole[speaker].STATE &= ~state_box_open;
}
}  // namespace

void add_talkmsg(const TalkMsg* tmpl) {
  if (!tmpl || box_count == box_capacity) return;
  OpenBox& b = boxes[box_count++];
  b.msg = *tmpl;
  b.buttons = count_buttons(b.msg);
  tbutton_count += b.buttons;
  if (tmpl->speaker < gmMapRoleCount) gmMapRole[tmpl->speaker].STATE |= state_box_open;
}

void del_talkmsg(std::uint16_t RoleID) {
  const std::uint16_t index = find_role(RoleID);
  for (int i = 0; i < box_count; ++i)
    if (boxes[i].msg.speaker == index) return close_at(i);
  if (index != 0xFFFF) gmMapRole[index].STATE &= ~state_box_open;
}

void del_all_talkmsg() {
  while (box_count) close_at(box_count - 1);
  for (int i = 0; i < gmMapRoleCount; ++i) gmMapRole[i].STATE &= ~state_box_open;
  talk_box_state = 0;
}

void input_talkmsg() {
  if (box_count == 0) return;
  if (tbutton_count > 0 && !tbutton_confirmed) {
    if (grp_input.key_press(key_down) && tbutton_choice + 1 < tbutton_count) ++tbutton_choice;
    if (grp_input.key_press(key_up) && tbutton_choice > 0) --tbutton_choice;
    if (!grp_input.key_press(key_enter)) return;
    tbutton_confirmed = 1;
  } else if (!grp_input.key_press(key_space) && !grp_input.key_press(key_enter)) {
    return;
  }
  close_at(0);
  talk_box_state = 1;
}

void show_talkmsg() {
  for (int i = 0; i < box_count; ++i) {
    const TalkMsg& m = boxes[i].msg;
    display_device.fill_rect(m.target_x, m.target_y, m.width, m.height, panel_colour);
    if (boxes[i].buttons > 0)
      display_device.fill_rect(m.target_x + bar_inset, m.target_y + bar_inset + bar_step * tbutton_choice,
                               m.width - 2 * bar_inset, bar_height, bar_colour);
  }
}
