// Seeds for fuzz_console_command: the command lines of the console's own cases.
#include "fuzz/seeds.h"

namespace {

void write_seeds(std::vector<std::pair<std::string, fuzz_seeds::Bytes>>& seeds) {
  const char* lines[] = {"money 500", "money -500", "MONEY 5", "money500", "msx 12", "", "123", "6000 2",
                         "6000",      "6000 9",     "fight 3", "atk 1 2", "full",   "money 99999999999",
                         "\xA4\xA4\xA4\xE5 1"};
  int n = 0;
  for (const char* line : lines) {
    const std::string text(line);
    seeds.emplace_back("line" + std::to_string(n++) + ".txt", fuzz_seeds::Bytes(text.begin(), text.end()));
  }
}

QORV_FUZZ_SEEDS("console_command", write_seeds);

}  // namespace
