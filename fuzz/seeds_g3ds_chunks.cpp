#include "fuzz/seeds.h"
#include "tests/fixtures/byte_writer.h"

namespace {

// A mesh, a material and a key track, each chunk identifier followed by its handler's data.
fuzz_seeds::Bytes mesh_and_material() {
  kit::ByteWriter w;
  auto name = [&](const char* s) {
    for (const char* p = s; *p; ++p) w.u8(std::uint8_t(*p));
    w.u8(0);
  };
  w.u16(0xA000);
  name("stone");
  w.u16(0xA300);
  name("stone.bmp");
  w.u16(0xA020);
  w.u16(0x0011);
  w.u32(9);
  for (int c : {200, 100, 50}) w.u8(std::uint32_t(c));
  w.u16(0x4000);
  name("box");
  w.u16(0x4110);
  w.u16(3);
  for (int k = 0; k < 9; ++k) w.f32(float(k));
  w.u16(0x4120);
  w.u16(1);
  for (int k : {0, 1, 2, 0}) w.u16(std::uint32_t(k));
  w.u16(0x4130);
  name("stone");
  w.u16(1);
  w.u16(0);
  w.u16(0x4140);
  w.u16(3);
  for (int k = 0; k < 6; ++k) w.f32(0.5f);
  w.u16(0x4160);
  for (float f : {1.f, 0.f, 0.f, 0.f, 1.f, 0.f, 0.f, 0.f, 1.f, 1.f, 2.f, 3.f}) w.f32(f);
  w.u16(0xB010);
  name("box");
  w.u16(0);
  w.u16(0);
  w.u16(0xFFFF);
  w.u16(0xB020);
  w.u16(0);
  w.u32(0);
  w.u32(0);
  w.u32(1);
  w.u16(0);
  w.u32(1);
  for (float f : {9.f, 1.f, 2.f, 3.f}) w.f32(f);
  w.u16(0xB008);
  w.u32(0);
  w.u32(30);
  return w.bytes;
}

void write(std::vector<std::pair<std::string, fuzz_seeds::Bytes>>& seeds) {
  seeds.emplace_back("mesh_and_material", mesh_and_material());
}
QORV_FUZZ_SEEDS("g3ds_chunks", write);

}  // namespace
