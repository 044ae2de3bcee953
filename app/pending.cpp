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

// ==== Big5 to GB2312 table, glyph fonts, text input field (text) ===========================

GlyphFont font_20;
GlyphFont font_16;
GlyphFont font_12;

void init_big5_gb() {}
void free_big5_gb() {}

int GlyphFont::init(cDDRAW*) { return 1; }
void GlyphFont::set_font(const char*, int) {}
void GlyphFont::set_advance(int) {}
void GlyphFont::release() {}

TextInputField::TextInputField(const char*, int, int, int) {}
TextInputField::~TextInputField() = default;

int TextInputField::on_message(platform::Window*, platform::MessageId message, std::uintptr_t,
                               std::intptr_t) {
  return message == platform::MessageId::ImeChar ? 0 : 1;
}

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
