#pragma once
// The stored image of an ActInstance: 276 bytes in the original 32-bit layout, as records that
// embed an instance (the settlement's houses) keep it in save files. The two script pointers
// are written as 0; reading resets the instance's runtime part, so that its next tick loads
// the animation afresh.
#include <cstddef>
#include <cstdint>
#include <span>

#include "g3d/act_animation.h"

constexpr std::size_t act_image_size = 276;

// Offsets of the fields in the image.
namespace act_image {
constexpr std::size_t box = 0, point_a = 32, point_b = 48, src_rect = 64, hot_spot = 80, offset = 92, scale = 104,
                      draw_flags = 116, color = 120, control = 124, events = 128, tx_word = 132, tx_args = 136,
                      rotation = 142, act = 148, qq = 150, loaded_act = 152, loaded_qq = 154, resource = 156,
                      picture = 158, cell = 160, uploaded_picture = 162, loop_start = 164, loop_end = 166,
                      loop = 168, delay = 170, delay_count = 172, frame_max = 174, frame = 176, sheet = 178,
                      sound = 190, state = 192, attach_count = 194, attach_type = 196, attach_stop = 216,
                      pc = 236, script = 240, cur_script = 244, color_bytes = 248, kind = 252;
}  // namespace act_image

void act_instance_to_image(const ActInstance& a, std::span<std::uint8_t, act_image_size> out);
void act_instance_from_image(std::span<const std::uint8_t, act_image_size> in, ActInstance& a);
