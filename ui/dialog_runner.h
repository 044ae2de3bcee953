#pragma once
// In-game modal dialogs. A dialog is its resource table (caption, size and controls in dialog
// units) and its procedure, which the runner calls on opening and on every button; the
// procedure works on the controls by id and ends the dialog with a code. While a dialog is open
// a due frame runs only dialog_frame: the dialog is drawn over the frozen last frame with the
// window frame and the 16-pixel font, 2 pixels a dialog unit, centred, with the game's cursor.
// Edits are text fields that the window procedure feeds (dialog_takes_message); Tab or a click
// moves the focus, Space or a click toggles a check box, Enter presses the default button and
// Escape presses 2. Tests queue scripted answers, which the next dialog takes at once.
#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "platform/events.h"

namespace platform {
struct Window;
}

enum class DialogControlKind : std::uint8_t { push_button, default_button, static_text, edit, check_box, group_box, rule };

constexpr int dialog_no_id = -1;    // statics, group boxes and rules
constexpr int dialog_ok = 1;        // the usual "確定"
constexpr int dialog_cancel = 2;    // "取消", which Escape presses
inline constexpr char dialog_ok_text[] = "\xBDT\xA9w";              // 確定
inline constexpr char dialog_cancel_text[] = "\xA8\xFA\xAE\xF8";  // 取消

struct DialogControl {
  int id;
  DialogControlKind kind;
  const char* text;  // Big5; null for none
  int x, y, w, h;    // dialog units
};

struct DialogTable {
  const char* name;     // the resource name, as IDD_RELOAD
  const char* caption;  // Big5
  int w, h;             // dialog units
  std::span<const DialogControl> controls;
};

enum class DialogMessage { init, command };
// A procedure: init once when the dialog opens, command with the id of each button pressed.
// It returns 0 and ends the dialog with end_dialog.
using DialogProc = int (*)(DialogMessage message, int id);
// Called with the end code once the dialog has closed.
using DialogDone = void (*)(int code);

// Opens the dialog (one at a time: a second one while another is open is refused with 0);
// scripted answers are taken at once. 1 when it opened.
int run_dialog(const DialogTable& table, DialogProc proc, DialogDone done);
bool dialog_running();
const DialogTable* running_dialog();
// One due frame of the open dialog: the answers queued since it opened, its keys and clicks
// (from the logical keys of this frame), then its drawing and present.
void dialog_frame();
// Offers a window message to the focused edit: 1 when the dialog took it.
int dialog_takes_message(platform::Window* window, platform::MessageId message, std::uintptr_t wparam,
                         std::intptr_t lparam);
// Drops an open dialog without calling its procedure or its end (tests, shut-down).
void abandon_dialog();

// The controls of the open dialog, by id, for its procedure (no dialog or no such control: 0,
// nothing done).
// The edit's text as a whole signed int; any other text (and a number outside the int range)
// reads 0.
int get_dlg_item_int(int id);
void set_dlg_item_int(int id, int value);
std::string get_dlg_item_text(int id);
void set_dlg_item_text(int id, const char* text);
int is_dlg_button_checked(int id);
void check_dlg_button(int id, int checked);
// Selects the edit's whole text: the next typed character replaces it.
void select_dlg_text(int id);
void set_dlg_focus(int id);
int dlg_focus_id();
void end_dialog(int code);

// A scripted answer: texts typed into edits, check boxes set, then the button pressed. The
// dialog that opens next takes the queued answers at once, an open one at its next frame; a
// button that leaves the dialog open passes on to the next answer.
struct DialogAnswer {
  std::vector<std::pair<int, std::string>> texts;
  std::vector<std::pair<int, int>> checks;
  int button = dialog_ok;
};
void queue_dialog_answer(DialogAnswer answer);
void clear_dialog_answers();

// Where a control lies on the screen while its dialog is open (pixels).
struct DialogRect {
  int x, y, w, h;
};
DialogRect dialog_control_rect(const DialogTable& table, const DialogControl& control);
// The dialog's whole frame on the screen.
DialogRect dialog_frame_rect(const DialogTable& table);
