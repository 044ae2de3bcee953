// The talk reload dialog.
#include "devtools/reload_dialog.h"

#include <cstdint>

#include "script/talk_queue.h"

namespace {

const DialogControl controls[] = {
    {dialog_ok, DialogControlKind::default_button, dialog_ok_text, 31, 52, 30, 14},
    {dialog_cancel, DialogControlKind::push_button, dialog_cancel_text, 86, 52, 30, 14},
    {dialog_no_id, DialogControlKind::static_text, "\xB9\xEF\xB8\xDC\xB8\xB9\xBDX:", 20, 17, 35, 8},  // 對話號碼:
    {reload_edit_talk, DialogControlKind::edit, nullptr, 78, 15, 40, 14},
    {reload_check_keep_paths, DialogControlKind::check_box, "\xA4\xA3\xB2M\xB0\xA3\xB8\xF4\xA4H\xB8\xF4\xAE|", 20, 36,
     100, 10},  // 不清除路人路徑
};

}  // namespace

const DialogTable IDD_RELOAD{"IDD_RELOAD", "\xAD\xAB\xB8\xFC\xB9\xEF\xB8\xDC\xACq", 149, 78, controls};  // 重載對話段

int reload_dialog_proc(DialogMessage message, int id) {
  if (message == DialogMessage::init) {
    set_dlg_item_int(reload_edit_talk, static_cast<std::int16_t>(reload_talk_number));
    select_dlg_text(reload_edit_talk);
    set_dlg_focus(reload_edit_talk);
  } else if (id == dialog_ok) {
    reload_talk_number = static_cast<std::uint16_t>(get_dlg_item_int(reload_edit_talk));
    reload_keep_paths = is_dlg_button_checked(reload_check_keep_paths) == 1 ? 1 : 0;
    end_dialog(0);
  } else if (id == dialog_cancel) {
    end_dialog(-1);
  }
  return 0;
}
