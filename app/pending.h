#pragma once
// Least stand-ins for operations of subsystems 1 to 3 whose own work has not landed yet, with
// their final names and signatures, so that start-up, the frame tick and shut-down already call
// them. Each block belongs to one piece of work; it deletes its block here (and in pending.cpp)
// when it lands, and its callers include its own header instead.
#include <cstdint>

#include "data/map_role.h"
#include "platform/events.h"

namespace platform {
struct Instance;
}  // namespace platform

// ==== Display device cDDRAW, pixel formats, window presenter (2D graphics) ================

struct DdSurface;  // a display surface
struct DdObject;   // the display object

struct DdrawInfo {
  platform::Window* window = nullptr;
  int full_screen = 0;
  int hardware_3d = 0;
  int width = 0, height = 0, bits_per_pixel = 0;
};

constexpr int surface_primary = 10001;
constexpr int surface_back = 10002;

class cDDRAW {
 public:
  int enum_Ddraw_driver();  // 1
  // Remembers the mode; mode 20002 (full screen) makes the window desktop full screen. 1.
  int Init(platform::Window* window, int driver, int mode, int device_type, int width, int height,
           int bits_per_pixel);
  void get_info(DdrawInfo* out);
  void get_back_size(int* pitch, int* height);  // bytes per row and rows of the back surface
  DdObject* get_ddraw();            // null
  DdSurface* get_surface(int id);   // null
  std::uint8_t get_pixel_format();  // 2 (RGB565)
  int present();                    // 1; shows nothing yet
  // Nothing yet; the colour is a raw pixel of the back surface's format.
  int fill_rect(int x, int y, int w, int h, std::uint32_t colour);
  std::uint32_t get_free_tmem();  // 16 MB
  int is_exclusive();             // 1 after a full-screen Init until release
  int release_surfaces();
  void release_ddraw();
  void release();

 private:
  platform::Window* window_ = nullptr;
  int initialised_ = 0;
  int full_screen_ = 0;
  int width_ = 0, height_ = 0, bits_per_pixel_ = 0;
};
extern cDDRAW display_device;

int init_blitter(DdSurface* surface);        // 1
int setup_pixel_format(DdSurface* surface);  // 1
// RGB555 to the pixel format set up last (RGB565 here).
std::uint16_t rgb555_to_screen(std::uint16_t colour);

class WindowPresenter {
 public:
  int init(platform::Window* window, DdObject* ddraw, DdSurface* primary, DdSurface* back);
  int attach_window(platform::Window* window, int visible);
  void release();
};
extern WindowPresenter window_presenter;


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

// ==== Display loss and restore ==============================================================

void release_display();
void restore_display();
