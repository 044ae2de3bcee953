// Seeds for fuzz_game_ini: game.ini files written by the data kit.
#include "fuzz/seeds.h"
#include "tests/fixtures/game_ini_writer.h"

namespace {

void add(std::vector<std::pair<std::string, fuzz_seeds::Bytes>>& seeds, const std::string& name,
         const std::string& text) {
  seeds.emplace_back(name, fuzz_seeds::Bytes(text.begin(), text.end()));
}

void write_seeds(std::vector<std::pair<std::string, fuzz_seeds::Bytes>>& seeds) {
  using fixtures::game_ini_text;
  add(seeds, "all_on.ini", fixtures::standard_game_ini("1", "1", "1", "1"));
  add(seeds, "all_off.ini", fixtures::standard_game_ini("0", "2", "yes", ""));
  add(seeds, "cases.ini",
      game_ini_text({{"DEBUG", {{"HOT_KEY", " 01"}}}, {"Sound", {{"Music_Off", "1x"}}}},
                    "installer settings"));
  add(seeds, "unknown.ini",
      game_ini_text({{"SOUND", {{"wav_off", "1"}}},
                     {"\xB3\x5C\xA5\x69", {{"music_off", "1"}, {"window", "\"1\""}}},
                     {"screen", {{"window", "1"}, {"window", "0"}}}}));
}

QORV_FUZZ_SEEDS("game_ini", write_seeds);

}  // namespace
