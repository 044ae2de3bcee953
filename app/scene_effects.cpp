// Demo scene "effects": the visual effects in the sample world under a fixed camera. Snow and
// rain, the four sample definitions from the map effect list and spawn_effect, a special effect
// on a path carrying an emitter, afterimages of the walking character, the sword's tapered
// ribbon and a zoom; from frame 60 the camera rig's flight takes the camera.
#include <memory>

#include "app/demo_scene.h"
#include "core/game_mode.h"
#include "core/log.h"
#include "field/act_camera.h"
#include "field/field_camera_state.h"
#include "field/map_effects.h"
#include "g3d/ani_matrix.h"
#include "g3d/effects/afterimages.h"
#include "g3d/effects/effect_list.h"
#include "g3d/effects/effect_random.h"
#include "g3d/effects/scripted_effects.h"
#include "g3d/effects/spawn_effect.h"
#include "g3d/effects/trail_manager.h"
#include "g3d/effects/weather_emitters.h"
#include "g3d/model_cache.h"
#include "g3d/renderer.h"
#include "g3d/view_zoom.h"

void start_effects_scene();

namespace {

// The sample game's numbers the scene uses (the data kit writes them).
constexpr int sparkle_burst = 1, streak_fountain = 2, attracted_swarm = 3, smoke = 4;
constexpr std::uint16_t world_model = 12001;
constexpr std::uint16_t character_act = 1, walk_qq = 1;
constexpr std::uint16_t spell_act = 6001;
constexpr std::uint16_t sword_act = 3003, rig_act = 3005;
constexpr int sword_hilt_tag = 20, sword_tip_tag = 21;

constexpr unsigned frame_ms = 28;
constexpr int rig_start_frame = 60;
constexpr float centre_x = 3000, centre_z = 2000;
// The weather's player height: a continuous snow spawns only once its particles, resting at y 0
// before their first spawn, lie under its limit height (this height - 30).
constexpr float weather_y = 100;
constexpr int sword_trail_id = 1;
constexpr std::uint8_t trail_life = 255, trail_fade = 32;

struct EffectsScene {
  int frame = 0;
  std::unique_ptr<DriftEmitter> snow;
  std::unique_ptr<GravityEmitter> rain;
  ActInstance walker{};
  float walker_x = 2500;
  ActInstance sword{};
  bool rig_running = false;
};

EffectsScene* scene = nullptr;

void place_map_effects() {
  const int types[4] = {sparkle_burst, streak_fountain, attracted_swarm, smoke};
  for (int i = 0; i < 4; ++i) {
    EffectListNode node;
    node.x = 2400 + 400 * float(i);
    node.z = 2500;
    node.type = std::uint16_t(types[i]);
    add_effect_list(&node);
  }
}

void start_path_effect() {
  SpecialEffect e;
  e.instance.act = spell_act;
  e.position = {2400, 120, 1700, 0};
  e.target = {3600, 120, 1700, 0};
  e.motion = special_motion_path | special_motion_fade_out;
  e.duration = 45;
  const int id = spawn_effect(&fight_unit_effects, streak_fountain, e.position.x, e.position.y, e.position.z);
  e.emitter = effect_handle(&fight_unit_effects, id);
  add_special_effect(&e, special_add_front);
}

void set_fixed_camera() {
  field_camera.set_point(centre_x, 100, centre_z);
  field_camera.set_angles(20, 0, 0);
  field_camera.set_distance(2400);
  field_camera.set_look_distance(2400);
  field_camera_state.target_point[0] = centre_x;
  field_camera_state.target_point[1] = 100;
  field_camera_state.target_point[2] = centre_z;
}

void step_rig() {
  if (scene->frame == rig_start_frame) {
    act_camera = ActInstance{};
    act_camera_act = rig_act;
    act_camera_qq = 0;
    act_camera_running = 1;
    scene->rig_running = true;
  }
  if (scene->rig_running && update_act_camera()) {
    scene->rig_running = false;
    log_trace("effects scene: act camera ended");
  }
}

void apply_camera() {
  field_camera.set_point(field_camera_state.target_point[0], field_camera_state.target_point[1], field_camera_state.target_point[2]);
  field_camera.update();
  field_camera.apply_view();
  update_view_zoom();
}

void draw_model_at(ActInstance& a, float x, float y, float z, G3dMatrix* m) {
  set_ani_matrix(m, &a, x, y, z, 0);
  if (G3dPoly* model = GetPoly(a.resource)) renderer.draw_model(m, a.picture, model, a.color, a.draw_flags);
}

void draw_walker() {
  ActInstance& a = scene->walker;
  if (!Take_3dActData(&a)) return;
  scene->walker_x += 6;
  G3dMatrix m;
  draw_model_at(a, scene->walker_x, 0, 2200, &m);
  if (scene->frame % 2) return;
  Afterimage copy;
  copy.instance = a;
  copy.x = scene->walker_x;
  copy.z = 2200;
  copy.alpha = 150;
  copy.red = copy.green = copy.blue = 255;
  copy.alpha_step = 15;
  afterimage_list.add(&copy);
}

void draw_sword() {
  ActInstance& a = scene->sword;
  if (!Take_3dActData(&a)) return;
  G3dMatrix m;
  draw_model_at(a, 3300, 60, 1900, &m);
  G3dPoly* model = GetPoly(a.resource);
  TrailEntry* trails = trail_manager.get_trails(sword_trail_id, trail_taper);
  G3dVector hilt, tip;
  if (!model || !trails || !renderer.get_part_point(&m, model, a.picture, sword_hilt_tag, &hilt) ||
      !renderer.get_part_point(&m, model, a.picture, sword_tip_tag, &tip))
    return;
  trails->first->add_segment(1, 120, 180, 255, trail_life, trail_fade);
  trails->first->set_points(hilt, tip);
}

void draw_particles() {
  scene->snow->update(frame_ms);
  scene->snow->draw();
  scene->rain->update(frame_ms);
  scene->rain->draw();
  play_effect_list(frame_ms);
  for (EffectManager* m : {&field_effects, &fight_unit_effects}) {
    m->update(frame_ms);
    m->draw();
  }
  play_special_effect_back();
  afterimage_list.draw();
  trail_manager.draw_all();
}

void effects_scene_frame() {
  ++scene->frame;
  if (scene->frame == 30) spawn_effect(&field_effects, sparkle_burst, 2700, 150, 1900);
  renderer.draw_rect(0, 0, 640, 480, 0xFF000000, G3D_FAR_DEPTH);
  step_rig();
  apply_camera();
  G3dMatrix identity;
  if (G3dWld* world = MapMemory(world_model)) renderer.draw_world(renderer.identity_matrix(&identity), 0, world, 0xFFFFFFFF, 0);
  draw_walker();
  draw_sword();
  draw_particles();
  renderer.present();
}

}  // namespace

void start_effects_scene() {
  static EffectsScene state;
  scene = &state;
  effect_srand(1);
  renderer.set_no_cull(1);
  set_fixed_camera();
  scene->snow = make_snow_emitter(centre_x, weather_y, centre_z);
  scene->rain = make_rain_emitter(centre_x, weather_y, centre_z);
  place_map_effects();
  spawn_effect(&field_effects, sparkle_burst, 3000, 150, 2000);
  spawn_effect(&field_effects, attracted_swarm, 2600, 20, 2000);
  spawn_effect(&field_effects, smoke, 3400, 20, 2100);
  start_path_effect();
  scene->walker.act = character_act;
  scene->walker.qq = walk_qq;
  scene->sword.act = sword_act;
  set_view_zoom(zoom_over_frames, 35, 14.0f);
  demo_scene_handlers = {nullptr, nullptr, effects_scene_frame};
  GameMode = mode_demo_scene;
}
