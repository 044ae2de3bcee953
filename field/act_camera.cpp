// The animated camera.
#include "field/act_camera.h"

#include <cmath>

#include "field/field_camera_state.h"
#include "g3d/camera.h"
#include "g3d/model_cache.h"
#include "g3d/renderer.h"
#include "sound/sfx_bank.h"

ActInstance act_camera;
std::uint16_t act_camera_act = 0, act_camera_qq = 0;
int act_camera_running = 0;
G3dMatrix act_camera_matrix;

namespace {

void build_matrix(const ActInstance& a, G3dMatrix* m) {
  renderer.identity_matrix(m);
  renderer.scale_matrix(m, a.scale[0], a.scale[1], a.scale[2]);
  renderer.translate_matrix(m, a.offset[0], a.offset[1], a.offset[2]);
  // The rotations follow the translation, so the offset turns with them.
  renderer.rotate_matrix(m, float(a.rotation[0] % 360), float(a.rotation[1] % 360), float(a.rotation[2] % 360));
  renderer.translate_matrix(m, 0, 0, 0);
}

// The eye and the target from the model's tagged parts; the camera is kept without them.
void place_camera(const G3dPoly* model, unsigned frame) {
  G3dVector eye, target;
  if (!renderer.get_part_point(&act_camera_matrix, model, frame, act_camera_eye_tag, &eye)) return;
  if (!renderer.get_part_point(&act_camera_matrix, model, frame, act_camera_target_tag, &target)) return;
  field_camera.set_mode(camera_mode_outside_eye);
  field_camera.set_eye(eye);
  field_camera_state.target_point[0] = target.x;
  field_camera_state.target_point[1] = target.y;
  field_camera_state.target_point[2] = target.z;
}

}  // namespace

int update_act_camera() {
  act_camera.act = act_camera_act;
  act_camera.qq = act_camera_qq;
  if (!Take_3dActData(&act_camera)) return 0;
  if (act_camera.resource == 0) return 0;
  // A model that cannot be had is not drawn and moves no camera; its end still ends the scene.
  if (G3dPoly* model = GetPoly(act_camera.resource)) {
    build_matrix(act_camera, &act_camera_matrix);
    renderer.draw_model(&act_camera_matrix, act_camera.picture, model, act_camera.color, act_camera.draw_flags);
    place_camera(model, act_camera.picture);
  }
  if (act_camera.sound) {
    play_sfx(act_camera.sound, 1);
    act_camera.sound = 0;
  }
  if (!(act_camera.state & act_state_finished)) return 0;
  act_camera_running = 0;
  return 1;
}
