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

// ==== TSW sprite archives and the sprite cache =============================================

void Memoryer_SetPath(const char*) {}
int Init_Memoryer() { return 1; }
void Memoryer_SetSize(std::uint32_t) {}
void Memoryer_Free(std::uint8_t) {}
void Close_Memoryer() {}

// ==== Input devices, logical keys, key bindings and User.cfg ===============================

GrpInput grp_input;
int mouse_x = 0;
int mouse_y = 0;
int music_volume = 80;
int sfx_volume = 80;
int key_bindings[32] = {};
int joy_bindings[32] = {};
int user_options[34] = {};

namespace {

constexpr int key_count = 276;
// The logical key each keyboard slot drives (and its default binding).
constexpr std::array<int, 15> slot_keys = {27,  13,  136, 137, 134, 135, 32, 130,
                                           131, 128, 129, 152, 153, 154, 155};
constexpr std::array<int, 8> fixed_keys = {'p', 'a', 'm', 'r', 'q', 'e', 9, 138};
constexpr std::array<int, 42> developer_keys = {
    139, 140, 141, 142, 143, 144, 145, 146, 147, 148, 149, 159, 158, 173,
    163, 164, 165, 'h', 's', 'd', 'n', 'l', 'j', 'k', '1', '2', '3', '4',
    '5', '6', '7', '8', '9', 'b', 'u', 'w', 'z', 'x', 'f', 'c', 't', 'v'};

bool valid_key(int key) { return key >= 0 && key < key_count; }

void put_u32(std::uint8_t* out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

}  // namespace

int GrpInput::create(platform::Instance*, platform::Window*, int) { return 1; }
void GrpInput::set_mouse_speed(float) {}
void GrpInput::set_mouse_rect(int, int, int, int) {}
void GrpInput::set_mouse_pos(int, int) {}
void GrpInput::set_devices(int, int, int) {}

void GrpInput::poll() {
  if (platform::current_backend() != platform::Backend::Headless) return;
  for (int frame = applied_frame_ + 1; frame <= platform::current_frame(); ++frame) {
    for (const platform::InputEvent& ev : platform::headless_input_events(frame)) {
      if (!valid_key(ev.key)) continue;
      if (ev.kind == platform::InputEvent::Kind::Down) raw_[ev.key] = 1;
      if (ev.kind == platform::InputEvent::Kind::Up) raw_[ev.key] = 0;
    }
    applied_frame_ = frame;
  }
}

int GrpInput::raw_key_down(int key) { return valid_key(key) && raw_[key] ? 0x80 : 0; }

int GrpInput::update_key(std::uint32_t, int key, int down) {
  if (!valid_key(key)) return 0;
  held_[key] = down ? held_[key] + 1 : 0;
  return held_[key];
}

int GrpInput::key_press(int key) { return valid_key(key) && held_[key] == 1; }
int GrpInput::key_down(int key) { return valid_key(key) && held_[key] > 0; }

int GrpInput::key_repeat(int key) {
  if (!valid_key(key)) return 0;
  int held = held_[key];
  return held == 1 || (held > 10 && held % 5 == 0);
}

int GrpInput::key_repeat_fast(int key) {
  if (!valid_key(key)) return 0;
  int held = held_[key];
  return held == 1 || (held > 3 && held % 3 == 0);
}

void map_keys() {
  grp_input.poll();
  for (std::size_t slot = 0; slot < slot_keys.size(); ++slot)
    grp_input.update_key(game_clock, slot_keys[slot], grp_input.raw_key_down(key_bindings[slot]));
  for (int key : fixed_keys) grp_input.update_key(game_clock, key, grp_input.raw_key_down(key));
  if (!test_flag(8005)) return;
  for (int key : developer_keys) grp_input.update_key(game_clock, key, grp_input.raw_key_down(key));
}

void set_default_key_bindings() {
  for (std::size_t slot = 0; slot < slot_keys.size(); ++slot) key_bindings[slot] = slot_keys[slot];
}

void set_default_joy_bindings() {
  for (int slot = 0; slot < 12; ++slot) joy_bindings[slot] = 264 + slot;
}

void load_user_cfg() {}

void save_user_cfg() {
  std::array<std::uint8_t, 400> block{};
  user_options[0] = 1;
  put_u32(&block[0], static_cast<std::uint32_t>(music_volume));
  put_u32(&block[4], static_cast<std::uint32_t>(sfx_volume));
  for (int i = 0; i < 32; ++i)
    put_u32(&block[8 + 4 * i], static_cast<std::uint32_t>(key_bindings[i]));
  for (int i = 0; i < 32; ++i)
    put_u32(&block[136 + 4 * i], static_cast<std::uint32_t>(joy_bindings[i]));
  for (int i = 0; i < 34; ++i)
    put_u32(&block[264 + 4 * i], static_cast<std::uint32_t>(user_options[i]));
  std::string path = game_dir;
  if (!append_path(path, "User.cfg") ||
      !platform::write_file_atomic(path, block.data(), block.size()))
    report_error(
        "%s",
        "save_user_cfg(...) \xc0\xc9\xae\xd7\xab\xd8\xa5\xdf\xa5\xa2\xb1\xd1");  // "save_user_cfg(...)
                                                                                 // 檔案建立失敗"
}

void input_key_config() {}
void draw_key_config() {}
void input_joy_config() {}
void draw_joy_config() {}

// ==== Data loaders ==========================================================================

void SFINIT0_open_item_data() { game_dir = get_current_dir(); }
void open_maps_data() {}
void close_maps_data() {}
void open_item_data() {}
void close_item_data() {}
void open_exp_data() {}
void close_exp_data() {}
void open_mission_data() {}
void close_mission_data() {}
void open_Name_data() {}
void close_Name_data() {}
void free_party_items() {}

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
