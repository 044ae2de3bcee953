// The Big5-to-GB2312 table against the text codecs (glibc's iconv, which the generator used too).
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "gfx2d/big5_gb_pairs.h"
#include "gfx2d/big5_gb_table.h"
#include "platform/gb2312_codec.h"
#include "platform/text_codec.h"

namespace {

std::uint16_t word_of(unsigned lead, unsigned trail) {
  return static_cast<std::uint16_t>(lead | trail << 8);
}

bool is_big5_trail(unsigned t) { return (t >= 0x40 && t <= 0x7E) || (t >= 0xA1 && t <= 0xFE); }

class Big5GbTable : public ::testing::Test {
 protected:
  void TearDown() override { free_big5_gb(); }
};

TEST_F(Big5GbTable, WithoutTableEveryWordIsUnpaired) {
  EXPECT_EQ(big5_to_gb(0x40A4), kUnpairedGbCode);
  init_big5_gb();
  free_big5_gb();
  EXPECT_EQ(big5_to_gb(0x40A4), kUnpairedGbCode);
  free_big5_gb();  // a second free is harmless
}

TEST_F(Big5GbTable, TheCharacterOneMapsToItsGb2312Bytes) {
  init_big5_gb();
  // "一": Big5 bytes A4 40, GB2312 bytes D2 BB.
  EXPECT_EQ(big5_to_gb(0x40A4), 0xBBD2);
}

TEST_F(Big5GbTable, UnpairedWordsGiveTwoFullStops) {
  init_big5_gb();
  for (std::uint16_t w : {0x0000, 0x00A4, 0x0041, 0x80A4, 0x4080, 0x40FF, 0xFFFF})
    EXPECT_EQ(big5_to_gb(w), kUnpairedGbCode) << std::hex << w;
}

TEST_F(Big5GbTable, SecondInitKeepsTheSameContents) {
  init_big5_gb();
  const std::uint16_t first = big5_to_gb(0x40A4);
  init_big5_gb();
  EXPECT_EQ(big5_to_gb(0x40A4), first);
  EXPECT_EQ(big5_to_gb(0x00A4), kUnpairedGbCode);
}

// Every Big5 character that GB2312 has maps to exactly that character; every other pair names
// a GB2312 two-byte character.
TEST_F(Big5GbTable, AgreesWithIconvForCharactersGb2312Has) {
  init_big5_gb();
  int same = 0;
  for (unsigned lead = 0xA1; lead <= 0xF9; ++lead) {
    for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
      if (!is_big5_trail(trail)) continue;
      const std::uint16_t gb = big5_to_gb(word_of(lead, trail));
      const std::string utf8 = platform::big5_to_utf8(std::string{char(lead), char(trail)});
      const std::string expect = platform::utf8_to_gb2312(utf8);
      if (expect.size() == 2) {
        ++same;
        EXPECT_EQ(gb, word_of(static_cast<unsigned char>(expect[0]),
                              static_cast<unsigned char>(expect[1])))
            << std::hex << lead << ' ' << trail;
      } else if (gb != kUnpairedGbCode) {
        const std::string back =
            platform::gb2312_to_utf8(std::string{char(gb & 0xFF), char(gb >> 8)});
        EXPECT_FALSE(back.empty())
            << std::hex << lead << ' ' << trail << " pairs with no GB2312 character";
      }
    }
  }
  EXPECT_GT(same, 4000);  // iconv itself works here
}

// What a character draws as: the GB2312 character its Big5 code pairs with, or "..".
std::string drawn_as(const char* utf8) {
  const std::string big5 = platform::utf8_to_big5(utf8);
  if (big5.size() != 2) return "(not Big5)";
  const std::uint16_t gb = big5_to_gb(word_of(static_cast<unsigned char>(big5[0]), static_cast<unsigned char>(big5[1])));
  if (gb == kUnpairedGbCode) return "..";
  return platform::gb2312_to_utf8(std::string{char(gb & 0xFF), char(gb >> 8)});
}

TEST_F(Big5GbTable, CharactersTakeTheirOwnSimplifiedOrStandardForm) {
  struct Case {
    const char* big5;
    const char* gb;
  };
  const Case cases[] = {
      // Characters GB2312 has, simplified forms, punctuation.
      {"一", "一"}, {"們", "们"}, {"這", "这"}, {"裡", "里"}, {"麼", "么"}, {"戰", "战"}, {"，", "，"}, {"「", "「"},
      // Variants whose standard form GB2312 has.
      {"妳", "你"}, {"姪", "侄"}, {"珮", "佩"}, {"搾", "榨"}, {"踫", "碰"}, {"燐", "磷"}, {"糢", "模"},
      {"鎗", "枪"}, {"鑪", "炉"}, {"瞇", "眯"}, {"毬", "球"}, {"勦", "剿"}, {"啣", "衔"}, {"慇", "殷"},
      {"囉", "罗"}, {"伝", "传"},
      // Names and rare characters with no GB2312 form at all.
      {"伋", ".."}, {"崁", ".."}, {"堉", ".."},
  };
  init_big5_gb();
  for (const Case& c : cases) EXPECT_EQ(drawn_as(c.big5), c.gb) << c.big5;
}

TEST(Big5GbPairs, TheTableHoldsTheGeneratorsCount) {
  int pairs = 0;
  for (const std::uint8_t* p = big5_gb_pairs; p[0] != 0 || p[1] != 0; p += 4) ++pairs;
  EXPECT_EQ(pairs, 7634);  // tools/gen-big5-gb-unpaired.txt lists the Big5 characters left out
}

TEST(Big5GbPairs, EachBig5CodeIsPairedOnceWithinTheLeadRange) {
  std::set<int> seen;
  for (const std::uint8_t* p = big5_gb_pairs; p[0] != 0 || p[1] != 0; p += 4) {
    const int code = p[1] << 8 | p[0];
    EXPECT_TRUE(seen.insert(code).second) << std::hex << code;
    EXPECT_GE(p[1], 0xA1);
    EXPECT_LE(p[1], 0xF9);
    EXPECT_TRUE(is_big5_trail(p[0]));
  }
}

}  // namespace
