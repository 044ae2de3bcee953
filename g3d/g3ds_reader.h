#pragma once
// The 3D Studio chunk reader: a table from chunk identifiers to handlers, and the handlers,
// which read meshes, materials and keyframe tracks at a read cursor into two lists (objects
// and materials). Every read is bounded by the buffer given to g3ds_begin: past its end a
// read gives zeros and strings end. Nothing in the game loads a .3DS file.
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "g3d/g3d_math.h"
#include "g3d/g3d_vertex.h"

constexpr std::size_t g3ds_name_size = 80;  // 79 characters and the zero
using G3dsName = std::array<char, g3ds_name_size>;

// A face: the corners in reverse of the file's order (the file's third corner first).
struct G3dsFace {
  std::uint16_t a = 0, b = 0, c = 0, flags = 0;
  int material = 0;
  int textured_material = 0;
};

struct G3dsKey {
  int frame = 0;
  float x = 0, y = 0, z = 0;
};

struct G3dsRotKey {
  int frame = 0;
  float angle = 0, x = 0, y = 0, z = 0;
};

struct G3dsPolyObjTab {
  G3dsName name{};
  std::uint16_t node_id = 0xFFFE, parent_id = 0xFFFF;
  std::vector<G3dVertex> lpVertexList;  // x, y, z, u, v filled
  std::vector<G3dsFace> lpFaceList;
  G3dsName material{};
  G3dMatrix local{};
  float pivot[3] = {};
  std::vector<G3dsKey> lpPosFrameTab;
  std::vector<G3dsKey> lpScaleFrameTab;
  std::vector<G3dsRotKey> lpOuatFrameTab;
  std::unique_ptr<G3dsPolyObjTab> next;
};

struct G3dsTexMat {
  G3dsName map_name{};
  int textured = 0;  // 1 when the map name has at least 5 characters
  G3dsName name{};
  float ambient[4] = {}, diffuse[4] = {}, specular[4] = {};  // r, g, b, a
  float shininess = 0, shininess_strength = 0;
  std::unique_ptr<G3dsTexMat> next;
};

// The reading state.
struct G3dsState {
  const std::uint8_t* data = nullptr;  // the buffer the cursor moves in
  std::size_t size = 0;
  std::size_t cursor = 0;
  std::uint16_t sub_id = 0;   // the last sub-chunk header read
  std::uint32_t sub_length = 0;
  int object_count = 0, material_count = 0;
  G3dsPolyObjTab first_object;  // the heads of the two lists
  G3dsTexMat first_material;
  G3dsPolyObjTab* nG3dsPolyObjTabPtr = &first_object;  // the current object
  G3dsTexMat* nlpG3dsTexMatBuf = &first_material;       // the current material
  int max_frame = 0;  // the largest keyframe end frame seen
};
extern G3dsState g3ds;

enum class G3dsChunkKind { None, Container, Handler };
struct G3dsChunk {
  std::uint16_t id;
  G3dsChunkKind kind;
  void (*handler)();
};
constexpr int g3ds_chunk_count = 43;
extern const G3dsChunk g3ds_chunk_table[g3ds_chunk_count];

// The table entry of an identifier, null when the table does not list it.
const G3dsChunk* g3ds_find_chunk(std::uint16_t id);

// Points the cursor at a buffer and the current object and material at the list heads.
void g3ds_begin(const std::uint8_t* data, std::size_t size);
// Frees both lists and zeroes the counts.
void g3ds_free();

// Material lookups by exact name: the position of the first material of that name (0 when
// none), and its position among the textured materials (-1 when it is not textured or absent).
int g3ds_material_index(const char* name);
int g3ds_textured_material_index(const char* name);
