// The 3D Studio chunk handlers.
#include "g3d/g3ds_reader.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <string>

#include "core/log.h"
#include "platform/message_box.h"

G3dsState g3ds;

namespace {

void show_error(const char* text) {
  platform::message_box(nullptr, text, error_caption, platform::BoxButtons::Ok,
                        platform::BoxIcon::Error);
}

std::size_t remaining() { return g3ds.cursor < g3ds.size ? g3ds.size - g3ds.cursor : 0; }

std::uint8_t read_u8() { return remaining() >= 1 ? g3ds.data[g3ds.cursor++] : 0; }

std::uint16_t read_u16() {
  std::uint16_t lo = read_u8();
  return std::uint16_t(lo | read_u8() << 8);
}

std::uint32_t read_u32() {
  std::uint32_t lo = read_u16();
  return lo | std::uint32_t(read_u16()) << 16;
}

float read_float() { return std::bit_cast<float>(read_u32()); }

// A zero-terminated string: at most 79 characters are kept; a longer one is reported and cut,
// and the cursor still moves past its end.
void read_string(G3dsName& out) {
  out.fill(0);
  std::size_t n = 0;
  bool reported = false;
  while (remaining() > 0) {
    char c = char(read_u8());
    if (c == 0) break;
    if (n < g3ds_name_size - 1) {
      out[n++] = c;
      continue;
    }
    if (!reported) show_error("\xa6\x72\xa6\xea\xb9\x4c\xaa\xf8 ,\xb6\x57\xb9\x4c 80 \xad\xd3");  // "字串過長 ,超過 80 個"
    reported = true;
  }
}

bool same_name(const G3dsName& a, const char* b) { return std::strncmp(a.data(), b, g3ds_name_size) == 0; }

void read_sub_header() {
  g3ds.sub_id = read_u16();
  g3ds.sub_length = read_u32();
}

// A new zeroed object after the current one, made current.
G3dsPolyObjTab* insert_object_after_current() {
  auto node = std::make_unique<G3dsPolyObjTab>();
  node->next = std::move(g3ds.nG3dsPolyObjTabPtr->next);
  g3ds.nG3dsPolyObjTabPtr->next = std::move(node);
  g3ds.nG3dsPolyObjTabPtr = g3ds.nG3dsPolyObjTabPtr->next.get();
  return g3ds.nG3dsPolyObjTabPtr;
}

// A record count cut to the records that begin inside the buffer: the rest would read zeros.
std::size_t records_begun(std::uint32_t count, std::size_t record_bytes) {
  return std::min<std::size_t>(count, (remaining() + record_bytes - 1) / record_bytes);
}

void named_object() {
  G3dsName name;
  read_string(name);
  G3dsPolyObjTab* o = g3ds.object_count > 0 ? insert_object_after_current() : g3ds.nG3dsPolyObjTabPtr;
  o->node_id = 0xFFFE;
  o->parent_id = 0xFFFF;
  ++g3ds.object_count;
  o->name = name;
}

void vertex_list() {
  const std::size_t n = records_begun(read_u16(), 12);
  auto& list = g3ds.nG3dsPolyObjTabPtr->lpVertexList;
  list.assign(n, G3dVertex{});
  for (G3dVertex& v : list) {
    v.x = read_float();
    v.y = read_float();
    v.z = read_float();
  }
}

void face_list() {
  const std::size_t n = records_begun(read_u16(), 8);
  auto& list = g3ds.nG3dsPolyObjTabPtr->lpFaceList;
  list.assign(n, G3dsFace{});
  for (G3dsFace& f : list) {
    std::uint16_t a = read_u16(), b = read_u16(), c = read_u16();
    f.a = c;
    f.b = b;
    f.c = a;
    f.flags = read_u16();
  }
}

void face_material() {
  G3dsPolyObjTab* o = g3ds.nG3dsPolyObjTabPtr;
  read_string(o->material);
  std::uint16_t n = read_u16();
  g3ds.cursor += std::min<std::size_t>(2 * std::size_t(n), remaining());
  // Every face of the object takes the material, not only the faces listed.
  int material = g3ds_material_index(o->material.data());
  int textured = g3ds_textured_material_index(o->material.data());
  for (G3dsFace& f : o->lpFaceList) {
    f.material = material;
    f.textured_material = textured;
  }
}

void texture_coordinates() {
  read_u16();
  for (G3dVertex& v : g3ds.nG3dsPolyObjTabPtr->lpVertexList) {
    v.u = read_float();
    v.v = -read_float();
  }
}

void local_matrix() {
  float rotation[9], inverse[9];
  for (float& f : rotation) f = read_float();
  float t[3];
  for (float& f : t) f = -read_float();
  g3d_mat3_inverse(rotation, inverse);
  G3dMatrix from, turned, shift, local;
  g3d_mat_from_3x3(inverse, &from);
  g3d_mat_transpose(&from, &turned);
  g3d_mat_translation(t, &shift);
  g3d_mat_multiply(&turned, &shift, &local);
  g3ds.nG3dsPolyObjTabPtr->local = local;
}

void material_name() {
  G3dsName name;
  read_string(name);
  G3dsTexMat* m = g3ds.nlpG3dsTexMatBuf;
  if (g3ds.material_count > 0) {
    G3dsTexMat* tail = &g3ds.first_material;
    while (tail->next) tail = tail->next.get();
    tail->next = std::make_unique<G3dsTexMat>();
    m = g3ds.nlpG3dsTexMatBuf = tail->next.get();
  }
  m->name = name;
  m->textured = 0;
  ++g3ds.material_count;
}

void read_colour(float out[4], const char* error) {
  read_sub_header();
  if (g3ds.sub_id != 0x0011) {
    show_error(error);
    return;
  }
  for (int k = 0; k < 3; ++k) out[k] = float(read_u8()) / 255.0f;
  out[3] = 1.0f;
}

void ambient() { read_colour(g3ds.nlpG3dsTexMatBuf->ambient, "A010 : \xc5\xaa\xa8\xfa\xbf\xf9\xbb\x7e"); }
void diffuse() { read_colour(g3ds.nlpG3dsTexMatBuf->diffuse, "A020 : \xc5\xaa\xa8\xfa\xbf\xf9\xbb\x7e"); }
void specular() { read_colour(g3ds.nlpG3dsTexMatBuf->specular, "A030 : \xc5\xaa\xa8\xfa\xbf\xf9\xbb\x7e"); }

void read_percentage(float* out, const char* error) {
  read_sub_header();
  if (g3ds.sub_id != 0x0030) {
    show_error(error);
    return;
  }
  *out = float(read_u16());
}

void shininess() { read_percentage(&g3ds.nlpG3dsTexMatBuf->shininess, "A040 : \xc5\xaa\xa8\xfa\xbf\xf9\xbb\x7e"); }
void shininess_strength() {
  read_percentage(&g3ds.nlpG3dsTexMatBuf->shininess_strength, "A041 : \xc5\xaa\xa8\xfa\xbf\xf9\xbb\x7e");
}

void texture_map_name() {
  G3dsTexMat* m = g3ds.nlpG3dsTexMatBuf;
  read_string(m->map_name);
  m->textured = std::strlen(m->map_name.data()) >= 5 ? 1 : 0;
}

void node_header() {
  G3dsName name;
  read_string(name);
  G3dsPolyObjTab* found = nullptr;
  for (G3dsPolyObjTab* o = &g3ds.first_object; o && !found; o = o->next.get())
    if (g3ds.object_count > 0 && same_name(o->name, name.data())) found = o;
  if (found) {
    g3ds.nG3dsPolyObjTabPtr = found;
  } else if (same_name(name, "$$$DUMMY")) {
    G3dsPolyObjTab* o = g3ds.object_count > 0 ? insert_object_after_current() : g3ds.nG3dsPolyObjTabPtr;
    o->name = name;
    o->node_id = 0xFFFE;
    o->parent_id = 0xFFFF;
    ++g3ds.object_count;
  } else {
    show_error("B010 : \xb5\x4c\xaa\x6b\xaf\xc1\xa4\xde\xa5\x58 Object \xa6\x57\xba\xd9!!");  // "B010 : 無法索引出 Object 名稱!!"
    return;
  }
  read_u16();
  read_u16();
  g3ds.nG3dsPolyObjTabPtr->parent_id = read_u16();
}

void node_id() { g3ds.nG3dsPolyObjTabPtr->node_id = read_u16(); }
void instance_name() { read_string(g3ds.nG3dsPolyObjTabPtr->name); }

void pivot() {
  for (float& f : g3ds.nG3dsPolyObjTabPtr->pivot) f = read_float();
}

// The key count of a track; a count the remaining bytes cannot hold (each key takes at least
// its frame, its flag word and its values) is cut to what they can.
std::uint32_t track_key_count(std::size_t value_bytes) {
  read_u16();
  read_u32();
  read_u32();
  std::uint32_t n = read_u32();
  std::size_t most = remaining() / (2 + 4 + value_bytes);
  return std::uint32_t(std::min<std::size_t>(n, most));
}

// A key's frame, then one float skipped per set bit of its flag word.
int read_key_head() {
  int frame = read_u16();
  std::uint32_t flags = read_u32();
  g3ds.cursor += std::min<std::size_t>(4 * std::size_t(std::popcount(flags)), remaining());
  return frame;
}

void read_track(std::vector<G3dsKey>& keys) {
  keys.assign(track_key_count(12), G3dsKey{});
  for (G3dsKey& k : keys) {
    k.frame = read_key_head();
    k.x = read_float();
    k.y = read_float();
    k.z = read_float();
  }
}

void position_track() { read_track(g3ds.nG3dsPolyObjTabPtr->lpPosFrameTab); }
void scale_track() { read_track(g3ds.nG3dsPolyObjTabPtr->lpScaleFrameTab); }

void rotation_track() {
  auto& keys = g3ds.nG3dsPolyObjTabPtr->lpOuatFrameTab;
  keys.assign(track_key_count(16), G3dsRotKey{});
  for (G3dsRotKey& k : keys) {
    k.frame = read_key_head();
    k.angle = read_float();
    k.x = read_float();
    k.y = read_float();
    k.z = read_float();
  }
}

void frames() {
  read_u32();
  int end = int(read_u32());
  g3ds.max_frame = std::max(g3ds.max_frame, end);
}

constexpr G3dsChunkKind kNone = G3dsChunkKind::None, kBox = G3dsChunkKind::Container, kRead = G3dsChunkKind::Handler;

}  // namespace

