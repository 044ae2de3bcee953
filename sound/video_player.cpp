#include "sound/video_player.h"

#include <algorithm>
#include <memory>
#include <string>

#include "app/disc.h"
#include "app/flags.h"
#include "app/paths.h"
#include "g3d/renderer.h"
#include "platform/clock.h"
#include "platform/video.h"
#include "sound/sfx_bank.h"

namespace {

constexpr int flag_video_open = 8030;
constexpr std::uint32_t max_wait_ms = 100;  // the frame tick still looks at its keys this often

constexpr int screen_width = 640, screen_height = 480;

std::unique_ptr<platform::Video> video;

// The renderer's back buffer: frames are copied into it and presented.
std::uint16_t* lock_back_buffer(int* pitch_bytes, int* width, int* height) {
  *pitch_bytes = screen_width * 2;
  *width = screen_width;
  *height = screen_height;
  return renderer.lock_back_buffer();
}
void show_back_buffer(std::uint16_t* pixels) {
  renderer.unlock_back_buffer(pixels);
  renderer.present();
}
void clear_back_buffer() {
  int pitch = 0, width = 0, height = 0;
  if (std::uint16_t* pixels = lock_back_buffer(&pitch, &width, &height)) {
    std::fill(pixels, pixels + std::size_t(width) * std::size_t(height), std::uint16_t(0));
    renderer.unlock_back_buffer(pixels);
  }
  renderer.present();
}
const VideoScreen back_buffer_screen{lock_back_buffer, show_back_buffer, clear_back_buffer};
VideoScreen screen = back_buffer_screen;

void show_black() {
  if (screen.clear) screen.clear();
}

}  // namespace

void set_video_screen(const VideoScreen& s) { screen = s.lock || s.unlock || s.clear ? s : back_buffer_screen; }

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
    set_flag(flag_video_open);
    show_black();
  } else {
    clear_flag(flag_video_open);
  }
}

void update_video() {
  if (!video) {
    clear_flag(flag_video_open);
    return;
  }
  if (video->wait()) {
    // Sleep until the frame is due rather than spin through the message loop.
    platform::sleep_ms(std::min(video->ms_until_due(), max_wait_ms));
    return;
  }
  video->do_frame();
  int pitch = 0, width = 0, height = 0;
  std::uint16_t* pixels = screen.lock ? screen.lock(&pitch, &width, &height) : nullptr;
  if (pixels) {
    video->copy_to(pixels, pitch, width, height);
    if (screen.unlock) screen.unlock(pixels);
  }
  if (video->current_frame() >= video->frame_count()) {
    close_video();
  } else {
    video->next_frame();
  }
}

void close_video() {
  video.reset();
  clear_flag(flag_video_open);
  renderer.set_present_rect(0, 0, 0, 0, screen_width, screen_height);
}

int check_video_frame(int n) {
  n &= 0xFFFF;
  if (!video) return 0;
  if (n != 0) return video->current_frame() >= n ? 1 : 0;
  return video->current_frame() == video->frame_count() ? 1 : 0;
}
