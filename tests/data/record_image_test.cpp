// The stored images of the records that saves keep whole: layout, pointer slots, round trips.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <functional>
#include <random>
#include <vector>

#include "data/item_data.h"
#include "data/item_node.h"
#include "data/magic_study.h"
#include "data/record_image.h"
#include "data/role_data.h"

namespace {

template <class Record, class Visit>
std::vector<std::uint8_t> coverage(std::size_t size, Visit visit) {
  static Record record{};
  std::vector<std::uint8_t> hits(size, 0);
  visit(record, record_image::Coverage{hits});
  return hits;
}

// Every byte of an image belongs to exactly one field, but the pointer slots to none.
void expect_layout(const std::vector<std::uint8_t>& hits, std::vector<std::size_t> pointer_slots) {
  for (std::size_t i = 0; i < hits.size(); ++i) {
    bool pointer = false;
    for (std::size_t slot : pointer_slots) pointer |= i >= slot && i < slot + 4;
    EXPECT_EQ(hits[i], pointer ? 0 : 1) << "byte " << i;
  }
}

TEST(RecordImage, EveryByteBelongsToOneFieldExceptThePointerSlots) {
  expect_layout(coverage<ItemData>(item_data_image_size, [](auto& r, auto v) { visit_item_data(r, v); }), {});
  expect_layout(coverage<ItemNode>(item_node_image_size, [](auto& r, auto v) { visit_item_node(r, v); }), {588});
  expect_layout(coverage<RoleData>(role_data_image_size, [](auto& r, auto v) { visit_role_data(r, v); }), {588, 1180});
  expect_layout(coverage<MagicStudy>(magic_study_image_size, [](auto& r, auto v) { visit_magic_study(r, v); }), {0});
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

// A field set in memory shows at its stored offset (guards against fields listed in the wrong
// place, which the coverage test cannot see).
struct Spot {
  const char* field;
  std::function<void(RoleData&)> set;
  std::size_t offset;
  std::vector<std::uint8_t> bytes;
};

TEST(RecordImage, RoleDataFieldsSitAtTheirStoredOffsets) {
  const Spot spots[] = {
      {"art list object", [](RoleData& r) { r.arts.object = 0x1234; }, 0, {0x34, 0x12}},
      {"art list count", [](RoleData& r) { r.arts.count = 7; }, 6, {7, 0}},
      {"art list item number", [](RoleData& r) { r.arts.item.number = 0x4455; }, 102, {0x55, 0x44}},
      {"second list object", [](RoleData& r) { r.second_list.object = 0x99; }, 592, {0x99, 0}},
      {"name", [](RoleData& r) { std::memcpy(r.name, "AB", 3); }, 1184, {'A', 'B', 0}},
      {"experience", [](RoleData& r) { r.exp = 0x01020304; }, 1220, {4, 3, 2, 1}},
      {"object", [](RoleData& r) { r.object = 4; }, 1244, {4, 0, 0, 0}},
      {"HP", [](RoleData& r) { r.hp = -2; }, 1248, {0xFE, 0xFF, 0xFF, 0xFF}},
      {"state", [](RoleData& r) { r.state = 1; }, 1256, {1, 0, 0, 0}},
      {"maximum SP", [](RoleData& r) { r.max_sp = 300; }, 1266, {0x2C, 0x01}},
      {"equipment slot 5", [](RoleData& r) { r.equip[5] = 3001; }, 1300, {0xB9, 0x0B}},
      {"growth 1", [](RoleData& r) { r.growth[1] = 1.0f; }, 1312, {0, 0, 0x80, 0x3F}},
      {"base value 7", [](RoleData& r) { r.base[7] = 0x0708; }, 1354, {8, 7}},
      {"level", [](RoleData& r) { r.level = 60; }, 1370, {60, 0}},
      {"value 17", [](RoleData& r) { r.value_17 = 0x1717; }, 1374, {0x17, 0x17}},
      {"magic defence bonus", [](RoleData& r) { r.magic_defence_bonus = -1; }, 1392, {0xFF, 0xFF}},
      {"equipment byte B", [](RoleData& r) { r.equip_byte_b = 9; }, 1398, {9}},
  };
  for (const Spot& s : spots) {
    static RoleData role;
    role = RoleData{};
    s.set(role);
    std::array<std::uint8_t, role_data_image_size> image;
    role_data_to_image(role, image);
    for (std::size_t i = 0; i < s.bytes.size(); ++i) EXPECT_EQ(image[s.offset + i], s.bytes[i]) << s.field;
  }
}

}  // namespace
