// Least stand-ins of pending.h, one block per piece of work, each removed when it lands.
#include "app/pending.h"

#include <array>
#include <string>

#include "app/flags.h"
#include "app/frame_timer.h"
#include "app/log.h"
#include "app/paths.h"
#include "g3d/grp3d_device.h"
#include "platform/automation.h"
#include "platform/backend.h"
#include "platform/files.h"
#include "platform/window.h"

// ==== Key and joystick configuration screens =============================================

void input_key_config() {}
void draw_key_config() {}
void input_joy_config() {}
void draw_joy_config() {}

// ==== Talk and AI scripts ===================================================================

MapRole TalkEventQueue[2];

void open_talk_data() {}
void close_talk_data() {}
void open_AI_data() {}
void close_AI_data() {}
void run_talk(MapRole*) {}
void tick_talk_timer() {}
int talk_timer_minutes() { return 0; }
void talk_timer_minutes(int, int) {}

// ==== Developer keys and console ============================================================

TextInputField* console_field = nullptr;

int developer_keys_step() { return 0; }
