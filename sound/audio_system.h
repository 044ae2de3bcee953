#pragma once
// Start-up and shut-down of the sound library and of the audio objects, the per-frame audio
// service, and the 3D-sound holder that nothing ever opens.
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
  void Startup(const std::string& redist_directory);
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

// Start-up's audio steps: the library, the effect bank (a failure is only logged), the stream
// manager (a failure is shown) and the video sound, each followed by its trace line.
void start_audio();
// Shut-down's audio steps, in their order.
void close_audio();
// Once a frame after the game mode's update and draw: music, then streams, then effects.
void update_audio();
