// The object database: the tag table, texts, record and table faults, and monsters.
#include "data/object_db.h"

#include <bit>
#include <cstring>

#include "core/byte_reader.h"
#include "data/item_data.h"
#include "tests/data/data_test.h"
#include "tests/fixtures/objdata_writer.h"

namespace {
using namespace fixtures;

class ObjectDb : public data_test::DataTest {
 protected:
  void load(const std::vector<ObjectRecord>& records, bool end_mark = true) { load_file(objdata_gll(records, end_mark)); }
  void load_file(const Bytes& file) {
    write("ObjData.GLL", file);
    SFINIT0_open_item_data();
    open_item_data();
  }
  std::array<std::uint8_t, item_data_image_size> image_of(const ItemData& item) {
    std::array<std::uint8_t, item_data_image_size> out;
    item_data_to_image(item, out);
    return out;
  }
};

struct Field {
  int offset, width;
  std::uint32_t value;
};
struct TagCase {
  std::uint16_t tag;
  std::vector<Operand> operands;
  std::vector<Field> fields;
};

std::uint32_t bits(float f) { return std::bit_cast<std::uint32_t>(f); }

const TagCase tag_cases[] = {
    {tag_atb_delay, {op32(0x11223344)}, {{40, 4, 0x11223344}}},
    {tag_byte_222, {op8(0x5A)}, {{222, 1, 0x5A}}},
    {tag_word_98, {op16(0x1234)}, {{98, 2, 0x1234}}},
    {tag_ai_actions, {op16(11), op16(12), op16(13), op16(14), op16(15)},
     {{178, 2, 11}, {180, 2, 12}, {182, 2, 13}, {184, 2, 14}, {186, 2, 15}}},
    {tag_ai_uses, {op8(1), op8(2), op8(3), op8(4), op8(5)},
     {{188, 1, 1}, {189, 1, 2}, {190, 1, 3}, {191, 1, 4}, {192, 1, 5}}},
    {tag_treasure_code, {op16(0x4321)}, {{66, 2, 0x4321}}},
    {tag_drop_and_steal, {op8(30), op16(401), op8(7), op16(402)},
     {{198, 1, 30}, {194, 2, 401}, {199, 1, 7}, {196, 2, 402}}},
    {tag_words_200_204_176, {op16(21), op16(22), op16(23), op16(24), op16(25)},
     {{200, 2, 21}, {204, 2, 22}, {206, 2, 23}, {208, 2, 24}, {176, 2, 25}}},
    {tag_bytes_251, {op8(0x81), op8(0x82)}, {{251, 1, 0x81}, {252, 1, 0x82}}},
    {tag_byte_249_a, {op8(0x13)}, {{249, 1, 0x13}}},
    {tag_bytes_223, {op8(6), op8(7), op8(8), op8(9), op8(10)},
     {{223, 1, 6}, {224, 1, 7}, {225, 1, 8}, {226, 1, 9}, {227, 1, 10}}},
    {tag_price, {op8(0x45), op32(123456)}, {{245, 1, 0x45}, {36, 4, 123456}}},
    {tag_action_flags, {op8(0x12), op8(0x34), op8(0x56)}, {{243, 1, 0x12}, {246, 1, 0x34}, {247, 1, 0x56}}},
    {tag_stats, {op16(31), op16(32), op16(33), op16(34), op16(35)},
     {{60, 2, 31}, {62, 2, 32}, {68, 2, 33}, {70, 2, 34}, {72, 2, 35}}},
    {tag_costs, {op16(41), op16(42), op16(43), op8(0xF0)}, {{82, 2, 41}, {84, 2, 42}, {86, 2, 43}, {88, 2, 0xFFF0}}},
    {tag_target_mode, {op8(1), op8(2), op8(3), op8(4)}, {{238, 1, 1}, {239, 1, 2}, {240, 1, 3}, {241, 1, 4}}},
    {tag_power, {op16(0x2006)}, {{100, 2, 0x2006}}},
    {tag_status_low, {op8(0x05)}, {{248, 1, 0x05}}},
    {tag_status_low_upper, {op8(0x03)}, {{248, 1, 0x30}}},
    {tag_hp_sp_amounts, {op16(51), op16(52), op16(53), op16(54), op16(55)},
     {{76, 2, 51}, {80, 2, 52}, {60, 2, 53}, {62, 2, 54}, {64, 2, 55}}},
    {tag_mp_amounts, {op16(61), op16(62), op16(63), op16(64), op32(0x00012345)},
     {{78, 2, 61}, {70, 2, 62}, {72, 2, 63}, {74, 2, 64}, {68, 2, 0x2345}}},
    {tag_yin_yang, {op16(71), op16(72)}, {{212, 2, 71}, {214, 2, 72}}},
    {tag_rage_add, {op8(0x77)}, {{233, 1, 0x77}}},
    {tag_talisman, {op8(0x78), op8(0x79)}, {{234, 1, 0x78}, {235, 1, 0x79}}},
    {tag_byte_242, {op8(0xFE)}, {{242, 1, 0xFE}}},
    {tag_status_high, {op8(0x19), op16(0x2019)}, {{228, 1, 0x19}, {230, 2, 0x2019}}},
    {tag_word_202, {op16(0x2020)}, {{202, 2, 0x2020}}},
    {tag_max_hp, {op32(100000), op32(0x00AB0321), op8(0x36), op8(0x37)},
     {{44, 4, 100000}, {54, 2, 0x0321}, {236, 1, 0x36}, {237, 1, 0x37}}},
    {tag_monster_speed, {op16(81), op16(82), op8(0x83), op8(0xEE), op8(0x84), op8(0xEE)},
     {{62, 2, 81}, {64, 2, 82}, {233, 1, 0x83}, {158, 2, 0x84}}},
    {tag_byte_244, {op8(0x50)}, {{244, 1, 0x50}}},
    {tag_byte_249_b, {op8(0x51)}, {{249, 1, 0x51}}},
    {tag_words_204, {op16(91), op16(92), op16(93), op16(94)}, {{204, 2, 91}, {206, 2, 92}, {208, 2, 93}, {210, 2, 94}}},
    {tag_yin_yang_and_words_216, {op16(101), op16(102), op16(103), op16(104), op16(105)},
     {{212, 2, 101}, {214, 2, 102}, {216, 2, 103}, {218, 2, 104}, {220, 2, 105}}},
    {tag_bytes_223_to_226, {op8(11), op8(12), op8(13), op8(14)},
     {{223, 1, 11}, {224, 1, 12}, {225, 1, 13}, {226, 1, 14}}},
    {tag_byte_232, {op8(0x22)}, {{232, 1, 0x22}}},
    {tag_atk_script, {op16(0x2500)}, {{96, 2, 0x2500}}},
    {tag_level, {op16(42)}, {{174, 2, 42}}},
    {tag_growth, {op16(15), op16(0), op16(1), op16(10), op16(25), op16(100), op16(3), op16(65535)},
     {{104, 4, bits(1.5f)}, {108, 4, bits(0.0f)}, {112, 4, bits(0.1f)}, {116, 4, bits(1.0f)}, {120, 4, bits(2.5f)},
      {124, 4, bits(10.0f)}, {128, 4, bits(0.3f)}, {132, 4, bits(6553.5f)}}},
    {tag_kind, {op16(202)}, {{172, 2, 202}}},
    {tag_word_94, {op16(0x9912)}, {{94, 2, 0x9912}}},
};

TEST_F(ObjectDb, EveryTagLandsAtItsFieldAndNowhereElse) {
  std::vector<ObjectRecord> records;
  for (const TagCase& c : tag_cases) {
    Bytes operands;
    for (const Operand& op : c.operands)
      for (int b = 0; b < op.width; ++b) operands.push_back(static_cast<std::uint8_t>(op.value >> (8 * b)));
    records.push_back(ObjectRecord().tag(c.tag).raw(operands));
  }
  load(records);
  ASSERT_EQ(gmItemCount, static_cast<int>(std::size(tag_cases)));
  for (std::size_t i = 0; i < std::size(tag_cases); ++i) {
    const TagCase& c = tag_cases[i];
    ItemData item;
    ASSERT_EQ(read_Item(static_cast<std::uint16_t>(i + 1), &item), 1) << c.tag;
    auto image = image_of(item);
    std::array<std::uint8_t, item_data_image_size> expected{};
    expected[92] = static_cast<std::uint8_t>(i + 1);
    for (const Field& f : c.fields)
      for (int b = 0; b < f.width; ++b) expected[std::size_t(f.offset + b)] = static_cast<std::uint8_t>(f.value >> (8 * b));
    for (std::size_t off = 0; off < image.size(); ++off)
      EXPECT_EQ(image[off], expected[off]) << "tag " << c.tag << " byte " << off;
    const ByteReader r(image.data(), image.size());
    for (const Field& f : c.fields) {
      const auto at = std::size_t(f.offset);
      EXPECT_EQ(f.width == 1 ? r.u8_at(at) : f.width == 2 ? r.u16_at(at) : r.u32_at(at), f.value) << c.tag;
    }
  }
  EXPECT_TRUE(messages().empty());
}

TEST_F(ObjectDb, TagsThatStoreOnlyNonZeroOperandsKeepEarlierValues) {
  load({ObjectRecord()
            .tag(tag_stats, {op16(31), op16(32), op16(33), op16(34), op16(35)})
            .tag(tag_hp_sp_amounts, {op16(0), op16(0), op16(0), op16(0), op16(0)})
            .tag(tag_mp_amounts, {op16(0), op16(0), op16(0), op16(0), op32(65536)})
            .tag(tag_status_low, {op8(0x01)})
            .tag(tag_status_low_upper, {op8(0x02)})});
  ItemData item;
  ASSERT_EQ(read_Item(1, &item), 1);
  EXPECT_EQ(item.attack, 31);
  EXPECT_EQ(item.defence, 32);
  EXPECT_EQ(item.magic_attack, 34);
  EXPECT_EQ(item.magic_defence, 35);
  EXPECT_EQ(item.speed, 0);  // 65536 is non-zero; its low 16 bits are stored
  EXPECT_EQ(item.status_low, 0x21);
}

TEST_F(ObjectDb, NumbersAreCountedFromOneBitFifteenIgnored) {
  load({ObjectRecord().level(1), ObjectRecord().level(2), ObjectRecord()});
  ItemData item;
  std::memset(&item, 0xAB, sizeof item);
  EXPECT_EQ(read_Item(0, &item), 0);
  EXPECT_EQ(read_Item(4, &item), 0);
  EXPECT_EQ(item.level, 0xABAB);  // untouched
  ASSERT_EQ(read_Item(0x8002, &item), 1);
  EXPECT_EQ(item.object_id, 2);
  EXPECT_EQ(item.level, 2);
  // A record of its end tag alone is all zero but for its number.
  ASSERT_EQ(read_Item(3, &item), 1);
  auto image = image_of(item);
  std::array<std::uint8_t, item_data_image_size> expected{};
  expected[92] = 3;
  EXPECT_EQ(image, expected);
  EXPECT_TRUE(messages().empty());
}

TEST_F(ObjectDb, EmptyRecordsAndBadTagsAreReported) {
  load({ObjectRecord::empty_record(), ObjectRecord().level(7).tag(4321).kind(5)});
  ItemData item;
  EXPECT_EQ(read_Item(1, &item), 0);
  EXPECT_EQ(read_Item(2, &item), 0);
  EXPECT_EQ(item.level, 7);  // the fields read before the bad tag stay
  EXPECT_EQ(item.kind, 0);
  EXPECT_EQ(messages(), (std::vector<std::string>{
                            "read_Item(...) \xBF\xF9\xBB~  \xA6\xB9\xAA\xAB\xAB~ID=1 \xB5L\xB8\xEA\xAE\xC6",
                            "read_Item(...)\xBF\xF9\xBB~,(2)\xAA\xAB\xAB~\xAB\xFC\xA5O\xBF\xF9\xBB~(4321)"}));
}

TEST_F(ObjectDb, ARecordCutShortByThePoolFailsWithoutReadingPastIt) {
  // The last record has no end tag, then a field whose operands run past the end of the file.
  load({ObjectRecord().level(1), ObjectRecord().level(2).unended()});
  ItemData item;
  EXPECT_EQ(read_Item(2, &item), 0);
  Bytes file = objdata_gll({ObjectRecord().level(1).tag(tag_stats, {op16(1), op16(2)}).unended()});
  load_file(file);
  EXPECT_EQ(read_Item(1, &item), 0);
  auto truncated = [](int n) {
    return "read_Item(...)\xBF\xF9\xBB~,(" + std::to_string(n) + ")\xAA\xAB\xAB~\xB8\xEA\xAE\xC6\xA4\xA3\xA7\xB9\xBE\xE3";
  };
  EXPECT_EQ(messages(), (std::vector<std::string>{truncated(2), truncated(1)}));
}

TEST_F(ObjectDb, OffsetTablesWithoutEndOrWithStrayOffsetsStayInsideThePool) {
  // Without the -1 the count runs into the records' bytes; every offset read is still checked.
  load({ObjectRecord().level(9), ObjectRecord().level(8)}, false);
  ItemData item;
  EXPECT_EQ(read_Item(1, &item), 1);
  EXPECT_EQ(item.level, 9);
  for (int n = 3; n <= gmItemCount; ++n) read_Item(static_cast<std::uint16_t>(n), &item);
  // An offset pointing outside the pool is reported as a record without data.
  Bytes file = objdata_gll({ObjectRecord().level(1)});
  file[16] = 0xF0, file[17] = 0xFF, file[18] = 0xFF, file[19] = 0x7F;
  load_file(file);
  clear_messages();
  EXPECT_EQ(read_Item(1, &item), 0);
  EXPECT_EQ(messages().size(), 1u);
}

TEST_F(ObjectDb, AMissingOrHeaderOnlyFileLeavesAnEmptyPool) {
  SFINIT0_open_item_data();
  open_item_data();
  EXPECT_FALSE(gmItemPool);
  ItemData item;
  EXPECT_EQ(read_Item(1, &item), 0);
  load_file(Bytes(16, 0));
  EXPECT_FALSE(gmItemPool);
  const std::string open_message = "open_item_data(..)\xBF\xF9\xBB~  \xB5L\xAAk\xB6}\xB1\xD2 ObjData.GLL";
  EXPECT_EQ(messages(), (std::vector<std::string>{open_message, open_message}));
}

TEST_F(ObjectDb, StartUpTakesTheCurrentDirectoryAsTheGameDirectory) {
  game_dir = "elsewhere";
  load({ObjectRecord().level(3)});
  EXPECT_EQ(game_dir, get_current_dir());
  ItemData item;
  EXPECT_EQ(read_Item(1, &item), 1);
}

struct TextCase {
  const char* what;
  std::uint16_t tag;
  std::string text;
  std::string stored;
};

TEST_F(ObjectDb, TextsAreCutToTheirFieldOnACharacterBoundaryAndConsumedWhole) {
  std::string wide;  // sixteen two-byte characters: 32 bytes, the 31-byte cut falls inside one
  for (int i = 0; i < 16; ++i) wide += "\xA4\x40";
  const TextCase cases[] = {
      {"short name", 9906, "\xA4p\xC4\xF5", "\xA4p\xC4\xF5"},
      {"name of 40 letters", 9906, std::string(40, 'n'), std::string(31, 'n')},
      {"name of 16 characters", 9906, wide, wide.substr(0, 30)},
      {"help of 300 letters", 9910, std::string(300, 'h'), std::string(255, 'h')},
      {"info of 100 letters", 9911, std::string(100, 'i'), std::string(63, 'i')},
      {"info with a character across 63", 9911, std::string(62, 'i') + "\xA4\x40", std::string(62, 'i')},
  };
  std::vector<ObjectRecord> records;
  for (const TextCase& c : cases) records.push_back(ObjectRecord().text(c.tag, c.text).level(77));
  load(records);
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const TextCase& c = cases[i];
    ItemData item;
    ASSERT_EQ(read_Item(static_cast<std::uint16_t>(i + 1), &item), 1) << c.what;
    const char* field = c.tag == 9906 ? item.NAME : c.tag == 9910 ? item.HELP : item.INFO;
    EXPECT_EQ(std::string(field), c.stored) << c.what;
    EXPECT_EQ(item.level, 77) << c.what;  // the tag after the text was read
  }
  EXPECT_TRUE(messages().empty());
}

