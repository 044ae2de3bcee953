// WLD worlds: the loaders on kit files, stored and packed, with every section type, and
// damaged files refused whole.
#include <gtest/gtest.h>

#include <cstring>

#include "core/byte_reader.h"
#include "g3d/wld_grid.h"
#include "g3d/wld_loader.h"
#include "tests/fixtures/byte_writer.h"
#include "tests/fixtures/wld_kit.h"
#include "tests/g3d/model_folder.h"

namespace {

using test_support::Bytes;
using test_support::ModelFolder;

// "世界檔案損壞"
const std::string kWorldDamaged = "\xa5\x40\xac\xc9\xc0\xc9\xae\xd7\xb7\x6c\xc3\x61";

kit::WldSpec animated_world() {
  kit::WldSpec s = kit::sample_world(20001, 20002, 20003);
  kit::WldObjectSpec& crate = s.objects.back();
  crate.frames.push_back(kit::translation_matrix(0, 50, 0));
  for (int f = 0; f < 2; ++f) {
    std::vector<G3dVertex> moved = crate.vertices;
    for (G3dVertex& v : moved) v.x += 10.0f * float(f);
    crate.animated.push_back(moved);
  }
  return s;
}

int load(G3dWld* w, const Bytes& file) { return g3d_wld_load_bytes(w, file.data(), file.size(), "test.wld"); }

void expect_world_equals(const G3dWld& w, const kit::WldSpec& s) {
  EXPECT_EQ(w.box.max.x, s.box.max.x);
  ASSERT_EQ(w.object_count(), s.objects.size());
  for (std::size_t i = 0; i < s.objects.size(); ++i) {
    const G3dWldObj& o = w.objects[i];
    const kit::WldObjectSpec& e = s.objects[i];
    EXPECT_EQ(o.first_word, 0x1234u);
    EXPECT_EQ(o.box.min.z, e.box.min.z);
    EXPECT_EQ(o.sphere.size, e.sphere_size);
    EXPECT_EQ(o.flags, e.flags | wld_obj_face_bins) << "face bins were built";
    EXPECT_EQ(o.tex_no, e.tex_no);
    ASSERT_EQ(o.vertices.size(), e.vertices.size());
    EXPECT_EQ(o.vertices.back().colour, e.vertices.back().colour);
    EXPECT_EQ(o.indices, e.indices);
    EXPECT_EQ(o.frame_count(), e.frames.size());
    EXPECT_EQ(o.trailing[31], 31);
    EXPECT_EQ(o.vertex_animation != 0, !e.animated.empty());
    if (!e.animated.empty()) {
      EXPECT_EQ(o.frame_vertices(1)[0].x, e.animated[1][0].x);
    }
  }
  ASSERT_EQ(w.names.size(), s.names.size());
  for (std::size_t i = 0; i < s.names.size(); ++i) EXPECT_STREQ(w.names[i].data(), s.names[i].c_str());
  EXPECT_EQ(w.kept_values[1], s.kept_values[1]);
  ASSERT_EQ(w.Mask.lpCollTri.size(), s.coll_tris.size());
  EXPECT_EQ(w.Mask.lpCollTri[3].d, s.coll_tris[3].d);
  ASSERT_TRUE(w.lpCollArray);
  EXPECT_EQ(w.lpCollArray->nx, s.grid.nx);
  EXPECT_EQ(w.lpCollArray->cell[2], s.grid.cell[2]);
  ASSERT_EQ(w.lpCollArray->lpColl.size(), s.grid.cells.size());
  for (std::size_t c = 0; c < s.grid.cells.size(); ++c) {
    const CollCell& cell = w.lpCollArray->lpColl[c];
    ASSERT_EQ(cell.count, s.grid.cells[c].size());
    for (std::size_t k = 0; k < cell.count; ++k) EXPECT_EQ(w.lpCollArray->lpTotFaceList[cell.first + k], s.grid.cells[c][k]);
  }
  ASSERT_EQ(w.MaskBpx.lpBox.size(), s.wall_boxes.size());
  EXPECT_EQ(w.MaskBpx.lpBox[2].max.x, s.wall_boxes[2].max.x);
}

TEST(WldLoader, StoredAndPackedFilesGiveTheSameWorld) {
  const kit::WldSpec s = animated_world();
  for (kit::WldStorage storage : {kit::WldStorage::Stored, kit::WldStorage::PackedLibrary, kit::WldStorage::PackedStored}) {
    G3dWld w;
    ASSERT_EQ(load(&w, kit::wld_file(s, storage)), 1);
    expect_world_equals(w, s);
    EXPECT_TRUE(w.has_face_bins());
    EXPECT_NE(w.serial, 0u);
  }
}

TEST(WldLoader, SectionOrderDoesNotMatterAndUnknownSectionsAreSkipped) {
  kit::WldSpec s = animated_world();
  s.walls_first = true;
  s.unknown_section = true;
  G3dWld w;
  ASSERT_EQ(load(&w, kit::wld_file(s)), 1);
  expect_world_equals(w, s);
}

TEST(WldLoader, EmptyCollisionSectionsLeaveTheirArraysEmpty) {
  kit::WldSpec s = animated_world();
  s.coll_tris.clear();
  s.grid.cells.clear();  // face total 0: no cells
  s.wall_boxes.clear();
  int steps[10] = {};
  static int* counter = steps;
  wld_loading_bar = [](int step) { ++counter[step]; };
  G3dWld w;
  ASSERT_EQ(load(&w, kit::wld_file(s)), 1);
  wld_loading_bar = nullptr;
  EXPECT_TRUE(w.Mask.lpCollTri.empty());
  ASSERT_TRUE(w.lpCollArray);
  EXPECT_TRUE(w.lpCollArray->lpColl.empty()) << "a world without collision cells";
  EXPECT_EQ(w.lpCollArray->nx, 2u) << "the record itself is kept";
  EXPECT_TRUE(w.MaskBpx.lpBox.empty());
  EXPECT_EQ(steps[4], 1);
  EXPECT_EQ(steps[5], 0) << "no triangles: no step 5";
  EXPECT_EQ(steps[6], 0);
  EXPECT_EQ(steps[8], 1);
}

TEST(WldLoader, NamesAreBoundedToTheirSlots) {
  kit::WldSpec s = animated_world();
  s.names = {"a", std::string(32, 'N'), "c"};  // the second fills its slot without a zero
  G3dWld w;
  ASSERT_EQ(load(&w, kit::wld_file(s)), 1);
  ASSERT_EQ(w.names.size(), 3u);
  EXPECT_STREQ(w.names[0].data(), "a");
  EXPECT_EQ(std::string(w.names[1].data()), std::string(31, 'N'));
  EXPECT_STREQ(w.names[2].data(), "c");
}

// Damage to a stored file; each is refused and the record keeps the world it held.
struct Damage {
  const char* name;
  void (*apply)(Bytes& file, const std::vector<kit::WldSectionPlace>& at);
};

std::size_t section(const std::vector<kit::WldSectionPlace>& at, std::uint32_t type) {
  for (const auto& p : at)
    if (p.type == type) return p.offset;
  return 0;
}
void put32(Bytes& b, std::size_t at, std::uint32_t v) { put_u32le(b.data() + at, v); }
// The first object's block in the geometry section.
std::size_t first_object(const std::vector<kit::WldSectionPlace>& at) {
  return section(at, wld_section_geometry) + 88 + 8 * 8;
}

const Damage kDamages[] = {
    {"18 sections", [](Bytes& f, const auto&) { put32(f, 8, 18); }},
    {"section offset past the file", [](Bytes& f, const auto&) { put32(f, 16, 0x7FFFFFF0); }},
    {"object count past the section",
     [](Bytes& f, const auto& at) { put32(f, section(at, wld_section_geometry) + 84, 0x20000000); }},
    {"object block size past the file",
     [](Bytes& f, const auto& at) { put32(f, section(at, wld_section_geometry) + 88, 0x7FFFFFFF); }},
    {"object vertex count past its block", [](Bytes& f, const auto& at) { put32(f, first_object(at) + 64, 5000); }},
    {"object index past its vertices",
     [](Bytes& f, const auto& at) { put_u16le(f.data() + first_object(at) + 68 + 4 * 40 + 4, 4); }},
    {"object frame count past its block",
     [](Bytes& f, const auto& at) { put32(f, first_object(at) + 68 + 160 + 4 + 12, 0x10000000); }},
    {"name count past the section", [](Bytes& f, const auto& at) {
       // The names follow the blocks; find them from the end of the geometry section.
       std::size_t coll = section(at, wld_section_coll_tris);
       put32(f, coll - 8 - 8 * 32 - 4, 0x0FFFFFFF);
     }},
    {"collision triangle count past the section",
     [](Bytes& f, const auto& at) { put32(f, section(at, wld_section_coll_tris) + 32, 0x10000000); }},
    {"collision grid cells past the section",
     [](Bytes& f, const auto& at) { put32(f, section(at, wld_section_coll_grid), 0x10000); }},
    {"collision cell runs past the face list",
     [](Bytes& f, const auto& at) {
       std::size_t grid = section(at, wld_section_coll_grid);
       put_u16le(f.data() + grid + 60 + 4 * 16 + 8 * 3, 9);
     }},
    {"collision face past the triangles",
     [](Bytes& f, const auto& at) { put32(f, section(at, wld_section_coll_grid) + 60, 6); }},
    {"wall box count past the file",
     [](Bytes& f, const auto& at) { put32(f, section(at, wld_section_wall_boxes) + 4, 0x08000000); }},
    {"cut inside the header", [](Bytes& f, const auto&) { f.resize(100); }},
    {"cut inside the wall boxes", [](Bytes& f, const auto&) { f.resize(f.size() - 20); }},
};

TEST(WldLoader, DamagedFilesAreRefusedAndTheRecordKeepsItsWorld) {
  const kit::WldSpec s = kit::sample_world(20001, 20002, 20003);
  const auto at = kit::wld_sections(s);
  for (const Damage& d : kDamages) {
    SCOPED_TRACE(d.name);
    G3dWld w;
    ASSERT_EQ(load(&w, kit::wld_file(s)), 1);
    const std::uint32_t serial = w.serial;
    Bytes file = kit::wld_file(s);
    d.apply(file, at);
    EXPECT_EQ(load(&w, file), 0);
    EXPECT_EQ(w.serial, serial);
    EXPECT_EQ(w.object_count(), s.objects.size());
  }
}

TEST(WldLoader, EveryCutOfAFileIsRefused) {
  kit::WldSpec s = kit::sample_world(1, 2, 3);
  s.objects.resize(2);
  s.names.resize(2);
  s.wall_boxes.resize(2);
  const Bytes file = kit::wld_file(s);
  for (std::size_t n = 0; n < file.size(); n += 3) {
    G3dWld w;
    ASSERT_EQ(load(&w, Bytes(file.begin(), file.begin() + std::ptrdiff_t(n))), 0) << n;
  }
}

TEST(WldLoader, PackedImagesOfTheWrongSizeAreRefused) {
  const kit::WldSpec s = kit::sample_world(1, 2, 3);
  Bytes file = kit::wld_file(s, kit::WldStorage::PackedLibrary);
  G3dWld w;
  Bytes bigger = file;
  put32(bigger, 148, ByteReader(file.data(), file.size()).u32_at(148) + 1);
  EXPECT_EQ(load(&w, bigger), 0);
  Bytes packed_past = file;
  put32(packed_past, 152, std::uint32_t(file.size()));
  EXPECT_EQ(load(&w, packed_past), 0);
  Bytes huge = file;
  put32(huge, 148, 0xFFFFFFF0);
  EXPECT_EQ(load(&w, huge), 0);
}

TEST(WldLoader, MissingFileIsShownAndDamagedFileReportedOnce) {
  ModelFolder folder;
  Bytes file = kit::wld_file(kit::sample_world(1, 2, 3));
  file.resize(file.size() / 2);
  folder.write("bad.wld", file);
  G3dWld w;
  for (int k = 0; k < 2; ++k) {
    EXPECT_EQ(g3d_wld_load(&w, (folder.dir().str() + "/bad.wld").c_str()), 0);
    EXPECT_EQ(g3d_wld_load(&w, (folder.dir().str() + "/none.wld").c_str()), 0);
  }
  EXPECT_EQ(test_support::count_of(folder.debug_log(), kWorldDamaged), 1);
  EXPECT_EQ(test_support::box_texts(),
            std::vector<std::string>(2, "g3d_wld_load(..)\xbf\xf9\xbb\x7e  \xa7\xe4\xa4\xa3\xa8\xec\xc0\xc9\xae\xd7"));
}

TEST(WldLoader, IndexEntriesUseTheirFileNumbers) {
  ModelFolder folder;
  folder.write("MODEL/m.idx", kit::model_index("H", "WLD", "MP", {{3, 77}}));
  folder.write_world(4, 77, kit::wld_file(kit::sample_world(1, 2, 3)));
  PlyIndex index;
  ASSERT_EQ(g3d_load_idx_ply(&index, "m.idx"), 1);
  G3dWld w;
  EXPECT_EQ(g3d_idx_wld_load(&w, nullptr, &index, 0), 0);
  EXPECT_EQ(g3d_idx_wld_load(&w, nullptr, &index, 3001), 0);
  EXPECT_TRUE(platform::recorded_boxes().empty()) << "entries out of range show nothing";
  EXPECT_EQ(g3d_idx_wld_load(&w, nullptr, &index, 2), 0);
  // "找不到 所選擇之模型檔案 xxxxx.PLY"
  EXPECT_EQ(test_support::box_texts(),
            std::vector<std::string>{"\xa7\xe4\xa4\xa3\xa8\xec \xa9\xd2\xbf\xef\xbe\xdc\xa4\xa7\xbc\xd2\xab\xac\xc0\xc9\xae\xd7 xxxxx.PLY"});
  EXPECT_EQ(g3d_idx_wld_load(&w, folder.model_dir().c_str(), &index, 3), 1);
  EXPECT_EQ(w.object_count(), 8u);
}

TEST(WldLoader, PackEntriesLoadLikeFiles) {
  ModelFolder folder;
  std::map<int, std::pair<std::uint32_t, std::uint32_t>> places;
  Bytes pack = kit::pack_file({{4, kit::wld_file(kit::sample_world(1, 2, 3), kit::WldStorage::PackedLibrary)}}, &places);
  folder.write("MODEL/MapPak.pak", pack);
  folder.write("MODEL/MapPak.idx", kit::pack_index("MapPak.pak", places));
  PlyPackIndex index;
  ASSERT_EQ(g3d_load_pack_idx(&index, "MapPak.idx"), 1);
  G3dWld w;
  EXPECT_EQ(g3d_pack_wld_load(&w, folder.model_dir().c_str(), &index, 4), 1);
  EXPECT_EQ(w.names.size(), 8u);
  EXPECT_EQ(g3d_pack_wld_load(&w, folder.model_dir().c_str(), &index, 0), 0);
  EXPECT_EQ(g3d_pack_wld_load(&w, (folder.model_dir() + "/none").c_str(), &index, 4), 0);
  EXPECT_EQ(platform::recorded_boxes().size(), 1u);
}

TEST(WldLoader, FreeReleasesEverything) {
  G3dWld w;
  ASSERT_EQ(load(&w, kit::wld_file(animated_world())), 1);
  g3d_wld_build_grid(&w, 2500.0f);
  g3d_wld_free(&w);
  EXPECT_EQ(w.object_count(), 0u);
  EXPECT_TRUE(w.names.empty());
  EXPECT_FALSE(w.has_face_bins());
  EXPECT_FALSE(w.grid_built);
  EXPECT_TRUE(w.Mask.lpCollTri.empty());
  EXPECT_TRUE(w.MaskBpx.lpBox.empty());
  EXPECT_FALSE(w.lpCollArray);
  EXPECT_EQ(w.box.max.x, 0.0f);
  g3d_wld_free(&w);  // twice is harmless
}

}  // namespace
