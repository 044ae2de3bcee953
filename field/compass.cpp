// The compass below the minimap.
#include "field/compass.h"

#include "field/field_camera_state.h"
#include "field/minimap.h"
#include "g3d/act_draw.h"

namespace {

constexpr std::uint16_t dial_qq = 0, needle_qq = 1, rose_qq = 2;
constexpr int dial_dx = -15, dial_dy = -10;
constexpr float centre_dx = 66.0f, centre_dy = 186.0f;

void draw_turned(ActInstance& a, std::uint16_t qq, float x, float y, float turn) {
  a.qq = qq;
  if (Take_3dActData(&a) != 1) return;
  draw_act_3d(&a, x, y, 0, 0, 0, turn, 0, 0, 0, a.color, a.draw_flags);
}

}  // namespace

float compass_spin = 0.0f;

float next_compass_spin(float spin) {
  spin += 0.5f;
  return spin >= 360.0f ? 0.0f : spin;
}

float compass_rose_turn(float camera_yaw) { return camera_yaw >= 360.0f ? 0.0f : 360.0f - camera_yaw; }

void draw_compass() {
  const int x0 = minimap.left(), y0 = minimap.top();
  ActInstance a;
  a.act = compass_act;
  a.qq = dial_qq;
  if (Take_3dActData(&a) == 1) draw_act_instance(&a, x0 + dial_dx, y0 + dial_dy, 0);
  compass_spin = next_compass_spin(compass_spin);
  const float cx = float(x0) + centre_dx, cy = float(y0) + centre_dy;
  draw_turned(a, needle_qq, cx, cy, compass_spin);
  draw_turned(a, rose_qq, cx, cy, compass_rose_turn(field_camera_state.current_angles[1]));
}
