// Seeds for fuzz_input_script: input scripts written by the data kit.
#include "fuzz/seeds.h"
#include "tests/fixtures/input_script_writer.h"

namespace {

void add(std::vector<std::pair<std::string, fuzz_seeds::Bytes>>& seeds, const std::string& name,
         const std::string& text) {
  seeds.emplace_back(name, fuzz_seeds::Bytes(text.begin(), text.end()));
}

void write_seeds(std::vector<std::pair<std::string, fuzz_seeds::Bytes>>& seeds) {
  using namespace fixtures;
  add(seeds, "keys.txt",
      input_script_text({key_down(2, 145), key_up(3, 145), key_down(4, 'p'), key_up(5, 'p')}));
  add(seeds, "mouse.txt",
      input_script_text({mouse_to(0, 320, 240), click(1, 1), click(2, 3), mouse_to(3, -5, 900),
                                         wheel(4, 2), wheel(4, -1000)}));
  add(seeds, "text.txt",
      input_script_text({typed(1, "name"), typed(1, "\xe4\xb8\xad\xe6\x96\x87"), close_window(9)}));
  add(seeds, "names.txt",
      "# key names\r\n0 down escape\n0 UP Escape\n1 down kp_plus\n\n7 down F12\n7 click middle\n");
}

QORV_FUZZ_SEEDS("input_script", write_seeds);

}  // namespace
