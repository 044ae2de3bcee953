#pragma once
// cDDRAW, the display device: driver choice, display mode, the primary and back surfaces, and
// present. One global instance, display_device, released explicitly.
#include "platform/display.h"

#include <cstdint>
#include <memory>

// Modes and device types of cDDRAW::Init.
constexpr int DDRAW_WINDOWED = 20001;
constexpr int DDRAW_FULL_SCREEN = 20002;
constexpr int DDRAW_DEVICE_HARDWARE_3D = 2;
constexpr int DDRAW_DEVICE_OTHER = 1;

// Surface ids of cDDRAW::get_surface.
constexpr int DDRAW_PRIMARY_SURFACE = 10001;
constexpr int DDRAW_BACK_SURFACE = 10002;
constexpr int DDRAW_THIRD_SURFACE = 10003;

constexpr int ddraw_max_drivers = 4;

struct DriverEntry {
  int has_3d = 0;
  int can_render_windowed = 0;
  platform::DisplayGuid guid;  // left unwritten for the primary driver
  char name[64] = {};
  char description[64] = {};
};

// What cDDRAW::get_info copies out for the 3D device and the fonts.
struct DdrawInfo {
  platform::Window* window = nullptr;
  int full_screen = 0;
  int hardware_3d = 0;
  int width = 0, height = 0, bits_per_pixel = 0;
  int driver_count = 0;
  int last_3d_driver = 0;
  int selected_driver = 0;
  std::uint32_t vid_mem_total = 0, vid_mem_free = 0;
  int has_3d[ddraw_max_drivers] = {};
  int can_render_windowed[ddraw_max_drivers] = {};
  platform::DisplayGuid guid[ddraw_max_drivers];
  char name[ddraw_max_drivers][64] = {};
  char description[ddraw_max_drivers][64] = {};
  platform::Rect present_dest, present_source;
};

class cDDRAW {
 public:
  int enum_Ddraw_driver();
  int Init(platform::Window* window, int driver, int mode, int device_type, int width, int height, int bpp);
  void get_info(DdrawInfo* out);
  platform::Surface* get_surface(int id);
  platform::DisplayDevice* get_ddraw() { return ddraw_.get(); }
  std::uint8_t get_pixel_format();
  void get_primary_size(int* pitch, int* height);
  void get_back_size(int* pitch, int* height);
  // Shows the back surface: 1 when the frame reached the primary surface, 0 (reported) when not.
  int present();
  void set_present_rect(int dest_x, int dest_y, platform::Rect source);
  // Fills a rectangle of the back surface with a raw pixel value.
  platform::DisplayResult fill_rect(int x, int y, int w, int h, std::uint32_t colour);
  void fill_surface(platform::Surface* surface, std::uint32_t colorref);
  // The pixel value a colour (0x00BBGGRR) has on the surface; 0xFFFFFFFF when it cannot be read.
  std::uint32_t match_colour(platform::Surface* surface, std::uint32_t colorref);
  std::unique_ptr<platform::Surface> create_system_surface(int w, int h);
  std::unique_ptr<platform::Surface> create_video_surface(int w, int h);
  int get_display_bpp();
  int query_video_memory();
  std::uint32_t get_free_vmem();
  std::uint32_t get_free_tmem();
  std::uint32_t get_total_vmem() const { return total_vmem_; }
  std::uint32_t get_total_tmem() const { return total_tmem_; }
  int is_exclusive() const { return (cooperative_level_ & platform::coop_exclusive) ? 1 : 0; }
  void release();
  int release_surfaces();
  void release_ddraw();

  // State a caller may look at.
  int initialised() const { return initialised_; }
  int full_screen() const { return full_screen_; }
  int hardware_3d() const { return hardware_3d_; }
  int driver_count() const { return driver_count_; }
  int selected_driver() const { return selected_driver_; }
  const DriverEntry& driver(int i) const { return drivers_[i]; }
  std::uint32_t cooperative_level() const { return cooperative_level_; }

 private:
  void add_driver(const platform::DisplayDriverDesc& desc, const platform::DisplayCaps& caps);
  int check_display_mode();
  int DDSetCooper(platform::Window* window, std::uint32_t flags);
  int DDSetMode(int width, int height, int bpp);
  int create_main_draw_surface(int type, int width, int height);
  int create_full_screen_surfaces(int type);
  int create_windowed_surfaces(int type, int width, int height);
  int attach_clipper(platform::Window* window);
  void release_primary_and_ddraw();
  bool blit_frame();

  // Module state of the one instance.
  int requested_width_ = 0, requested_height_ = 0, requested_bpp_ = 0;
  int initialised_ = 0;
  int full_screen_ = 0;
  int hardware_3d_ = 0;
  int mode_found_ = 0;
  int driver_count_ = 0;
  int primary_driver_ = 0;
  int last_3d_driver_ = 0;
  int selected_driver_ = 0;
  DriverEntry drivers_[ddraw_max_drivers];

  std::unique_ptr<platform::DisplayDevice> ddraw_;
  std::unique_ptr<platform::Surface> primary_;
  std::unique_ptr<platform::Surface> back_;
  std::unique_ptr<platform::Surface> third_;
  std::unique_ptr<platform::Clipper> clipper_;
  std::uint32_t total_vmem_ = 0, free_vmem_ = 0;
  std::uint32_t total_tmem_ = 0, free_tmem_ = 0;
  std::uint32_t cooperative_level_ = 0;
  int screen_width_ = 0, screen_height_ = 0;
  std::uint8_t pixel_format_ = 0;
  int primary_pitch_ = 0, primary_height_ = 0;
  int back_pitch_ = 0, back_height_ = 0;
  int display_width_ = 0, display_height_ = 0;
  platform::Rect present_dest_, present_source_;
  platform::Window* window_ = nullptr;
  bool present_failing_ = false;  // a failure was reported; the next is reported after a success
};

extern cDDRAW display_device;
