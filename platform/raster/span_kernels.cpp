// The span loops, one per combination of texture mode, fog, blend kind and depth writes, so the
// inner loop carries no state tests. Every loop shares the per-pixel arithmetic of pixel_ops.h.
#include "platform/raster/pixel_ops.h"

namespace platform::raster {
namespace {

constexpr bool textured(TexMode t) { return t != TexMode::None; }

template <TexMode T, bool Fog, BlendKind B, bool ZWrite>
void span(const PipelineState& p, const Plane& pl, int y, int xl, int xr) {
  const float ox = float(xl) - pl.ox, oy = float(y) - pl.oy;
  auto start = [&](int k) { return pl.a0[k] + pl.dx[k] * ox + pl.dy[k] * oy; };
  float z = start(AZ), rhw = start(ARhw);
  float u = 0, v = 0, r = 0, g = 0, b = 0, a = 0, f = 0;
  if (textured(T)) {
    u = start(AU);
    v = start(AV);
  }
  if (!pl.flat) {
    r = start(AR);
    g = start(AG);
    b = start(AB);
    a = start(AA);
  }
  if (Fog) f = start(AF);
  const float dz = pl.dx[AZ], drhw = pl.dx[ARhw], du = pl.dx[AU], dv = pl.dx[AV];
  const float dr = pl.dx[AR], dg = pl.dx[AG], db = pl.dx[AB], da = pl.dx[AA], df = pl.dx[AF];

  std::uint16_t* dst = p.target + y * p.pitch;
  float* zb = p.depth + y * p.depth_pitch;
  for (int x = xl; x <= xr; ++x) {
    if (z <= zb[x]) {
      const float w = 1.0f / rhw;
      Rgb c;
      int alpha;
      if (pl.flat) {
        c = {pl.flat_rgba[0], pl.flat_rgba[1], pl.flat_rgba[2]};
        alpha = pl.flat_rgba[3];
      } else {
        c = {channel(r * w), channel(g * w), channel(b * w)};
        alpha = channel(a * w);
      }
      bool keep = true;
      if (textured(T)) {
        Rgb t;
        if (T == TexMode::Nearest || T == TexMode::NearestKey)
          keep = sample_nearest<T == TexMode::NearestKey>(p, u * w, v * w, t);
        else
          keep = sample_linear<T == TexMode::LinearKey>(p, u * w, v * w, t);
        c = {mul_div255(t.r, c.r), mul_div255(t.g, c.g), mul_div255(t.b, c.b)};
      }
      if (keep) {
        if (Fog) {
          const int k = channel(f * w), inv = 255 - k;
          c = {div255(c.r * k + p.fog_rgb[0] * inv), div255(c.g * k + p.fog_rgb[1] * inv),
               div255(c.b * k + p.fog_rgb[2] * inv)};
        }
        if (B == BlendKind::Opaque) {
          dst[x] = pack565(c.r, c.g, c.b);
        } else {
          const Rgb d = unpack565(dst[x]);
          dst[x] = pack565(blend_channel<B>(p, c.r, alpha, d.r), blend_channel<B>(p, c.g, alpha, d.g),
                           blend_channel<B>(p, c.b, alpha, d.b));
        }
        if (ZWrite) zb[x] = z;
      }
    }
    z += dz;
    rhw += drhw;
    if (textured(T)) {
      u += du;
      v += dv;
    }
    if (!pl.flat) {
      r += dr;
      g += dg;
      b += db;
      a += da;
    }
    if (Fog) f += df;
  }
}

template <TexMode T, bool Fog, BlendKind B>
SpanFn pick_z(bool z_write) {
  return z_write ? &span<T, Fog, B, true> : &span<T, Fog, B, false>;
}

template <TexMode T, bool Fog>
SpanFn pick_blend(BlendKind blend, bool z_write) {
  switch (blend) {
    case BlendKind::Opaque: return pick_z<T, Fog, BlendKind::Opaque>(z_write);
    case BlendKind::Add: return pick_z<T, Fog, BlendKind::Add>(z_write);
    case BlendKind::Alpha: return pick_z<T, Fog, BlendKind::Alpha>(z_write);
    case BlendKind::InvColourMul: return pick_z<T, Fog, BlendKind::InvColourMul>(z_write);
    case BlendKind::SrcColour: return pick_z<T, Fog, BlendKind::SrcColour>(z_write);
    case BlendKind::Generic: break;
  }
  return pick_z<T, Fog, BlendKind::Generic>(z_write);
}

template <TexMode T>
SpanFn pick_fog(bool fog, BlendKind blend, bool z_write) {
  return fog ? pick_blend<T, true>(blend, z_write) : pick_blend<T, false>(blend, z_write);
}

}  // namespace

SpanFn select_span(TexMode tex, bool fog, BlendKind blend, bool z_write) {
  switch (tex) {
    case TexMode::None: return pick_fog<TexMode::None>(fog, blend, z_write);
    case TexMode::Nearest: return pick_fog<TexMode::Nearest>(fog, blend, z_write);
    case TexMode::NearestKey: return pick_fog<TexMode::NearestKey>(fog, blend, z_write);
    case TexMode::Linear: return pick_fog<TexMode::Linear>(fog, blend, z_write);
    case TexMode::LinearKey: break;
  }
  return pick_fog<TexMode::LinearKey>(fog, blend, z_write);
}

}  // namespace platform::raster
