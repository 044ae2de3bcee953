// Seeds for fuzz_fame_treasures: treasure blocks from the data kit, followed by a few feeds.
#include "fuzz/seeds.h"
#include "tests/fixtures/fame_kit.h"

namespace {
using Seeds = std::vector<std::pair<std::string, fuzz_seeds::Bytes>>;

void treasure_seeds(Seeds& seeds) {
  kit::TreasureSpec speed{.id = 1, .code = 53, .level = 4, .points = 20};
  kit::TreasureSpec hp{.id = 3, .code = 55, .level = 9, .exp = 90, .points = 2, .pending = 6};
  kit::TreasureSpec top{.id = 5, .code = 57, .level = 10, .maxed = 1};
  top.bonus[2] = 998;
  // Wearers (two objects and a level each), then (what, a, b) feeds: odd what an event.
  const fuzz_seeds::Bytes feeds = {1, 3, 20, 5, 5, 1, 9, 2, 30,  //
                                   3, 0, 1, 0, 0, 0,              // event 1
                                   4, 0, 0xF4, 1, 3, 0,           // 500 experience, 3 points
                                   13, 0, 1, 0, 40, 0};           // event 6, monster level 40
  fuzz_seeds::Bytes one = kit::treasure_block({speed, hp, top});
  one.insert(one.end(), feeds.begin(), feeds.end());
  seeds.emplace_back("three_and_feeds.bin", one);
  seeds.emplace_back("empty_block.bin", kit::treasure_block({}));
}

QORV_FUZZ_SEEDS("fame_treasures", treasure_seeds);
}  // namespace
