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

// ==== Display device cDDRAW, pixel formats, window presenter (2D graphics) ================

cDDRAW display_device;
WindowPresenter window_presenter;

namespace {
constexpr int display_mode_full_screen = 20002;
}

int cDDRAW::enum_Ddraw_driver() { return 1; }

int cDDRAW::Init(platform::Window* window, int, int mode, int, int width, int height,
                 int bits_per_pixel) {
  window_ = window;
  width_ = width;
  height_ = height;
  bits_per_pixel_ = bits_per_pixel;
  initialised_ = 1;
  full_screen_ = mode == display_mode_full_screen ? 1 : 0;
  platform::set_fullscreen(window, full_screen_ == 1);
  return 1;
}

void cDDRAW::get_info(DdrawInfo* out) {
  if (!out) return;
  out->window = window_;
  out->full_screen = full_screen_;
  out->hardware_3d = 1;
  out->width = width_;
  out->height = height_;
  out->bits_per_pixel = bits_per_pixel_;
}

void cDDRAW::get_back_size(int* pitch, int* height) {
  if (pitch) *pitch = width_ * 2;
  if (height) *height = height_;
}

DdObject* cDDRAW::get_ddraw() { return nullptr; }
DdSurface* cDDRAW::get_surface(int) { return nullptr; }
std::uint8_t cDDRAW::get_pixel_format() { return 2; }
int cDDRAW::present() { return 1; }
int cDDRAW::fill_rect(int, int, int, int, std::uint32_t) { return 0; }
std::uint32_t cDDRAW::get_free_tmem() { return 0x1000000; }
int cDDRAW::is_exclusive() { return initialised_ && full_screen_ ? 1 : 0; }

int cDDRAW::release_surfaces() {
  if (!initialised_) return 0;
  if (full_screen_) platform::set_fullscreen(window_, false);
  full_screen_ = 0;
  return 1;
}

void cDDRAW::release_ddraw() {}

void cDDRAW::release() {
  release_surfaces();
  release_ddraw();
  initialised_ = 0;
}

int init_blitter(DdSurface*) { return 1; }
int setup_pixel_format(DdSurface*) { return 1; }

std::uint16_t rgb555_to_screen(std::uint16_t colour) {
  // Green widens from five bits to six.
  return static_cast<std::uint16_t>((colour & 0x7C00) << 1 | (colour & 0x03E0) << 1 |
                                    (colour & 0x1F));
}

void GRP3Ddraw::select_blit_format(int) {}

int WindowPresenter::init(platform::Window*, DdObject*, DdSurface*, DdSurface*) { return 1; }
int WindowPresenter::attach_window(platform::Window*, int) { return 1; }
void WindowPresenter::release() {}


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

// ==== Display loss and restore ==============================================================

void release_display() {}
void restore_display() {}
