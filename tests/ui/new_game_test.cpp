// The new-game reset: a fresh start looks at the leader from behind and above, not from its feet.
#include <gtest/gtest.h>

#include "field/field_camera_state.h"
#include "ui/title/new_game.h"

namespace {

TEST(NewGameCamera, TheResetPutsTheFieldCameraBehindAndAboveItsPoint) {
  field_camera.set_distance(0);
  field_camera.set_angles(0, 45, 0);
  field_camera_state.distance = 7;
  reset_game();
  float distance = 0, look = 0, pitch = 0, yaw = 0;
  field_camera.get_distance(&distance, nullptr);
  field_camera.get_look_distance(&look, nullptr);
  field_camera.get_angles(&pitch, &yaw, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(distance, 1250.0f);
  EXPECT_EQ(look, 1250.0f);
  EXPECT_EQ(pitch, 10.0f);
  EXPECT_EQ(yaw, 0.0f);
  EXPECT_EQ(field_camera.get_mode(), camera_mode_orbit);
  EXPECT_EQ(field_camera_state.distance, 1250.0f);
  EXPECT_EQ(field_camera_state.target_angles[0], 10.0f);
  EXPECT_EQ(field_camera_state.dist_speed, 25.0f);
  EXPECT_EQ(field_camera_state.angle_divisor, 3.0f);
}

}  // namespace
