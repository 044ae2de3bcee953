#pragma once
// The Direct3D device GRP3Ddraw (its drawing methods carry the class name GRP3dput): one global
// object, brought up on the display device at start-up and on display restore. This first
// version sets the display up and keeps what the renderer will ask of it.
#include <cstdint>

#include "gfx2d/cddraw.h"

namespace platform {
struct Window;
}

constexpr int display_mode_windowed = 20001;
constexpr int display_mode_fullscreen = 20002;

class GRP3Ddraw {
 public:
  // (window, display device, driver 0, mode 20001 or 20002, device type 2, 640, 480, 16);
  // 1 on success, 0 after a message box and a log line.
  int init(platform::Window* window, cDDRAW* ddraw, int driver, int mode, int device_type,
           int width, int height, int bits_per_pixel);
  // Releases what init set up, the display's surfaces and object too; safe at any time.
  void release();
  // Points the 2D blitter's pixel format at the back surface (0) or at the texture format (2).
  void select_blit_format(int which);

  int initialised() const { return initialised_; }
  cDDRAW* display() const { return ddraw_; }
  platform::Surface* back_surface() const { return back_; }

 private:
  cDDRAW* ddraw_ = nullptr;
  DdrawInfo info_{};
  platform::DisplayDevice* ddraw_object_ = nullptr;
  platform::Surface* primary_ = nullptr;
  platform::Surface* back_ = nullptr;
  int device_type_ = 0;
  int initialised_ = 0;
};

extern GRP3Ddraw d3d_device;
