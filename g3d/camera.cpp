// The orbit camera.
#include "g3d/camera.h"

#include <cmath>
#include <cstdint>

#include "g3d/g3d_view.h"

namespace {

G3dVector sub(const G3dVector& a, const G3dVector& b) {
  G3dVector d;
  vec_sub(&d, &a, &b);
  d.w = 0;
  return d;
}

bool is_zero(const G3dVector& d) { return d.x == 0.0f && d.y == 0.0f && d.z == 0.0f; }

// p + the direction of d scaled to length.
void move_along(G3dVector& p, const G3dVector& d, float length) {
  G3dVector u;
  vec_normalize(&u, &d);
  p.x += u.x * length;
  p.y += u.y * length;
  p.z += u.z * length;
}

G3dVector transform(const G3dMatrix& m, const G3dVector& v) {
  G3dVector out;
  g3d_mat_transform(&m, &v, &out);
  return out;
}

// Truncation toward zero to a 32-bit integer; values beyond its range stop at its ends.
std::int64_t trunc32(float v) {
  if (!(v == v)) return 0;
  if (v >= 2147483647.0f) return 2147483647;
  if (v <= -2147483648.0f) return -2147483647 - 1;
  return std::int64_t(std::int32_t(v));
}

float heading_of(float dx, float dz) {
  G3dVector d{dx, 0, dz, 0}, n;
  vec_normalize(&n, &d);
  float a = vec_angle_deg(G3dVector{0, 0, -1, 0}, n);
  if (n.x < 0) a = 360.0f - a;
  return std::fmod(a + 180.0f, 360.0f);
}

void look_at(const G3dVector& eye, const G3dVector& target) {
  g3d_view_look_at(eye.x, eye.y, eye.z, eye.w, target.x, target.y, target.z, target.w);
}

}  // namespace

int Camera::set_mode(int mode) {
  switch (mode) {
    case camera_mode_orbit:
      mode_ = camera_mode_orbit;
      // The orbit takes over where the outside eye was looking.
      if (last_mode_ == camera_mode_outside_eye) {
        angle_goal_.y = view_heading();
        build_orbit(angles_, point_);
      }
      break;
    case camera_mode_world_offsets:
      mode_ = camera_mode_world_offsets;
      eye_keys_.clear();
      target_keys_.clear();
      break;
    case camera_mode_outside_eye:
      eye_goal_ = eye_;
      mode_ = camera_mode_outside_eye;
      break;
    case camera_mode_frozen:
      mode_ = camera_mode_frozen;
      break;
    default:
      break;
  }
  last_mode_ = mode_;
  return mode_;
}

int Camera::set_eye_mode(int mode) {
  if (mode == camera_eye_follows) {
    eye_goal_ = eye_;
    eye_mode_ = camera_eye_follows;
  } else if (mode == camera_eye_glides || mode == camera_eye_holds) {
    eye_mode_ = mode;
  }
  return eye_mode_;
}

namespace {
int interp_of(int type) { return type == camera_constant_speed || type == camera_proportional ? type : camera_snap; }
float positive_or_one(float v) { return v > 0.0f ? v : 1.0f; }
float divisor_of(float v) { return v > 1.0f ? v : 1.0f; }
}  // namespace

int Camera::set_point_interp(int type) { return point_interp_ = interp_of(type); }
int Camera::set_angle_interp(int type) { return angle_interp_ = interp_of(type); }
int Camera::set_dist_interp(int type) { return dist_interp_ = interp_of(type); }
float Camera::set_point_speed(float v) { return point_speed_ = positive_or_one(v); }
float Camera::set_angle_speed(float v) { return angle_speed_ = v > 0.0f ? v / 1000.0f : 1.0f; }
float Camera::set_dist_speed(float v) { return dist_speed_ = positive_or_one(v); }
float Camera::set_eye_speed(float v) { return eye_speed_ = positive_or_one(v); }
float Camera::set_spare_speed(float v) { return spare_speed_ = positive_or_one(v); }
float Camera::set_point_divisor(float v) { return point_divisor_ = divisor_of(v); }
float Camera::set_angle_divisor(float v) { return angle_divisor_ = divisor_of(v); }
float Camera::set_dist_divisor(float v) { return dist_divisor_ = divisor_of(v); }

void Camera::set_point(float x, float y, float z) {
  point_goal_.x = x;
  point_goal_.y = y;
  point_goal_.z = z;
}

void Camera::set_angles(float x, float y, float z) {
  angle_goal_.x = x;
  angle_goal_.y = y;
  angle_goal_.z = z;
}

