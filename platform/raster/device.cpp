// The device: states, depth buffer, primitive assembly, culling, and the hand-over to clipping,
// triangle traversal and line drawing.
#include <algorithm>
#include <atomic>
#include <cmath>
#include <mutex>

#include "platform/raster/band_queue.h"

#include "platform/raster/clip.h"
#include "platform/raster/line_raster.h"
#include "platform/raster/pipeline.h"
#include "platform/raster/raster.h"
#include "platform/raster/triangle_raster.h"

namespace platform::raster {
namespace {

BlendKind blend_kind(bool enabled, Blend src, Blend dst) {
  if (!enabled) return BlendKind::Opaque;
  if (src == Blend::One && dst == Blend::Zero) return BlendKind::Opaque;
  if (src == Blend::SrcAlpha && dst == Blend::One) return BlendKind::Add;
  if (src == Blend::SrcAlpha && dst == Blend::InvSrcAlpha) return BlendKind::Alpha;
  if (src == Blend::InvDestAlpha && dst == Blend::InvSrcColour) return BlendKind::InvColourMul;
  if (src == Blend::SrcColour && dst == Blend::InvSrcColour) return BlendKind::SrcColour;
  return BlendKind::Generic;
}

void flat_colour(const ScreenVertex& v, int out[4]) {
  out[0] = int((v.diffuse >> 16) & 255);
  out[1] = int((v.diffuse >> 8) & 255);
  out[2] = int(v.diffuse & 255);
  out[3] = int(v.diffuse >> 24);
}

// Work queued beyond this many commands is drawn at once, so a frame that is never read keeps a
// bounded queue.
constexpr std::size_t queue_limit = 1 << 16;

// The devices with queued work. Devices are driven from one thread; the count lets the many
// callers that find nothing queued return without taking the lock. Never destroyed: surfaces and
// devices held by global objects wait for queued work at exit, after every other static is gone.
struct PendingDevices {
  std::mutex mutex;
  std::vector<Device*> devices;
  std::atomic<int> count{0};
};

PendingDevices& pending() {
  static auto* registry = new PendingDevices;
  return *registry;
}

void mark_pending(Device* d) {
  PendingDevices& r = pending();
  std::lock_guard lock(r.mutex);
  if (std::find(r.devices.begin(), r.devices.end(), d) != r.devices.end()) return;
  r.devices.push_back(d);
  r.count.store(int(r.devices.size()));
}

void mark_done(Device* d) {
  PendingDevices& r = pending();
  std::lock_guard lock(r.mutex);
  const auto it = std::find(r.devices.begin(), r.devices.end(), d);
  if (it == r.devices.end()) return;
  r.devices.erase(it);
  r.count.store(int(r.devices.size()));
}

}  // namespace

void finish_all_devices() {
  PendingDevices& r = pending();
  if (r.count.load() == 0) return;
  std::vector<Device*> devices;
  {
    std::lock_guard lock(r.mutex);
    devices = r.devices;
  }
  for (Device* d : devices) d->finish();
}

Device::Device(int threads) : queue_(std::make_unique<BandQueue>()) {
  set_threads(threads);
  set_state(State::ZWriteEnable, 1);
  set_state(State::FillMode, fill_solid);
  set_state(State::ShadeMode, shade_gouraud);
  set_state(State::TextureFilter, filter_nearest);
  set_state(State::SrcBlend, std::uint32_t(Blend::One));
  set_state(State::DestBlend, std::uint32_t(Blend::Zero));
  set_state(State::CullMode, cull_ccw);
}

Device::~Device() { finish(); }

void Device::finish() {
  if (queue_->empty()) return;
  queue_->run(threads_);
  mark_done(this);
}

void Device::set_threads(int threads) {
  finish();
  threads_ = std::clamp(threads, 1, 64);
}

bool Device::create_depth_buffer(int width, int height) {
  finish();
  depth_.clear();
  depth_width_ = depth_height_ = 0;
  if (width <= 0 || height <= 0 || width > 16384 || height > 16384) return false;
  try {
    depth_.assign(std::size_t(width) * std::size_t(height), 1.0f);
  } catch (const std::bad_alloc&) {
    return false;
  }
  depth_width_ = width;
  depth_height_ = height;
  return true;
}

void Device::clear_depth(int x, int y, int width, int height) {
  const int x0 = std::max(x, 0), y0 = std::max(y, 0);
  const int x1 = std::min(x + width, depth_width_), y1 = std::min(y + height, depth_height_);
  if (x0 >= x1 || y0 >= y1) return;
  if (threads_ > 1) {
    queue_->add_depth_clear(depth_.data(), depth_width_, x0, x1, y0, y1 - 1);
    mark_pending(this);
    return;
  }
  for (int row = y0; row < y1; ++row)
    std::fill(depth_.begin() + std::ptrdiff_t(row) * depth_width_ + x0,
              depth_.begin() + std::ptrdiff_t(row) * depth_width_ + x1, 1.0f);
}

void Device::set_state(State state, std::uint32_t value) {
  if (state >= State::Count) return;
  states_[int(state)] = value;
}

bool Device::fill_pipeline(PipelineState& p) const {
  p.target = target_.pixels;
  p.pitch = target_.pitch;
  p.depth = const_cast<float*>(depth_.data());
  p.depth_pitch = depth_width_;
  p.clip_x0 = std::max(viewport_.x, 0);
  p.clip_y0 = std::max(viewport_.y, 0);
  p.clip_x1 = std::min({viewport_.x + viewport_.width, target_.width, depth_width_}) - 1;
  p.clip_y1 = std::min({viewport_.y + viewport_.height, target_.height, depth_height_}) - 1;
  if (!target_.pixels || depth_.empty() || p.clip_x0 > p.clip_x1 || p.clip_y0 > p.clip_y1) return false;

  TexMode tex = TexMode::None;
  p.texels = nullptr;
  p.tex_width = p.tex_height = p.tex_pitch = 1;
  p.tex_pow2 = true;
  p.key = 0;
  if (texture_) {
    p.texels = texture_->texels();
    p.tex_width = texture_->width();
    p.tex_height = texture_->height();
    p.tex_pitch = texture_->pitch();
    p.tex_pow2 = texture_->power_of_two();
    p.key = texture_->key();
    const bool key = state(State::ColourKeyEnable) == 1 && texture_->keyed();
    if (state(State::TextureFilter) == filter_linear)
      tex = key ? TexMode::LinearKey : TexMode::Linear;
    else
      tex = key ? TexMode::NearestKey : TexMode::Nearest;
  }
  const std::uint32_t fog = state(State::FogColour);
  p.fog_rgb[0] = int((fog >> 16) & 255);
  p.fog_rgb[1] = int((fog >> 8) & 255);
  p.fog_rgb[2] = int(fog & 255);
  p.src_blend = Blend(state(State::SrcBlend));
  p.dest_blend = Blend(state(State::DestBlend));
  p.flat = state(State::ShadeMode) == shade_flat;
  const BlendKind blend = blend_kind(state(State::AlphaBlendEnable) == 1, p.src_blend, p.dest_blend);
  p.span = select_span(tex, state(State::FogEnable) == 1, blend, state(State::ZWriteEnable) == 1, vector_spans_,
                       wide_spans_, widest_spans_);
  return true;
}

void Device::triangle(const PipelineState& p, const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c,
                      const ScreenVertex& provoking) {
  if (!finite(a) || !finite(b) || !finite(c)) return;
  // Winding on the screen (y down), turned over for each corner behind the eye, gives the
  // facing in space: positive is clockwise.
  const float area = (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y);
  const bool behind = ((a.rhw < 0) != (b.rhw < 0)) != (c.rhw < 0);
  if (area == 0.0f || !std::isfinite(area)) return;
  const bool clockwise = (area > 0) != behind;
  const std::uint32_t cull = state(State::CullMode);
  if ((cull == cull_ccw && !clockwise) || (cull == cull_cw && clockwise)) return;

  int flat[4];
  const int* flat_rgba = nullptr;
  if (p.flat) {
    flat_colour(provoking, flat);
    flat_rgba = flat;
  }
  if (state(State::FillMode) == fill_wireframe) {
    line(p, a, b);
    line(p, b, c);
    line(p, c, a);
    return;
  }
  const RVertex in[3] = {to_rvertex(a), to_rvertex(b), to_rvertex(c)};
  const GuardBand g = guard_band_for(viewport_);
  const int winding = clockwise ? 1 : -1;
  if (inside(in[0], g) && inside(in[1], g) && inside(in[2], g)) {
    triangle_part(p, in[0], in[1], in[2], winding, flat_rgba);
    return;
  }
  RVertex poly[max_clipped_vertices];
  const int n = clip_triangle(in, g, poly);
  for (int i = 1; i + 1 < n; ++i) triangle_part(p, poly[0], poly[i], poly[i + 1], winding, flat_rgba);
}

void Device::triangle_part(const PipelineState& p, const RVertex& a, const RVertex& b, const RVertex& c, int winding,
                           const int* flat_rgba) {
  if (threads_ == 1) {
    raster_triangle(p, a, b, c, winding, flat_rgba);
    return;
  }
  TriangleSetup t;
  if (setup_triangle(p, a, b, c, winding, flat_rgba, t)) queue_->add_triangle(t);
}

void Device::line(const PipelineState& p, const ScreenVertex& a, const ScreenVertex& b) {
  if (!finite(a) || !finite(b)) return;
  int flat[4];
  const int* flat_rgba = nullptr;
  if (p.flat) {
    flat_colour(a, flat);
    flat_rgba = flat;
  }
  RVertex ra = to_rvertex(a), rb = to_rvertex(b);
  const GuardBand g = guard_band_for(viewport_);
  if (!(inside(ra, g) && inside(rb, g)) && !clip_line(ra, rb, g)) return;
  if (threads_ == 1)
    raster_line(p, ra, rb, flat_rgba);
  else
    queue_->add_line(ra, rb, flat_rgba);
}

template <class Fetch>
void Device::assemble(Primitive type, int count, Fetch fetch) {
  PipelineState p;
  if (!fill_pipeline(p)) return;
  if (threads_ > 1) queue_->begin_call(p);
  const ScreenVertex *a, *b, *c;
  switch (type) {
    case Primitive::LineList:
      for (int i = 0; i + 1 < count; i += 2)
        if (fetch(i, a) && fetch(i + 1, b)) line(p, *a, *b);
      break;
    case Primitive::LineStrip:
      for (int i = 0; i + 1 < count; ++i)
        if (fetch(i, a) && fetch(i + 1, b)) line(p, *a, *b);
      break;
    case Primitive::TriangleList:
      for (int i = 0; i + 2 < count; i += 3)
        if (fetch(i, a) && fetch(i + 1, b) && fetch(i + 2, c)) triangle(p, *a, *b, *c, *a);
      break;
    case Primitive::TriangleFan:
      // Flat shading takes each fan triangle's own second vertex, not the shared centre.
      for (int i = 1; i + 1 < count; ++i)
        if (fetch(0, a) && fetch(i, b) && fetch(i + 1, c)) triangle(p, *a, *b, *c, *b);
      break;
  }
  if (!queue_->empty()) mark_pending(this);
  if (queue_->size() > queue_limit) finish();
}

namespace {

int minimum_vertices(Primitive type) {
  return (type == Primitive::LineList || type == Primitive::LineStrip) ? 2 : 3;
}

}  // namespace

bool Device::draw(Primitive type, const ScreenVertex* vertices, int count) {
  if (!vertices || count < minimum_vertices(type)) return false;
  assemble(type, count, [&](int i, const ScreenVertex*& out) {
    out = &vertices[i];
    return true;
  });
  return true;
}

bool Device::draw_indexed(Primitive type, const ScreenVertex* vertices, int vertex_count,
                          const std::uint16_t* indices, int index_count) {
  if (!vertices || !indices || index_count < minimum_vertices(type)) return false;
  assemble(type, index_count, [&](int i, const ScreenVertex*& out) {
    if (indices[i] >= vertex_count) return false;
    out = &vertices[indices[i]];
    return true;
  });
  return true;
}

void Device::begin(Primitive type) {
  begin_type_ = type;
  begin_vertices_.clear();
}

void Device::vertex(const ScreenVertex& v) { begin_vertices_.push_back(v); }

bool Device::end() {
  const bool drawn = draw(begin_type_, begin_vertices_.data(), int(begin_vertices_.size()));
  begin_vertices_.clear();
  return drawn;
}

}  // namespace platform::raster
