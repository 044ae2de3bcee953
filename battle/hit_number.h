#pragma once
// A floating number of the battle (damage, healing, MP, SP, miss, a stat icon): its bounce and
// what draw_number shows.
#include <cstdint>

#include "g3d/motion.h"

// Digit animations of the kinds of number.
constexpr std::uint16_t number_damage = 9004, number_heal = 9005, number_immune = 9022, number_miss = 9030,
                        number_mp = 9031, number_sp = 9032;

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
  int delay = 0;                // frames before it shows and moves
  std::uint16_t pose = 0;       // an icon's QQ (mode 2)
  std::uint8_t mode = 0;        // 0 digits, 1 one picture, 2 an ACT/QQ icon
  std::uint8_t alpha = 255;     // -20 a frame once the bounce has ended
  std::uint32_t flags = 0;      // bit 1: the bounce has ended
  HitNumber* next = nullptr;
};
