#include "data/role_vars.h"
#include "fuzz/seeds.h"
#include "tests/fixtures/save_image_writer.h"

namespace {

std::vector<std::pair<std::string, kit::SaveKit>> kit_saves() {
  std::vector<std::pair<std::string, kit::SaveKit>> saves;
  saves.emplace_back("v6_smallest", kit::SaveKit{});
  kit::SaveKit full;
  full.map = 1;
  full.map_name = "\xA7\xF8\xB2\xF8";
  full.members = {1, 2, 0};
  full.levels = {5, 6, 0};
  full.thumbnail = kit::thumbnail_picture(0x7FFF);
  full.bag = {{1, 5, 0}, {2, 0, 3}};
  full.rows = {{1, 0x100, 0, 3001, 2, 90, 100, -1, 300, 7, 8, 1}};
  full.arts[0] = {3, 65500};
  full.houses = {{2, 3}, {12, 13}};
  full.studies = {{3, 1, 2, 0}};
  full.treasures = {{4, 3}};
  full.role_vars = {{0x100, {1, 2, 3}}};
  full.music = {{1, 1, 2, 3, 4}};
  saves.emplace_back("v6_full", full);
  kit::SaveKit v5 = full;
  v5.version = 0xFF05;
  saves.emplace_back("v5", v5);
  kit::SaveKit rows = kit::SaveKit{};
  rows.role_vars.assign(role_var_row_count, {0x100});
  saves.emplace_back("v6_all_role_var_rows", rows);
  // Two guardians on the formation grounds and eight spells learned and equipped, one under study.
  kit::SaveKit guards = full;
  guards.escorts = {134, 135};
  guards.study = {5801, 40, 100, 0};
  guards.studies.clear();
  for (std::uint16_t spell = 5802; spell < 5810; ++spell) {
    guards.studies.push_back({spell, 100, 100, 1});
    guards.magic_slots[std::size_t(spell - 5802)] = spell;
  }
  saves.emplace_back("v6_guardians_and_spells", guards);
  kit::SaveKit houses = kit::SaveKit{};
  houses.houses.assign(13 * 14, {6, 7});
  saves.emplace_back("v6_many_houses", houses);
  return saves;
}

void write_files(std::vector<std::pair<std::string, fuzz_seeds::Bytes>>& seeds) {
  for (const auto& [name, save] : kit_saves()) seeds.emplace_back(name, kit::save_slot_file(kit::save_image(save)));
}
void write_images(std::vector<std::pair<std::string, fuzz_seeds::Bytes>>& seeds) {
  for (const auto& [name, save] : kit_saves()) seeds.emplace_back(name, kit::save_image(save));
}
void write_thumbnails(std::vector<std::pair<std::string, fuzz_seeds::Bytes>>& seeds) {
  seeds.emplace_back("white", kit::thumbnail_picture(0x7FFF));
  seeds.emplace_back("smallest", kit::thumbnail_picture(0x1234, 160, 120));
}
void write_fame(std::vector<std::pair<std::string, fuzz_seeds::Bytes>>& seeds) {
  seeds.emplace_back("maps", kit::fame_dat({{101, 3}, {102, 3}}, 1));
  seeds.emplace_back("mixed", kit::fame_dat({{1, 0}, {3001, 2}, {7, 3}}));
  seeds.emplace_back("empty", kit::fame_dat({}));
}

QORV_FUZZ_SEEDS("save_file", write_files);
QORV_FUZZ_SEEDS("save_image", write_images);
QORV_FUZZ_SEEDS("save_thumbnail", write_thumbnails);
QORV_FUZZ_SEEDS("save_fame", write_fame);
}  // namespace
