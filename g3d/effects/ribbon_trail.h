#pragma once
// A ribbon trail: the glowing strip that follows a weapon. Every frame the unit drawer records
// the two ends of the blade; each recording becomes a segment with its own fading life, and the
// trail draws a quad between each pair of consecutive recordings.
#include <cstdint>
#include <list>

#include "g3d/g3d_math.h"
#include "g3d/g3d_vertex.h"

struct TrailSegment {
  G3dVector a{}, b{};
  std::uint16_t key = 0;
  std::uint16_t start_life = 0;
  std::int16_t life = 0;  // its low byte is the segment's alpha
  std::uint16_t fade = 0;  // subtracted at every draw
};

constexpr int trail_taper = 1;  // draw mode: the ribbon narrows to nothing at its old end

class RibbonTrail {
 public:
  void add_segment(std::uint16_t key, std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t life,
                   std::uint8_t fade);
  // The newest segment's edge points; called right after add_segment.
  void set_points(G3dVector a, G3dVector b);
  // Draws the quads between consecutive segments and ages every segment; 1.
  int draw(int mode);
  void clear();
  int is_empty() const { return segments_.empty() ? 1 : 0; }
  int segment_count() const { return count; }
  const std::list<TrailSegment>& segments() const { return segments_; }

  G3dVector current_a{}, current_b{};
  G3dVector previous_b{}, previous_a{};
  int points_set = 0;
  std::uint16_t life = 0;
  std::uint8_t red = 0, green = 0, blue = 0;
  std::uint16_t key = 0;
  std::uint16_t count = 0;

 private:
  void draw_quad(const TrailSegment& s);

  G3dVertex scratch_[12] = {};
  std::list<TrailSegment> segments_;  // newest first
};
