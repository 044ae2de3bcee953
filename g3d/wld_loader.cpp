// The WLD loaders.
#include "g3d/wld_loader.h"

#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "core/byte_reader.h"
#include "core/log.h"
#include "core/mem_mgr.h"
#include "core/paths.h"
#include "g3d/g3d_read.h"
#include "g3d/lzo_block.h"
#include "g3d/wld_face_bins.h"
#include "g3d/wld_grid.h"
#include "platform/files.h"
#include "platform/message_box.h"

void (*wld_loading_bar)(int step) = nullptr;

// Each load and grid build gets a number of its own, so that what is cached about a world (the
// grid query of the world drawer) is never taken for another world loaded into the same record.
std::uint32_t wld_next_serial() {
  static std::uint32_t serial = 0;
  if (++serial == 0) ++serial;
  return serial;
}

namespace {


void show_error(const std::string& text) {
  platform::message_box(nullptr, text, error_caption, platform::BoxButtons::Ok, platform::BoxIcon::Error);
}

void loading_bar(int step) {
  if (wld_loading_bar) wld_loading_bar(step);
}

bool read_vertex_array(ByteReader& r, std::uint64_t n, std::vector<G3dVertex>& out) {
  if (!fits(r, n, g3d_vertex_bytes)) return false;
  out.resize(n);
  for (auto& v : out) v = read_vertex(r);
  return r.ok();
}

bool read_object_indices(ByteReader& r, G3dWldObj& o) {
  std::uint32_t n = r.u32();
  if (!fits(r, n, 2)) return false;
  o.indices.resize(n);
  for (auto& index : o.indices) {
    index = r.u16();
    if (index >= o.vertices.size()) return false;
  }
  return r.ok();
}

bool read_object_frames(ByteReader& r, G3dWldObj& o) {
  std::uint32_t n = r.u32();
  if (!fits(r, n, g3d_matrix_bytes)) return false;
  o.frames.resize(n);
  for (auto& m : o.frames) m = read_matrix(r);
  o.vertex_animation = r.u32();
  if (o.vertex_animation && !read_vertex_array(r, std::uint64_t(n) * o.vertices.size(), o.animated)) return false;
  return r.ok();
}

// Geometry: the world box, the kept bytes, the object table and blocks, the names, the two
// kept values.
bool read_geometry(ByteReader& r, G3dWld& w) {
  r.skip(32);
  w.box = read_box(r);
  if (const std::uint8_t* kept = r.bytes(w.geometry_kept.size()))
    std::memcpy(w.geometry_kept.data(), kept, w.geometry_kept.size());
  std::uint32_t m = r.u32();
  if (!r.ok() || !fits(r, m, 8)) return false;
  std::vector<std::uint32_t> sizes(m);
  for (auto& size : sizes) {
    size = r.u32();
    r.u32();
  }
  w.objects.resize(m);
  for (std::uint32_t i = 0; i < m; ++i) {
    const std::uint8_t* block = r.bytes(sizes[i]);
    if (!block || !g3d_wld_fix_object(block, sizes[i], &w.objects[i])) return false;
  }
  std::uint32_t k = r.u32();
  if (!r.ok() || !fits(r, k, 32)) return false;
  w.names.resize(k);
  for (WldName& name : w.names) {
    const std::uint8_t* text = r.bytes(32);
    std::memcpy(name.data(), text, 31);
    name[31] = 0;  // a full-width name keeps its first 31 characters
  }
  w.kept_values[0] = r.u32();
  w.kept_values[1] = r.u32();
  return r.ok();
}

bool read_coll_tris(ByteReader& r, G3dWld& w) {
  if (const std::uint8_t* kept = r.bytes(w.Mask.kept.size())) std::memcpy(w.Mask.kept.data(), kept, w.Mask.kept.size());
  std::uint32_t c = r.u32();
  r.u32();
  if (!r.ok() || !fits(r, c, sizeof(CollTri))) return false;
  w.Mask.lpCollTri.resize(c);
  for (CollTri& t : w.Mask.lpCollTri) {
    for (float* corner : {t.k0, t.k1, t.k2, t.n})
      for (int a = 0; a < 3; ++a) corner[a] = read_f32(r);
    t.d = read_f32(r);
  }
  if (c) loading_bar(5);
  return r.ok();
}

// The collision grid; every cell's run must lie inside the face list. The face indices are
// checked against the collision triangles once all sections are read.
bool read_coll_grid(ByteReader& r, G3dWld& w) {
  auto a = std::make_unique<CollArray>();
  a->nx = r.u32();
  a->ny = r.u32();
  a->nz = r.u32();
  for (float* v : {a->min, a->max, a->cell})
    for (int i = 0; i < 3; ++i) v[i] = read_f32(r);
  a->face_total = r.u32();
  r.skip(8);
  if (!r.ok()) return false;
  if (a->face_total != 0) {
    std::uint64_t cells = std::uint64_t(a->nx) * a->nz;
    if (!fits(r, a->face_total, 4)) return false;
    a->lpTotFaceList.resize(a->face_total);
    for (auto& f : a->lpTotFaceList) f = r.u32();
    if (!fits(r, cells, 8)) return false;
    a->lpColl.resize(cells);
    std::uint64_t p = 0;
    for (CollCell& cell : a->lpColl) {
      cell.count = r.u16();
      cell.pad = r.u16();
      r.u32();
      cell.first = std::uint32_t(p);
      p += cell.count;
    }
    if (p > a->face_total) return false;
    loading_bar(6);
  }
  w.lpCollArray = std::move(a);
  return r.ok();
}

bool read_wall_boxes(ByteReader& r, G3dWld& w) {
  r.u32();
  std::uint32_t b = r.u32();
  if (!r.ok() || !fits(r, b, g3d_box_bytes)) return false;
  w.MaskBpx.lpBox.resize(b);
  for (G3dBox& box : w.MaskBpx.lpBox) box = read_box(r);
  if (b) loading_bar(7);
  return r.ok();
}

bool read_section(const std::uint8_t* image, std::size_t size, std::uint32_t type, std::uint32_t offset, G3dWld& w) {
  ByteReader r(image, size);
  if (!r.seek(wld_header_size) || !r.skip(offset)) return false;
  switch (type) {
    case wld_section_geometry:
      if (!read_geometry(r, w)) return false;
      loading_bar(4);
      return true;
    case wld_section_coll_tris:
      return read_coll_tris(r, w);
    case wld_section_coll_grid:
      return read_coll_grid(r, w);
    case wld_section_wall_boxes:
      return read_wall_boxes(r, w);
    default:
      return true;  // other sections are skipped
  }
}

bool coll_faces_agree(const G3dWld& w) {
  if (!w.lpCollArray) return true;
  for (std::uint32_t f : w.lpCollArray->lpTotFaceList)
    if (f >= w.Mask.lpCollTri.size()) return false;
  return true;
}

bool parse_image(const std::uint8_t* image, std::size_t size, std::uint32_t sections, const std::uint8_t* header,
                 G3dWld& w) {
  for (std::uint32_t s = 0; s < sections; ++s) {
    std::uint32_t type = ByteReader(header, wld_header_size).u32_at(12 + 8 * s);
    std::uint32_t offset = ByteReader(header, wld_header_size).u32_at(16 + 8 * s);
    if (!read_section(image, size, type, offset, w)) return false;
  }
  return coll_faces_agree(w);
}

enum class Parse { Ok, Damaged, NoMemory };

Parse parse_file(const std::uint8_t* file, std::size_t size, G3dWld& w) {
  if (size < wld_header_size) return Parse::Damaged;
  std::uint32_t sections = ByteReader(file, size).u32_at(8);
  std::uint32_t unpacked = ByteReader(file, size).u32_at(148);
  std::uint32_t packed = ByteReader(file, size).u32_at(152);
  if (sections > wld_max_sections) return Parse::Damaged;
  if (unpacked == 0) return parse_image(file, size, sections, file, w) ? Parse::Ok : Parse::Damaged;
  if (unpacked > ply_max_unpacked_bytes || packed > size - wld_header_size || !lzo_sizes_plausible(unpacked, packed))
    return Parse::Damaged;
  auto* image = static_cast<std::uint8_t*>(mem_calloc(unpacked));
  if (!image) return Parse::NoMemory;
  std::uint32_t out_size = unpacked;
  bool ok = g3d_decompress_lzo(file + wld_header_size, packed, image, &out_size) == 0 && out_size == unpacked &&
            parse_image(image, unpacked, sections, file, w);
  MemMgr_Free(image);
  return ok ? Parse::Ok : Parse::Damaged;
}

std::set<std::string>& reported_damage() {
  static std::set<std::string> reported;
  return reported;
}

}  // namespace