float Camera::set_distance(float v) { return eye_dist_goal_ = v; }
float Camera::set_look_distance(float v) { return look_dist_goal_ = v; }
void Camera::set_eye(G3dVector eye) { eye_goal_ = eye; }

void Camera::set_eye_xyz(float x, float y, float z) {
  eye_goal_.x = x;
  eye_goal_.y = y;
  eye_goal_.z = z;
}

int Camera::set_turn_dir(int dir) { return turn_dir_ = dir; }

void Camera::step_point() {
  if (point_interp_ == camera_snap) {
    point_ = point_goal_;
    return;
  }
  const G3dVector d = sub(point_goal_, point_);
  if (is_zero(d)) return;
  const float length = vec_length(&d);
  if (point_interp_ == camera_constant_speed) {
    if (length > point_speed_)
      move_along(point_, d, point_speed_);
    else
      point_ = point_goal_;
  } else if (point_interp_ == camera_proportional) {
    move_along(point_, d, length / point_divisor_);
  }
}

// The three angles move together along one straight line in angle space; the Y angle (and X,
// with turn direction 0) wraps the shorter way or the way the turn direction asks.
void Camera::step_angles() {
  if (angle_interp_ == camera_snap) {
    angles_ = angle_goal_;
    return;
  }
  G3dVector d = sub(angle_goal_, angles_);
  if (is_zero(d)) return;
  float sx = 1.0f, sy = 1.0f;
  if (turn_dir_ == 0) {
    if (std::fabs((angle_goal_.y + 3600.0f) - (angles_.y + 3600.0f)) > 180.0f) {
      sy = -1.0f;
      d.y = 360.0f - std::fabs(d.y);
    }
    if (std::fabs((angle_goal_.x + 3600.0f) - (angles_.x + 3600.0f)) > 180.0f) {
      sx = -1.0f;
      d.x = 360.0f - std::fabs(d.x);
    }
  } else if (turn_dir_ == 2) {
    sy = -1.0f;
    if (d.y > 0.0f) d.y = 360.0f - std::fabs(d.y);
  } else if (turn_dir_ == 1) {
    if (d.y < 0.0f) d.y = -d.y;
  }
  const float length = vec_length(&d);
  float ry = angle_interp_ == camera_proportional ? length / angle_divisor_ : length;
  float rx = ry;
  if (sy == -1.0f && angles_.y < angle_goal_.y) ry = -ry;
  if (sx == -1.0f && angles_.x < angle_goal_.x) rx = -rx;
  if (angle_interp_ == camera_constant_speed) {
    sy = ry < 0.0f ? -1.0f : 1.0f;
    sx = rx < 0.0f ? -1.0f : 1.0f;
    if (std::fabs(ry) <= angle_speed_) {
      turn_dir_ = 0;
      angles_ = angle_goal_;
      return;
    }
    ry = sy * angle_speed_;
    rx = sx * angle_speed_;
  }
  G3dVector u;
  vec_normalize(&u, &d);
  angles_.x = std::fmod(u.x * rx + angles_.x + 3600.0f, 360.0f);
  angles_.y = std::fmod(u.y * ry + angles_.y + 3600.0f, 360.0f);
  angles_.z = std::fmod(u.z * ry + angles_.z + 3600.0f, 360.0f);
  if (angle_interp_ == camera_proportional) {
    if (360.0f - angles_.y < 0.01f) angles_.y = 0.0f;
    const G3dVector rest = sub(angle_goal_, angles_);
    if (vec_length(&rest) < 0.05f) {
      turn_dir_ = 0;
      angles_ = angle_goal_;
    }
  }
}

void Camera::step_distances() {
  for (auto [current, goal] : {std::pair{&eye_dist_, eye_dist_goal_}, std::pair{&look_dist_, look_dist_goal_}}) {
    if (dist_interp_ == camera_snap) {
      *current = goal;
    } else if (dist_interp_ == camera_constant_speed) {
      if (std::fabs(*current - goal) > dist_speed_)
        *current += *current < goal ? dist_speed_ : -dist_speed_;
      else
        *current = goal;
    } else if (dist_interp_ == camera_proportional) {
      *current = *current - (*current - goal) / dist_divisor_;
    }
  }
}

void Camera::step_eye() {
  if (eye_mode_ == camera_eye_follows) {
    eye_ = eye_goal_;
  } else if (eye_mode_ == camera_eye_glides) {
    const G3dVector d = sub(eye_goal_, eye_);
    if (is_zero(d)) return;
    if (vec_length(&d) > eye_speed_) {
      move_along(eye_, d, eye_speed_);
    } else {
      eye_ = eye_goal_;
      eye_mode_ = camera_eye_follows;
    }
  }
}

