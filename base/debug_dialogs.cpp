// The base pages' developer dialogs.
#include "base/debug_dialogs.h"

std::uint16_t magic_dialog_value = 0, monster_dialog_value = 0;

namespace {

const DialogControl number_controls[] = {
    {debug_dialog_edit, DialogControlKind::edit, nullptr, 15, 12, 90, 14},
    {dialog_ok, DialogControlKind::default_button, dialog_ok_text, 15, 36, 40, 14},
    {dialog_cancel, DialogControlKind::push_button, dialog_cancel_text, 65, 36, 40, 14},
};

// The edit shows the value whole and selected; OK keeps what was typed (ending 0), Cancel ends -1.
int number_dialog_step(DialogMessage message, int id, std::uint16_t* value) {
  if (message == DialogMessage::init) {
    set_dlg_item_int(debug_dialog_edit, *value);
    select_dlg_text(debug_dialog_edit);
    set_dlg_focus(debug_dialog_edit);
  } else if (id == dialog_ok) {
    *value = static_cast<std::uint16_t>(get_dlg_item_int(debug_dialog_edit));
    end_dialog(0);
  } else if (id == dialog_cancel) {
    end_dialog(-1);
  }
  return 0;
}

}  // namespace

const DialogTable IDD_MAGIC{"IDD_MAGIC", "", 120, 58, number_controls};
const DialogTable IDD_MONSTER{"IDD_MONSTER", "", 120, 58, number_controls};

int magic_dialog_proc(DialogMessage message, int id) { return number_dialog_step(message, id, &magic_dialog_value); }
int monster_dialog_proc(DialogMessage message, int id) { return number_dialog_step(message, id, &monster_dialog_value); }
