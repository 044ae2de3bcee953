// Slider.
#include "ui/slider.h"

#include <algorithm>

#include "g3d/act_draw.h"
#include "g3d/grp3d_device.h"
#include "gfx2d/memoryer.h"

namespace {

// Advances a fresh instance of act/qq once; fills a zero size from its picture.
int set_picture(ActInstance* a, std::uint16_t act, std::uint16_t qq, int* w, int* h) {
  *a = ActInstance{};
  a->act = act;
  a->qq = qq;
  if (Take_3dActData(a) != 1) return 0;
  if (*w == 0 || *h == 0) {
    d3d_device.select_blit_format(0);
    const TswPic* pic = Memoryer_GetPic(a->resource, a->picture);
    d3d_device.select_blit_format(2);
    if (pic) {
      if (*w == 0) *w = pic->width;
      if (*h == 0) *h = pic->height;
    }
  }
  return 1;
}

}  // namespace

int Slider::set_bar(std::uint16_t act, std::uint16_t qq, int x, int y, int w, int h) {
  x_ = x;
  y_ = y;
  width_ = w;
  height_ = h;
  if (!set_picture(&bar_, act, qq, &width_, &height_)) return 0;
  ready_ = 1;
  return 1;
}

int Slider::set_knob(std::uint16_t act, std::uint16_t qq, int w, int h) {
  knob_x_ = knob_y_ = 0;
  knob_width_ = w;
  knob_height_ = h;
  return set_picture(&knob_, act, qq, &knob_width_, &knob_height_);
}

void Slider::set_range(int min, int max, int value, int step) {
  min_ = min;
  max_ = max;
  value_ = value;
  step_ = step <= 0 ? 1 : step;
  pixels_per_unit_ = max != min ? float(width_) / float(max - min) : 0.0f;
  place_knob();
  knob_y_ = height_ / 2;
}

void Slider::place_knob() { knob_x_ = int(float(value_) * pixels_per_unit_); }

void Slider::increase(int n) {
  value_ = std::min(value_ + n, max_);
  place_knob();
}

void Slider::decrease(int n) {
  value_ = std::max(value_ - n, min_);
  place_knob();
}

void Slider::add(int n) {
  value_ = std::clamp(value_ + n, std::min(min_, max_), std::max(min_, max_));
  place_knob();
}

int Slider::mouse(int mx, int my) {
  if (dragging_) {
    if (!in_bar(mx, my)) return 0;
    add((mx - last_x_) / 2);
    last_x_ = mx;
    last_y_ = my;
    return 1;
  }
  const int kx = x_ + knob_x_, ky = y_ + knob_y_;
  const int hw = knob_width_ / 2, hh = knob_height_ / 2;
  if (mx >= kx - hw && mx < kx + hw && my >= ky - hh && my < ky + hh) {
    last_x_ = mx;
    last_y_ = my;
    dragging_ = 1;
    return 1;
  }
  if (!in_bar(mx, my)) return 0;
  add(mx > kx + hw ? 2 : -2);
  return 1;
}

void Slider::draw() {
  if (!ready_) return;
  draw_act_part(bar_.act, bar_.qq, x_, y_, knob_x_, height_, 0);
  draw_act(bar_.act, std::uint16_t(bar_.qq + 1), x_, y_, 0);
  draw_act_instance(&knob_, x_ + knob_x_, y_ + knob_y_, 0);
}
