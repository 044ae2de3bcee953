#pragma once
// The field camera and the 128-byte record of its settings.
#include "g3d/camera.h"

struct FieldView {
  int control_mode = 0;  // 1: talks do not wait for camera moves
  int camera_mode = 0;   // 4: eye set from outside
  float eye[3] = {};
  int point_interp = 0, angle_interp = 0, dist_interp = 0, eye_mode = 0;
  float target_point[3] = {};
  float target_angles[3] = {};
  float distance_goal = 0, look_distance_goal = 0;
  float point_speed = 0, angle_speed = 0, dist_speed = 0;
  float point_divisor = 0, angle_divisor = 0, dist_divisor = 0;
  float view_height = 0;
  // The camera's current state, read back each event-scene frame.
  float current_point[3] = {};
  float current_angles[3] = {};
  float look_distance = 0;
  float distance = 0;
};
static_assert(sizeof(FieldView) == 128);

extern FieldView field_view;
extern Camera field_camera;
