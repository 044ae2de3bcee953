// ATK commands: the screen fades, the scene light and the battlefield world.
#include "battle/atk_ops.h"

#include "battle/fight.h"
#include "battle/fight_globals.h"
#include "g3d/model_cache.h"
#include "g3d/screen_tile_fade.h"
#include "ui/screen_fade.h"

SliceResult atk_tile_fade(AtkRun& run) {
  const std::uint16_t step = run.cur.u16();
  start_screen_tile_fade();
  set_screen_tile_fade_step(short(step));
  return SliceResult::EndSlice;
}

SliceResult atk_wait_tile_fade(AtkRun&) {
  return is_screen_tile_fade_done() ? SliceResult::EndSlice : SliceResult::Wait;
}

SliceResult atk_screen_fade(AtkRun& run) {
  const std::uint16_t step = run.cur.u16();
  const std::uint8_t r = std::uint8_t(run.cur.u16()), g = std::uint8_t(run.cur.u16()), b = std::uint8_t(run.cur.u16());
  const std::uint8_t a0 = std::uint8_t(run.cur.u16()), a1 = std::uint8_t(run.cur.u16());
  ScreenFade& f = screen_fade;
  f.alpha = a0, f.red = r, f.green = g, f.blue = b;
  f.target_alpha = a1, f.target_red = r, f.target_green = g, f.target_blue = b;
  f.step = float(step);
  return SliceResult::EndSlice;
}

SliceResult atk_scene_light(AtkRun& run) {
  const std::uint16_t step = run.cur.u16();
  std::uint8_t c[6];
  for (std::uint8_t& v : c) v = std::uint8_t(run.cur.u16());
  scene_light = SceneLight{255, c[0], c[1], c[2], float(step)};
  screen_fade.target_red = c[3], screen_fade.target_green = c[4], screen_fade.target_blue = c[5];
  return SliceResult::EndSlice;
}

namespace {
void change_world(std::uint16_t act, std::uint16_t qq) {
  fight_field_anim.act = act;
  fight_field_anim.qq = qq;
  Take_3dActData(&fight_field_anim);
  fight_field_world = MapMemory(fight_field_anim.resource);
  fight_ground_world = fight_field_world;
}
}  // namespace

SliceResult atk_world_change(AtkRun& run) {
  const std::uint16_t act = run.cur.u16(), qq = run.cur.u16();
  change_world(act, qq);
  return SliceResult::EndSlice;
}

SliceResult atk_world_back(AtkRun&) {
  change_world(fight_field_act, fight_field_qq);
  return SliceResult::EndSlice;
}