const G3dsChunk g3ds_chunk_table[g3ds_chunk_count] = {
    {0x0010, kNone, nullptr},          {0x0011, kNone, nullptr},        {0x0012, kNone, nullptr},
    {0x0013, kNone, nullptr},          {0x0030, kNone, nullptr},        {0x0031, kNone, nullptr},
    {0x4D4D, kBox, nullptr},           {0x0002, kNone, nullptr},        {0x3D3D, kBox, nullptr},
    {0x1200, kNone, nullptr},          {0x2100, kNone, nullptr},        {0x4000, kRead, named_object},
    {0x4100, kBox, nullptr},           {0x4110, kRead, vertex_list},    {0x4120, kRead, face_list},
    {0x4130, kRead, face_material},    {0x4140, kRead, texture_coordinates}, {0x4150, kNone, nullptr},
    {0x4160, kRead, local_matrix},     {0x4600, kNone, nullptr},        {0x4610, kNone, nullptr},
    {0x4700, kNone, nullptr},          {0xAFFF, kBox, nullptr},         {0xA000, kRead, material_name},
    {0xA010, kRead, ambient},          {0xA020, kRead, diffuse},        {0xA030, kRead, specular},
    {0xA040, kRead, shininess},        {0xA041, kRead, shininess_strength}, {0xA200, kBox, nullptr},
    {0xA230, kNone, nullptr},          {0xA300, kRead, texture_map_name}, {0xB000, kBox, nullptr},
    {0xB001, kNone, nullptr},          {0xB002, kBox, nullptr},         {0xB010, kRead, node_header},
    {0xB030, kRead, node_id},          {0xB011, kRead, instance_name},  {0xB013, kRead, pivot},
    {0xB020, kRead, position_track},   {0xB022, kRead, scale_track},    {0xB021, kRead, rotation_track},
    {0xB008, kRead, frames},
};

