// The orbit camera.
#include "g3d/camera.h"

namespace {
void put3(const float* v, float* x, float* y, float* z) {
  if (x) *x = v[0];
  if (y) *y = v[1];
  if (z) *z = v[2];
}
}  // namespace

void Camera::set_point(float x, float y, float z) {
  goal_.point[0] = x;
  goal_.point[1] = y;
  goal_.point[2] = z;
}

void Camera::update() { current_ = goal_; }
void Camera::apply_view() {}

void Camera::get_point(float* gx, float* gy, float* gz, float* cx, float* cy, float* cz) const {
  put3(goal_.point, gx, gy, gz);
  put3(current_.point, cx, cy, cz);
}

void Camera::get_angles(float* gx, float* gy, float* gz, float* cx, float* cy, float* cz) const {
  put3(goal_.angles, gx, gy, gz);
  put3(current_.angles, cx, cy, cz);
}

void Camera::get_look_distance(float* goal, float* current) const {
  if (goal) *goal = goal_.look_distance;
  if (current) *current = current_.look_distance;
}

void Camera::get_distance(float* goal, float* current) const {
  if (goal) *goal = goal_.distance;
  if (current) *current = current_.distance;
}
