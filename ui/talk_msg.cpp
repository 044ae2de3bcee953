// Message boxes.
#include "ui/talk_msg.h"

#include "data/map_role.h"
#include "field/role_move.h"

void input_talkmsg() {}
void show_talkmsg() {}

void add_talkmsg(const TalkMsg* tmpl) {
  if (tmpl && tmpl->speaker < gmMapRoleCount) gmMapRole[tmpl->speaker].STATE |= state_box_open;
}

void del_talkmsg(std::uint16_t RoleID) {
  std::uint16_t i = find_role(RoleID);
  if (i != 0xFFFF) gmMapRole[i].STATE &= ~state_box_open;
}

void del_all_talkmsg() {
  for (int i = 0; i < gmMapRoleCount; ++i) gmMapRole[i].STATE &= ~state_box_open;
}
