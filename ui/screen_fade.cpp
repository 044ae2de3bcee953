// Screen fade, screen dim and scene light.
#include "ui/screen_fade.h"

#include <algorithm>
#include <cmath>

#include "field/map_file.h"
#include "g3d/renderer.h"

ScreenFade screen_fade;
ScreenDim screen_dim;
SceneLight scene_light;

namespace {

constexpr std::uint32_t full_screen_blend = 0x4000002;

// Out-of-range values would not fit a byte; they are held at its ends.
std::uint8_t to_byte(float v) {
  if (!(v > 0)) return 0;
  return std::uint8_t(std::min(v, 255.0f));
}

std::uint32_t argb(std::uint8_t a, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return std::uint32_t(a) << 24 | std::uint32_t(r) << 16 | std::uint32_t(g) << 8 | b;
}

}  // namespace

AlphaStep step_alpha(std::uint8_t current, std::uint8_t target, float step) {
  const float d = float(target) - float(current);
  if (std::fabs(d) > step) {
    const float a = float(current) + (d > 0 ? step : -step);
    return {std::uint8_t(std::clamp(a, 0.0f, 255.0f)), false};
  }
  return {target, true};
}

void start_fade(float from, float to, float r, float g, float b, float step) {
  ScreenFade& f = screen_fade;
  f.alpha = to_byte(from);
  f.target_alpha = to_byte(to);
  f.red = f.target_red = to_byte(r);
  f.green = f.target_green = to_byte(g);
  f.blue = f.target_blue = to_byte(b);
  // A negative step would walk away from the target for ever.
  f.step = std::fabs(step);
  f.done = 0;
}

int is_fade_done() { return screen_fade.done; }

void draw_fade() {
  ScreenFade& f = screen_fade;
  if (f.step == 0) return;
  f.done = 0;
  const AlphaStep s = step_alpha(f.alpha, f.target_alpha, f.step);
  f.alpha = s.alpha;
  if (s.arrived) {
    if (f.target_alpha == 0) f.step = 0;
    f.red = f.target_red;
    f.green = f.target_green;
    f.blue = f.target_blue;
    f.done = 1;
  }
  renderer.draw_rect(0, 0, 640, 480, argb(f.alpha, f.red, f.green, f.blue), full_screen_blend);
}

void draw_screen_dim() {
  ScreenDim& d = screen_dim;
  if (d.step == 0) return;
  d.done = 0;
  const AlphaStep s = step_alpha(d.alpha, d.target_alpha, std::fabs(d.step));
  d.alpha = s.alpha;
  if (s.arrived) {
    if (d.target_alpha == 0) d.step = 0;
    d.done = 1;
  }
  renderer.draw_rect(0, 0, 640, 480, argb(d.alpha, 0, 0, 0), full_screen_blend);
}

void fade_scene_light() {
  SceneLight& l = scene_light;
  if (l.step == 0) return;
  const ScreenFade& f = screen_fade;
  const float v[3] = {float(f.target_red) - l.red, float(f.target_green) - l.green, float(f.target_blue) - l.blue};
  const float dist = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
  if (dist > l.step) {
    l.alpha = 255;
    std::uint8_t* channel[3] = {&l.red, &l.green, &l.blue};
    for (int i = 0; i < 3; ++i) *channel[i] = to_byte(float(*channel[i]) + l.step * v[i] / dist);
  } else {
    if (f.target_red == 255 || f.target_green == 255 || f.target_blue == 255) l.step = 0;
    l = {255, f.target_red, f.target_green, f.target_blue, l.step};
  }
  // The world is drawn in the light: the map's tint follows it.
  map_record.tint = scene_light_colour();
}

std::uint32_t scene_light_colour() {
  return argb(scene_light.alpha, scene_light.red, scene_light.green, scene_light.blue);
}
