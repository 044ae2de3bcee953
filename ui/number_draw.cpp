// Numbers drawn with digit sprites.
#include "ui/number_draw.h"

#include "battle/hit_number.h"
#include "g3d/act_draw.h"
#include "g3d/ani_matrix.h"
#include "g3d/ground_math.h"
#include "g3d/renderer.h"
#include "gfx2d/memoryer.h"

namespace {

constexpr std::uint32_t in_scene_flag = 0x2000000;
constexpr std::uint32_t flat_flag = 0x4000000;

// The shared number-draw state: the node being drawn and its digit instance.
struct NumberState {
  float x = 0, y = 0, z = 0;
  float angle = 0;
  float scale[3] = {};
  std::uint32_t extra_flags = 0;
  std::uint32_t colour = 0xFFFFFFFF;
  std::uint16_t digit_act = 0;
  int flat = 0;
  ActInstance digit;
};
NumberState state;

// Draws one picture of act/qq at the state's point, without its frame sound; the picture's
// width, or 0.
float draw_picture(std::uint16_t act, std::uint16_t qq, std::uint32_t more_flags) {
  ActInstance& a = state.digit;
  a.act = act;
  a.qq = qq;
  if (Take_3dActData(&a) != 1 || a.resource == 0) return 0;
  TswPic* pic = Memoryer_GetPic(a.resource, a.picture);
  if (!pic || !pic->image) return 0;
  for (int i = 0; i < 3; ++i) a.scale[i] = state.scale[i];
  G3dMatrix m;
  if (state.flat) {
    a.draw_flags = (a.draw_flags & ~in_scene_flag) | flat_flag;
    set_ani_matrix(&m, &a, state.x, state.y, 0, 0);
  } else {
    set_ani_matrix(&m, &a, state.x, state.y, state.z, 0);
  }
  renderer.draw_image(&m, g3d_sprite_texture_key(a.resource, a.picture), pic->image, nullptr, state.colour,
                      a.draw_flags | state.extra_flags | more_flags | G3D_KEY_AS_GIVEN);
  return float(pic->width);
}

void draw_digit(int d) {
  const float width = draw_picture(state.digit_act, std::uint16_t(d), 0);
  if (state.flat) {
    state.x += 0.8f * width;
  } else {
    float dx = 0, dz = 0;
    polar_offset(state.angle, width, &dx, &dz);
    state.x += dx;
    state.z += dz;
  }
}

}  // namespace

int number_digits(std::uint32_t value, int out[10]) {
  int n = 0;
  bool started = false;
  for (std::uint32_t p = 1000000000u; p >= 10; p /= 10) {
    const int d = int(value / p);
    if (d != 0 || started) {
      out[n++] = d;
      started = true;
    }
    value -= std::uint32_t(d) * p;
  }
  out[n++] = int(value);
  return n;
}

void draw_number(HitNumber* node) {
  state.x = node->point[0];
  state.y = node->point[1];
  state.z = node->point[2];
  state.angle = node->angle;
  for (int i = 0; i < 3; ++i) state.scale[i] = node->scale[i];
  state.extra_flags = node->extra_flags;
  state.colour = node->colour;
  state.digit_act = node->digit_act;
  state.flat = node->flat;
  int digits[10];
  const int n = number_digits(node->value, digits);
  for (int i = 0; i < n; ++i) draw_digit(digits[i]);
}

void draw_sprite_row(std::uint16_t act, std::uint16_t qq, int count, const int point[3], int flat) {
  state.x = float(point[0]);
  state.y = float(point[1]);
  state.z = float(point[2]);
  state.flat = flat;
  for (int i = 0; i < count; ++i) draw_picture(act, qq, 0x2);
}