const G3dsChunk* g3ds_find_chunk(std::uint16_t id) {
  for (const G3dsChunk& c : g3ds_chunk_table)
    if (c.id == id) return &c;
  return nullptr;
}

void g3ds_begin(const std::uint8_t* data, std::size_t size) {
  g3ds.data = data;
  g3ds.size = data ? size : 0;
  g3ds.cursor = 0;
  g3ds.nG3dsPolyObjTabPtr = &g3ds.first_object;
  g3ds.nlpG3dsTexMatBuf = &g3ds.first_material;
}

void g3ds_free() {
  // The lists are unlinked node by node so that a long list does not recurse.
  for (auto next = std::move(g3ds.first_object.next); next;) next = std::move(next->next);
  for (auto next = std::move(g3ds.first_material.next); next;) next = std::move(next->next);
  g3ds.first_object = G3dsPolyObjTab{};
  g3ds.first_material = G3dsTexMat{};
  g3ds.object_count = g3ds.material_count = 0;
  g3ds.max_frame = 0;
  g3ds.nG3dsPolyObjTabPtr = &g3ds.first_object;
  g3ds.nlpG3dsTexMatBuf = &g3ds.first_material;
}

int g3ds_material_index(const char* name) {
  int index = 0;
  for (const G3dsTexMat* m = &g3ds.first_material; m && index < g3ds.material_count; m = m->next.get(), ++index)
    if (same_name(m->name, name)) return index;
  return 0;
}

int g3ds_textured_material_index(const char* name) {
  int textured = 0, index = 0;
  for (const G3dsTexMat* m = &g3ds.first_material; m && index < g3ds.material_count; m = m->next.get(), ++index) {
    if (same_name(m->name, name)) return m->textured ? textured : -1;
    if (m->textured) ++textured;
  }
  return -1;
}
