// Face bins.
#include "g3d/wld_face_bins.h"

#include <cmath>

const G3dVector wld_face_bin_directions[6] = {
    {0, 0, 1, 0}, {0, 0, -1, 0}, {-1, 0, 0, 0}, {1, 0, 0, 0}, {0, -1, 0, 0}, {0, 1, 0, 0},
};

namespace {

constexpr int kRestBin = 6;

void bin_object(G3dWldObj& o, G3dFaceBins& out) {
  o.flags |= wld_obj_face_bins;
  G3dMatrix frame0;
  if (o.frames.empty())
    g3d_mat_identity(&frame0);
  else
    frame0 = o.frames[0];
  for (std::size_t t = 0; t + 2 < o.indices.size(); t += 3) {
    G3dVector p[3];
    for (int k = 0; k < 3; ++k) {
      const G3dVertex& v = o.vertices[o.indices[t + std::size_t(k)]];
      const G3dVector in{v.x, v.y, v.z, 1};
      g3d_mat_transform(&frame0, &in, &p[k]);
    }
    G3dVector a, b, cross, normal;
    vec_sub(&a, &p[0], &p[1]);
    vec_sub(&b, &p[2], &p[1]);
    vec_normalize(&normal, vec_cross(&cross, &a, &b));
    auto& bin = out.bins[std::size_t(wld_face_bin_of(normal))];
    bin.insert(bin.end(), o.indices.begin() + std::ptrdiff_t(t), o.indices.begin() + std::ptrdiff_t(t + 3));
  }
}

}  // namespace

int wld_face_bin_of(const G3dVector& normal) {
  if (!std::isfinite(normal.x) || !std::isfinite(normal.y) || !std::isfinite(normal.z)) return kRestBin;
  for (int k = 0; k < 6; ++k) {
    float angle = vec_angle_deg(normal, wld_face_bin_directions[k]);
    if (angle >= 0.0f && angle < 45.0f) return k;
  }
  return kRestBin;
}

std::uint32_t wld_visible_bins(const G3dVector& eye, const G3dVector& focus) {
  constexpr std::uint32_t all = 0x7F;
  G3dVector d, n;
  vec_sub(&d, &focus, &eye);
  if (!(vec_length(&d) > 0.0f)) return all;
  vec_normalize(&n, &d);
  if (!std::isfinite(n.x) || !std::isfinite(n.y) || !std::isfinite(n.z)) return all;
  std::uint32_t mask = 1u << kRestBin;
  for (int k = 0; k < 6; ++k) {
    const float angle = vec_angle_deg(n, wld_face_bin_directions[k]);
    if (angle >= 0.0f && angle < 135.0f) mask |= 1u << k;
  }
  return mask;
}

std::uint32_t wld_occluder_alpha(float focus_distance, float distance, float scale) {
  if (focus_distance < distance) return std::uint32_t(std::int32_t(scale));
  if (!(focus_distance > 0.0f)) return 0;
  return std::uint32_t(std::int32_t(distance / focus_distance * scale));
}

void g3d_wld_build_face_bins(G3dWld* world) {
  g3d_wld_free_face_bins(world);
  world->face_bins.resize(world->objects.size());
  for (std::size_t i = 0; i < world->objects.size(); ++i) bin_object(world->objects[i], world->face_bins[i]);
}

void g3d_wld_free_face_bins(G3dWld* world) {
  world->face_bins.clear();
  world->face_bins.shrink_to_fit();
}
