// Battle units: hit reactions, poses, walks, fades and the yaw drawn.
#include "battle/fight_hud.h"
#include "battle/fight_man.h"
#include "g3d/effects/effect_manager.h"
#include "g3d/effects/spawn_effect.h"
#include "battle/fight_globals.h"

namespace {
constexpr int reflect_effect = 1021;
constexpr std::uint16_t state_hurt = 55, state_defend = 5;
}  // namespace

void FightMan::OnHit() {
  if (cond & cond_dodge) return;
  if (cond & cond_reflect) {
    spawn_effect(&fight_unit_effects, reflect_effect, pos.x, pos.y + 80, pos.z + 50);
    return;
  }
  if (IsAlly()) set_hud_visible(1);
  if (prev_state == state_defend) {
    knockback = 40;
    return;
  }
  prev_state = state;
  state = state_hurt;
  body.loaded_qq = 0xFFFF;  // the body restarts its script
  body.state &= std::uint16_t(~1u);
}
