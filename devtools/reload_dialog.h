#pragma once
// IDD_RELOAD, "重載對話段": restarts a talk after the talk files were reloaded. It shows
// reload_talk_number; OK stores the typed number there and the check box into
// reload_keep_paths, and ends with 0; Cancel ends with -1.
#include "ui/dialog_runner.h"

constexpr int reload_edit_talk = 1000;
constexpr int reload_check_keep_paths = 1001;
extern const DialogTable IDD_RELOAD;
int reload_dialog_proc(DialogMessage message, int id);
