#pragma once
// Least stand-ins for operations of subsystems 1 to 3 whose own work has not landed yet, with
// their final names and signatures, so that start-up, the frame tick and shut-down already call
// them. Each block belongs to one piece of work; it deletes its block here (and in pending.cpp)
// when it lands, and its callers include its own header instead.
#include <cstdint>

#include "data/map_role.h"
#include "gfx2d/cddraw.h"
#include "platform/events.h"

namespace platform {
struct Instance;
}  // namespace platform

// ==== Key and joystick configuration screens =============================================

void input_key_config();
void draw_key_config();
void input_joy_config();
void draw_joy_config();

// ==== Talk and AI scripts ===================================================================

// Queued talk events are map role records (data/map_role.h).
extern MapRole TalkEventQueue[2];

void open_talk_data();
void close_talk_data();
void open_AI_data();
void close_AI_data();
void run_talk(MapRole* event);
void tick_talk_timer();
int talk_timer_minutes();
void talk_timer_minutes(int x, int y);  // draws the minutes left at x, y

// ==== Developer keys and console ============================================================

class TextInputField;  // app/text_input_field.h
extern TextInputField* console_field;
// The developer-key step of a due frame; 1 when it ended the frame's pass (flag editor).
int developer_keys_step();