bool g3d_wld_fix_object(const std::uint8_t* block, std::size_t size, G3dWldObj* out) {
  ByteReader r(block, size);
  G3dWldObj o;
  o.first_word = r.u32();
  o.box = read_box(r);
  o.sphere = read_sphere(r);
  o.flags = r.u32();
  o.tex_no = r.u32();
  if (!read_vertex_array(r, r.u32(), o.vertices) || !read_object_indices(r, o) || !read_object_frames(r, o))
    return false;
  const std::uint8_t* trailing = r.bytes(o.trailing.size());
  if (!trailing) return false;
  std::memcpy(o.trailing.data(), trailing, o.trailing.size());
  *out = std::move(o);
  return true;
}

int g3d_wld_load_bytes(G3dWld* world, const std::uint8_t* file, std::size_t size, const char* name) {
  loading_bar(3);
  G3dWld w;
  Parse result = parse_file(file, size, w);
  if (result == Parse::NoMemory) {
    // "g3d_wld_load(..)錯誤  無法配制記憶體"
    show_error("g3d_wld_load(..)\xbf\xf9\xbb\x7e  \xb5\x4c\xaa\x6b\xb0\x74\xa8\xee\xb0\x4f\xbe\xd0\xc5\xe9");
    return 0;
  }
  if (result == Parse::Damaged) {
    if (reported_damage().insert(name ? name : "").second)
      // "g3d_wld_load(%s)錯誤  世界檔案損壞"
      report_error("g3d_wld_load(%s)\xbf\xf9\xbb\x7e  \xa5\x40\xac\xc9\xc0\xc9\xae\xd7\xb7\x6c\xc3\x61", name ? name : "");
    return 0;
  }
  loading_bar(8);
  g3d_wld_free(world);
  *world = std::move(w);
  world->serial = wld_next_serial();
  g3d_wld_build_face_bins(world);
  return 1;
}

