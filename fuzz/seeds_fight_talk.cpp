// Seeds for fuzz_fight_talk: pools of assembled fight-talk scripts.
#include "fuzz/seeds.h"
#include "tests/fixtures/sample_fight_talk.h"
#include "tests/fixtures/script_assembler.h"

namespace {
using Seeds = std::vector<std::pair<std::string, fuzz_seeds::Bytes>>;

void fight_talk_seeds(Seeds& seeds) {
  using fixtures::assemble_fight_talk;
  const char* sources[] = {
      "music; box 6 100 0 0 0 0 0 0 0 1 \"\\xA7\\x41%N\"; wait_box 6; allow_victory",
      "if_all_flags {3 5} @a; set_flag 3; a: wait_turns 1L; if_hp_below 6 50 @b; allow_victory; b: victory",
      "choice [@a @b]; a: resources 500L -3L 0L 0L; allow_victory; b: if_chance 50 @a; may_lose; allow_victory",
      "wait_time 2; pose 0 3; wait_pose 0 0; facing 6 90 0; act 7 2; effect_offset 1L 2L 3L; allow_victory",
  };
  int i = 0;
  // The sample game's battle script, then the assembled ones.
  std::vector<fuzz_seeds::Bytes> scripts{kit::sample_fight_talk_script()};
  for (const char* s : sources) scripts.push_back(assemble_fight_talk(s));
  for (const fuzz_seeds::Bytes& b : scripts) {
    // The target's input is the pool after its table; its first bytes pick the script offsets.
    fuzz_seeds::Bytes input{0, 0, 0, 1};
    input.insert(input.end(), b.begin(), b.end());
    seeds.emplace_back("script" + std::to_string(i++) + ".bin", input);
  }
}

QORV_FUZZ_SEEDS("fight_talk", fight_talk_seeds);
}  // namespace
