#pragma once
// The software 3D device: a fixed-function rasterizer of pre-transformed vertices into a 16-bit
// RGB565 target with a float depth buffer. It draws line lists, line strips, triangle lists and
// triangle fans (indexed or not), clips against 0 <= z <= 1 and the viewport, culls by winding,
// fills by the top-left rule, interpolates u, v and colours with perspective, samples RGB565
// textures (nearest or bilinear, wrapped, optionally colour-keyed), applies vertex fog, tests
// depth less-or-equal and blends with the target. Results are identical on every machine and for
// any number of threads.
//
// With more than one thread a draw call only sets its triangles up and queues them by bands of
// rows; the bands are drawn on a pool of threads when someone reads what was drawn. Whatever
// reads or writes the target or the depth buffer from outside the device must call finish()
// (or finish_all_devices()) first: the display's surfaces and the textures do so themselves.
#include <cstdint>
#include <memory>
#include <vector>

namespace platform::raster {

// The vertex of every draw: screen x, y in pixels (pixel centres at whole numbers), depth z in
// 0..1, rhw = 1 / w, diffuse ARGB, specular whose top byte is the fog factor (255: no fog), u, v.
struct ScreenVertex {
  float x, y, z, rhw;
  std::uint32_t diffuse;
  std::uint32_t specular;
  float u, v;
};
static_assert(sizeof(ScreenVertex) == 32);

enum class Primitive { LineList, LineStrip, TriangleList, TriangleFan };

// The render states the device keeps. Values follow the fixed-function conventions listed with
// each state.
enum class State {
  ZWriteEnable,      // 0 / 1
  FillMode,          // fill_wireframe or fill_solid
  ShadeMode,         // shade_flat or shade_gouraud
  TextureFilter,     // filter_nearest or filter_linear (magnification and minification alike)
  AlphaBlendEnable,  // 0 / 1
  SrcBlend,          // a Blend factor
  DestBlend,         // a Blend factor
  CullMode,          // cull_none, cull_cw or cull_ccw
  ColourKeyEnable,   // 0 / 1: a keyed texel of a keyed texture discards the pixel
  FogEnable,         // 0 / 1: vertex fog from the specular's top byte
  FogColour,         // ARGB
  Count
};

constexpr std::uint32_t fill_wireframe = 2, fill_solid = 3;
constexpr std::uint32_t shade_flat = 1, shade_gouraud = 2;
constexpr std::uint32_t filter_nearest = 1, filter_linear = 2;
constexpr std::uint32_t cull_none = 1, cull_cw = 2, cull_ccw = 3;

enum class Blend : std::uint32_t {
  Zero = 1,
  One = 2,
  SrcColour = 3,
  InvSrcColour = 4,
  SrcAlpha = 5,
  InvSrcAlpha = 6,
  DestAlpha = 7,
  InvDestAlpha = 8,
  DestColour = 9,
  InvDestColour = 10,
};

// An RGB565 texture of any size, addressed with wrapping. Lock gives its texels row by row,
// pitch() texels apart.
class Texture {
 public:
  // Null when the size is not positive or too large (more than 2^24 texels).
  static std::unique_ptr<Texture> create(int width, int height);
  // Waits for queued draws that may still read the texels.
  ~Texture();

  int width() const { return width_; }
  int height() const { return height_; }
  int pitch() const { return width_; }
  // The writable texels wait for queued draws, which may still be reading them.
  std::uint16_t* texels();
  const std::uint16_t* texels() const { return texels_.data(); }
  void set_colour_key(std::uint16_t key) {
    keyed_ = true;
    key_ = key;
  }
  bool keyed() const { return keyed_; }
  std::uint16_t key() const { return key_; }
  // Texels lost with the display; their owner refills them after restore().
  bool lost() const { return lost_; }
  void mark_lost() { lost_ = true; }
  void restore() { lost_ = false; }
  bool power_of_two() const { return pow2_; }

