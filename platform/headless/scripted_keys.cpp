// Scripted input names keys by the game's key numbers (platform/events.h); the headless
// keyboard holds device scan codes. This is the keyboard's layout read backwards.
#include "platform/headless/input_headless.h"

namespace platform::headless {
namespace {

struct KeyScan {
  short key;
  std::uint8_t scan;
};

// clang-format off
constexpr KeyScan key_scans[] = {
    {27, DIK_ESCAPE}, {49, DIK_1}, {50, DIK_2}, {51, DIK_3}, {52, DIK_4}, {53, DIK_5},
    {54, DIK_6}, {55, DIK_7}, {56, DIK_8}, {57, DIK_9}, {48, DIK_0},
    {45, DIK_MINUS}, {61, DIK_EQUALS}, {8, DIK_BACK}, {9, DIK_TAB},
    {113, DIK_Q}, {119, DIK_W}, {101, DIK_E}, {114, DIK_R}, {116, DIK_T}, {121, DIK_Y},
    {117, DIK_U}, {105, DIK_I}, {111, DIK_O}, {112, DIK_P},
    {91, DIK_LBRACKET}, {93, DIK_RBRACKET}, {13, DIK_RETURN}, {130, DIK_LCONTROL},
    {97, DIK_A}, {115, DIK_S}, {100, DIK_D}, {102, DIK_F}, {103, DIK_G}, {104, DIK_H},
    {106, DIK_J}, {107, DIK_K}, {108, DIK_L},
    {59, DIK_SEMICOLON}, {39, DIK_APOSTROPHE}, {96, DIK_GRAVE}, {128, DIK_LSHIFT},
    {92, DIK_BACKSLASH},
    {122, DIK_Z}, {120, DIK_X}, {99, DIK_C}, {118, DIK_V}, {98, DIK_B}, {110, DIK_N},
    {109, DIK_M}, {44, DIK_COMMA}, {46, DIK_PERIOD}, {47, DIK_SLASH}, {129, DIK_RSHIFT},
    {157, DIK_MULTIPLY}, {132, DIK_LMENU}, {32, DIK_SPACE}, {173, DIK_CAPITAL},
    {138, DIK_F1}, {139, DIK_F2}, {140, DIK_F3}, {141, DIK_F4}, {142, DIK_F5},
    {143, DIK_F6}, {144, DIK_F7}, {145, DIK_F8}, {146, DIK_F9}, {147, DIK_F10},
    {172, DIK_NUMLOCK}, {174, DIK_SCROLL},
    {169, DIK_NUMPAD7}, {170, DIK_NUMPAD8}, {171, DIK_NUMPAD9}, {158, DIK_SUBTRACT},
    {166, DIK_NUMPAD4}, {167, DIK_NUMPAD5}, {168, DIK_NUMPAD6}, {159, DIK_ADD},
    {163, DIK_NUMPAD1}, {164, DIK_NUMPAD2}, {165, DIK_NUMPAD3}, {162, DIK_NUMPAD0},
    {161, DIK_DECIMAL}, {148, DIK_F11}, {149, DIK_F12},
    {160, DIK_NUMPADENTER}, {131, DIK_RCONTROL}, {156, DIK_DIVIDE}, {175, DIK_SYSRQ},
    {133, DIK_RMENU},
    {152, DIK_HOME}, {136, DIK_UP}, {154, DIK_PRIOR}, {134, DIK_LEFT}, {135, DIK_RIGHT},
    {153, DIK_END}, {137, DIK_DOWN}, {155, DIK_NEXT}, {150, DIK_INSERT}, {151, DIK_DELETE},
};
// clang-format on

}  // namespace

std::uint8_t scan_code_of_key(int key_code) {
  for (const KeyScan& ks : key_scans)
    if (ks.key == key_code) return ks.scan;
  return 0;
}

}  // namespace platform::headless
