#include "sound/video_player.h"

#include <algorithm>
#include <memory>
#include <string>

#include "core/disc.h"
#include "core/flags.h"
#include "core/game_flags.h"
#include "core/paths.h"
#include "g3d/renderer.h"
#include "gfx2d/cddraw.h"
#include "platform/clock.h"
#include "platform/video.h"
#include "sound/sfx_bank.h"

namespace {

constexpr std::uint32_t max_wait_ms = 100;  // the frame tick still looks at its keys this often

constexpr int screen_width = 640, screen_height = 480;

std::unique_ptr<platform::Video> video;

// The renderer's back buffer while it is locked: rows are pitch bytes apart, which may be more
// than the width's worth of pixels.
struct LockedScreen {
  std::uint16_t* pixels = nullptr;
  int pitch = 0, width = 0, height = 0;
};

// Locks the back buffer through the renderer and reads its layout from the display's back
// surface (the one the renderer locks); no pixels when either is missing or the lock fails.
LockedScreen lock_screen() {
  LockedScreen screen;
  platform::Surface* surface = display_device.get_surface(DDRAW_BACK_SURFACE);
  if (!surface) return screen;
  screen.pixels = renderer.lock_back_buffer();
  if (!screen.pixels) return screen;
  screen.pitch = surface->pitch();
  screen.width = surface->width();
  screen.height = surface->height();
  return screen;
}

// Black on the whole back buffer, presented, before the first frame.
void show_black() {
  LockedScreen screen = lock_screen();
  if (screen.pixels) {
    auto* row = reinterpret_cast<std::uint8_t*>(screen.pixels);
    for (int y = 0; y < screen.height; ++y, row += screen.pitch)
      std::fill_n(reinterpret_cast<std::uint16_t*>(row), screen.width, std::uint16_t(0));
    renderer.unlock_back_buffer(screen.pixels);
  }
  renderer.present();
}

// The decoded frame centred into the back buffer and presented; a frame whose lock fails is
// not shown.
void show_frame() {
  LockedScreen screen = lock_screen();
  if (!screen.pixels) return;
  video->copy_to(screen.pixels, screen.pitch, screen.width, screen.height);
  renderer.unlock_back_buffer(screen.pixels);
  renderer.present();
}

}  // namespace

void init_video_sound() { platform::set_video_sound_driver(sfx_bank.GetDriver()); }

void play_video(const char* file_name) {
  if (!file_name) return;
  // One video at a time: a second one replaces the first.
  if (video) close_video();
  std::string path = game_dir;
  append_path(path, "Video");
  append_path(path, file_name);
  if (file_exists(path) != 1) {
    path = cd_drive_letter ? std::string{cd_drive_letter, ':'} : std::string();
    append_path(path, "Video");
    append_path(path, file_name);
  }
  video = platform::Video::open(path);
  if (video) {
    set_flag(flag_video);
    show_black();
  } else {
    clear_flag(flag_video);
  }
}

void update_video() {
  if (!video) {
    clear_flag(flag_video);
    return;
  }
  if (video->wait()) {
    // Sleep until the frame is due rather than spin through the message loop.
    platform::sleep_ms(std::min(video->ms_until_due(), max_wait_ms));
    return;
  }
  video->do_frame();
  show_frame();
  if (video->current_frame() >= video->frame_count()) {
    close_video();
  } else {
    video->next_frame();
  }
}

void close_video() {
  video.reset();
  clear_flag(flag_video);
  renderer.set_present_rect(0, 0, 0, 0, screen_width, screen_height);
}

int check_video_frame(int n) {
  n &= 0xFFFF;
  if (!video) return 0;
  if (n != 0) return video->current_frame() >= n ? 1 : 0;
  return video->current_frame() == video->frame_count() ? 1 : 0;
}
