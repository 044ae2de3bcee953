// Video playback.
#include "sound/video_player.h"

#include "app/flags.h"
#include "g3d/renderer.h"

namespace {
constexpr int flag_video_playing = 8030;
}

void init_video_sound() {}

void update_video() {
  // No video can be open yet: end the state as the player does after a last frame.
  close_video();
}

void close_video() {
  clear_flag(flag_video_playing);
  renderer.set_present_rect(0, 0, 0, 0, 640, 480);
}
