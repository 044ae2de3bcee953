#pragma once
// The names the configuration screens show for a binding.

// The key name of a keyboard binding (a KeyCode): the name of its device scan code; "請按一個鍵"
// for the waiting marker 0 and unbound keys; "??" for scan codes without a name.
const char* key_binding_name(int key);
// The name of a joystick binding: "按鈕1" to "按鈕12" for 264-275, "請按一個鍵" for 276, "??" else.
const char* joy_binding_name(int button);
// The name of a device scan code (0-221; "??" outside).
const char* scan_code_name(int scan);
