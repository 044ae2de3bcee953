// Ribbon trails.
#include "g3d/effects/ribbon_trail.h"

#include <utility>

#include "g3d/renderer.h"

namespace {
constexpr std::uint32_t additive = 1;
}

void RibbonTrail::add_segment(std::uint16_t k, std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t l,
                              std::uint8_t f) {
  TrailSegment& s = segments_.emplace_front();
  s.key = k;
  s.life = l;
  s.start_life = l;
  s.fade = f;
  key = k;
  life = l;
  red = r;
  green = g;
  blue = b;
  ++count;
}

void RibbonTrail::set_points(G3dVector a, G3dVector b) {
  current_a = a;
  current_b = b;
  if (segments_.empty()) return;
  segments_.front().a = a;
  segments_.front().b = b;
  if (segments_.size() > 1) {
    const TrailSegment& older = *std::next(segments_.begin());
    previous_b = older.b;
    previous_a = older.a;
  }
  points_set = 1;
}

void RibbonTrail::draw_quad(const TrailSegment& s) {
  const std::uint32_t colour = std::uint32_t(s.life & 0xFF) << 24 | std::uint32_t(red) << 16 |
                               std::uint32_t(green) << 8 | blue;
  const G3dVector corners[6] = {current_a, current_b, previous_b, previous_b, current_a, previous_a};
  for (int i = 0; i < 6; ++i) {
    scratch_[i] = G3dVertex{};
    scratch_[i].x = corners[i].x;
    scratch_[i].y = corners[i].y;
    scratch_[i].z = corners[i].z;
    scratch_[i].colour = colour;
  }
  // The same two triangles wound the other way, so the strip shows from both sides.
  for (int i = 0; i < 6; ++i) scratch_[6 + i] = scratch_[i];
  std::swap(scratch_[6], scratch_[8]);
  std::swap(scratch_[9], scratch_[11]);
  G3dMatrix identity;
  renderer.draw_triangles(renderer.identity_matrix(&identity), scratch_, 12, nullptr, 0, additive);
}

int RibbonTrail::draw(int mode) {
  int k = 0;
  for (auto it = segments_.begin(); it != segments_.end(); ++k) {
    TrailSegment& s = *it;
    current_a = s.a;
    current_b = s.b;
    if (mode == trail_taper) {
      G3dVector d;
      vec_sub(&d, &current_a, &current_b);
      const float len = vec_length(&d);
      if (len != 0 && count != 0)
        g3d_lerp_point(&current_b, current_a, current_b, len, len - len * float(k) / float(count));
    }
    if (k > 0) draw_quad(s);
    previous_b = current_b;
    previous_a = current_a;
    s.life = std::int16_t(s.life - s.fade);
    if (s.life <= 0) {
      it = segments_.erase(it);
      --count;
      continue;
    }
    ++it;
  }
  return 1;
}

void RibbonTrail::clear() {
  segments_.clear();
  count = 0;
}
