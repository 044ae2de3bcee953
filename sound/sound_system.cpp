// Audio start-up, frame service and shut-down.
#include "sound/sound_system.h"

SoundSystem sound_system;
Sound3D sound_3d;

void SoundSystem::Startup(const char*) {}
void SoundSystem::Shutdown() {}
void update_audio() {}
void Sound3D::Close() {}