 private:
  Texture(int width, int height);
  int width_, height_;
  bool pow2_;
  bool keyed_ = false;
  bool lost_ = false;
  std::uint16_t key_ = 0;
  std::vector<std::uint16_t> texels_;
};

struct Viewport {
  int x = 0, y = 0, width = 0, height = 0;
};

struct Target {
  std::uint16_t* pixels = nullptr;
  int width = 0, height = 0;
  int pitch = 0;  // pixels from one row to the next
};

struct PipelineState;
struct RVertex;
class BandQueue;

// Threads a device uses unless told otherwise: QORV_RASTER_THREADS when it holds a number from 1
// to 64, else one per core.
int default_raster_threads();

// Waits for the queued work of every device.
void finish_all_devices();

class Device {
 public:
  // threads: 1 draws every call at once on the calling thread.
  explicit Device(int threads = default_raster_threads());
  ~Device();
  Device(const Device&) = delete;
  Device& operator=(const Device&) = delete;

  // The depth buffer of the target's size; false when it cannot be had.
  bool create_depth_buffer(int width, int height);
  // The pixels the next draws go to; a null target makes draws do nothing.
  void set_target(const Target& target) { target_ = target; }
  const Target& target() const { return target_; }
  // Sets the whole depth buffer of the rectangle (clamped to the buffer) to the far depth 1.0.
  void clear_depth(int x, int y, int width, int height);
  float* depth_buffer() {
    finish();
    return depth_.data();
  }

  // Draws everything queued; afterwards the target and depth buffer hold every call so far.
  void finish();
  int threads() const { return threads_; }
  void set_threads(int threads);
  // The span loops that work on several pixels at once (default) or the one-pixel reference
  // loops; both give the same pixels.
  void set_vector_spans(bool on) { vector_spans_ = on; }
  // Those loops built for AVX2 where the processor has it (default), or for the baseline
  // instruction set; both give the same pixels.
  void set_wide_spans(bool on) { wide_spans_ = on; }
  // The sixteen-pixel loops built for AVX-512 where the processor has it (default), before the
  // others; they too give the same pixels.
  void set_widest_spans(bool on) { widest_spans_ = on; }

  // Draws are clipped to the viewport, itself kept inside the depth buffer.
  void set_viewport(const Viewport& viewport) { viewport_ = viewport; }
  const Viewport& viewport() const { return viewport_; }

  void set_state(State state, std::uint32_t value);
  std::uint32_t state(State state) const { return states_[int(state)]; }
  // Null draws untextured (as a white texture would).
  void set_texture(const Texture* texture) { texture_ = texture; }
  const Texture* texture() const { return texture_; }

  // false (nothing drawn) for a primitive type with too few vertices; index lists whose entries
  // reach past the vertices skip those primitives.
  bool draw(Primitive type, const ScreenVertex* vertices, int count);
  bool draw_indexed(Primitive type, const ScreenVertex* vertices, int vertex_count, const std::uint16_t* indices,
                    int index_count);

  // The begin/vertex/end form: vertices are collected and drawn by end().
  void begin(Primitive type);
  void vertex(const ScreenVertex& v);
  bool end();

 private:
  // Per draw call: false when there is nothing to draw into.
  bool fill_pipeline(PipelineState& p) const;
  void triangle(const PipelineState& p, const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c,
                const ScreenVertex& provoking);
  void line(const PipelineState& p, const ScreenVertex& a, const ScreenVertex& b);
  // One triangle after clipping: drawn at once (one thread) or queued.
  void triangle_part(const PipelineState& p, const RVertex& a, const RVertex& b, const RVertex& c, int winding,
                     const int* flat_rgba);
  template <class Fetch>
  void assemble(Primitive type, int count, Fetch fetch);

  Target target_;
  Viewport viewport_;
  std::vector<float> depth_;
  int depth_width_ = 0, depth_height_ = 0;
  std::uint32_t states_[int(State::Count)] = {};
  const Texture* texture_ = nullptr;
  Primitive begin_type_ = Primitive::TriangleList;
  std::vector<ScreenVertex> begin_vertices_;
  int threads_ = 1;
  bool vector_spans_ = true;
  bool wide_spans_ = true;
  bool widest_spans_ = true;
  std::unique_ptr<BandQueue> queue_;
};

}  // namespace platform::raster
