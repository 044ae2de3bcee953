// Least stand-ins of pending.h, one block per piece of work, each removed when it lands.
#include "app/pending.h"

// ==== Key and joystick configuration screens =============================================

void input_key_config() {}
void draw_key_config() {}
void input_joy_config() {}
void draw_joy_config() {}

// ==== Developer keys and console ============================================================

TextInputField* console_field = nullptr;

int developer_keys_step() { return 0; }
