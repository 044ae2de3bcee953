#pragma once
// Slider: a horizontal value bar with a draggable knob (the options page's volume and speed).
#include <cstdint>

#include "g3d/act_animation.h"

class Slider {
 public:
  Slider() = default;
  // The bar's picture and box; a width or height of 0 is the picture's. 0 when the picture
  // cannot be had.
  int set_bar(std::uint16_t act, std::uint16_t qq, int x, int y, int w, int h);
  int set_knob(std::uint16_t act, std::uint16_t qq, int w, int h);
  // A step of 0 or less becomes 1; a range of no width keeps the knob at the left end.
  void set_range(int min, int max, int value, int step);
  int get_value() const { return value_; }
  int step() const { return step_; }
  void increase(int n);
  void decrease(int n);
  void add(int n);
  // While the left button is down: 1 when the point drags or moves the knob, else 0.
  int mouse(int mx, int my);
  void release() { dragging_ = 0; }
  void draw();

  int knob_x() const { return knob_x_; }
  int dragging() const { return dragging_; }

 private:
  void place_knob();
  bool in_bar(int mx, int my) const { return mx >= x_ && mx < x_ + width_ && my >= y_ && my < y_ + height_; }

  ActInstance bar_{};
  ActInstance knob_{};
  int x_ = 0, y_ = 0, width_ = 0, height_ = 0;
  int knob_x_ = 0, knob_y_ = 0;
  int knob_width_ = 0, knob_height_ = 0;
  int min_ = 0, max_ = 0, value_ = 0, step_ = 1;
  int last_x_ = 0, last_y_ = 0;
  float pixels_per_unit_ = 0;
  int ready_ = 0;
  int dragging_ = 0;
};
