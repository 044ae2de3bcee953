// Seeds for fuzz_talk_text: the data kit's box texts with a strings block.
#include <string>

#include "fuzz/seeds.h"
#include "tests/fixtures/ui_kit.h"

namespace {

fuzz_seeds::Bytes seed(std::uint8_t flags, std::uint8_t sizes, const std::string& text, const std::string& strings) {
  fuzz_seeds::Bytes b = {flags, sizes};
  for (char c : text) b.push_back(static_cast<std::uint8_t>(c));
  b.push_back(0);
  for (char c : strings) b.push_back(static_cast<std::uint8_t>(c));
  return b;
}

void write_seeds(std::vector<std::pair<std::string, fuzz_seeds::Bytes>>& seeds) {
  std::string strings(40, '\0');
  strings.replace(0, 5, "Wolf.");
  strings.replace(20, 20, std::string(20, 'x'));  // a string without its "."
  int n = 0;
  for (const std::string& text : kit::ui_sample_box_texts()) {
    seeds.push_back({"box_" + std::to_string(n), seed(std::uint8_t(n * 0x23), std::uint8_t(0x6A + n), text, strings)});
    ++n;
  }
  // Every slot stored, the last full and ending in a Big5 lead byte whose trail byte would lie
  // past the strings.
  std::string full(10 * 20, 'x');
  for (int slot = 0; slot < 10; ++slot) full[std::size_t(slot * 20 + 19)] = '.';
  full.back() = '\xa4';
  seeds.push_back({"last_string_lead_byte", seed(0x00, 0x6A, "%F9A%Q", full)});
}

QORV_FUZZ_SEEDS("talk_text", write_seeds);

}  // namespace