void Camera::update() {
  if (mode_ != camera_mode_orbit && mode_ != camera_mode_outside_eye && mode_ != camera_mode_world_offsets) return;
  step_point();
  step_angles();
  step_distances();
  step_eye();
  eye_offset_ = G3dVector{0, 0, -eye_dist_, 0};
  target_offset_ = G3dVector{0, 0, look_dist_ - eye_dist_, 0};
  // Mode 2 would play its key lists here; they are always empty.
}

void Camera::build_orbit(const G3dVector& angles, const G3dVector& point) {
  g3d_mat_identity(&orbit_);
  g3d_mat_rotate_x(angles.x, &orbit_);
  g3d_mat_rotate_y(angles.y, &orbit_);
  g3d_mat_rotate_z(angles.z, &orbit_);
  g3d_mat_set_translation(point.x, point.y, point.z, &orbit_);
}

void Camera::apply_view() {
  switch (mode_) {
    case camera_mode_orbit:
      build_orbit(angles_, point_);
      if (eye_mode_ == camera_eye_follows) {
        eye_goal_ = eye_;
        eye_ = transform(orbit_, eye_offset_);
      } else {
        eye_goal_ = transform(orbit_, eye_offset_);
      }
      applied_target_ = transform(orbit_, target_offset_);
      break;
    case camera_mode_world_offsets:
      g3d_mat_identity(&orbit_);
      eye_ = eye_offset_;
      applied_target_ = target_offset_;
      break;
    case camera_mode_outside_eye:
      build_orbit(angles_, point_);
      applied_target_ = transform(orbit_, target_offset_);
      break;
    default:
      return;  // frozen: the view keeps what was last applied
  }
  look_at(eye_, applied_target_);
  applied_eye_ = eye_;
}

G3dVector* Camera::apply_goal_view(G3dVector* out) {
  target_offset_ = G3dVector{0, 0, look_dist_goal_ - eye_dist_goal_, 0};
  build_orbit(angle_goal_, point_goal_);
  const G3dVector e = transform(orbit_, eye_offset_);
  applied_target_ = transform(orbit_, target_offset_);
  look_at(e, applied_target_);
  *out = e;
  return out;
}

void Camera::copy_point(G3dVector* goal, G3dVector* current) const {
  if (goal) *goal = point_goal_;
  if (current) *current = point_;
}

void Camera::copy_angles(G3dVector* goal, G3dVector* current) const {
  if (goal) *goal = angle_goal_;
  if (current) *current = angles_;
}

namespace {
void put3(const G3dVector& v, float* x, float* y, float* z) {
  if (x) *x = v.x;
  if (y) *y = v.y;
  if (z) *z = v.z;
}
}  // namespace

void Camera::get_point(float* gx, float* gy, float* gz, float* cx, float* cy, float* cz) const {
  put3(point_goal_, gx, gy, gz);
  put3(point_, cx, cy, cz);
}

void Camera::get_angles(float* gx, float* gy, float* gz, float* cx, float* cy, float* cz) const {
  put3(angle_goal_, gx, gy, gz);
  put3(angles_, cx, cy, cz);
}

void Camera::get_distance(float* goal, float* current) const {
  if (goal) *goal = eye_dist_goal_;
  if (current) *current = eye_dist_;
}

void Camera::get_look_distance(float* goal, float* current) const {
  if (goal) *goal = look_dist_goal_;
  if (current) *current = look_dist_;
}

G3dVector* Camera::get_eye(G3dVector* out) const {
  *out = eye_;
  return out;
}

bool Camera::point_arrived() const {
  for (float d : {point_goal_.x - point_.x, point_goal_.y - point_.y, point_goal_.z - point_.z})
    if (trunc32(100.0f * std::fabs(d)) > 99) return false;
  return true;
}

bool Camera::angles_arrived() const {
  return trunc32(angles_.x) == trunc32(angle_goal_.x) && trunc32(angles_.y) == trunc32(angle_goal_.y) &&
         trunc32(angles_.z) == trunc32(angle_goal_.z);
}

bool Camera::distance_arrived() const {
  std::int64_t d = trunc32(eye_dist_goal_) - trunc32(eye_dist_);
  return d >= -1 && d <= 1;
}

float Camera::heading_to(float x, float, float z) const { return heading_of(x - eye_.x, z - eye_.z); }

float Camera::view_heading() const {
  return heading_of(applied_target_.x - applied_eye_.x, applied_target_.z - applied_eye_.z);
}
