#pragma once
// The messages the program's one window sends to its window procedures, shaped after what the
// game expects of a window: a message number, a word parameter and a long parameter.
//
// Key messages carry the game's own key numbers (`KeyCode`): printable keys as their unshifted
// US ASCII codes (letters lower case), 8 Backspace, 9 Tab, 13 Enter, 27 Escape, 32 Space,
// 128/129 Shift, 130/131 Ctrl, 132/133 Alt, 134-137 Left, Right, Up, Down, 138-149 F1-F12,
// 150-155 Insert, Delete, Home, End, Page Up, Page Down, 156-171 the numeric pad,
// 172-175 Num Lock, Caps Lock, Scroll Lock, SysRq.
#include <cstdint>

namespace platform {

struct Window;

enum class MessageId : std::uint32_t {
  Null,
  Create,
  Destroy,          // the window is being destroyed
  Close,            // the user or the program asks the window to close
  Quit,             // ends the message loop; wparam is the exit code
  KillFocus,        // the window lost the keyboard focus
  ActivateApp,      // wparam 1: the program is activated, 0: deactivated
  KeyDown,          // wparam: KeyCode
  KeyUp,            // wparam: KeyCode
  SysKeyDown,       // a key pressed with Alt held, or F10; wparam: KeyCode; lparam: KeyAltHeld
  SysKeyUp,         // wparam: KeyCode; lparam: KeyAltHeld
  Char,             // one typed byte (ASCII, or one byte of a Big5 character); wparam: the byte
  ImeChar,          // one typed Big5 character; wparam: lead byte << 8 | trail byte
  InputLangChange,  // the keyboard layout changed; lparam: the layout
  SysCommand,       // wparam: a SysCommand value
  HotKey,           // lparam: modifiers (HotKeyAlt ...) | KeyCode << 16
  Command,
  LButtonDown,
};

// The window's system commands (the window menu, the title bar's buttons, Alt + F4).
enum class SysCommand : std::uint32_t {
  Size,
  Move,
  Minimize,
  Maximize,
  NextWindow,
  PrevWindow,
  Close,
  MouseMenu,
  KeyMenu,
  Restore,
  TaskList,
  ScreenSave,
  MonitorPower,
};

// Modifier bits of a HotKey message's long parameter.
constexpr std::intptr_t HotKeyAlt = 1;
constexpr std::intptr_t HotKeyControl = 2;
constexpr std::intptr_t HotKeyShift = 4;

// Bit of a key message's long parameter: Alt was held when the key went down or up.
constexpr std::intptr_t KeyAltHeld = std::intptr_t(1) << 29;

// Key numbers the window layer itself looks at.
constexpr int KeyAltLeft = 132;
constexpr int KeyAltRight = 133;
constexpr int KeyF4 = 141;
constexpr int KeyF10 = 147;

struct Message {
  Window* window = nullptr;
  MessageId id = MessageId::Null;
  std::uintptr_t wparam = 0;
  std::intptr_t lparam = 0;
};

// A window procedure: (window, message, word parameter, long parameter) -> result.
using WindowProc = std::intptr_t (*)(Window* window, MessageId message, std::uintptr_t wparam,
                                     std::intptr_t lparam);

}  // namespace platform
