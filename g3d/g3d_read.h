#pragma once
// Reads of the 3D records stored in model, world and animation files, field by field through the
// little-endian reader: floats, vectors, boxes, matrices, vertices and bounding spheres. A read
// past the end gives zeros and marks the reader failed, as every ByteReader read does.
#include <bit>
#include <cstdint>

#include "core/byte_reader.h"
#include "g3d/bounding_sphere.h"
#include "g3d/g3d_math.h"
#include "g3d/g3d_vertex.h"

// True when count records of each bytes lie between the reader's position and the end.
inline bool fits(const ByteReader& r, std::uint64_t count, std::uint64_t each) {
  return count == 0 || count <= r.remaining() / each;
}

inline float read_f32(ByteReader& r) { return std::bit_cast<float>(r.u32()); }

inline G3dVector read_vector4(ByteReader& r) {
  G3dVector v;
  v.x = read_f32(r);
  v.y = read_f32(r);
  v.z = read_f32(r);
  v.w = read_f32(r);
  return v;
}

inline G3dBox read_box(ByteReader& r) {
  G3dBox b;
  b.min = read_vector4(r);
  b.max = read_vector4(r);
  return b;
}

inline G3dMatrix read_matrix(ByteReader& r) {
  G3dMatrix m;
  for (float& e : m.m) e = read_f32(r);
  return m;
}

inline G3dSphere read_sphere(ByteReader& r) {
  G3dSphere s;
  s.centre = read_vector4(r);
  s.size = read_f32(r);
  return s;
}

inline G3dVertex read_vertex(ByteReader& r) {
  G3dVertex v;
  v.x = read_f32(r);
  v.y = read_f32(r);
  v.z = read_f32(r);
  for (float& f : v.unread) f = read_f32(r);
  v.u = read_f32(r);
  v.v = read_f32(r);
  v.colour = r.u32();
  return v;
}

constexpr std::uint32_t g3d_box_bytes = 32;
constexpr std::uint32_t g3d_sphere_bytes = 20;
constexpr std::uint32_t g3d_matrix_bytes = 64;
constexpr std::uint32_t g3d_vertex_bytes = 40;
