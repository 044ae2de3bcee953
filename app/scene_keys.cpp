// The demo scenes "keys" and "joy": the key and the joystick configuration screens entered over
// the title, as the options would enter them.
#include "app/demo_scene.h"
#include "core/game_mode.h"
#include "ui/title/config_screens.h"

void start_keys_scene() { call_key_config(MODE_ENTER, 0, 0); }
void start_joy_scene() { call_joy_config(MODE_ENTER, 0, 0); }
