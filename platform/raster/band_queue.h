#pragma once
// Draw work held back until the target is read: triangles set up, lines and depth clears, each
// binned into the bands of rows it touches. A band runs its work in submission order, and every
// pixel belongs to one band, so the bands may run on any threads in any order and the pixels come
// out as if everything had been drawn at once in call order.
#include <cstdint>
#include <vector>

#include "platform/raster/clip.h"
#include "platform/raster/pipeline.h"
#include "platform/raster/triangle_raster.h"

namespace platform::raster {

// Rows per band: small enough that a frame splits into many more bands than threads, large
// enough that a triangle seldom touches many bands.
constexpr int band_rows = 8;

class BandQueue {
 public:
  bool empty() const { return commands_.empty(); }
  std::size_t size() const { return commands_.size(); }

  // The states of the draw call whose work follows.
  void begin_call(const PipelineState& p);
  void add_triangle(const TriangleSetup& t);
  void add_line(const RVertex& a, const RVertex& b, const int* flat_rgba);
  // Depth rows y0..y1 (inclusive), columns x0..x1 (exclusive) back to the far depth.
  void add_depth_clear(float* depth, int depth_pitch, int x0, int x1, int y0, int y1);

  // Runs every band on up to `threads` threads and empties the queue.
  void run(int threads);

 private:
  enum class Kind : std::uint8_t { Triangle, Line, DepthClear };
  struct Command {
    Kind kind;
    int call;   // index into calls_
    int index;  // into triangles_, lines_ or clears_
  };
  struct LineWork {
    RVertex a, b;
    bool flat;
    int flat_rgba[4];
  };
  struct DepthClear {
    float* depth;
    int pitch, x0, x1, y0, y1;
  };

  void bin(Kind kind, int index, int row0, int row1);
  static void run_band(void* self, int band);

  std::vector<PipelineState> calls_;
  std::vector<TriangleSetup> triangles_;
  std::vector<LineWork> lines_;
  std::vector<DepthClear> clears_;
  std::vector<Command> commands_;
  std::vector<std::vector<std::uint32_t>> bands_;  // command numbers per band, in order
  int used_bands_ = 0;
};

}  // namespace platform::raster
