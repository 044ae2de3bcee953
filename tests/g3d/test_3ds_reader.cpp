// The 3D Studio chunk handlers on small chunk buffers.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "g3d/g3ds_reader.h"
#include "platform/message_box.h"
#include "tests/fixtures/byte_writer.h"

namespace {

using kit::ByteWriter;

class G3dsReader : public testing::Test {
 protected:
  void SetUp() override {
    g3ds_free();
    platform::clear_recorded_boxes();
  }
  void TearDown() override { g3ds_free(); }

  // Runs the handler of a chunk on the bytes written so far (the chunk's data).
  void run(std::uint16_t id, ByteWriter& w) {
    data = w.bytes;
    const G3dsChunk* c = g3ds_find_chunk(id);
    ASSERT_NE(c, nullptr);
    ASSERT_EQ(c->kind, G3dsChunkKind::Handler);
    const G3dsPolyObjTab* object = g3ds.nG3dsPolyObjTabPtr;
    const G3dsTexMat* material = g3ds.nlpG3dsTexMatBuf;
    g3ds_begin(data.data(), data.size());
    g3ds.nG3dsPolyObjTabPtr = const_cast<G3dsPolyObjTab*>(object);
    g3ds.nlpG3dsTexMatBuf = const_cast<G3dsTexMat*>(material);
    c->handler();
    w.bytes.clear();
  }
  void string(ByteWriter& w, const std::string& s) {
    for (char ch : s) w.u8(std::uint8_t(ch));
    w.u8(0);
  }
  void object(const std::string& name) {
    ByteWriter w;
    string(w, name);
    run(0x4000, w);
  }
  void material(const std::string& name, const std::string& map) {
    ByteWriter w;
    string(w, name);
    run(0xA000, w);
    string(w, map);
    run(0xA300, w);
  }
  std::vector<std::string> object_names() const {
    std::vector<std::string> names;
    for (const G3dsPolyObjTab* o = &g3ds.first_object; o && int(names.size()) < g3ds.object_count; o = o->next.get())
      names.push_back(o->name.data());
    return names;
  }

