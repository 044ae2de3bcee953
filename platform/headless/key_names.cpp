// Key names of scripted input (QORV_INPUT "down KEY" / "up KEY") to device scan codes.
#include <cctype>
#include <cstring>
#include <string>

#include "platform/input.h"

namespace platform {
namespace {

struct KeyName {
  const char* name;
  std::uint8_t scan;
};

// Lower-case names; single characters are the keys' unshifted US characters.
constexpr KeyName key_names[] = {
    {"escape", DIK_ESCAPE}, {"esc", DIK_ESCAPE}, {"enter", DIK_RETURN}, {"return", DIK_RETURN},
    {"space", DIK_SPACE}, {"tab", DIK_TAB}, {"backspace", DIK_BACK},
    {"up", DIK_UP}, {"down", DIK_DOWN}, {"left", DIK_LEFT}, {"right", DIK_RIGHT},
    {"home", DIK_HOME}, {"end", DIK_END}, {"pageup", DIK_PRIOR}, {"pagedown", DIK_NEXT},
    {"insert", DIK_INSERT}, {"delete", DIK_DELETE},
    {"shift", DIK_LSHIFT}, {"lshift", DIK_LSHIFT}, {"rshift", DIK_RSHIFT},
    {"ctrl", DIK_LCONTROL}, {"lctrl", DIK_LCONTROL}, {"rctrl", DIK_RCONTROL},
    {"alt", DIK_LMENU}, {"lalt", DIK_LMENU}, {"ralt", DIK_RMENU},
    {"capslock", DIK_CAPITAL}, {"numlock", DIK_NUMLOCK}, {"scrolllock", DIK_SCROLL},
    {"sysrq", DIK_SYSRQ}, {"printscreen", DIK_SYSRQ}, {"pause", DIK_PAUSE},
    {"f1", DIK_F1}, {"f2", DIK_F2}, {"f3", DIK_F3}, {"f4", DIK_F4}, {"f5", DIK_F5},
    {"f6", DIK_F6}, {"f7", DIK_F7}, {"f8", DIK_F8}, {"f9", DIK_F9}, {"f10", DIK_F10},
    {"f11", DIK_F11}, {"f12", DIK_F12},
    {"kp0", DIK_NUMPAD0}, {"kp1", DIK_NUMPAD1}, {"kp2", DIK_NUMPAD2}, {"kp3", DIK_NUMPAD3},
    {"kp4", DIK_NUMPAD4}, {"kp5", DIK_NUMPAD5}, {"kp6", DIK_NUMPAD6}, {"kp7", DIK_NUMPAD7},
    {"kp8", DIK_NUMPAD8}, {"kp9", DIK_NUMPAD9}, {"kpenter", DIK_NUMPADENTER},
    {"kpplus", DIK_ADD}, {"kpminus", DIK_SUBTRACT}, {"kpmultiply", DIK_MULTIPLY},
    {"kpdivide", DIK_DIVIDE}, {"kpperiod", DIK_DECIMAL},
    {"1", DIK_1}, {"2", DIK_2}, {"3", DIK_3}, {"4", DIK_4}, {"5", DIK_5},
    {"6", DIK_6}, {"7", DIK_7}, {"8", DIK_8}, {"9", DIK_9}, {"0", DIK_0},
    {"-", DIK_MINUS}, {"=", DIK_EQUALS}, {"[", DIK_LBRACKET}, {"]", DIK_RBRACKET},
    {";", DIK_SEMICOLON}, {"'", DIK_APOSTROPHE}, {"`", DIK_GRAVE}, {"\\", DIK_BACKSLASH},
    {",", DIK_COMMA}, {".", DIK_PERIOD}, {"/", DIK_SLASH},
    {"q", DIK_Q}, {"w", DIK_W}, {"e", DIK_E}, {"r", DIK_R}, {"t", DIK_T}, {"y", DIK_Y},
    {"u", DIK_U}, {"i", DIK_I}, {"o", DIK_O}, {"p", DIK_P}, {"a", DIK_A}, {"s", DIK_S},
    {"d", DIK_D}, {"f", DIK_F}, {"g", DIK_G}, {"h", DIK_H}, {"j", DIK_J}, {"k", DIK_K},
    {"l", DIK_L}, {"z", DIK_Z}, {"x", DIK_X}, {"c", DIK_C}, {"v", DIK_V}, {"b", DIK_B},
    {"n", DIK_N}, {"m", DIK_M},
};

}  // namespace

std::uint8_t scan_code_for_key_name(const char* name) {
  if (!name) return 0;
  std::string lower;
  for (const char* p = name; *p; ++p)
    lower += char(std::tolower(static_cast<unsigned char>(*p)));
  for (const KeyName& k : key_names)
    if (lower == k.name) return k.scan;
  return 0;
}

}  // namespace platform
