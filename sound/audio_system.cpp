#include "sound/audio_system.h"

#include <cstdlib>

#include "app/log.h"
#include "app/paths.h"
#include "platform/audio.h"
#include "platform/message_box.h"
#include "sound/music_director.h"
#include "sound/sfx_bank.h"
#include "sound/stream_manager.h"
#include "sound/video_playback.h"

SoundSystem sound_system;
Sound3D sound_3d;

namespace {
void shutdown_at_exit() { platform::AIL_shutdown(); }
}  // namespace

SoundSystem::~SoundSystem() { Shutdown(); }

void SoundSystem::Startup(const std::string& redist_directory) {
  platform::AIL_set_redist_directory(redist_directory);
  static const bool registered = std::atexit(shutdown_at_exit) == 0;
  (void)registered;
  platform::AIL_startup();
}

void SoundSystem::Shutdown() { platform::AIL_shutdown(); }

void Sound3D::Close() {
  for (int i : playing_) {
    if (i < 0 || i >= int(samples_.size())) continue;
    platform::AIL_set_3D_sample_volume(samples_[std::size_t(i)], 0);
    platform::AIL_end_3D_sample(samples_[std::size_t(i)]);
    free_.push_back(i);
  }
  playing_.clear();
  free_.clear();
  for (platform::Audio3DSample* s : samples_) {
    if (!s) continue;
    platform::AIL_end_3D_sample(s);
    platform::AIL_release_3D_sample_handle(s);
  }
  samples_.clear();
  if (listener_) platform::AIL_close_3D_listener(listener_);
  listener_ = nullptr;
  if (provider_) platform::AIL_close_3D_provider(provider_);
  provider_ = nullptr;
  (void)volume_;
}

void start_audio() {
  std::string folder = game_dir;
  append_path(folder, "\\ACT\\");
  sound_system.Startup(game_dir);
  if (!sfx_bank.OpenSfx(folder))
    log_trace("OpenSfx \xAA\xEC\xA9l\xA4\xC6\xA5\xA2\xB1\xD1!!");  // "OpenSfx 初始化失敗!!"
  log_trace("Miles -------------> ok");
  if (!stream_manager.OpenStream(sfx_bank.GetDriver())) {
    // "OpenStream 初始化失敗!!", caption "錯誤"
    const char* text = "OpenStream \xAA\xEC\xA9l\xA4\xC6\xA5\xA2\xB1\xD1!!";
    platform::message_box(nullptr, text, "\xBF\xF9\xBB~", platform::BoxButtons::Ok, platform::BoxIcon::Error);
    log_trace("%s", text);
  }
  log_trace("Stream -------------> ok");
  init_video_sound();
  log_trace("bink   -------------> ok");
}

void close_audio() {
  stream_manager.CloseStream();
  sfx_bank.CloseSfx();
  sound_system.Shutdown();
  sound_3d.Close();
  stop_all_sfx();  // finds the bank closed
}

void update_audio() {
  music_director.Update();
  stream_manager.Update();
  sfx_bank.Update();
}
