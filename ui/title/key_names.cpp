// Key and button names.
#include "ui/title/key_names.h"

#include <array>

#include "core/grp_input.h"

namespace {

constexpr const char* press_a_key = "\xbd\xd0\xab\xf6\xa4@\xad\xd3\xc1\xe4";  // "請按一個鍵"
constexpr const char* unknown_name = "??";
constexpr int scan_name_count = 222;

struct ScanName {
  int scan;
  const char* name;
};

// Named scan codes, in the device's numbering (set 1; extended keys + 0x80).
constexpr ScanName scan_names[] = {
    {0x01, "Escape"}, {0x02, "1"}, {0x03, "2"}, {0x04, "3"}, {0x05, "4"}, {0x06, "5"}, {0x07, "6"},
    {0x08, "7"}, {0x09, "8"}, {0x0A, "9"}, {0x0B, "0"}, {0x0C, "-"}, {0x0D, "="}, {0x0E, "BackSpace"},
    {0x0F, "Tab"}, {0x10, "Q"}, {0x11, "W"}, {0x12, "E"}, {0x13, "R"}, {0x14, "T"}, {0x15, "Y"},
    {0x16, "U"}, {0x17, "I"}, {0x18, "O"}, {0x19, "P"}, {0x1A, "["}, {0x1B, "]"}, {0x1C, "Enter"},
    {0x1D, "L-Ctrl"}, {0x1E, "A"}, {0x1F, "S"}, {0x20, "D"}, {0x21, "F"}, {0x22, "G"}, {0x23, "H"},
    {0x24, "J"}, {0x25, "K"}, {0x26, "L"}, {0x27, ";"}, {0x28, "'"}, {0x29, "`"}, {0x2A, "L-Shift"},
    {0x2B, "\\"}, {0x2C, "Z"}, {0x2D, "X"}, {0x2E, "C"}, {0x2F, "V"}, {0x30, "B"}, {0x31, "N"},
    {0x32, "M"}, {0x33, ","}, {0x34, "."}, {0x35, "/"}, {0x36, "R-Shift"}, {0x37, "*"}, {0x38, "L-Alt"},
    {0x39, "Space"}, {0x3A, "Caps Lock"}, {0x3B, "F1"}, {0x3C, "F2"}, {0x3D, "F3"}, {0x3E, "F4"},
    {0x3F, "F5"}, {0x40, "F6"}, {0x41, "F7"}, {0x42, "F8"}, {0x43, "F9"}, {0x44, "F10"},
    {0x45, "Num Lock"}, {0x46, "Scroll Lock"}, {0x47, "Numpad 7"}, {0x48, "Numpad 8"},
    {0x49, "Numpad 9"}, {0x4A, "Numpad -"}, {0x4B, "Numpad 4"}, {0x4C, "Numpad 5"}, {0x4D, "Numpad 6"},
    {0x4E, "Numpad +"}, {0x4F, "Numpad 1"}, {0x50, "Numpad 2"}, {0x51, "Numpad 3"}, {0x52, "Numpad 0"},
    {0x53, "Numpad ."}, {0x57, "F11"}, {0x58, "F12"}, {0x64, "F13"}, {0x65, "F14"}, {0x66, "F15"},
    {0x70, "Kana"}, {0x79, "Convert"}, {0x7B, "NoConvert"}, {0x7D, "Yen"}, {0x8D, "n="},
    {0x90, "CircumFlex"}, {0x91, "At"}, {0x92, "Colon"}, {0x93, "UnderLine"}, {0x94, "Kanji"},
    {0x95, "Stop"}, {0x96, "AX"}, {0x97, "Unlabeled"}, {0x9C, "Numpad Enter"}, {0x9D, "R-Ctrl"},
    {0xB3, "n,"}, {0xB5, "n/"}, {0xB7, "SysRq"}, {0xB8, "R-Alt"}, {0xC7, "Home"}, {0xC8, "Arrow Up"},
    {0xC9, "Page Up"}, {0xCB, "Arrow Left"}, {0xCD, "Arrow Right"}, {0xCF, "End"}, {0xD0, "Arrow Down"},
    {0xD1, "Page Down"}, {0xD2, "Insert"}, {0xD3, "Delete"}, {0xDB, "L-Win"}, {0xDC, "R-Win"},
    {0xDD, "AppMenu"},
};

constexpr std::array<const char*, scan_name_count> make_scan_table() {
  std::array<const char*, scan_name_count> t{};
  for (auto& name : t) name = unknown_name;
  t[0] = press_a_key;
  for (const ScanName& n : scan_names) t[n.scan] = n.name;
  return t;
}
constexpr std::array<const char*, scan_name_count> scan_table = make_scan_table();

constexpr const char* button_names[13] = {
    "\xab\xf6\xb6s" "1", "\xab\xf6\xb6s" "2", "\xab\xf6\xb6s" "3", "\xab\xf6\xb6s" "4", "\xab\xf6\xb6s" "5",
    "\xab\xf6\xb6s" "6", "\xab\xf6\xb6s" "7", "\xab\xf6\xb6s" "8", "\xab\xf6\xb6s" "9", "\xab\xf6\xb6s" "10",
    "\xab\xf6\xb6s" "11", "\xab\xf6\xb6s" "12", press_a_key,
};  // "按鈕1" ... "按鈕12", "請按一個鍵"

}  // namespace

const char* scan_code_name(int scan) {
  return scan >= 0 && scan < scan_name_count ? scan_table[std::size_t(scan)] : unknown_name;
}

const char* key_binding_name(int key) { return scan_code_name(grp_input.key_to_scan(key)); }

const char* joy_binding_name(int button) {
  const int i = button - key_joy_button1;
  return i >= 0 && i < 13 ? button_names[i] : unknown_name;
}
