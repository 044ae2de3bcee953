#pragma once
// A floating number of the battle (damage, healing): its bounce and what draw_number shows.
#include <cstdint>

#include "g3d/motion.h"

struct HitNumber {
  BounceMotion motion;
  float point[3] = {};  // where the digits start
  float angle = 0;      // ground direction the digits run in
  float scale[3] = {};
  std::uint32_t extra_flags = 0;  // render flags added to the digits'
  std::uint32_t colour = 0xFFFFFFFF;
  std::uint32_t value = 0;
  std::uint16_t digit_act = 0;  // QQ n of this animation shows the digit n
  int flat = 0;                 // 1: drawn flat on the screen
  HitNumber* next = nullptr;
};
