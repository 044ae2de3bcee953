#pragma once
// Talk-interpreter state stored in save files after the trailer mark: 54 words that the save
// keeps whole and the new-game reset zeroes. They hold the return point of talk opcodes 162 and
// 163: the field camera's settings (words 0-31), where the player stood (X, Y, Z, DIR, words
// 32-35), the far distance (36), the map number (the low half of 37), then zeros.
#include <cstdint>

#include "field/field_camera_state.h"

constexpr int talk_state_word_count = 54;
extern std::uint32_t talk_state_words[talk_state_word_count];

struct ReturnPoint {
  FieldCameraState view;
  float x = 0, y = 0, z = 0, dir = 0;
  float far_distance = 0;
  std::uint16_t map = 0;
};

// The return point as the words hold it, and into them (the words past it zeroed).
ReturnPoint get_return_point();
void set_return_point(const ReturnPoint& point);
void clear_return_point();
// True when nothing is remembered: every word is zero.
bool return_point_empty();
