// Seeds for fuzz_user_cfg: a default file, a played one, short ones and one with bad values.
#include "fuzz/seeds.h"
#include "tests/fixtures/user_cfg_writer.h"

namespace {

void write_seeds(std::vector<std::pair<std::string, fuzz_seeds::Bytes>>& seeds) {
  fixtures::UserCfgFile defaults;
  defaults.options[0] = 1;
  seeds.emplace_back("default.cfg", fixtures::user_cfg_bytes(defaults));
  seeds.emplace_back("short264.cfg", fixtures::user_cfg_bytes(defaults, 264));
  seeds.emplace_back("short300.cfg", fixtures::user_cfg_bytes(defaults, 300));

  fixtures::UserCfgFile played = defaults;
  played.music_volume = 128;
  played.sfx_volume = 3;
  played.key_bindings[2] = 'w';
  played.joy_bindings[0] = 275;
  played.options = {1, 60, 1, 1, 1, 2};
  seeds.emplace_back("played.cfg", fixtures::user_cfg_bytes(played));

  fixtures::UserCfgFile bad = defaults;
  bad.music_volume = -1;
  bad.key_bindings[0] = 1 << 30;
  bad.joy_bindings[5] = 999;
  bad.options[5] = 77;
  seeds.emplace_back("bad.cfg", fixtures::user_cfg_bytes(bad, 512));
}

}  // namespace

QORV_FUZZ_SEEDS("user_cfg", write_seeds);
