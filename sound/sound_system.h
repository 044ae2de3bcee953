#pragma once
// Audio start-up and shut-down, the per-frame audio service and the 3D-sound holder. This first
// version plays nothing.
class SoundSystem {
 public:
  void Startup(const char* directory);
  void Shutdown();  // safe when never started
};
extern SoundSystem sound_system;

// Once per frame after the game mode's update and draw: music, stream fades, finished effects.
void update_audio();

class Sound3D {
 public:
  void Close();  // releases every 3D sample; nothing is ever opened
};
extern Sound3D sound_3d;
