// Battlefield records and the battlefield's ground.
#include "battle/battlefield.h"

#include <cmath>

#include "core/byte_reader.h"
#include "core/log.h"
#include "core/paths.h"
#include "g3d/geometry.h"
#include "g3d/ground_math.h"
#include "g3d/wld_world.h"
#include "platform/files.h"
#include "platform/message_box.h"

std::string fight_field_path;
G3dWld* fight_ground_world = nullptr;

namespace {
constexpr char open_failed_text[] = "load_field(...) \xC0\xC9\xAE\xD7\xAB\xD8\xA5\xDF\xA5\xA2\xB1\xD1";
constexpr char index_refused[] = "load_field: record %u beyond the file's 1000 records";
constexpr float probe_lift = 200.0f;
}  // namespace

BattlefieldRecord battlefield_from_image(std::span<const std::uint8_t> image) {
  namespace o = battlefield_offset;
  const ByteReader r(image);
  BattlefieldRecord rec;
  float* fog[6] = {&rec.fog.red, &rec.fog.green, &rec.fog.blue, &rec.fog.start, &rec.fog.end, &rec.fog.bias};
  for (int i = 0; i < 6; ++i) *fog[i] = r.f32_at(o::fog + 4 * std::size_t(i));
  for (int i = 0; i < battlefield_enemy_slots; ++i) {
    for (int k = 0; k < 4; ++k) rec.spot[i][k] = r.f32_at(o::spot + 16 * std::size_t(i) + 4 * std::size_t(k));
    rec.yaw[i] = r.f32_at(o::yaw + 4 * std::size_t(i));
    rec.enemy[i] = r.u16_at(o::enemy + 2 * std::size_t(i));
  }
  rec.world_act = r.u16_at(o::world_act);
  rec.world_qq = r.u16_at(o::world_qq);
  rec.deco_act = r.u16_at(o::deco_act);
  rec.deco_qq = r.u16_at(o::deco_qq);
  // The record has room for ten enemies: a larger count would read the next fields as monsters.
  rec.enemy_count = std::min<std::uint16_t>(r.u16_at(o::enemy_count), battlefield_enemy_slots);
  return rec;
}

void init_fight_field(const char* directory) {
  fight_field_path = directory ? directory : "";
  append_path(fight_field_path, "Battlefield.dat");
}

int load_field(BattlefieldRecord* out, std::uint16_t index) {
  if (index >= battlefield_record_count) {
    report_error(index_refused, unsigned(index));
    return 0;
  }
  platform::File file;
  if (!file.open(fight_field_path, platform::File::Mode::OpenAlways)) {
    platform::message_box(nullptr, open_failed_text, error_caption, platform::BoxButtons::Ok,
                          platform::BoxIcon::Error);
    return 0;
  }
  // A fresh zeroed buffer for every read: a record the file does not reach is empty, never the
  // one read before.
  std::uint8_t image[battlefield_record_size] = {};
  const long long at = static_cast<long long>(battlefield_records_offset + battlefield_record_size * index);
  long long got = 0;
  if (file.size() > at && file.seek(at, 0) == at) got = file.read(image, sizeof image);
  *out = battlefield_from_image(std::span<const std::uint8_t>(image, got > 0 ? std::size_t(got) : 0));
  return 1;
}

namespace {
// The cell of the world's collision grid under a world-relative (x, z); false outside, without a
// grid or with a cell size of 0 or less.
const CollArray* ground_grid() {
  const G3dWld* w = fight_ground_world;
  if (!w || !w->lpCollArray || w->lpCollArray->lpColl.empty()) return nullptr;
  return w->lpCollArray.get();
}

bool ground_cell(const CollArray& g, float x, float z, std::size_t* cell) {
  if (x < 0.0f || z < 0.0f || !(g.cell[0] > 0.0f) || !(g.cell[2] > 0.0f)) return false;
  const float fx = std::floor((x - g.min[0]) / g.cell[0]), fz = std::floor((z - g.min[2]) / g.cell[2]);
  if (!(fx >= 0.0f && fx < float(g.nx) && fz >= 0.0f && fz < float(g.nz))) return false;
  *cell = std::size_t(fz) * g.nx + std::size_t(fx);
  return *cell < g.lpColl.size();
}

// Each triangle listed in a cell that the segment crosses, in list order; stops when visit
// answers false. Indices beyond the triangle list are passed over.
template <class Visit>
void each_hit(const CollArray& g, std::size_t cell, const G3dVector& top, const G3dVector& bottom, Visit visit) {
  const CollCell& c = g.lpColl[cell];
  const auto& tris = fight_ground_world->Mask.lpCollTri;
  for (std::uint32_t k = 0; k < c.count; ++k) {
    const std::size_t at = std::size_t(c.first) + k;
    if (at >= g.lpTotFaceList.size()) return;
    const std::uint32_t t = g.lpTotFaceList[at];
    if (t >= tris.size()) continue;
    G3dVector hit{};
    if (g3d_line_hit_tri(&top, &bottom, &tris[t], &hit) && !visit(tris[t], hit)) return;
  }
}

G3dVector world_origin() {
  const G3dBox& b = fight_ground_world->box;
  return {b.min.x, b.min.y, b.min.z, 0};
}
}  // namespace

int fight_ground_height(G3dVector* pt, float dx, float dy, float dz, float half, G3dVertex* out) {
  const CollArray* g = ground_grid();
  if (!g || !pt) return 0;
  const G3dVector o = world_origin();
  const float px = pt->x - o.x + dx, pz = pt->z - o.z + dz;
  std::size_t cell = 0;
  if (!ground_cell(*g, px, pz, &cell)) return 0;
  const G3dVector top{px, pt->y - o.y + dy, pz, 0}, bottom{px, g->min[1], pz, 0};
  const CollTri* best = nullptr;
  G3dVector best_hit{};
  each_hit(*g, cell, top, bottom, [&](const CollTri& tri, const G3dVector& hit) {
    if (!best || hit.y > best_hit.y) best = &tri, best_hit = hit;
    return true;
  });
  if (!best) return 0;
  pt->x = best_hit.x + o.x;
  pt->y = best_hit.y + o.y;
  pt->z = best_hit.z + o.z;
  if (out) {
    const float corners[9] = {best->k0[0], best->k0[1], best->k0[2], best->k1[0], best->k1[1],
                              best->k1[2], best->k2[0], best->k2[1], best->k2[2]};
    G3dVector n{};
    calc_tri_normal(&n, corners);
    const G3dVector centre{pt->x, pt->y + 1.0f, pt->z, 0};
    make_normal_quad(&n, &centre, half, out);
  }
  return 1;
}

int fight_ground_exists(float x, float y, float z) {
  const CollArray* g = ground_grid();
  if (!g) return 0;
  const G3dVector o = world_origin();
  const float px = x - o.x, pz = z - o.z;
  std::size_t cell = 0;
  if (!ground_cell(*g, px, pz, &cell)) return 0;
  const G3dVector top{px, y - o.y + probe_lift, pz, 0}, bottom{px, g->min[1], pz, 0};
  int found = 0;
  each_hit(*g, cell, top, bottom, [&](const CollTri&, const G3dVector&) {
    found = 1;
    return false;
  });
  return found;
}
