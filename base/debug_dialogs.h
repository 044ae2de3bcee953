#pragma once
// The developer dialogs of the base pages: one number typed into edit control 1000, kept
// between uses. The magic page's names a spell to learn, the residents page's a monster to
// take in.
#include <cstdint>

#include "ui/dialog_runner.h"

constexpr int debug_dialog_edit = 1000;
extern std::uint16_t magic_dialog_value, monster_dialog_value;
extern const DialogTable IDD_MAGIC, IDD_MONSTER;
int magic_dialog_proc(DialogMessage message, int id);
int monster_dialog_proc(DialogMessage message, int id);
