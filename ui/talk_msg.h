#pragma once
// Message boxes: the input of every mode, their drawing, and closing them all.
#include <cstdint>

// A message box; the opening scripts fill a template and add_talkmsg copies it.
struct TalkMsg {
  float anchor[3] = {};
  char name[18] = {};  // name plate; empty = none
  std::uint16_t frame_act = 0;
  std::uint32_t flags = 0;
  std::uint32_t user_value = 0;
  std::uint32_t flat_colour = 0;
  std::uint32_t min_time = 0;
  std::uint32_t duration = 0;
  std::uint32_t start_time = 0;
  std::uint32_t current_time = 0;
  float current_width = 0, current_height = 0;
  std::uint16_t speaker = 0;  // index in gmMapRole
  std::uint16_t buttons_drawn = 0;
  std::int16_t current_x = 0, current_y = 0;
  std::int16_t target_x = 0, target_y = 0;
  std::uint16_t open_speed = 0;
  std::uint16_t width = 0, height = 0;
  std::uint16_t margin_x = 0, margin_y = 0;
  std::uint16_t char_spacing = 0, line_spacing = 0;
  std::uint16_t text_colour = 0;
  std::int32_t typing_delay = 0;
  std::int32_t typing_countdown = 0;
  std::uint8_t red = 0, green = 0, blue = 0;
  std::uint8_t alpha_target = 0, alpha_now = 0;
  std::uint16_t text_length = 0;  // bytes of the text, "%Q" included
  const char* text = nullptr;
  const char* page_start = nullptr;
  const char* typed_end = nullptr;
  TalkMsg* next = nullptr;
};

void input_talkmsg();
void show_talkmsg();
void del_all_talkmsg();
// Adds a box made from the template; the speaker role gets its box-open bit.
void add_talkmsg(const TalkMsg* tmpl);
// Closes the box of that speaker and clears the speaker's box-open bit.
void del_talkmsg(std::uint16_t RoleID);