TEST_F(ObjectDb, ATextWithoutItsMarkIsReportedAndReadingResumesAtIt) {
  // "AB" then the 0xFFFF word: no mark. The text's bytes are then read as a tag, which fails.
  load({ObjectRecord().tag(tag_name).raw({'A', 'B', 0xFF, 0xFF})});
  ItemData item;
  EXPECT_EQ(read_Item(1, &item), 0);
  EXPECT_EQ(messages(),
            (std::vector<std::string>{
                "1\xAA\xAB\xAB~(NAME) read_Item_str(...) \xA7\xE4\xA4\xA3\xA8\xEC \xA6r\xA6\xEA\xA6W\xBA\xD9",
                "read_Item(...)\xBF\xF9\xBB~,(1)\xAA\xAB\xAB~\xAB\xFC\xA5O\xBF\xF9\xBB~(16961)"}));
}

class Monster : public ObjectDb {};

TEST_F(Monster, TheLevelMultiplierGrowsEveryFiveLevels) {
  const float m11 = 1.2f * 1.2f * 1.2f * 1.2f * 1.2f * 1.2f * 1.2f * 1.2f * 1.2f * 1.2f * 1.2f;
  const std::pair<int, float> cases[] = {{1, 1.0f}, {5, 1.0f}, {6, 1.2f}, {10, 1.2f}, {11, 1.2f * 1.2f},
                                         {60, m11}, {61, m11 * 1.1f}, {66, m11 * 1.1f * 1.1f}};
  std::vector<ObjectRecord> records;
  for (const auto& [level, m] : cases) records.push_back(ObjectRecord().level(static_cast<std::uint16_t>(level)));
  load(records);
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    ItemData item;
    read_monster(static_cast<std::uint16_t>(i + 1), &item);
    EXPECT_FLOAT_EQ(item.level_mult, cases[i].second) << cases[i].first;
  }
}