  std::vector<std::uint8_t> data;
};

TEST_F(G3dsReader, TheTableHolds43ChunksInOrder) {
  EXPECT_EQ(g3ds_chunk_table[0].id, 0x0010);
  EXPECT_EQ(g3ds_chunk_table[42].id, 0xB008);
  int handlers = 0, containers = 0;
  for (const G3dsChunk& c : g3ds_chunk_table) {
    handlers += c.kind == G3dsChunkKind::Handler;
    containers += c.kind == G3dsChunkKind::Container;
    EXPECT_EQ(c.handler != nullptr, c.kind == G3dsChunkKind::Handler) << std::hex << c.id;
  }
  EXPECT_EQ(handlers, 21);
  EXPECT_EQ(containers, 7);
  EXPECT_EQ(g3ds_find_chunk(0x1234), nullptr);
}

TEST_F(G3dsReader, MeshChunksFillTheCurrentObject) {
  object("box");
  ByteWriter w;
  w.u16(3);
  for (float f : {1.f, 2.f, 3.f, 4.f, 5.f, 6.f, 7.f, 8.f, 9.f}) w.f32(f);
  run(0x4110, w);
  w.u16(1);
  for (int v : {0, 1, 2, 7}) w.u16(std::uint32_t(v));
  run(0x4120, w);
  w.u16(0);
  for (float f : {0.25f, 0.5f, 0.75f, 1.0f, 0.0f, 0.125f}) w.f32(f);
  run(0x4140, w);
  const G3dsPolyObjTab& o = g3ds.first_object;
  EXPECT_STREQ(o.name.data(), "box");
  EXPECT_EQ(o.node_id, 0xFFFE);
  EXPECT_EQ(o.parent_id, 0xFFFF);
  ASSERT_EQ(o.lpVertexList.size(), 3u);
  EXPECT_EQ(o.lpVertexList[2].z, 9.0f);
  EXPECT_EQ(o.lpVertexList[1].u, 0.75f);
  EXPECT_EQ(o.lpVertexList[1].v, -1.0f) << "v is stored negated";
  ASSERT_EQ(o.lpFaceList.size(), 1u);
  EXPECT_EQ(o.lpFaceList[0].a, 2) << "corners in reverse order";
  EXPECT_EQ(o.lpFaceList[0].c, 0);
  EXPECT_EQ(o.lpFaceList[0].flags, 7);
}

TEST_F(G3dsReader, NewObjectsGoAfterTheCurrentOne) {
  object("a");
  object("b");
  object("c");
  ByteWriter w;
  string(w, "a");
  w.u16(0);
  w.u16(0);
  w.u16(5);
  run(0xB010, w);  // a becomes current, parent 5
  EXPECT_EQ(g3ds.first_object.parent_id, 5);
  object("d");
  EXPECT_EQ(object_names(), (std::vector<std::string>{"a", "d", "b", "c"}));
  EXPECT_EQ(g3ds.object_count, 4);
}

TEST_F(G3dsReader, NodeHeadersOfUnknownNamesAreReportedAndDummiesAdded) {
  object("a");
  ByteWriter w;
  string(w, "nobody");
  w.u16(1);
  w.u16(2);
  w.u16(3);
  run(0xB010, w);
  ASSERT_EQ(platform::recorded_boxes().size(), 1u);
  EXPECT_EQ(platform::recorded_boxes()[0].text, "B010 : \xb5\x4c\xaa\x6b\xaf\xc1\xa4\xde\xa5\x58 Object \xa6\x57\xba\xd9!!");
  EXPECT_EQ(g3ds.first_object.parent_id, 0xFFFF) << "nothing more is read";
  string(w, "$$$DUMMY");
  w.u16(1);
  w.u16(2);
  w.u16(0);
  run(0xB010, w);
  EXPECT_EQ(object_names(), (std::vector<std::string>{"a", "$$$DUMMY"}));
  EXPECT_EQ(g3ds.nG3dsPolyObjTabPtr->parent_id, 0);
  w.u16(42);
  run(0xB030, w);
  EXPECT_EQ(g3ds.nG3dsPolyObjTabPtr->node_id, 42);
  string(w, "renamed");
  run(0xB011, w);
  EXPECT_EQ(object_names()[1], "renamed");
  for (float f : {1.f, 2.f, 3.f}) w.f32(f);
  run(0xB013, w);
  EXPECT_EQ(g3ds.nG3dsPolyObjTabPtr->pivot[2], 3.0f);
}

TEST_F(G3dsReader, MaterialsAndTheirIndicesByName) {
  material("plain", "");
  material("wood", "wood.bmp");
  material("iron", "ir.b");  // 4 characters: not textured
  material("stone", "stone.bmp");
  EXPECT_EQ(g3ds.material_count, 4);
  EXPECT_EQ(g3ds_material_index("stone"), 3);
  EXPECT_EQ(g3ds_textured_material_index("stone"), 1);
  EXPECT_EQ(g3ds_textured_material_index("iron"), -1);
  EXPECT_EQ(g3ds_material_index("none"), 0);
  EXPECT_EQ(g3ds_textured_material_index("none"), -1);
  // A face-material chunk gives every face of the object the material.
  object("o");
  ByteWriter w;
  w.u16(3);
  for (int k = 0; k < 12; ++k) w.u16(0);
  run(0x4120, w);
  string(w, "stone");
  w.u16(1);
  w.u16(0);
  run(0x4130, w);
  for (const G3dsFace& f : g3ds.first_object.lpFaceList) {
    EXPECT_EQ(f.material, 3);
    EXPECT_EQ(f.textured_material, 1);
  }
  EXPECT_STREQ(g3ds.first_object.material.data(), "stone");
}

TEST_F(G3dsReader, ColoursAndPercentagesNeedTheirSubChunks) {
  material("m", "");
  ByteWriter w;
  w.u16(0x0011);
  w.u32(9);
  w.u8(255);
  w.u8(0);
  w.u8(51);
  run(0xA020, w);
  const G3dsTexMat& m = g3ds.first_material;
  EXPECT_EQ(m.diffuse[0], 1.0f);
  EXPECT_EQ(m.diffuse[2], 0.2f);
  EXPECT_EQ(m.diffuse[3], 1.0f);
  w.u16(0x0030);
  w.u32(8);
  w.u16(75);
  run(0xA040, w);
  EXPECT_EQ(m.shininess, 75.0f);
  w.u16(0x0012);
  w.u32(9);
  run(0xA030, w);
  w.u16(0x0031);
  w.u32(8);
  run(0xA041, w);
  ASSERT_EQ(platform::recorded_boxes().size(), 2u);
  EXPECT_EQ(platform::recorded_boxes()[0].text, "A030 : \xc5\xaa\xa8\xfa\xbf\xf9\xbb\x7e");
  EXPECT_EQ(platform::recorded_boxes()[1].text, "A041 : \xc5\xaa\xa8\xfa\xbf\xf9\xbb\x7e");
}

TEST_F(G3dsReader, TracksSkipOneFloatPerFlagBitAndFramesKeepTheLargest) {
  object("o");
  ByteWriter w;
  w.u16(0);
  w.u32(0);
  w.u32(0);
  w.u32(2);
  w.u16(0);
  w.u32(0);
  for (float f : {1.f, 2.f, 3.f}) w.f32(f);
  w.u16(10);
  w.u32(0x5);  // two bits: two floats skipped
  for (float f : {-1.f, -1.f, 4.f, 5.f, 6.f}) w.f32(f);
  run(0xB020, w);
  const auto& keys = g3ds.first_object.lpPosFrameTab;
  ASSERT_EQ(keys.size(), 2u);
  EXPECT_EQ(keys[1].frame, 10);
  EXPECT_EQ(keys[1].x, 4.0f);
  EXPECT_EQ(keys[1].z, 6.0f);
  w.u16(0);
  w.u32(0);
  w.u32(0);
  w.u32(1);
  w.u16(3);
  w.u32(0);
  for (float f : {90.f, 0.f, 1.f, 0.f}) w.f32(f);
  run(0xB021, w);
  EXPECT_EQ(g3ds.first_object.lpOuatFrameTab[0].angle, 90.0f);
  EXPECT_EQ(g3ds.first_object.lpOuatFrameTab[0].y, 1.0f);
  for (std::uint32_t end : {30u, 12u}) {
    w.u32(0);
    w.u32(end);
    run(0xB008, w);
  }
  EXPECT_EQ(g3ds.max_frame, 30);
}

TEST_F(G3dsReader, KeyCountsBeyondTheBufferAreCutAndReadsPastItGiveZeros) {
  object("o");
  ByteWriter w;
  w.u16(0);
  w.u32(0);
  w.u32(0);
  w.u32(0xFFFFFFFF);  // four billion keys announced
  w.u16(1);
  w.u32(0);
  w.f32(7);
  run(0xB022, w);
  EXPECT_TRUE(g3ds.first_object.lpScaleFrameTab.empty()) << "not even one whole key remains";
  w.u16(2);  // two vertices announced, one and a half given
  for (float f : {1.f, 2.f, 3.f, 4.f}) w.f32(f);
  run(0x4110, w);
  ASSERT_EQ(g3ds.first_object.lpVertexList.size(), 2u);
  EXPECT_EQ(g3ds.first_object.lpVertexList[1].x, 4.0f);
  EXPECT_EQ(g3ds.first_object.lpVertexList[1].y, 0.0f);
}

TEST_F(G3dsReader, LongStringsAreCutAt79CharactersAndTheCursorPassesTheirEnd) {
  ByteWriter w;
  string(w, std::string(100, 'x'));
  w.u16(0xBEEF);
  run(0x4000, w);
  EXPECT_EQ(std::strlen(g3ds.first_object.name.data()), 79u);
  EXPECT_EQ(platform::recorded_boxes().size(), 1u);
  EXPECT_EQ(g3ds.cursor, 101u) << "past the zero of the long string";
}

TEST_F(G3dsReader, TheLocalMatrixInvertsTheRotationAndMovesByMinusTheTranslation) {
  object("o");
  ByteWriter w;
  for (float f : {1.f, 0.f, 0.f, 0.f, 1.f, 0.f, 0.f, 0.f, 1.f, 10.f, 20.f, 30.f}) w.f32(f);
  run(0x4160, w);
  const G3dMatrix& m = g3ds.first_object.local;
  EXPECT_FLOAT_EQ(m.m[0], 1.0f);
  EXPECT_FLOAT_EQ(m.m[3], -10.0f);
  EXPECT_FLOAT_EQ(m.m[7], -20.0f);
  EXPECT_FLOAT_EQ(m.m[11], -30.0f);
}

}  // namespace
