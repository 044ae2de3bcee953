#include "sound/sound_system.h"

#include <cstdlib>

#include "platform/audio.h"
#include "sound/music_director.h"
#include "sound/sfx_bank.h"
#include "sound/stream_manager.h"

SoundSystem sound_system;
Sound3D sound_3d;

namespace {
void shutdown_at_exit() { platform::AIL_shutdown(); }
}  // namespace

SoundSystem::~SoundSystem() { Shutdown(); }

void SoundSystem::Startup(const char* redist_directory) {
  platform::AIL_set_redist_directory(redist_directory ? redist_directory : "");
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

void update_audio() {
  music_director.Update();
  stream_manager.Update();
  sfx_bank.Update();
}
