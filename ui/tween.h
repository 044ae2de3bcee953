#pragma once
// Tween: a 2D point moved toward a target once a frame, by a snap, at a constant speed or by a
// proportional approach, after an optional delay. Screens slide panels, cursors and bars with it.
class Tween {
 public:
  Tween() = default;
  void set_mode(int mode);  // 1 snap, 2 constant speed, 3 proportional; others do nothing
  void set_move(int x0, int y0, int x1, int y1);
  void set_target(int x, int y);
  void move_target(int dx, int dy);
  void set_speed(int speed) { speed_ = speed; }
  void set_delay(int frames) { delay_ = frames; }
  void update();
  void get_pos(int* x, int* y) const;
  int get_x() const;
  int get_y() const;
  int is_done() const { return done_; }

 private:
  void snap();
  float current_[4] = {};
  float target_[4] = {};
  float start_[4] = {};
  int mode_ = 0;
  int mode_as_set_ = 0;
  int speed_ = 0;
  int delay_ = 0;
  int done_ = 0;
};
