#pragma once
// Least stand-ins for operations of subsystems 1 to 3 whose own work has not landed yet, with
// their final names and signatures, so that start-up, the frame tick and shut-down already call
// them. Each block belongs to one piece of work; it deletes its block here (and in pending.cpp)
// when it lands, and its callers include its own header instead.
#include <cstdint>

#include "gfx2d/cddraw.h"
#include "platform/events.h"

namespace platform {
struct Instance;
}  // namespace platform

// ==== Big5 to GB2312 table, glyph fonts, text input field (text) ===========================

void init_big5_gb();
void free_big5_gb();

class GlyphFont {
 public:
  int init(cDDRAW* ddraw);
  void set_font(const char* face, int size);
  void set_advance(int advance);
  void release();
};
extern GlyphFont font_20;
extern GlyphFont font_16;
extern GlyphFont font_12;

// The single-line text field fed by window messages. The stand-in keeps no text; an ImeChar is
// taken (result 0), every other message is left to the window (result 1).
class TextInputField {
 public:
  TextInputField(const char* text, int capacity, int x, int y);
  ~TextInputField();
  int on_message(platform::Window* window, platform::MessageId message, std::uintptr_t wparam,
                 std::intptr_t lparam);
};

// ==== TSW sprite archives and the sprite cache =============================================

void Memoryer_SetPath(const char* directory);
int Init_Memoryer();  // 1
void Memoryer_SetSize(std::uint32_t bytes);
void Memoryer_Free(std::uint8_t tag);
void Close_Memoryer();

// ==== Input devices, logical keys, key bindings and User.cfg ===============================

// The stand-in keeps one down state per key: from the replayed input on the headless backend
// (platform/automation.h), nothing on SDL.
class GrpInput {
 public:
  int create(platform::Instance* instance, platform::Window* window, int exclusive_mouse);
  void set_mouse_speed(float speed);
  void set_mouse_rect(int min_x, int min_y, int max_x, int max_y);
  void set_mouse_pos(int x, int y);
  void set_devices(int mouse, int keyboard, int joystick);
  void poll();
  int raw_key_down(int key);  // 0x80 while the physical key is down
  int update_key(std::uint32_t now_ms, int key, int down);
  int key_press(int key);
  int key_down(int key);
  int key_repeat(int key);
  int key_repeat_fast(int key);

 private:
  std::uint8_t raw_[276] = {};
  int held_[276] = {};
  int applied_frame_ = -1;
};
extern GrpInput grp_input;

extern int mouse_x;
extern int mouse_y;
extern int music_volume;
extern int sfx_volume;
extern int key_bindings[32];
extern int joy_bindings[32];
extern int user_options[34];

// Polls and feeds the logical keys: the fixed keys always, the developer keys (F2-F12, the
// digits ...) only while flag 8005 is set.
void map_keys();
void set_default_key_bindings();
void set_default_joy_bindings();
void load_user_cfg();  // keeps the defaults
void save_user_cfg();  // writes the 400-byte User.cfg

void input_key_config();
void draw_key_config();
void input_joy_config();
void draw_joy_config();

// ==== Data loaders ==========================================================================

void SFINIT0_open_item_data();  // game_dir = the current directory
void open_maps_data();
void close_maps_data();
void open_item_data();
void close_item_data();
void open_exp_data();
void close_exp_data();
void open_mission_data();
void close_mission_data();
void open_Name_data();
void close_Name_data();
void free_party_items();

// ==== Talk and AI scripts ===================================================================

// The fields of a map role record that the talk queue's runners read.
struct MapRole {
  std::uint16_t RoleID = 0;
  std::uint16_t TALK = 0;
};
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

extern TextInputField* console_field;
// The developer-key step of a due frame; 1 when it ended the frame's pass (flag editor).
int developer_keys_step();
