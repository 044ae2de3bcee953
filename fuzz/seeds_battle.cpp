// Seeds for fuzz_battlefield and fuzz_atk_script: Battlefield.dat files whole and cut, and
// pools of assembled ATK scripts.
#include "fuzz/seeds.h"
#include "tests/fixtures/battlefield_writer.h"
#include "tests/fixtures/script_assembler.h"

namespace {
using Seeds = std::vector<std::pair<std::string, fuzz_seeds::Bytes>>;

void battlefield_seeds(Seeds& seeds) {
  kit::BattlefieldSpec field;
  field.world_act = 3001;
  field.fog[4] = 5000;
  field.enemies = {{2, 0, 0, 300, 0, 10}, {2, 150, 0, 300, 0, 350}};
  seeds.emplace_back("three.dat", kit::battlefield_dat({field, field, field}, 3));
  fuzz_seeds::Bytes cut = kit::battlefield_dat({field}, 1);
  cut.resize(cut.size() - 120);
  seeds.emplace_back("cut.dat", cut);
  kit::BattlefieldSpec crowded = field;
  crowded.count_override = 40;
  seeds.emplace_back("crowded.dat", kit::battlefield_dat({crowded}, 1));
}

void atk_seeds(Seeds& seeds) {
  using fixtures::assemble_atk;
  const char* sources[] = {
      "walk_to_target 20; wait_walk; set_pose 25; hit; wait_anim; jump_home; end",
      "group; effect_at_targets 6001 1; effect_delay 10; effect_at_actor 6002 0; wait_effect 6001 1; end",
      "camera_point 10L 20L 30L; camera_angles 5 180 0 1; camera_distance 900; shake 1; wait_time 3; end",
      "random_jump [@a @b]; a: sound 3; end; b: trail 0 0 0 0; jump_if_yang @a; end",
  };
  int i = 0;
  for (const char* s : sources) {
    const fuzz_seeds::Bytes b = assemble_atk(s);
    // The target's input is the pool after its table; its first bytes pick the script offsets.
    fuzz_seeds::Bytes input{0, 0, 0, 0};
    input.insert(input.end(), b.begin(), b.end());
    seeds.emplace_back("script" + std::to_string(i++) + ".bin", input);
  }
}

QORV_FUZZ_SEEDS("battlefield", battlefield_seeds);
QORV_FUZZ_SEEDS("atk_script", atk_seeds);

}  // namespace
