#pragma once
// The orbit camera: a point, three angles and two distances that move to their goals. This first
// version reaches every goal at once.
struct CameraState {
  float point[3] = {};
  float angles[3] = {};
  float look_distance = 0;
  float distance = 0;
};

class Camera {
 public:
  void set_point(float x, float y, float z);
  // One frame of movement toward the goals.
  void update();
  // Makes the current state the renderer's view.
  void apply_view();
  // Goal then current values; each pointer may be null.
  void get_point(float* gx, float* gy, float* gz, float* cx, float* cy, float* cz) const;
  void get_angles(float* gx, float* gy, float* gz, float* cx, float* cy, float* cz) const;
  void get_look_distance(float* goal, float* current) const;
  void get_distance(float* goal, float* current) const;

 private:
  CameraState goal_;
  CameraState current_;
};
