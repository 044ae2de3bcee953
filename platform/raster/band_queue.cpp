// The band queue: binning at submission, one job per band at run time.
#include "platform/raster/band_queue.h"

#include <algorithm>
#include <cmath>

#include "platform/raster/line_raster.h"
#include "platform/raster/worker_pool.h"

namespace platform::raster {

void BandQueue::begin_call(const PipelineState& p) { calls_.push_back(p); }

void BandQueue::bin(Kind kind, int index, int row0, int row1) {
  if (row0 > row1 || calls_.empty()) return;
  const auto number = std::uint32_t(commands_.size());
  commands_.push_back({kind, int(calls_.size()) - 1, index});
  const int b0 = row0 / band_rows, b1 = row1 / band_rows;
  if (int(bands_.size()) <= b1) bands_.resize(std::size_t(b1) + 1);
  used_bands_ = std::max(used_bands_, b1 + 1);
  for (int b = b0; b <= b1; ++b) bands_[std::size_t(b)].push_back(number);
}

void BandQueue::add_triangle(const TriangleSetup& t) {
  triangles_.push_back(t);
  bin(Kind::Triangle, int(triangles_.size()) - 1, t.row0, t.row1);
}

void BandQueue::add_line(const RVertex& a, const RVertex& b, const int* flat_rgba) {
  if (calls_.empty()) return;
  const PipelineState& p = calls_.back();
  LineWork w{a, b, flat_rgba != nullptr, {}};
  if (flat_rgba) std::copy(flat_rgba, flat_rgba + 4, w.flat_rgba);
  lines_.push_back(w);
  // A pixel's row is its rounded position: one row of margin either way covers every rounding.
  const float lo = std::min(a.y, b.y), hi = std::max(a.y, b.y);
  const int row0 = std::max(p.clip_y0, int(std::floor(lo)) - 1);
  const int row1 = std::min(p.clip_y1, int(std::ceil(hi)) + 1);
  bin(Kind::Line, int(lines_.size()) - 1, row0, row1);
}

void BandQueue::add_depth_clear(float* depth, int depth_pitch, int x0, int x1, int y0, int y1) {
  if (calls_.empty()) begin_call(PipelineState{});
  clears_.push_back({depth, depth_pitch, x0, x1, y0, y1});
  bin(Kind::DepthClear, int(clears_.size()) - 1, y0, y1);
}

void BandQueue::run_band(void* self, int band) {
  auto& q = *static_cast<BandQueue*>(self);
  const int first = band * band_rows, last = first + band_rows - 1;
  for (std::uint32_t number : q.bands_[std::size_t(band)]) {
    const Command& c = q.commands_[number];
    const PipelineState& p = q.calls_[std::size_t(c.call)];
    switch (c.kind) {
      case Kind::Triangle:
        traverse_triangle(p, q.triangles_[std::size_t(c.index)], first, last);
        break;
      case Kind::Line: {
        // The same walk along the whole line, keeping only this band's pixels.
        PipelineState band_p = p;
        band_p.clip_y0 = std::max(p.clip_y0, first);
        band_p.clip_y1 = std::min(p.clip_y1, last);
        const LineWork& w = q.lines_[std::size_t(c.index)];
        raster_line(band_p, w.a, w.b, w.flat ? w.flat_rgba : nullptr);
        break;
      }
      case Kind::DepthClear: {
        const DepthClear& d = q.clears_[std::size_t(c.index)];
        for (int y = std::max(first, d.y0); y <= std::min(last, d.y1); ++y)
          std::fill_n(d.depth + std::ptrdiff_t(y) * d.pitch + d.x0, d.x1 - d.x0, 1.0f);
        break;
      }
    }
  }
}

void BandQueue::run(int threads) {
  if (!commands_.empty()) WorkerPool::shared().run(threads, used_bands_, &BandQueue::run_band, this);
  calls_.clear();
  triangles_.clear();
  lines_.clear();
  clears_.clear();
  commands_.clear();
  for (int b = 0; b < used_bands_; ++b) bands_[std::size_t(b)].clear();
  used_bands_ = 0;
}

}  // namespace platform::raster
