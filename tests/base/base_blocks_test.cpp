// What a save keeps of the base beside the houses: the two escort records of the formation
// grounds (576 bytes each) and the magic block (the study under way, 48 bytes, and the party's
// twenty magic records of 592 bytes, the first eight its slots, packed). Each field sits at its
// stated offset, and a save read back and captured again gives the same bytes.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "base/escort.h"
#include "base/house_kinds.h"
#include "base/residents.h"
#include "base/training_hall.h"
#include "data/magic_study.h"
#include "data/party.h"
#include "tests/base/base_test.h"
#include "ui/saves/save_file.h"
#include "ui/saves/save_image.h"

namespace {
using namespace base_test;

constexpr std::size_t escort_size = 576, node_size = 592, node_item = 12;

std::uint32_t le(const std::uint8_t* p, int width) {
  std::uint32_t v = 0;
  for (int i = width - 1; i >= 0; --i) v = v << 8 | p[i];
  return v;
}

class SavedBlocks : public BaseTest {
 protected:
  SavedBlocks() {
    HouseRecord* home = built_house(house_brick, 0, 0);
    put(home, {wolf, bear});
    assign_worker(built_house(house_formation, 9, 0), home, 0);
    assign_worker(built_house(house_formation, 9, 4), home, 1);
    build_escort_data();
    escort_data[0].max_hp = 335, escort_data[0].stats[combat_ave] = 7;
    escort_data[1].max_mp = 0x1234, escort_data[1].stats[combat_attack] = 41;
    free_magic_study();
    current_study = MagicStudy{};
    current_study.spell_id = 5801, current_study.progress = 40, current_study.goal = 100;
    // Nine spells go in and one comes out of the middle: eight slots, packed.
    for (std::uint16_t spell = 5802; spell <= 5810; ++spell) equip_party_magic(spell);
    unequip_party_magic(5804);
    equip_party_magic(5810);
  }
  ~SavedBlocks() override {
    free_magic_study();
    current_study = MagicStudy{};
    for (ItemNode& n : party_magic) n = ItemNode{};
  }
};

TEST_F(SavedBlocks, TheEscortAndMagicBlocksKeepTheirOffsetsAndReadBackByteForByte) {
  SaveImage image;
  capture_save_image(image);
  struct Spot {
    const char* name;
    const std::uint8_t* at;
    int width;
    std::uint32_t value;
  };
  const std::uint8_t* e0 = image.escort[0].data();
  const std::uint8_t* e1 = image.escort[1].data();
  const std::uint8_t* magic = image.party_magic.data();
  const Spot spots[] = {
      {"escort 0 object_id", e0 + 92, 2, wolf},
      {"escort 0 max_hp", e0 + 44, 4, 335},
      {"escort 0 hit word (stats[10])", e0 + 136 + 2 * combat_ave, 2, 7},
      {"escort 1 object_id", e1 + 92, 2, bear},
      {"escort 1 max_mp", e1 + 52, 2, 0x1234},
      {"escort 1 attack (stats[8])", e1 + 136 + 2 * combat_attack, 2, 41},
      {"study spell_id", image.study.data() + 4, 2, 5801},
      {"study progress", image.study.data() + 6, 2, 40},
      {"study goal", image.study.data() + 8, 2, 100},
      {"study learned", image.study.data() + 12, 4, 0},
      {"slot 0 object", magic, 2, 5802},
      {"slot 2 object (5804 left, 5805 moved down)", magic + 2 * node_size, 2, 5805},
      {"slot 7 object", magic + 7 * node_size, 2, 5810},
      {"slot 7 next pointer", magic + 7 * node_size + 588, 4, 0},
  };
  for (const Spot& s : spots) EXPECT_EQ(le(s.at, s.width), s.value) << s.name;
  EXPECT_EQ(image.escort[0].size(), escort_size);
  ASSERT_EQ(image.party_magic.size(), 20 * node_size);
  for (std::size_t i = 8 * node_size; i < image.party_magic.size(); ++i)
    ASSERT_EQ(magic[i], 0) << "records 8-19 stay empty; byte " << i;
  EXPECT_EQ(le(magic + node_item, 4), 0u) << "a slot holds its spell's number only";

  // Through the file's bytes and back into a settlement whose blocks were cleared.
  const std::vector<std::uint8_t> bytes = write_save_image(image);
  SaveImage parsed;
  ASSERT_EQ(parse_save_image(bytes, parsed), SaveParse::Ok);
  for (ItemData& e : escort_data) e = ItemData{};
  for (ItemNode& n : party_magic) n = ItemNode{};
  current_study = MagicStudy{};
  apply_save_image(parsed);
  EXPECT_EQ(escort_data[1].object_id, bear);
  EXPECT_EQ(equipped_spell_count(), 8);
  SaveImage again;
  capture_save_image(again);
  EXPECT_EQ(again.escort, image.escort);
  EXPECT_EQ(again.study, image.study);
  EXPECT_EQ(again.party_magic, image.party_magic);
}

}  // namespace
