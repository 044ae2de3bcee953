// ACT animations.
#include "g3d/act_animation.h"

#include <string>

#include "platform/files.h"

namespace {
std::string act_path;
std::uint32_t act_memory_size = 0;
g3d_renderer* act_renderer = nullptr;
}  // namespace

void Set_3dActPath(const char* directory) { act_path = directory ? directory : ""; }
int Init_3dAct() { return platform::folder_exists(act_path) ? 1 : 0; }
void Act_Memoryer_SetSize(std::uint32_t bytes) { act_memory_size = bytes; }
void Set_3dActRenderer(g3d_renderer* renderer) { act_renderer = renderer; }
void Act_Memoryer_Free(std::uint8_t) {}
void Close_3dAct() {}

int Take_3dActData(ActInstance* instance) {
  // No animation is loaded yet, so every one is missing.
  (void)instance;
  return 0;
}
