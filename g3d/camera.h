#pragma once
// The orbit camera: a pivot point, three angles and two distances, each with a goal that the
// current value approaches once per frame by snapping, at a constant speed or proportionally.
// From them it builds the view: the orbit matrix (rotations about X, Y, Z, then the pivot as
// translation), the eye behind the pivot at the eye distance and the target at the look
// distance in front of the eye. The eye may also come from outside and glide to its goal.
// Callers save and restore a camera by copying it whole.
#include <vector>

#include "g3d/g3d_math.h"

constexpr int camera_mode_orbit = 1;
constexpr int camera_mode_world_offsets = 2;
constexpr int camera_mode_outside_eye = 4;
constexpr int camera_mode_frozen = 5;

constexpr int camera_snap = 1;
constexpr int camera_constant_speed = 2;
constexpr int camera_proportional = 3;

constexpr int camera_eye_follows = 1;
constexpr int camera_eye_glides = 2;
constexpr int camera_eye_holds = 3;

class Camera {
 public:
  int set_mode(int mode);
  int set_eye_mode(int mode);
  int set_point_interp(int type);
  int set_angle_interp(int type);
  int set_dist_interp(int type);
  float set_point_speed(float v);
  float set_angle_speed(float v);  // thousandths of a degree per frame
  float set_dist_speed(float v);
  float set_eye_speed(float v);
  float set_spare_speed(float v);
  float set_point_divisor(float v);
  float set_angle_divisor(float v);
  float set_dist_divisor(float v);
  void set_point(float x, float y, float z);
  void set_angles(float x, float y, float z);
  float set_distance(float v);
  float set_look_distance(float v);
  void set_eye(G3dVector eye);
  void set_eye_xyz(float x, float y, float z);
  int set_turn_dir(int dir);

  // One frame of movement toward the goals.
  void update();
  // Makes the camera's view the current view.
  void apply_view();
  // The view the camera will have once arrived, made current without moving the camera; the
  // eye of that view in out.
  G3dVector* apply_goal_view(G3dVector* out);

  int get_mode() const { return mode_; }
  int get_point_interp() const { return point_interp_; }
  int get_angle_interp() const { return angle_interp_; }
  int get_dist_interp() const { return dist_interp_; }
  void copy_point(G3dVector* goal, G3dVector* current) const;
  void copy_angles(G3dVector* goal, G3dVector* current) const;
  // Goal then current values; each pointer may be null.
  void get_point(float* gx, float* gy, float* gz, float* cx, float* cy, float* cz) const;
  void get_angles(float* gx, float* gy, float* gz, float* cx, float* cy, float* cz) const;
  void get_distance(float* goal, float* current) const;
  void get_look_distance(float* goal, float* current) const;
  G3dVector* get_eye(G3dVector* out) const;
  bool point_arrived() const;
  bool angles_arrived() const;
  bool distance_arrived() const;
  // Headings in degrees: 0 looks along +z, 90 along -x, 180 along -z, 270 along +x.
  float heading_to(float x, float y, float z) const;
  float view_heading() const;

 private:
  void step_point();
  void step_angles();
  void step_distances();
  void step_eye();
  void build_orbit(const G3dVector& angles, const G3dVector& point);

  int mode_ = camera_mode_orbit;
  int last_mode_ = camera_mode_orbit;
  float eye_dist_goal_ = 1000.0f, look_dist_goal_ = 1000.0f, eye_dist_ = 0, look_dist_ = 0;
  float point_speed_ = 10000.0f, point_divisor_ = 1.0f;
  int point_interp_ = camera_snap;
  float angle_speed_ = 360.0f, angle_divisor_ = 1.0f;
  int angle_interp_ = camera_snap;
  float dist_speed_ = 10000.0f, dist_divisor_ = 1.0f;
  int dist_interp_ = camera_snap;
  float eye_speed_ = 0, spare_speed_ = 0;
  int eye_mode_ = camera_eye_follows;
  int turn_dir_ = 0;
  G3dVector point_goal_{}, point_{};
  G3dVector eye_offset_{}, target_offset_{};
  G3dVector angle_goal_{}, angles_{};
  G3dVector eye_goal_{}, eye_{};
  G3dVector applied_eye_{}, applied_target_{};
  G3dMatrix orbit_{};
  // The key lists of mode 2: nothing adds keys, so mode 2 has nothing to play.
  std::vector<G3dVector> eye_keys_, target_keys_;
};
