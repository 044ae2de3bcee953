#include "fuzz/seeds.h"
#include "tests/fixtures/byte_writer.h"
#include "tests/fixtures/ply_model_kit.h"

namespace {
void write(std::vector<std::pair<std::string, fuzz_seeds::Bytes>>& seeds) {
  kit::PlyModelSpec character = kit::character_model(1);
  seeds.emplace_back("character_block", kit::ply_block(character));
  seeds.emplace_back("character_file", kit::ply_file(character));
  kit::PlyModelSpec box = kit::box_model(10, 20, 30, 5, 3);
  box.vertex_frames = {{{0xFFFFFFFF}, {}}, {{1}, std::vector<G3dVertex>(25, kit::make_vertex(1, 2, 3))}};
  seeds.emplace_back("animated_box_block", kit::ply_block(box));
  seeds.emplace_back("animated_box_file_stored", kit::ply_file(box, kit::LzoPacking::Stored));
}
QORV_FUZZ_SEEDS("ply_model", write);
}  // namespace
