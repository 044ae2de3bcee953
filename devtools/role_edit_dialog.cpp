// The role editor dialog.
#include "devtools/role_edit_dialog.h"

#include <cstdint>

#include "core/log.h"
#include "data/map_role.h"
#include "data/role_rows.h"
#include "field/map_file.h"
#include "field/role_move.h"

namespace {

constexpr std::uint16_t not_on_map = 0xFFFF;
constexpr int state_boxes = 16;

// 這個角色目不在這個地圖!! / 角色資料找不到這個角色!! / 找不到這個角色!!
const char off_map_message[] =
    "\xB3o\xAD\xD3\xA8\xA4\xA6\xE2\xA5\xD8\xA4\xA3\xA6" "b\xB3o\xAD\xD3\xA6" "a\xB9\xCF!!";
const char no_row_message[] = "\xA8\xA4\xA6\xE2\xB8\xEA\xAE\xC6\xA7\xE4\xA4\xA3\xA8\xEC\xB3o\xAD\xD3\xA8\xA4\xA6\xE2!!";
const char not_found_message[] = "\xA7\xE4\xA4\xA3\xA8\xEC\xB3o\xAD\xD3\xA8\xA4\xA6\xE2!!";

constexpr auto edit = DialogControlKind::edit;
constexpr auto check = DialogControlKind::check_box;
constexpr auto label = DialogControlKind::static_text;

const DialogControl controls[] = {
    {dialog_no_id, label, "RoleID:", 62, 6, 34, 8},
    {role_edit_id, edit, nullptr, 98, 4, 40, 12},
    {role_edit_find, DialogControlKind::default_button, "\xB4M\xA7\xE4", 143, 3, 32, 14},  // 尋找
    {dialog_no_id, DialogControlKind::rule, nullptr, 4, 18, 240, 1},
    {dialog_no_id, label, "MAP:", 4, 35, 24, 8},
    {role_edit_map, edit, nullptr, 29, 33, 29, 12},
    {dialog_no_id, label, "ACT:", 4, 49, 24, 8},
    {role_edit_act, edit, nullptr, 29, 47, 29, 12},
    {dialog_no_id, label, "QQ:", 4, 64, 24, 8},
    {role_edit_qq, edit, nullptr, 29, 62, 29, 12},
    {dialog_no_id, label, "DIR:", 4, 79, 24, 8},
    {role_edit_dir, edit, nullptr, 29, 77, 29, 12},
    {dialog_no_id, label, "TALK:", 4, 94, 24, 8},
    {role_edit_talk, edit, nullptr, 29, 92, 29, 12},
    {dialog_no_id, label, "AI:", 4, 109, 24, 8},
    {role_edit_ai, edit, nullptr, 29, 107, 29, 12},
    {dialog_no_id, label, "X:", 4, 124, 24, 8},
    {role_edit_x, edit, nullptr, 29, 122, 29, 12},
    {dialog_no_id, label, "Y:", 4, 139, 24, 8},
    {role_edit_y, edit, nullptr, 29, 137, 29, 12},
    {dialog_no_id, label, "Z:", 4, 153, 24, 8},
    {role_edit_z, edit, nullptr, 29, 151, 29, 12},
    {dialog_no_id, DialogControlKind::group_box, "\xBAX\xBC\xD0", 86, 28, 150, 104},  // 旗標
    {1012, check, "\xB0\xA3\xAF\xE0", 92, 41, 60, 10},                       // 除能
    {1013, check, "\xB1\xC0\xB0\xCA", 92, 52, 60, 10},                       // 推動
    {1014, check, "\xAC\xEF\xB6V", 92, 63, 60, 10},                          // 穿越
    {1015, check, "\xA4\xA3\xC5\xE3\xA5\xDC", 92, 74, 60, 10},               // 不顯示
    {1016, check, "\xB8I\xBC\xB2\xA8\xC6\xA5\xF3", 92, 85, 60, 10},          // 碰撞事件
    {1017, check, "\xB4`\xC0\xF4\xB6K\xB9\xCF", 92, 96, 60, 10},             // 循環貼圖
    {1018, check, "\xA6" "a\xAAO\xA4\xA3\xB8I\xBC\xB2", 92, 107, 60, 10},    // 地板不碰撞
    {1019, check, "\xB5L\xBCv\xA4l", 92, 118, 60, 10},                       // 無影子
    {1020, check, "\xABO\xAF" "d", 157, 41, 70, 10},                         // 保留
    {1021, check, "\xB4\xE5\xBC\xD0\xA4\xA3\xC5\xDC", 157, 52, 70, 10},      // 游標不變
    {1022, check, "\xC4_\xBD" "c", 157, 63, 70, 10},                         // 寶箱
    {1023, check, "\xBE\xF7\xC3\xF6", 157, 74, 70, 10},                      // 機關
    {1024, check, "\xA4\xA3\xC2\xE0\xA6V", 157, 85, 70, 10},                 // 不轉向
    {1025, check, "NPC", 157, 96, 70, 10},
    {1026, check, "\xA7\xDA\xA4\xE8\xA8\xA4\xA6\xE2", 157, 107, 70, 10},     // 我方角色
    {1027, check, "\xA5" "D\xA8\xA4", 157, 118, 70, 10},                     // 主角
    {dialog_ok, DialogControlKind::push_button, dialog_ok_text, 120, 145, 50, 14},
    {dialog_cancel, DialogControlKind::push_button, dialog_cancel_text, 183, 145, 50, 14},
};

// The role the RoleID field names: the live one on this map, else its placement row (map set
// to the row's map). False when neither exists; *index is not_on_map off the map.
bool look_up(MapRole* copy, std::uint16_t* map, std::uint16_t* index) {
  *map = map_record.map_number;
  const auto id = static_cast<std::uint16_t>(get_dlg_item_int(role_edit_id));
  *index = find_role(id);
  if (*index != not_on_map) {
    *copy = gmMapRole[*index];
    return true;
  }
  return get_maps_role(id, copy, map) != 0;
}

void find_pressed() {
  MapRole copy;
  std::uint16_t map = 0, index = 0;
  const auto id = static_cast<std::uint16_t>(get_dlg_item_int(role_edit_id));
  if (find_role(id) == not_on_map) report_error("%s", off_map_message);
  if (!look_up(&copy, &map, &index)) {
    report_error("%s", no_row_message);
    set_dlg_focus(role_edit_id);
    return;
  }
  for (int k = 0; k < state_boxes; ++k) check_dlg_button(role_edit_state_first + k, 0);
  set_dlg_item_int(role_edit_map, map);
  set_dlg_item_int(role_edit_act, copy.anim.act);
  set_dlg_item_int(role_edit_qq, copy.anim.qq);
  set_dlg_item_int(role_edit_dir, static_cast<int>(copy.DIR));
  set_dlg_item_int(role_edit_talk, copy.TALK);
  set_dlg_item_int(role_edit_ai, copy.AI);
  set_dlg_item_int(role_edit_x, static_cast<int>(copy.X));
  set_dlg_item_int(role_edit_y, static_cast<int>(copy.Y));
  set_dlg_item_int(role_edit_z, static_cast<int>(copy.Z));
  for (int k = 0; k < state_boxes; ++k)
    if (copy.STATE & (1u << k)) check_dlg_button(role_edit_state_first + k, 1);
  set_dlg_focus(role_edit_id);
}

void ok_pressed() {
  MapRole copy;
  std::uint16_t map = 0, index = 0;
  if (!look_up(&copy, &map, &index)) {
    report_error("%s", not_found_message);
    set_dlg_focus(role_edit_id);
    return;
  }
  map = static_cast<std::uint16_t>(get_dlg_item_int(role_edit_map));
  copy.anim.act = static_cast<std::uint16_t>(get_dlg_item_int(role_edit_act));
  copy.anim.qq = static_cast<std::uint16_t>(get_dlg_item_int(role_edit_qq));
  copy.DIR = static_cast<float>(get_dlg_item_int(role_edit_dir));
  copy.TALK = static_cast<std::uint16_t>(get_dlg_item_int(role_edit_talk));
  copy.AI = static_cast<std::uint16_t>(get_dlg_item_int(role_edit_ai));
  copy.X = static_cast<float>(get_dlg_item_int(role_edit_x));
  copy.Y = static_cast<float>(get_dlg_item_int(role_edit_y));
  copy.Z = static_cast<float>(get_dlg_item_int(role_edit_z));
  copy.STATE &= 0xFFFF0000u;
  for (int k = 0; k < state_boxes; ++k)
    if (is_dlg_button_checked(role_edit_state_first + k) == 1) copy.STATE |= 1u << k;
  save_maps_role(map, &copy);
  if (index != not_on_map) gmMapRole[index] = copy;
  end_dialog(0);
}

}  // namespace

const DialogTable IDD_ROLE_EDIT{"IDD_ROLE_EDIT", "\xB8\xF4\xA4H\xBDs\xBF\xE8", 248, 171, controls};  // 路人編輯

int role_edit_dialog_proc(DialogMessage message, int id) {
  if (message == DialogMessage::init) {
    select_dlg_text(role_edit_id);
    set_dlg_focus(role_edit_id);
  } else if (id == role_edit_find) {
    find_pressed();
  } else if (id == dialog_ok) {
    ok_pressed();
  } else if (id == dialog_cancel) {
    end_dialog(-1);
  }
  return 0;
}
