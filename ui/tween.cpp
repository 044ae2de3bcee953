// Tween.
#include "ui/tween.h"

#include <cmath>

void Tween::set_mode(int mode) {
  mode_ = mode;
  mode_as_set_ = mode;
}

void Tween::set_move(int x0, int y0, int x1, int y1) {
  current_[0] = start_[0] = float(x0);
  current_[1] = start_[1] = float(y0);
  current_[2] = start_[2] = 0;
  start_[3] = current_[3];
  target_[0] = float(x1);
  target_[1] = float(y1);
  target_[2] = 0;
  done_ = 0;
}

void Tween::set_target(int x, int y) {
  target_[0] = float(x);
  target_[1] = float(y);
  target_[2] = 0;
  done_ = 0;
}

void Tween::move_target(int dx, int dy) {
  target_[0] += float(dx);
  target_[1] += float(dy);
  done_ = 0;
}

void Tween::snap() {
  for (int i = 0; i < 4; ++i) current_[i] = target_[i];
  done_ = 1;
}

void Tween::update() {
  if (mode_ == 1) {
    snap();
    return;
  }
  if (mode_ != 2 && mode_ != 3) return;
  if (delay_ > 0) {
    --delay_;
    return;
  }
  const float dx = target_[0] - current_[0], dy = target_[1] - current_[1];
  const float n = std::sqrt(dx * dx + dy * dy);
  // At the target there is no direction to move in: the tween has arrived. A speed of 0 or
  // less would never arrive (or divide by it), so it snaps too.
  if (n == 0 || speed_ <= 0) {
    snap();
    if (mode_ == 3 && n <= 1) mode_ = 1;
    return;
  }
  const float ux = dx / n, uy = dy / n;
  const float speed = float(speed_);
  if (mode_ == 2) {
    if (n >= speed) {
      current_[0] += ux * speed;
      current_[1] += uy * speed;
    } else {
      snap();
    }
    return;
  }
  if (n >= speed) {
    current_[0] += ux * (n / speed);
    current_[1] += uy * (n / speed);
    return;
  }
  current_[0] += ux;
  current_[1] += uy;
  if (n <= 1) {
    snap();
    mode_ = 1;
  }
}

void Tween::get_pos(int* x, int* y) const {
  *x = get_x();
  *y = get_y();
}

int Tween::get_x() const { return int(current_[0]); }
int Tween::get_y() const { return int(current_[1]); }