TEST_F(Monster, CombatValuesFollowFromGrowthAndLevel) {
  // Growth 2.0 at level 5: each base value is (2 * 15 + 75) / 10 = 10.5, rounded to 11.
  const std::array<std::uint16_t, 8> growth = {20, 20, 20, 20, 20, 20, 20, 20};
  load({ObjectRecord().kind(110).level(5).growth(growth)
             .tag(tag_monster_speed, {op16(0), op16(0), op8(0), op8(0), op8(12), op8(0)}),
        ObjectRecord().kind(130).level(5).growth(growth)});
  ItemData m;
  read_monster(1, &m);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(m.stats[i], 11) << i;
  EXPECT_EQ(m.max_hp, 73);  // (55 + 5 + 5) * 1.02^6 = 73.2
  EXPECT_EQ(m.hp, 73);
  EXPECT_EQ(m.sp, 96);  // SP ((55 + 5 + 5) / 4) * 6
  EXPECT_EQ(m.max_sp, 96);
  EXPECT_EQ(m.mp, 96);  // MP ((55 + 22 / 4 + 5) / 4) * 6
  EXPECT_EQ(m.max_mp, 96);
  EXPECT_EQ(m.stats[combat_attack], 26);
  EXPECT_EQ(m.stats[combat_defence], 6);
  EXPECT_EQ(m.stats[combat_ave], 11);
  EXPECT_EQ(m.stats[combat_speed], 12);  // from tag 2022
  EXPECT_EQ(m.stats[combat_magic_attack], 14);
  EXPECT_EQ(m.stats[combat_magic_defence], 4);
  EXPECT_EQ(m.stats[combat_value_14], 11);
  EXPECT_EQ(m.atb_delay, 0);
  EXPECT_EQ(m.stats[combat_value_15], 50 + 320 + 88);  // 10 L + 10 f + the base values, f = 32
  EXPECT_EQ(m.word_176, 53);                            // (5 * 32 / 3) * 1
  EXPECT_EQ(m.word_200, 57);                            // (458 / 8) * 1
  read_monster(2, &m);
  EXPECT_EQ(m.max_hp, 366);  // kind 130: the product times five, then cut (not 5 * 73)
  EXPECT_EQ(m.stats[combat_value_15], 50 + 88);
}

}  // namespace
