#pragma once
// The animated camera: a cut-scene camera whose eye and target are carried by an ACT animation
// whose model has a part tagged 0 (the eye) and one tagged 1 (the target). It writes the field
// camera and the look-at point of the field's camera settings.
#include <cstdint>

#include "g3d/act_animation.h"

extern ActInstance act_camera;
extern std::uint16_t act_camera_act, act_camera_qq;
extern int act_camera_running;  // 1 while the animation runs
extern G3dMatrix act_camera_matrix;

constexpr int act_camera_eye_tag = 0, act_camera_target_tag = 1;

// One frame of the animated camera: 1 on the frame the animation ends, else 0.
int update_act_camera();
