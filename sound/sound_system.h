#pragma once
// The sound library's start-up and shut-down object, the per-frame audio service, and the
// 3D-sound holder that nothing ever opens. Start-up and shut-down (app/startup.cpp) open and
// close the audio objects around them in their order.
#include <cstdint>
#include <string>
#include <vector>

namespace platform {
struct Audio3DSample;
struct Audio3DListener;
struct Audio3DProvider;
}  // namespace platform

class SoundSystem {
 public:
  ~SoundSystem();
  void Startup(const char* redist_directory);
  void Shutdown();
};

class Sound3D {
 public:
  void Close();

 private:
  platform::Audio3DProvider* provider_ = nullptr;
  platform::Audio3DListener* listener_ = nullptr;
  std::vector<platform::Audio3DSample*> samples_;
  std::vector<int> playing_, free_;
  int volume_ = 127;
};

extern SoundSystem sound_system;
extern Sound3D sound_3d;

// Once a frame after the game mode's update and draw: music, then streams, then effects.
void update_audio();
