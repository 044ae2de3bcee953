// HouseRecord's stored image: every field at its offset, the ActInstance inside it, the links
// written as 0, and the data kit's images read back field for field.
#include "base/house_record.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "core/byte_reader.h"
#include "g3d/act_image.h"
#include "tests/fixtures/base_kit.h"

namespace {

HouseImage image_of(const HouseRecord& h) {
  HouseImage out;
  house_to_image(h, out);
  return out;
}

TEST(HouseImage, EachFieldLandsAtItsOffset) {
  struct Row {
    const char* name;
    std::size_t offset, width;
    std::uint32_t value;
    std::function<void(HouseRecord&)> set;
  };
  const Row rows[] = {
      {"id", 0, 4, 7, [](HouseRecord& h) { h.id = 7; }},
      {"pos.z", 12, 4, 0x45000000, [](HouseRecord& h) { h.pos.z = 2048.0f; }},
      {"pos.w", 16, 4, 0x3F800000, [](HouseRecord& h) { h.pos.w = 1.0f; }},
      {"act.act", 20 + 148, 2, 9904, [](HouseRecord& h) { h.act.act = 9904; }},
      {"act.box.max.x", 20 + 16, 4, 0x42C80000, [](HouseRecord& h) { h.act.box.max.x = 100.0f; }},
      {"rotation", 296, 4, 0x42B40000, [](HouseRecord& h) { h.rotation = 90.0f; }},
      {"kind", 300, 4, 16, [](HouseRecord& h) { h.kind = 16; }},
      {"capacity", 304, 4, 5, [](HouseRecord& h) { h.capacity = 5; }},
      {"resident_count", 308, 4, 2, [](HouseRecord& h) { h.resident_count = 2; }},
      {"residents[2].monster", 320, 2, 134, [](HouseRecord& h) { h.residents[2].monster = 134; }},
      {"residents[2].link", 322, 1, 0xFD, [](HouseRecord& h) { h.residents[2].link = -3; }},
      {"residents[9].spare", 351, 1, 0x44, [](HouseRecord& h) { h.residents[9].spare = 0x44; }},
      {"footprint[8]", 384, 4, 1, [](HouseRecord& h) { h.footprint[8] = 1; }},
      {"footprint_cells", 388, 4, 4, [](HouseRecord& h) { h.footprint_cells = 4; }},
      {"grid_row", 392, 4, 12, [](HouseRecord& h) { h.grid_row = 12; }},
      {"grid_col", 396, 4, 13, [](HouseRecord& h) { h.grid_col = 13; }},
      {"active", 400, 4, 1, [](HouseRecord& h) { h.active = 1; }},
      {"placed", 404, 4, 1, [](HouseRecord& h) { h.placed = 1; }},
      {"level", 408, 1, 3, [](HouseRecord& h) { h.level = 3; }},
      {"label", 412, 4, 21, [](HouseRecord& h) { h.label = 21; }},
      {"skill_totals[3]", 428, 4, 9, [](HouseRecord& h) { h.skill_totals[3] = 9; }},
      {"countdown", 432, 2, 30, [](HouseRecord& h) { h.countdown = 30; }},
      {"effect_ids[4]", 452, 4, 0xFFFFFFFF, [](HouseRecord& h) { h.effect_ids[4] = -1; }},
      {"built", 456, 2, 1, [](HouseRecord& h) { h.built = 1; }},
      {"rotation_step", 458, 2, 3, [](HouseRecord& h) { h.rotation_step = 3; }},
  };
  for (const Row& row : rows) {
    HouseRecord h;
    row.set(h);
    const HouseImage image = image_of(h);
    const ByteReader r(image.data(), image.size());
    const std::uint32_t got = row.width == 4 ? r.u32_at(row.offset) : row.width == 2 ? r.u16_at(row.offset) : r.u8_at(row.offset);
    EXPECT_EQ(got, row.value) << row.name;
    HouseImage clean = image;
    std::memset(clean.data() + row.offset, 0, row.width);
    EXPECT_EQ(clean, HouseImage{}) << row.name << " writes nothing else";
  }
}

TEST(HouseImage, TheLinksAndTheAnimationsPointersAreWrittenAsZero) {
  HouseRecord h;
  static const std::uint8_t script[4] = {};
  h.act.script = h.act.cur_script = script;
  const HouseImage image = image_of(h);
  EXPECT_EQ(image, HouseImage{});
}

TEST(HouseImage, AKitImageReadsBackFieldForFieldAndWritesBackTheSameBytes) {
  fixtures::HouseImageSpec house;
  house.id = 9;
  house.pos = {4200, 210, 6650, 0};
  house.act = 9916;
  house.rotation = 270;
  house.kind = 16;
  house.capacity = 3;
  house.resident_count = 2;
  house.residents = {{134, 2}, {135, 4}, {0, 0}, {0, 0}, {0, 0}, {0, 1}, {0, 3}};
  house.footprint = {1, 0, 1, 0, 1, 0, 1, 0, 1};
  house.footprint_cells = 5;
  house.grid_row = 7, house.grid_col = 2;
  house.level = 3;
  house.label = 1;
  house.skill_totals = {1, 2, 3, 4};
  house.countdown = 12;
  house.effect_ids = {3, 4, -1, -1, -1};
  house.rotation_step = 3;
  const auto kit = fixtures::house_image(house);
  HouseRecord h;
  house_from_image(kit, h);
  EXPECT_EQ(h.id, 9);
  EXPECT_EQ(h.pos.z, 6650.0f);
  EXPECT_EQ(h.act.act, 9916);
  EXPECT_EQ(h.rotation, 270.0f);
  EXPECT_EQ(h.kind, 16);
  EXPECT_EQ(h.residents[1].monster, 135);
  EXPECT_EQ(h.residents[1].link, 4);
  EXPECT_EQ(h.residents[6].link, 3) << "the position of member 1";
  EXPECT_EQ(h.footprint[4], 1);
  EXPECT_EQ(h.grid_col, 2);
  EXPECT_EQ(h.level, 3);
  EXPECT_EQ(h.skill_totals[2], 3);
  EXPECT_EQ(h.countdown, 12);
  EXPECT_EQ(h.effect_ids[1], 4);
  EXPECT_EQ(h.rotation_step, 3);
  EXPECT_EQ(image_of(h), kit);

  auto linked = fixtures::house_image(house);
  linked[672] = 0x78;
  linked[679] = 0x12;
  house_from_image(linked, h);
  EXPECT_EQ(image_of(h), kit) << "the memory links are not read";
}

TEST(ActImage, TheRuntimePartStartsAfreshOnLoad) {
  ActInstance a;
  a.act = 9904;
  a.loaded_act = 9904;
  a.qq = 2;
  a.loaded_qq = 2;
  a.frame = 7;
  a.control = act_control_keep_delay | act_control_cue_pending;
  a.uploaded_picture = 5;
  a.kind = act_kind_sprite;
  std::array<std::uint8_t, act_image_size> image;
  act_instance_to_image(a, image);
  const ByteReader r(image.data(), image.size());
  EXPECT_EQ(r.u16_at(act_image::act), 9904);
  EXPECT_EQ(r.u16_at(act_image::frame), 7);
  EXPECT_EQ(r.u8_at(act_image::kind), act_kind_sprite);
  EXPECT_EQ(r.u32_at(act_image::script), 0u);
  ActInstance back;
  act_instance_from_image(image, back);
  EXPECT_EQ(back.act, 9904);
  EXPECT_EQ(back.qq, 2);
  EXPECT_EQ(back.frame, 7);
  EXPECT_EQ(back.loaded_act, 0) << "the next tick restarts the animation";
  EXPECT_EQ(back.uploaded_picture, 0);
  EXPECT_EQ(back.control, act_control_keep_delay);
  EXPECT_EQ(back.script, nullptr);
}

}  // namespace
