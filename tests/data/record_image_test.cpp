// The stored images of the records that saves keep whole: each record's layout table against
// images written from known values, field by field and by name; pointer slots; round trips.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "data/item_data.h"
#include "data/item_node.h"
#include "data/magic_study.h"
#include "data/music_state.h"
#include "data/party.h"
#include "data/record_image.h"
#include "data/role_data.h"
#include "data/role_rows.h"
#include "data/role_vars.h"

namespace {

// One field of a layout with nested records expanded: its full name, place in the image, the
// size of its elements, and its bytes in a record in memory.
struct FlatField {
  std::string name;
  std::size_t offset;
  std::size_t width;
  std::size_t element;
  std::uint8_t* bytes;
};

template <class T>
std::size_t element_size() {
  return sizeof(std::remove_all_extents_t<T>);
}

template <class Record>
void flatten(Record& r, const std::string& prefix, std::size_t base, std::vector<FlatField>& out) {
  record_image::for_each_field<Record>([&](const auto& row) {
    using Member = typename std::remove_cvref_t<decltype(row)>::member_type;
    auto& member = r.*row.member;
    const std::string name = prefix + std::string(row.name);
    if constexpr (record_image::Stored<Member>) {
      flatten(member, name + ".", base + row.offset, out);
    } else {
      out.push_back({name, base + row.offset, row.width, element_size<Member>(),
                     reinterpret_cast<std::uint8_t*>(&member)});
    }
  });
}

template <class Record>
std::vector<FlatField> flat_layout(Record& r) {
  std::vector<FlatField> out;
  flatten(r, "", 0, out);
  return out;
}

// Bytes of no field: the pointer slots.
template <class Record>
std::vector<std::size_t> uncovered_bytes() {
  static Record r{};
  std::vector<int> hits(record_image::Layout<Record>::size, 0);
  for (const FlatField& f : flat_layout(r))
    for (std::size_t i = 0; i < f.width; ++i) {
      EXPECT_LT(f.offset + i, hits.size()) << f.name;
      if (f.offset + i < hits.size()) ++hits[f.offset + i];
    }
  std::vector<std::size_t> free;
  for (std::size_t i = 0; i < hits.size(); ++i) {
    EXPECT_LE(hits[i], 1) << "byte " << i << " belongs to two fields";
    if (hits[i] == 0) free.push_back(i);
  }
  return free;
}

std::vector<std::size_t> pointer_slots(std::initializer_list<std::size_t> starts) {
  std::vector<std::size_t> out;
  for (std::size_t s : starts)
    for (std::size_t i = 0; i < 4; ++i) out.push_back(s + i);
  return out;
}

TEST(RecordImage, EveryByteBelongsToOneFieldExceptThePointerSlots) {
  EXPECT_EQ(uncovered_bytes<ItemData>(), pointer_slots({}));
  EXPECT_EQ(uncovered_bytes<ItemNode>(), pointer_slots({588}));
  EXPECT_EQ(uncovered_bytes<RoleData>(), pointer_slots({588, 1180}));
  EXPECT_EQ(uncovered_bytes<MagicStudy>(), pointer_slots({0}));
  EXPECT_EQ(uncovered_bytes<MapsRoleRow>(), pointer_slots({}));
  EXPECT_EQ(uncovered_bytes<RoleVarRow>(), pointer_slots({}));
  EXPECT_EQ(uncovered_bytes<MusicRow>(), pointer_slots({}));
}

// A 32-bit build with natural alignment: each number on a multiple of its size, and a nested
// record on a multiple of its largest number.
template <class Record>
void expect_natural_alignment() {
  static Record r{};
  for (const FlatField& f : flat_layout(r)) EXPECT_EQ(f.offset % f.element, 0u) << f.name;
  record_image::for_each_field<Record>([&](const auto& row) {
    using Member = typename std::remove_cvref_t<decltype(row)>::member_type;
    if constexpr (record_image::Stored<Member>) {
      static Member inner{};
      std::size_t align = 1;
      for (const FlatField& f : flat_layout(inner)) align = std::max(align, f.element);
      EXPECT_EQ(row.offset % align, 0u) << row.name;
      EXPECT_EQ(record_image::Layout<Member>::size % align, 0u) << row.name;
    }
  });
}

TEST(RecordImage, FieldsSitOnTheirNaturalBoundaries) {
  expect_natural_alignment<ItemData>();
  expect_natural_alignment<ItemNode>();
  expect_natural_alignment<RoleData>();
  expect_natural_alignment<MagicStudy>();
  expect_natural_alignment<MapsRoleRow>();
  expect_natural_alignment<RoleVarRow>();
  expect_natural_alignment<MusicRow>();
}

// Every field gets bytes no other field has; the image must show each at its table offset, and
// reading the image back must give each its bytes again.
template <class Record, class Write, class Read>
void expect_fields_at_their_offsets(Write write, Read read) {
  static Record in{}, back{};
  in = Record{};
  back = Record{};
  std::vector<FlatField> fields = flat_layout(in);
  for (std::size_t n = 0; n < fields.size(); ++n)
    for (std::size_t i = 0; i < fields[n].width; ++i)
      fields[n].bytes[i] = static_cast<std::uint8_t>(n * 37 + i * 11 + 1);
  std::vector<std::uint8_t> image(record_image::Layout<Record>::size, 0xEE);
  write(in, image);
  for (const FlatField& f : fields)
    for (std::size_t i = 0; i < f.width; ++i)
      ASSERT_EQ(image[f.offset + i], f.bytes[i]) << f.name << " byte " << i << " at " << f.offset + i;
  read(image, back);
  std::vector<FlatField> got = flat_layout(back);
  for (std::size_t n = 0; n < fields.size(); ++n)
    EXPECT_EQ(std::memcmp(got[n].bytes, fields[n].bytes, fields[n].width), 0) << fields[n].name;
}

template <class Record>
void expect_table_serialiser() {
  expect_fields_at_their_offsets<Record>(
      [](const Record& r, std::vector<std::uint8_t>& image) {
        record_image::write_image(r, std::span<std::uint8_t, record_image::Layout<Record>::size>(image));
      },
      [](const std::vector<std::uint8_t>& image, Record& r) {
        record_image::read_image(std::span<const std::uint8_t, record_image::Layout<Record>::size>(image), r);
      });
}

TEST(RecordImage, EachFieldIsWrittenAndReadAtItsOffset) {
  expect_fields_at_their_offsets<ItemData>(
      [](const ItemData& r, auto& image) { item_data_to_image(r, std::span<std::uint8_t, 576>(image)); },
      [](const auto& image, ItemData& r) { item_data_from_image(std::span<const std::uint8_t, 576>(image), r); });
  expect_fields_at_their_offsets<ItemNode>(
      [](const ItemNode& r, auto& image) { item_node_to_image(r, std::span<std::uint8_t, 592>(image)); },
      [](const auto& image, ItemNode& r) { item_node_from_image(std::span<const std::uint8_t, 592>(image), r); });
  expect_fields_at_their_offsets<RoleData>(
      [](const RoleData& r, auto& image) { role_data_to_image(r, std::span<std::uint8_t, 1444>(image)); },
      [](const auto& image, RoleData& r) { role_data_from_image(std::span<const std::uint8_t, 1444>(image), r); });
  expect_fields_at_their_offsets<MagicStudy>(
      [](const MagicStudy& r, auto& image) { magic_study_to_image(r, std::span<std::uint8_t, 48>(image)); },
      [](const auto& image, MagicStudy& r) { magic_study_from_image(std::span<const std::uint8_t, 48>(image), r); });
  expect_table_serialiser<MapsRoleRow>();
  expect_table_serialiser<RoleVarRow>();
  expect_table_serialiser<MusicRow>();
}

// Places read from the records' descriptions, independent of the tables: a field set by name
// must show at this offset with these bytes.
template <class Record>
struct Spot {
  const char* field;
  std::function<void(Record&)> set;
  std::size_t offset;
  std::vector<std::uint8_t> bytes;
};

template <class Record, class Write>
void expect_spots(const std::vector<Spot<Record>>& spots, std::size_t size, Write write) {
  for (const Spot<Record>& s : spots) {
    static Record r;
    r = Record{};
    s.set(r);
    std::vector<std::uint8_t> image(size);
    write(r, image);
    for (std::size_t i = 0; i < s.bytes.size(); ++i)
      EXPECT_EQ(image[s.offset + i], s.bytes[i]) << s.field << " byte " << i;
  }
}

TEST(RecordImage, ItemNodeHoldsItsItemDataAtTwelve) {
  expect_spots<ItemNode>(
      {
          {"object", [](ItemNode& n) { n.object = 0x0102; }, 0, {2, 1}},
          {"new_count", [](ItemNode& n) { n.new_count = -1; }, 8, {0xFF, 0xFF}},
          {"unused_10", [](ItemNode& n) { n.unused_10[1] = 0x5A; }, 11, {0x5A}},
          {"item.NAME", [](ItemNode& n) { std::memcpy(n.item.NAME, "AB", 3); }, 12, {'A', 'B', 0}},
          {"item.level_mult", [](ItemNode& n) { n.item.level_mult = 1.0f; }, 44, {0, 0, 0x80, 0x3F}},
          {"item.price", [](ItemNode& n) { n.item.price = 0x11223344; }, 48, {0x44, 0x33, 0x22, 0x11}},
          {"item.object_id", [](ItemNode& n) { n.item.object_id = 0x0BB9; }, 104, {0xB9, 0x0B}},
          {"item.growth[7]", [](ItemNode& n) { n.item.growth[7] = -2.0f; }, 12 + 104 + 28, {0, 0, 0, 0xC0}},
          {"item.kind", [](ItemNode& n) { n.item.kind = 202; }, 184, {202, 0}},
          {"item.user_class", [](ItemNode& n) { n.item.user_class = 2; }, 253, {2}},
          {"item.INFO", [](ItemNode& n) { n.item.INFO[0] = 'I'; }, 267, {'I'}},
          {"item.HELP[255]", [](ItemNode& n) { n.item.HELP[255] = 'H'; }, 586, {'H'}},
          {"item.unused_575", [](ItemNode& n) { n.item.unused_575 = 0x77; }, 587, {0x77}},
      },
      item_node_image_size,
      [](const ItemNode& n, auto& image) { item_node_to_image(n, std::span<std::uint8_t, 592>(image)); });
}

TEST(RecordImage, RoleDataFieldsSitAtTheirStoredOffsets) {
  expect_spots<RoleData>(
      {
          {"arts.object", [](RoleData& r) { r.arts.object = 0x1234; }, 0, {0x34, 0x12}},
          {"arts.count", [](RoleData& r) { r.arts.count = 7; }, 6, {7, 0}},
          {"arts.item.object_id", [](RoleData& r) { r.arts.item.object_id = 0x4455; }, 104, {0x55, 0x44}},
          {"second_list.object", [](RoleData& r) { r.second_list.object = 0x99; }, 592, {0x99, 0}},
          {"second_list.item.price", [](RoleData& r) { r.second_list.item.price = 9; }, 640, {9, 0, 0, 0}},
          {"name", [](RoleData& r) { std::memcpy(r.name, "AB", 3); }, 1184, {'A', 'B', 0}},
          {"exp", [](RoleData& r) { r.exp = 0x01020304; }, 1220, {4, 3, 2, 1}},
          {"object_id", [](RoleData& r) { r.object_id = 4; }, 1244, {4, 0, 0, 0}},
          {"hp", [](RoleData& r) { r.hp = -2; }, 1248, {0xFE, 0xFF, 0xFF, 0xFF}},
          {"flags", [](RoleData& r) { r.flags = 1; }, 1256, {1, 0, 0, 0}},
          {"max_sp", [](RoleData& r) { r.max_sp = 300; }, 1266, {0x2C, 0x01}},
          {"equip[5]", [](RoleData& r) { r.equip[5] = 3001; }, 1300, {0xB9, 0x0B}},
          {"growth[1]", [](RoleData& r) { r.growth[1] = 1.0f; }, 1312, {0, 0, 0x80, 0x3F}},
          {"stats[7]", [](RoleData& r) { r.stats[7] = 0x0708; }, 1354, {8, 7}},
          {"stats[stat_attack]", [](RoleData& r) { r.stats[stat_attack] = 0x0102; }, 1356, {2, 1}},
          {"stats[stat_level]", [](RoleData& r) { r.stats[stat_level] = 60; }, 1370, {60, 0}},
          {"stats[stat_weapon_attack]", [](RoleData& r) { r.stats[stat_weapon_attack] = 12; }, 1372, {12, 0}},
          {"stats[stat_total]", [](RoleData& r) { r.stats[stat_total] = 0x1717; }, 1374, {0x17, 0x17}},
          {"magic_defence_bonus", [](RoleData& r) { r.magic_defence_bonus = -1; }, 1392, {0xFF, 0xFF}},
          {"equip_byte_b", [](RoleData& r) { r.equip_byte_b = 9; }, 1398, {9}},
      },
      role_data_image_size,
      [](const RoleData& r, auto& image) { role_data_to_image(r, std::span<std::uint8_t, 1444>(image)); });
}

TEST(RecordImage, SmallRecordsSitAtTheirStoredOffsets) {
  expect_spots<MagicStudy>(
      {
          {"spell_id", [](MagicStudy& m) { m.spell_id = 0x0A0B; }, 4, {0x0B, 0x0A}},
          {"goal", [](MagicStudy& m) { m.goal = 500; }, 8, {0xF4, 0x01}},
          {"learned", [](MagicStudy& m) { m.learned = 1; }, 12, {1, 0, 0, 0}},
      },
      magic_study_image_size,
      [](const MagicStudy& m, auto& image) { magic_study_to_image(m, std::span<std::uint8_t, 48>(image)); });
  auto write_table = [](const auto& r, auto& image) { record_image::write_value(r, std::span<std::uint8_t>(image), 0); };
  expect_spots<MapsRoleRow>(
      {
          {"RoleID", [](MapsRoleRow& m) { m.RoleID = 1001; }, 2, {0xE9, 0x03}},
          {"Y", [](MapsRoleRow& m) { m.Y = -10; }, 14, {0xF6, 0xFF}},
          {"STATE", [](MapsRoleRow& m) { m.STATE = 0x8001; }, 22, {0x01, 0x80}},
      },
      maps_role_row_size, write_table);
  expect_spots<RoleVarRow>(
      {
          {"RoleID", [](RoleVarRow& v) { v.RoleID = 7; }, 0, {7, 0}},
          {"value[2]", [](RoleVarRow& v) { v.value[2] = 150; }, 6, {150, 0}},
          {"value[7]", [](RoleVarRow& v) { v.value[7] = 0xFFFF; }, 16, {0xFF, 0xFF}},
      },
      role_var_row_size, write_table);
  expect_spots<MusicRow>(
      {
          {"music_id1", [](MusicRow& m) { m.music_id1 = 3; }, 2, {3, 0}},
          {"param2", [](MusicRow& m) { m.param2 = 0x0405; }, 8, {5, 4}},
      },
      music_row_size, write_table);
}

TEST(RecordImage, PartyMagicAreaIsTwentyItemNodeImages) {
  for (ItemNode& n : party_magic) n = ItemNode{};
  ItemNode other{};
  party_magic[0].object = 301;
  party_magic[1].item.price = 0x01020304;
  party_magic[7].next = &other;
  std::memcpy(party_magic[19].item.HELP, "Z", 2);
  std::array<std::uint8_t, party_magic_image_size> image;
  image.fill(0xEE);
  party_magic_to_image(image);
  EXPECT_EQ(image[0], 301 & 0xFF);
  EXPECT_EQ(image[1], 301 >> 8);
  EXPECT_EQ((std::vector<std::uint8_t>(&image[592 + 48], &image[592 + 52])), (std::vector<std::uint8_t>{4, 3, 2, 1}));
  for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(image[7 * 592 + 588 + i], 0) << "next of record 7";
  EXPECT_EQ(image[19 * 592 + 12 + 319], 'Z');

  auto copy = image;
  for (ItemNode& n : party_magic) n = ItemNode{};
  party_magic[7].next = &other;
  party_magic_from_image(copy);
  EXPECT_EQ(party_magic[0].object, 301);
  EXPECT_EQ(party_magic[1].item.price, 0x01020304);
  EXPECT_EQ(party_magic[7].next, nullptr);
  std::array<std::uint8_t, party_magic_image_size> again;
  party_magic_to_image(again);
  EXPECT_EQ(again, image);
}

template <std::size_t N>
std::array<std::uint8_t, N> random_image(unsigned seed, std::vector<std::size_t> pointer_slots) {
  std::mt19937 rng(seed);
  std::array<std::uint8_t, N> image;
  for (auto& b : image) b = static_cast<std::uint8_t>(rng());
  for (std::size_t slot : pointer_slots) std::memset(&image[slot], 0, 4);
  return image;
}

TEST(RecordImage, ImagesRoundTripByteForByte) {
  for (unsigned seed = 1; seed <= 20; ++seed) {
    auto item_in = random_image<item_data_image_size>(seed, {});
    ItemData item;
    item_data_from_image(item_in, item);
    std::array<std::uint8_t, item_data_image_size> item_out;
    item_data_to_image(item, item_out);
    EXPECT_EQ(item_out, item_in);

    auto node_in = random_image<item_node_image_size>(seed, {588});
    ItemNode node;
    item_node_from_image(node_in, node);
    std::array<std::uint8_t, item_node_image_size> node_out;
    item_node_to_image(node, node_out);
    EXPECT_EQ(node_out, node_in);

    auto role_in = random_image<role_data_image_size>(seed, {588, 1180});
    static RoleData role;
    role_data_from_image(role_in, role);
    std::array<std::uint8_t, role_data_image_size> role_out;
    role_data_to_image(role, role_out);
    EXPECT_EQ(role_out, role_in);

    auto study_in = random_image<magic_study_image_size>(seed, {0});
    MagicStudy study;
    magic_study_from_image(study_in, study);
    std::array<std::uint8_t, magic_study_image_size> study_out;
    magic_study_to_image(study, study_out);
    EXPECT_EQ(study_out, study_in);
  }
}

TEST(RecordImage, PointerSlotsAreWrittenAsZeroAndReadAsNull) {
  static RoleData role{};
  ItemNode other{};
  role.arts.next = &other;
  role.second_list.next = &other;
  std::array<std::uint8_t, role_data_image_size> image;
  role_data_to_image(role, image);
  for (std::size_t slot : {588u, 1180u})
    for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(image[slot + i], 0) << slot;
  image.fill(0xEE);
  role_data_from_image(image, role);
  EXPECT_EQ(role.arts.next, nullptr);
  EXPECT_EQ(role.second_list.next, nullptr);

  MagicStudy study{};
  study.next = &study;
  std::array<std::uint8_t, magic_study_image_size> study_image;
  magic_study_to_image(study, study_image);
  EXPECT_EQ(study_image[0] | study_image[1] | study_image[2] | study_image[3], 0);
  study_image.fill(0x11);
  magic_study_from_image(study_image, study);
  EXPECT_EQ(study.next, nullptr);
}

}  // namespace
