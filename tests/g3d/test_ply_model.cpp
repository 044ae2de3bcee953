// PLY models: the block decoder, the index files and the file loader, on kit models.
#include <gtest/gtest.h>

#include <cstring>

#include "core/byte_reader.h"
#include "g3d/ply_file.h"
#include "g3d/ply_model.h"
#include "tests/fixtures/byte_writer.h"
#include "tests/g3d/model_folder.h"

namespace {

using test_support::Bytes;
using test_support::ModelFolder;

const std::string kErrorCaption = "\xbf\xf9\xbb\x7e";  // "錯誤"
// "找不到所選擇之模型檔案["
const std::string kModelMissing = "\xa7\xe4\xa4\xa3\xa8\xec\xa9\xd2\xbf\xef\xbe\xdc\xa4\xa7\xbc\xd2\xab\xac\xc0\xc9\xae\xd7[";
// "模型檔案損壞"
const std::string kModelDamaged = "\xbc\xd2\xab\xac\xc0\xc9\xae\xd7\xb7\x6c\xc3\x61";

// A model with vertex animation: the box's part mapped to a frame's own vertices in frame 1.
kit::PlyModelSpec animated_box() {
  kit::PlyModelSpec m = kit::box_model(40, 40, 40, 7, 2);
  kit::PlyVertexFrameSpec own{{0xFFFFFFFF}, {}};
  kit::PlyVertexFrameSpec moved{{2}, {kit::make_vertex(9, 9, 9), kit::make_vertex(8, 8, 8)}};
  for (const G3dVertex& v : m.vertices) moved.vertices.push_back(kit::make_vertex(v.x + 100, v.y, v.z));
  m.vertex_frames = {own, moved};
  m.values = {11, 22, 33};
  return m;
}

void expect_same_vertex(const G3dVertex& a, const G3dVertex& b) {
  EXPECT_EQ(a.x, b.x);
  EXPECT_EQ(a.y, b.y);
  EXPECT_EQ(a.z, b.z);
  EXPECT_EQ(a.u, b.u);
  EXPECT_EQ(a.v, b.v);
  EXPECT_EQ(a.colour, b.colour);
}

void expect_model_equals(const G3dPoly& p, const kit::PlyModelSpec& m, std::size_t block_size) {
  EXPECT_EQ(p.block_size, block_size);
  EXPECT_EQ(p.box.max.y, m.box.max.y);
  EXPECT_EQ(p.sphere.size, m.sphere_size);
  ASSERT_EQ(p.parts.size(), m.parts.size());
  for (std::size_t i = 0; i < m.parts.size(); ++i) {
    EXPECT_EQ(p.parts[i].id, m.parts[i].id);
    EXPECT_EQ(p.parts[i].first_vertex, m.parts[i].first_vertex);
    EXPECT_EQ(p.parts[i].end_vertex, m.parts[i].end_vertex);
  }
  ASSERT_EQ(p.vertices.size(), m.vertices.size());
  for (std::size_t i = 0; i < m.vertices.size(); ++i) expect_same_vertex(p.vertices[i], m.vertices[i]);
  EXPECT_EQ(p.triangles, m.triangles);
  ASSERT_EQ(p.materials.size(), m.materials.size());
  for (std::size_t i = 0; i < m.materials.size(); ++i) {
    EXPECT_EQ(p.materials[i].first_index, m.materials[i].first_index);
    EXPECT_EQ(p.materials[i].index_count, m.materials[i].index_count);
    EXPECT_EQ(p.materials[i].tex_no, m.materials[i].tex_no);
  }
  EXPECT_EQ(p.values, m.values);
  ASSERT_EQ(p.frame_count, m.frames.size());
  for (std::uint32_t f = 0; f < p.frame_count; ++f)
    for (std::uint32_t k = 0; k < p.part_count(); ++k)
      EXPECT_EQ(0, std::memcmp(&p.part_matrix(f, k), &m.frames[f][k], sizeof(G3dMatrix)));
  ASSERT_EQ(p.lpAVtxFrame.size(), m.vertex_frames.size());
}

TEST(PlyModel, StoredAndPackedFilesLoadTheSameModel) {
  for (kit::LzoPacking packing : {kit::LzoPacking::Library, kit::LzoPacking::Stored}) {
    for (const kit::PlyModelSpec& desc : {kit::character_model(1), animated_box()}) {
      ModelFolder folder;
      folder.write("m.PLY", kit::ply_file(desc, packing));
      G3dPoly poly;
      ASSERT_EQ(g3d_ply_load(&poly, (folder.dir().str() + "/m.PLY").c_str()), 1);
      expect_model_equals(poly, desc, kit::ply_block(desc).size());
      EXPECT_EQ(poly.bytes, kit::ply_block(desc).size()) << "the unpacked block's real size";
    }
  }
}

TEST(PlyModel, PartBoxesSurroundTheirOwnVerticesOnly) {
  kit::PlyModelSpec m = kit::character_model(1);
  G3dPoly poly;
  Bytes block = kit::ply_block(m);
  ASSERT_EQ(g3d_chang_LinerBuf_DrawModel(block.data(), block.size(), &poly), 1);
  // The head lies away from the origin: its box holds its vertices alone.
  EXPECT_EQ(poly.part_boxes[1].min.x, -18);
  EXPECT_EQ(poly.part_boxes[1].min.y, 140);
  EXPECT_EQ(poly.part_boxes[1].max.y, 176);
  // An attachment point of one vertex has a box of that point.
  EXPECT_EQ(poly.part_boxes[4].min.x, 38);
  EXPECT_EQ(poly.part_boxes[4].max.x, 38);
  // A part without vertices keeps a zero box.
  m.parts.push_back({0, 3, 3});
  for (auto& frame : m.frames) frame.push_back(kit::identity_matrix());
  block = kit::ply_block(m);
  ASSERT_EQ(g3d_chang_LinerBuf_DrawModel(block.data(), block.size(), &poly), 1);
  EXPECT_EQ(poly.part_boxes.back().min.x, 0);
  EXPECT_EQ(poly.part_boxes.back().max.z, 0);
}

TEST(PlyModel, VertexFramesMapPartsToTheirOwnRuns) {
  kit::PlyModelSpec m = animated_box();
  Bytes block = kit::ply_block(m);
  G3dPoly poly;
  ASSERT_EQ(g3d_chang_LinerBuf_DrawModel(block.data(), block.size(), &poly), 1);
  EXPECT_EQ(poly.part_vertices(0, 0), poly.vertices.data()) << "0xFFFFFFFF: the model's own vertices";
  EXPECT_EQ(poly.part_vertices(1, 0)->x, m.vertices[0].x + 100) << "frame 1 starts at position 2 of its run";
  EXPECT_EQ(poly.part_vertices(7, 0), poly.vertices.data()) << "frames beyond the vertex frames use their own";
}

// Damage to one field of a sound block; each must be refused without reading past the block.
struct Damage {
  const char* name;
  void (*apply)(Bytes& block, const kit::PlyLayout& at);
};

void put32(Bytes& b, std::size_t at, std::uint32_t v) { put_u32le(b.data() + at, v); }

const Damage kDamages[] = {
    {"part count beyond the block", [](Bytes& b, const kit::PlyLayout& at) { put32(b, at.parts, 0x10000000); }},
    {"vertex count beyond the block", [](Bytes& b, const kit::PlyLayout& at) { put32(b, at.vertices, 0xFFFFFFFF); }},
    {"part ends past the vertices",
     [](Bytes& b, const kit::PlyLayout& at) { put32(b, at.parts + 4 + 12, 100000); }},
    {"part starts after its end",
     [](Bytes& b, const kit::PlyLayout& at) {
       put32(b, at.parts + 4 + 8, 20);
       put32(b, at.parts + 4 + 12, 10);
     }},
    {"triangle index past the vertices",
     [](Bytes& b, const kit::PlyLayout& at) { put_u16le(b.data() + at.triangles + 4 + 2, 0xFFFF); }},
    {"material range past the triangles",
     [](Bytes& b, const kit::PlyLayout& at) { put32(b, at.materials + 4 + 4, 70); }},
    {"material count beyond the block",
     [](Bytes& b, const kit::PlyLayout& at) { put32(b, at.materials, 0x7FFFFFFF); }},
    {"frame count times parts overflows",
     [](Bytes& b, const kit::PlyLayout& at) { put32(b, at.frames, 0x80000000); }},
    {"vertex frame maps past its vertices",
     [](Bytes& b, const kit::PlyLayout& at) { put32(b, at.vertex_frames + 4 + 8, 3); }},
    {"vertex frame count beyond the block",
     [](Bytes& b, const kit::PlyLayout& at) { put32(b, at.vertex_frames, 0x40000000); }},
    {"cut inside the vertices", [](Bytes& b, const kit::PlyLayout& at) { b.resize(at.vertices + 100); }},
    {"cut inside the frames", [](Bytes& b, const kit::PlyLayout& at) { b.resize(at.frames + 10); }},
    {"cut before the vertex frames", [](Bytes& b, const kit::PlyLayout& at) { b.resize(at.vertex_frames + 2); }},
    {"empty", [](Bytes& b, const kit::PlyLayout&) { b.clear(); }},
};

TEST(PlyModel, DamagedBlocksAreRefusedWhole) {
  const kit::PlyModelSpec m = animated_box();
  const kit::PlyLayout at = kit::ply_layout(m);
  for (const Damage& d : kDamages) {
    SCOPED_TRACE(d.name);
    Bytes block = kit::ply_block(m);
    d.apply(block, at);
    G3dPoly poly;
    poly.frame_count = 5;
    EXPECT_EQ(g3d_chang_LinerBuf_DrawModel(block.data(), block.size(), &poly), 0);
    EXPECT_EQ(poly.frame_count, 0u);
    EXPECT_TRUE(poly.parts.empty() && poly.vertices.empty() && poly.lpAMatFrame.empty());
  }
}

TEST(PlyModel, EveryCutOfABlockIsRefused) {
  const Bytes block = kit::ply_block(animated_box());
  for (std::size_t n = 0; n < block.size(); ++n) {
    G3dPoly poly;
    ASSERT_EQ(g3d_chang_LinerBuf_DrawModel(block.data(), n, &poly), 0) << n;
  }
}

TEST(PlyModel, DamagedFileIsReportedOncePerPathAndMissingFileInABoxEachTime) {
  ModelFolder folder;
  Bytes file = kit::ply_file(animated_box());
  file.resize(file.size() - 5);
  folder.write("bad.PLY", file);
  const std::string bad = folder.dir().str() + "/bad.PLY", missing = folder.dir().str() + "/none.PLY";
  G3dPoly poly;
  for (int k = 0; k < 3; ++k) {
    EXPECT_EQ(g3d_ply_load(&poly, bad.c_str()), 0);
    EXPECT_EQ(g3d_ply_load(&poly, missing.c_str()), 0);
  }
  EXPECT_EQ(test_support::count_of(folder.debug_log(), kModelDamaged), 1);
  ASSERT_EQ(platform::recorded_boxes().size(), 3u);
  EXPECT_EQ(platform::recorded_boxes()[0].text, kModelMissing + missing + "]");
  EXPECT_EQ(platform::recorded_boxes()[0].caption, kErrorCaption);
}

TEST(PlyIndex, FieldsAreReadUpToAZeroOrTheFieldsEnd) {
  ModelFolder folder;
  const std::string long_prefix(56, 'P');
  folder.write("MODEL/x.idx", kit::model_index(std::string(40, 'H'), std::string(32, 'E'), long_prefix, {{1, 7}, {3000, 9}}));
  PlyIndex index;
  ASSERT_EQ(g3d_load_idx_ply(&index, "x.idx"), 1) << "a relative name is looked for in the model folder";
  EXPECT_EQ(index.header(), std::string(40, 'H'));
  EXPECT_EQ(index.extension(), std::string(32, 'E'));
  EXPECT_EQ(index.prefix(), long_prefix);
  EXPECT_EQ(index.file_number(1), 7u);
  EXPECT_EQ(index.file_number(3000), 9u);
  EXPECT_EQ(index.file_number(0), 0u);
  EXPECT_EQ(index.file_number(3001), 0u);
  EXPECT_EQ(ply_file_name(index, 5), long_prefix + "00005.PLY");
}

TEST(PlyIndex, MissingIndexIsShownAndShortIndexIsZeroFilled) {
  ModelFolder folder;
  PlyIndex index;
  index.bytes[200] = 9;
  EXPECT_EQ(g3d_load_idx_ply(&index, "none.idx"), 0);
  EXPECT_EQ(test_support::box_texts(),
            std::vector<std::string>{"g3d_load_idx_ply(..)\xbf\xf9\xbb\x7e  \xa7\xe4\xa4\xa3\xa8\xec\xc0\xc9\xae\xd7"});
  EXPECT_EQ(g3d_load_idx_ply(nullptr, "none.idx"), 0);
  EXPECT_EQ(platform::recorded_boxes().back().text,
            "lpPlyIDX \xa8\x53\xa6\xb3\xb0\x74\xa8\xee\xb0\x4f\xbe\xd0\xc5\xe9");  // "lpPlyIDX 沒有配制記憶體"
  folder.write("MODEL/short.idx", Bytes{'A', 'B'});
  ASSERT_EQ(g3d_load_idx_ply(&index, "short.idx"), 1);
  EXPECT_EQ(index.header(), "AB");
  EXPECT_EQ(index.bytes[200], 0);
}

TEST(PlyIndex, EntryZeroLoadsNothingAndEntryFiveUsesTheEntryNumberItself) {
  ModelFolder folder;
  folder.write("MODEL/i.idx", kit::model_index("H", "WLD", "IT", {{5, 444}}));
  PlyIndex index;
  ASSERT_EQ(g3d_load_idx_ply(&index, "i.idx"), 1);
  folder.write("MODEL/IT00005.PLY", kit::ply_file(kit::box_model(10, 10, 10, 3)));
  G3dPoly poly;
  EXPECT_EQ(g3d_idx_ply_load(&poly, nullptr, &index, 0), 0);
  EXPECT_TRUE(platform::recorded_boxes().empty()) << "entry 0 touches no file";
  EXPECT_EQ(g3d_idx_ply_load(&poly, nullptr, &index, 5), 1) << "not the file number of the table";
  EXPECT_EQ(poly.triangle_count(), 12u);
}

TEST(PlyPack, EntriesLoadFromThePackFile) {
  ModelFolder folder;
  std::map<int, std::pair<std::uint32_t, std::uint32_t>> places;
  Bytes pack = kit::pack_file({{2, kit::ply_file(kit::box_model(10, 10, 10, 3))}, {4999, Bytes(10, 0)}}, &places);
  places[7] = {std::uint32_t(pack.size() - 4), 100};  // runs past the pack's end
  folder.write("MODEL/ItemPak.pak", pack);
  folder.write("MODEL/ItemPak.idx", kit::pack_index("ItemPak.pak", places));
  PlyPackIndex index;
  ASSERT_EQ(g3d_load_pack_idx(&index, "ItemPak.idx"), 1);
  G3dPoly poly;
  EXPECT_EQ(g3d_pack_ply_load(&poly, folder.model_dir().c_str(), &index, 2), 1);
  EXPECT_EQ(poly.triangle_count(), 12u);
  EXPECT_EQ(g3d_pack_ply_load(&poly, folder.model_dir().c_str(), &index, 7), 0);
  EXPECT_EQ(g3d_pack_ply_load(&poly, folder.model_dir().c_str(), &index, 4999), 0);
  EXPECT_EQ(g3d_pack_ply_load(&poly, folder.model_dir().c_str(), &index, 5001), 0);
}

}  // namespace
