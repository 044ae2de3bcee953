#pragma once
// Three per-frame changes of the whole picture: the screen fade (a full-screen coloured
// rectangle whose opacity moves to a target), the screen dim (a black one that talk scripts
// raise and lower) and the scene light (the battle's world tint following the fade colour).
#include <cstdint>

struct ScreenFade {
  std::uint8_t alpha = 0, red = 0, green = 0, blue = 0;  // current colour
  std::uint8_t target_alpha = 0, target_red = 0, target_green = 0, target_blue = 0;
  float step = 0;  // alpha units per frame; 0: no fade runs, nothing is drawn
  int done = 0;    // 1 from the frame the target is reached until the next start
};

struct ScreenDim {
  std::uint8_t alpha = 0, target_alpha = 0;
  float step = 0;  // 0: off
  int done = 0;
};

struct SceneLight {
  std::uint8_t alpha = 0xFF, red = 0xFF, green = 0xFF, blue = 0xFF;
  float step = 0;  // 0: not moving
};

extern ScreenFade screen_fade;
extern ScreenDim screen_dim;
extern SceneLight scene_light;

// Each value is cut to a byte (0..255); a negative step runs at its magnitude.
void start_fade(float from, float to, float r, float g, float b, float step);
int is_fade_done();
// One frame of each.
void draw_fade();
void draw_screen_dim();
void fade_scene_light();
// The scene light as one ARGB word.
std::uint32_t scene_light_colour();

// One frame's alpha step toward a target: the new alpha, and whether the target was reached.
struct AlphaStep {
  std::uint8_t alpha;
  bool arrived;
};
AlphaStep step_alpha(std::uint8_t current, std::uint8_t target, float step);
