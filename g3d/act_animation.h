#pragma once
// ACT animations: the six archives, the animation cache, and ActInstance, the state of one
// playing animation. This first version opens no archive; it fails only when the archive
// directory is missing, where no archive could be opened either.
#include <cstdint>

#include "g3d/math3d.h"

class g3d_renderer;

struct ActInstance {
  std::uint16_t ACT = 0;  // the animation, 0 = none
  std::uint16_t QQ = 0;   // the sequence in it
  std::uint32_t colour = 0xFFFFFFFF;
  G3dBox box = {};           // the model box of the current frame, once the animation is loaded
  float base_height = 0.0f;
};

void Set_3dActPath(const char* directory);
int Init_3dAct();  // 1 on success, 0 when an archive is missing or bad
void Act_Memoryer_SetSize(std::uint32_t bytes);
void Set_3dActRenderer(g3d_renderer* renderer);
void Act_Memoryer_Free(std::uint8_t tag);  // 255 frees every animation
void Close_3dAct();
// Advances the instance by one tick; 0 when its ACT is 0 or the animation is missing.
int Take_3dActData(ActInstance* instance);
