// The camera settings record: the save file keeps it as its 128-byte image, so its offsets are
// the stored ones.
#include "field/field_camera_state.h"

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <cstring>

TEST(FieldCameraState, FieldsSitAtTheirStoredOffsets) {
  struct Row {
    std::size_t offset, expected;
  };
  const Row rows[] = {
      {offsetof(FieldCameraState, control_mode), 0},    {offsetof(FieldCameraState, point_interp), 8},
      {offsetof(FieldCameraState, angle_interp), 12},   {offsetof(FieldCameraState, dist_interp), 16},
      {offsetof(FieldCameraState, eye_mode), 20},       {offsetof(FieldCameraState, camera_mode), 24},
      {offsetof(FieldCameraState, eye), 28},            {offsetof(FieldCameraState, target_point), 40},
      {offsetof(FieldCameraState, target_angles), 52},  {offsetof(FieldCameraState, look_distance), 64},
      {offsetof(FieldCameraState, distance), 68},  {offsetof(FieldCameraState, point_speed), 72},
      {offsetof(FieldCameraState, point_divisor), 84},  {offsetof(FieldCameraState, current_point), 96},
      {offsetof(FieldCameraState, current_angles), 108}, {offsetof(FieldCameraState, current_look_distance), 120},
      {offsetof(FieldCameraState, current_distance), 124},
  };
  for (const Row& row : rows) EXPECT_EQ(row.offset, row.expected);
}

TEST(FieldCameraState, ImageIsLittleEndianAndRoundTrips) {
  FieldCameraState state;
  state.control_mode = 1;
  state.camera_mode = 4;
  state.eye[1] = 1400.0f;
  state.current_angles[1] = -90.5f;  // the walking heading
  state.current_distance = 2000.0f;

  std::array<std::uint8_t, 128> image{};
  field_camera_state_to_image(state, image);
  EXPECT_EQ(image[0], 1);
  EXPECT_EQ(image[24], 4);
  std::uint32_t bits;
  std::memcpy(&bits, &state.eye[1], 4);
  EXPECT_EQ(image[32], bits & 0xFF);
  EXPECT_EQ(image[35], bits >> 24);

  const FieldCameraState back = field_camera_state_from_image(image);
  EXPECT_EQ(std::memcmp(&back, &state, sizeof state), 0);
}
