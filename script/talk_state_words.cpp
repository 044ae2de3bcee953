// Talk-interpreter state kept with the game, and the return point in it.
#include "script/talk_state_words.h"

#include <algorithm>
#include <bit>
#include <cstring>

std::uint32_t talk_state_words[talk_state_word_count] = {};

namespace {
constexpr int view_words = 32;
constexpr int x_word = 32, y_word = 33, z_word = 34, dir_word = 35, far_word = 36, map_word = 37;
static_assert(sizeof(FieldCameraState) == view_words * 4);
}  // namespace

ReturnPoint get_return_point() {
  ReturnPoint p;
  std::memcpy(&p.view, talk_state_words, sizeof p.view);
  p.x = std::bit_cast<float>(talk_state_words[x_word]);
  p.y = std::bit_cast<float>(talk_state_words[y_word]);
  p.z = std::bit_cast<float>(talk_state_words[z_word]);
  p.dir = std::bit_cast<float>(talk_state_words[dir_word]);
  p.far_distance = std::bit_cast<float>(talk_state_words[far_word]);
  p.map = std::uint16_t(talk_state_words[map_word]);
  return p;
}

void set_return_point(const ReturnPoint& p) {
  clear_return_point();
  std::memcpy(talk_state_words, &p.view, sizeof p.view);
  talk_state_words[x_word] = std::bit_cast<std::uint32_t>(p.x);
  talk_state_words[y_word] = std::bit_cast<std::uint32_t>(p.y);
  talk_state_words[z_word] = std::bit_cast<std::uint32_t>(p.z);
  talk_state_words[dir_word] = std::bit_cast<std::uint32_t>(p.dir);
  talk_state_words[far_word] = std::bit_cast<std::uint32_t>(p.far_distance);
  talk_state_words[map_word] = p.map;
}

void clear_return_point() { std::fill(std::begin(talk_state_words), std::end(talk_state_words), 0u); }

bool return_point_empty() {
  return std::all_of(std::begin(talk_state_words), std::end(talk_state_words), [](std::uint32_t w) { return w == 0; });
}
