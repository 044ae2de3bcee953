// ATK.gll: a valid offset table over a random pool of commands, run in a fake battle of one
// party member and two enemies for a number of frames.
#include <cstdint>
#include <vector>

#include "battle/atk_script.h"
#include "battle/fight.h"
#include "battle/fight_globals.h"
#include "battle/fight_man.h"
#include "core/frame_timer.h"
#include "fuzz/data_fuzz.h"
#include "g3d/effects/scripted_effects.h"

namespace {
constexpr int scripts = 4;

void fake_battle(RoleData& role) {
  for (FightMan& u : gmFightMan) fight_unit_clear(u);
  fight_clear_block();
  role = RoleData{};
  role.hp = role.max_hp = 500;
  role.stats[stat_level] = 3;
  FightMan& m = gmFightMan[0];
  m.side = side_party;
  m.role = &role;
  for (int k = 6; k < 8; ++k) {
    FightMan& e = gmFightMan[k];
    e.side = side_enemy;
    e.monster.level = 2;
    e.monster.hp = e.monster.max_hp = 300;
  }
  fight_ally_count = 1;
  fight_enemy_count = 2;
  fight_unit_count = 3;
  fight_unit_list[0] = 0, fight_unit_list[1] = 6, fight_unit_list[2] = 7;
  ActMan = 6;
  fight_main_target = 0;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  DataFuzzInput input;
  static RoleData role;
  fake_battle(role);
  // The pool: a table of four scripts at offsets chosen by the first bytes, then the input.
  std::vector<std::uint8_t> file(16 + 4 * scripts, 0);
  const std::size_t body = 4 * scripts;
  for (int n = 0; n < scripts; ++n) {
    const std::size_t pick = size > std::size_t(n) ? data[n] : 0;
    const std::uint32_t at = std::uint32_t(body + (size ? pick % size : 0));
    for (int b = 0; b < 4; ++b) file[16 + 4 * std::size_t(n) + std::size_t(b)] = std::uint8_t(at >> (8 * b));
  }
  file.insert(file.end(), data, data + size);
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
