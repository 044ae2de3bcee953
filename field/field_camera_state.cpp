// The field camera and its settings record.
#include "field/field_camera_state.h"

#include <cstring>

FieldCameraState field_camera_state;
Camera field_camera;

namespace {
// Every word of the record is 32 bits, ints and floats alike; each goes out little-endian.
void put_word(std::uint8_t* out, std::uint32_t word) {
  for (int i = 0; i < 4; ++i) out[i] = std::uint8_t(word >> (8 * i));
}
std::uint32_t get_word(const std::uint8_t* in) {
  return std::uint32_t(in[0]) | std::uint32_t(in[1]) << 8 | std::uint32_t(in[2]) << 16 |
         std::uint32_t(in[3]) << 24;
}
}  // namespace

void field_camera_state_to_image(const FieldCameraState& state, std::span<std::uint8_t, 128> out) {
  std::uint32_t words[32];
  std::memcpy(words, &state, sizeof words);
  for (int i = 0; i < 32; ++i) put_word(out.data() + 4 * i, words[i]);
}

FieldCameraState field_camera_state_from_image(std::span<const std::uint8_t, 128> image) {
  std::uint32_t words[32];
  for (int i = 0; i < 32; ++i) words[i] = get_word(image.data() + 4 * i);
  FieldCameraState state;
  std::memcpy(&state, words, sizeof words);
  return state;
}

void camera_takes_speeds(Camera& camera, const FieldCameraState& settings) {
  camera.set_point_speed(settings.point_speed);
  camera.set_angle_speed(settings.angle_speed);
  camera.set_dist_speed(settings.dist_speed);
  camera.set_point_divisor(settings.point_divisor);
  camera.set_angle_divisor(settings.angle_divisor);
  camera.set_dist_divisor(settings.dist_divisor);
}

void camera_takes_interp(Camera& camera, const FieldCameraState& settings) {
  camera.set_point_interp(settings.point_interp);
  camera.set_angle_interp(settings.angle_interp);
  camera.set_dist_interp(settings.dist_interp);
  camera.set_eye_mode(settings.eye_mode);
}
