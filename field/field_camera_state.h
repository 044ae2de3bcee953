#pragma once
// The field camera and the 32 words of its settings kept beside it. The save file stores the
// record as its 128-byte image, so the field order below is the stored order.
#include <cstdint>
#include <span>

#include "g3d/camera.h"

struct FieldCameraState {
  std::int32_t control_mode = 0;  // 0: set by talk scripts; 1 = talks do not wait for camera moves
  std::int32_t word_4 = 0;        // 4: not used by the field
  std::int32_t point_interp = 0, angle_interp = 0, dist_interp = 0;  // 8, 12, 16
  std::int32_t eye_mode = 0;      // 20
  std::int32_t camera_mode = 0;   // 24: 4 = eye set from outside
  float eye[3] = {};              // 28
  float target_point[3] = {};     // 40: the look-at point the role update hands the camera
  float target_angles[3] = {};    // 52: pitch, yaw, roll
  float look_distance = 0;        // 64
  float distance = 0;             // 68
  float point_speed = 0, angle_speed = 0, dist_speed = 0;        // 72
  float point_divisor = 0, angle_divisor = 0, dist_divisor = 0;  // 84
  // The camera's current state, stored by field drawing every frame. The yaw at 112 is also
  // the walking heading.
  float current_point[3] = {};    // 96
  float current_angles[3] = {};   // 108
  float current_look_distance = 0;  // 120
  float current_distance = 0;       // 124
};
static_assert(sizeof(FieldCameraState) == 128);

constexpr std::size_t field_camera_state_size = 128;

// The record as its stored little-endian image, and back.
void field_camera_state_to_image(const FieldCameraState& state, std::span<std::uint8_t, 128> out);
FieldCameraState field_camera_state_from_image(std::span<const std::uint8_t, 128> image);

// The camera takes the settings' move speeds and divisors, or their interpolation modes and eye
// mode: talks that steer the camera and a loaded game hand the settings over the same way.
void camera_takes_speeds(Camera& camera, const FieldCameraState& settings);
void camera_takes_interp(Camera& camera, const FieldCameraState& settings);

extern FieldCameraState field_camera_state;
extern Camera field_camera;