int g3d_wld_load(G3dWld* world, const char* path) {
  loading_bar(0);
  std::vector<std::uint8_t> file;
  if (!path || !platform::file_exists(path) || !platform::read_whole_file(path, file, ply_max_unpacked_bytes)) {
    if (!path || !platform::file_exists(path))
      // "g3d_wld_load(..)錯誤  找不到檔案"
      show_error("g3d_wld_load(..)\xbf\xf9\xbb\x7e  \xa7\xe4\xa4\xa3\xa8\xec\xc0\xc9\xae\xd7");
    else if (reported_damage().insert(path).second)
      report_error("g3d_wld_load(%s)\xbf\xf9\xbb\x7e  \xa5\x40\xac\xc9\xc0\xc9\xae\xd7\xb7\x6c\xc3\x61", path);
    return 0;
  }
  loading_bar(1);
  loading_bar(2);
  return g3d_wld_load_bytes(world, file.data(), file.size(), path);
}

int g3d_idx_wld_load(G3dWld* world, const char* directory, const PlyIndex* index, int entry) {
  if (!index || entry - 1 < 0 || entry - 1 > 2999) return 0;
  std::uint32_t number = index->file_number(entry);
  if (number == 0) {
    // "找不到 所選擇之模型檔案 xxxxx.PLY"
    show_error("\xa7\xe4\xa4\xa3\xa8\xec \xa9\xd2\xbf\xef\xbe\xdc\xa4\xa7\xbc\xd2\xab\xac\xc0\xc9\xae\xd7 xxxxx.PLY");
    return 0;
  }
  std::string path = directory ? directory : "\\";
  append_path(path, make_numbered_name(index->prefix(), index->extension(), int(number), 5));
  return g3d_wld_load(world, path.c_str());
}

int g3d_pack_wld_load(G3dWld* world, const char* directory, const PlyPackIndex* index, int entry) {
  std::vector<std::uint8_t> bytes;
  if (!index || entry - 1 < 0 || entry - 1 > 2999) return 0;
  // "g3d_pack_wld_load(..)錯誤  找不到檔案"
  if (!read_pack_entry(directory, *index, entry,
                       "g3d_pack_wld_load(..)\xbf\xf9\xbb\x7e  \xa7\xe4\xa4\xa3\xa8\xec\xc0\xc9\xae\xd7", &bytes))
    return 0;
  return g3d_wld_load_bytes(world, bytes.data(), bytes.size(), index->pack_name().c_str());
}

void g3d_wld_free_geometry(G3dWld* world) {
  world->objects.clear();
  world->objects.shrink_to_fit();
  world->names.clear();
  world->names.shrink_to_fit();
  world->box = G3dBox{};
  world->geometry_kept = {};
  world->kept_values[0] = world->kept_values[1] = 0;
}

void g3d_coll_array_clear(CollArray* array) { *array = CollArray{}; }

void g3d_wld_free(G3dWld* world) {
  g3d_wld_free_face_bins(world);
  g3d_wld_free_grid(world);
  g3d_wld_free_geometry(world);
  world->Mask = WldMask{};
  world->MaskBpx = WldMaskBpx{};
  if (world->lpCollArray) g3d_coll_array_clear(world->lpCollArray.get());
  world->lpCollArray.reset();
  world->serial = 0;
}
