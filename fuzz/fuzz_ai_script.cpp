// AI.gll: a random file run by field roles and battle units with random numbers and states.
#include <cstdint>
#include <span>

#include "battle/fight_action.h"
#include "battle/fight_globals.h"
#include "fuzz/script_fuzz.h"
#include "script/role_ai.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ScriptFuzzInput input;
  install_AI_data(std::span<const std::uint8_t>(data, size));
  ScriptFuzzInput::place_roles();
  const ByteReader r(data, size);
  // The last bytes of the input choose the AI numbers and the units' states.
  auto pick = [&](std::size_t back) { return size > back ? r.u8_at(size - 1 - back) : 0; };
  for (int i = 0; i < gmMapRoleCount; ++i) gmMapRole[i].AI = static_cast<std::uint16_t>(pick(i) % 8);
  fight_ally_count = static_cast<std::int16_t>(pick(5) % 7);
  fight_enemy_count = static_cast<std::int16_t>(pick(6) % 11);
  fight_fallen_count = static_cast<std::int16_t>(pick(7) % 4);
  for (int k = 0; k < fight_unit_slots; ++k) {
    FightMan& u = gmFightMan[k];
    const std::uint8_t b = pick(8 + k);
    u.ai_number = b % 8;
    u.dead = b & 0x10, u.guest = b & 0x20, u.withdrawn = b & 0x40;
    u.side = b & 0x80 ? side_party : side_enemy;
    u.monster.hp = b, u.monster.max_hp = b & 0x0F;
    u.turns = b;
  }
  for (int frame = 0; frame < 24; ++frame) {
    for (int i = 0; i < gmMapRoleCount; ++i)
      if (role_runs_ai(gmMapRole[i])) run_role_ai(&gmMapRole[i]);
    run_role_paths();
    for (int k = 0; k < fight_unit_slots; ++k) {
      ActMan = k;
      run_fight_ai(&gmFightMan[k]);
    }
    game_clock += 500;
  }
  return 0;
}
