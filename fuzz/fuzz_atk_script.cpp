// ATK.gll: a valid offset table over a random pool of commands, run in a fake battle of one
// party member and two enemies for a number of frames.
#include <cstdint>
#include <vector>

#include "battle/atk_script.h"
#include "battle/fight.h"
#include "battle/fight_globals.h"
#include "battle/fight_man.h"
#include "core/frame_timer.h"
#include "fuzz/battle_fuzz.h"
#include "fuzz/data_fuzz.h"
#include "g3d/effects/scripted_effects.h"

namespace {
constexpr int scripts = 4;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  DataFuzzInput input;
  static RoleData role;
  fake_battle(role);
  // The pool: a table of four scripts at offsets chosen by the first bytes, then the input.
  const std::vector<std::uint8_t> file = fuzz_script_pool(data, size, scripts);
  install_atk_data(file);
  FightMan* targets[3] = {&gmFightMan[0], &gmFightMan[7], nullptr};
  game_clock = 1000;
  for (int n = 1; n <= scripts; ++n) fight_atk_start(std::uint16_t(n), &gmFightMan[6], targets, n % 4);
  for (int frame = 0; frame < 40; ++frame) {
    fight_atk_run();
    for (int k : {0, 6, 7}) fight_man_state(std::int16_t(k));
    fight_shake_offset();
    game_clock += 30;
  }
  clear_special_effect_list(1);
  free_fight_atk_data();
  for (FightMan& u : gmFightMan) fight_unit_clear(u);
  return 0;
}
