// Lines, triangles, boxes, screen rectangles and pictures as textured quads.
#include <algorithm>
#include <cmath>

#include "g3d/geometry.h"
#include "g3d/renderer.h"

namespace {

using platform::raster::Primitive;

constexpr std::uint16_t wire_box_lines[32] = {0, 1, 1, 2, 2, 3, 3, 0, 1, 5, 5, 6, 6, 2, 2, 1,
                                              5, 4, 4, 7, 7, 6, 6, 5, 0, 3, 3, 7, 7, 4, 4, 0};
constexpr std::uint16_t solid_box_triangles[36] = {2, 1, 0, 0, 3, 2, 3, 0, 4, 4, 7, 3, 7, 4, 5, 5, 6, 7,
                                                   6, 5, 1, 1, 2, 6, 6, 2, 3, 3, 7, 6, 1, 5, 4, 4, 0, 1};
constexpr std::uint16_t rect_outline[8] = {3, 0, 0, 1, 1, 2, 2, 3};
constexpr std::uint32_t no_fog = 0xFF000000u;

G3dScreenVertex plain(std::uint32_t colour) { return {0, 0, 0, 0, colour, no_fog, 0, 0}; }

// A 16-bit run-length picture: width and height from its header, or false.
bool rle16(const void* picture, int& w, int& h) {
  if (!picture) return false;
  const auto* p = static_cast<const std::uint8_t*>(picture);
  auto u16 = [p](int at) { return int(p[at] | (p[at + 1] << 8)); };
  if (u16(0) != 0xFFFF || (u16(6) & 0x7FFF) != 16) return false;
  w = u16(2);
  h = u16(4);
  return true;
}

// Size and texture coordinates of the picture part drawn.
struct ImagePart {
  float w, h, ul, vt, ur, vb;
};

ImagePart image_part(int pw, int ph, const G3dRect* source) {
  if (!source) return {float(pw), float(ph), 0, 0, 1, 1};
  return {float(std::abs(source->right - source->left)), float(std::abs(source->bottom - source->top)),
          float(source->left) / float(pw), float(source->top) / float(ph), float(source->right) / float(pw),
          float(source->bottom) / float(ph)};
}

}  // namespace

std::uint32_t g3d_renderer::picture_texture_key(std::uint32_t key, std::uint32_t flags) const {
  return (flags & G3D_KEY_AS_GIVEN) ? key : key + g3d_picture_key_offset;
}

void g3d_renderer::submit(Primitive type, const G3dScreenVertex* v, int count, std::uint32_t blend,
                          G3dTexture* texture, bool outline) {
  if (!device_) return;
  set_blend_mode(blend);
  device_->set_texture(texture, 0);
  device_->begin_scene();
  device_->draw_primitive(type, g3d_vertex_format, v, count, outline ? draw_wait : draw_wait | draw_do_not_light);
  device_->end_scene();
}

void g3d_renderer::submit_indexed(Primitive type, const G3dScreenVertex* v, int count, const std::uint16_t* indices,
                                  int index_count, std::uint32_t blend, bool outline) {
  if (!device_) return;
  set_blend_mode(blend);
  device_->set_texture(nullptr, 0);
  device_->begin_scene();
  device_->draw_indexed_primitive(type, g3d_vertex_format, v, count, indices, index_count,
                                  outline ? draw_wait : draw_wait | draw_do_not_light);
  device_->end_scene();
}

void g3d_renderer::draw_line(G3dVector p0, G3dVector p1, std::uint32_t colour) {
  draw_line_2c(p0, p1, colour, colour, 1);
}

void g3d_renderer::draw_line_2c(G3dVector p0, G3dVector p1, std::uint32_t c0, std::uint32_t c1,
                                std::uint32_t flags) {
  G3dMatrix c;
  g3d_view_get_projection_view(&c);
  G3dScreenVertex v[2] = {plain(c0), plain(c1)};
  to_screen(&c, p0.x, p0.y, p0.z, &v[0]);
  to_screen(&c, p1.x, p1.y, p1.z, &v[1]);
  submit(Primitive::LineList, v, 2, flags, nullptr, true);
}

void g3d_renderer::draw_triangle(G3dVector p0, G3dVector p1, G3dVector p2, std::uint32_t colour,
                                 std::uint32_t flags) {
  G3dMatrix c;
  g3d_view_get_projection_view(&c);
  G3dScreenVertex v[4];
  const G3dVector* p[3] = {&p0, &p1, &p2};
  for (int i = 0; i < 3; ++i) {
    v[i] = plain(colour);
    to_screen(&c, p[i]->x, p[i]->y, p[i]->z, &v[i]);
    v[i].specular = fog_of(v[i].z);
  }
  v[3] = v[0];
  if (flags & G3D_OUTLINE)
    submit(Primitive::LineStrip, v, 4, flags & G3D_BLEND_MASK, nullptr, true);
  else
    submit(Primitive::TriangleFan, v, 3, flags & G3D_BLEND_MASK, nullptr, false);
}

void g3d_renderer::draw_triangles(const G3dMatrix* m, const G3dVertex* v, int count, const void* picture,
                                  std::uint32_t key, std::uint32_t flags) {
  if (!v || count < 3) return;
  // The staging buffer grows for a larger batch instead of being overrun.
  if (std::size_t(count) > scr_vertex_.size()) scr_vertex_.resize(std::size_t(count));
  G3dMatrix pv, c;
  g3d_view_get_projection_view(&pv);
  g3d_mat_multiply(&pv, m, &c);
  for (int i = 0; i < count; ++i) {
    G3dScreenVertex& s = scr_vertex_[std::size_t(i)];
    s = plain(v[i].colour);
    to_screen(&c, v[i].x, v[i].y, v[i].z, &s);
    s.specular = fog_of(s.z);
    s.u = v[i].u;
    s.v = v[i].v;
  }
  G3dTexture* texture = picture ? get_texture(picture_texture_key(key, flags), picture) : nullptr;
  submit(Primitive::TriangleList, scr_vertex_.data(), count, flags & G3D_BLEND_MASK, texture, false);
}

void g3d_renderer::box_corners(const G3dMatrix* m, const G3dBox* b, std::uint32_t colour, G3dScreenVertex out[8]) {
  G3dMatrix pv, c;
  g3d_view_get_projection_view(&pv);
  g3d_mat_multiply(&pv, m, &c);
  for (int k = 0; k < 8; ++k) {
    const G3dVector p = g3d_box_corner(b, k);
    out[k] = plain(colour);
    to_screen(&c, p.x, p.y, p.z, &out[k]);
  }
}

void g3d_renderer::draw_wire_box(const G3dMatrix* m, const G3dBox* b, std::uint32_t colour, std::uint32_t flags) {
  G3dScreenVertex v[8];
  box_corners(m, b, colour, v);
  submit_indexed(Primitive::LineList, v, 8, wire_box_lines, 32, flags, true);
}

void g3d_renderer::draw_solid_box(const G3dMatrix* m, const G3dBox* b, std::uint32_t colour, std::uint32_t flags) {
  G3dScreenVertex v[8];
  box_corners(m, b, colour, v);
  submit_indexed(Primitive::TriangleList, v, 8, solid_box_triangles, 36, flags, false);
}

void g3d_renderer::draw_rect(int x, int y, int w, int h, std::uint32_t colour, std::uint32_t flags) {
  const float depth = (flags & G3D_FAR_DEPTH) ? 0.9999f : 0.0001f;
  const float xs[4] = {float(x), float(x + w), float(x + w), float(x)};
  const float ys[4] = {float(y), float(y), float(y + h), float(y + h)};
  const float us[4] = {0, 1, 1, 0}, vs[4] = {0, 0, 1, 1};
  for (int i = 0; i < 4; ++i) quad_[i] = {xs[i], ys[i], depth, depth, colour, no_fog, us[i], vs[i]};
  if (flags & G3D_OUTLINE) {
    std::copy(rect_outline, rect_outline + 8, quad_indices_);
    submit_indexed(Primitive::LineList, quad_, 4, quad_indices_, 8, flags & G3D_BLEND_MASK, true);
  } else {
    submit(Primitive::TriangleFan, quad_, 4, flags & G3D_BLEND_MASK, nullptr, false);
  }
}

void g3d_renderer::draw_screen_triangle(int x0, int y0, int x1, int y1, int x2, int y2, std::uint32_t colour,
                                        std::uint32_t flags) {
  const float depth = (flags & G3D_FAR_DEPTH) ? 0.9999f : 0.0001f;
  quad_[0] = {float(x0), float(y0), depth, depth, colour, no_fog, 0, 0};
  quad_[1] = {float(x1), float(y1), depth, depth, colour, no_fog, 0, 0};
  quad_[2] = {float(x2), float(y2), depth, depth, colour, no_fog, 0, 0};
  submit(Primitive::TriangleList, quad_, 3, flags & G3D_BLEND_MASK, nullptr, false);
}

void g3d_renderer::draw_image(const G3dMatrix* m, std::uint32_t key, const void* picture, const G3dRect* source,
                              std::uint32_t colour, std::uint32_t flags) {
  if (override_colour_ != 0xFFFFFFFFu) colour = override_colour_;
  if (flags & G3D_IMAGE_IN_SCENE) {
    draw_billboard(m, key, picture, source, colour, flags);
    return;
  }
  int pw, ph;
  if (!rle16(picture, pw, ph) || pw == 0 || ph == 0) return;
  const ImagePart part = image_part(pw, ph, source);
  const bool far = flags & G3D_FAR_DEPTH;
  const float depth = far ? 0.9999f : 0.0001f;
  const std::uint32_t specular = far ? fog_of(0.9999f) : no_fog;
  const float px[4] = {0, part.w, part.w, 0}, py[4] = {0, 0, part.h, part.h};
  const float us[4] = {part.ul, part.ur, part.ur, part.ul}, vs[4] = {part.vt, part.vt, part.vb, part.vb};
  // The right and bottom corners reach two pixels further.
  const float ex[4] = {0, 2, 2, 0}, ey[4] = {0, 0, 2, 2};
  for (int i = 0; i < 4; ++i) {
    const G3dVector p{px[i], py[i], 0, 1};
    G3dVector s;
    g3d_mat_transform(m, &p, &s);
    quad_[i] = {s.x + ex[i], s.y + ey[i], depth, depth, colour, specular, us[i], vs[i]};
  }
  const G3dFrustum& f = view_.frustum;
  if (std::min(quad_[0].x, quad_[1].x) > f.right || std::min(quad_[0].y, quad_[1].y) > f.bottom ||
      std::max(quad_[2].x, quad_[3].x) < f.left || std::max(quad_[2].y, quad_[3].y) < f.top)
    return;
  G3dTexture* texture = get_texture(picture_texture_key(key, flags), picture);
  submit(Primitive::TriangleFan, quad_, 4, flags & G3D_BLEND_MASK, texture, false);
}

void g3d_renderer::draw_billboard(const G3dMatrix* m, std::uint32_t key, const void* picture,
                                  const G3dRect* source, std::uint32_t colour, std::uint32_t flags) {
  int pw, ph;
  if (!rle16(picture, pw, ph) || pw == 0 || ph == 0) return;
  G3dMatrix pv, view, r, mr, t;
  g3d_view_get_perspective(&pv);
  g3d_view_get_view_matrix(&view);
  G3dMatrix perspective_view;
  g3d_mat_multiply(&pv, &view, &perspective_view);
  G3dVector rows[3];
  g3d_mat_inverse_rotation(&view, rows);
  g3d_mat_identity(&r);
  for (int i = 0; i < 3; ++i) {
    r.m[i * 4] = rows[i].x;
    r.m[i * 4 + 1] = rows[i].y;
    r.m[i * 4 + 2] = rows[i].z;
  }
  g3d_mat_multiply_affine(m, &r, &mr);
  g3d_mat_multiply(&perspective_view, &mr, &t);

  const ImagePart part = image_part(pw, ph, source);
  const float hw = part.w / 2;
  const float cx[4] = {-hw, -hw, hw, hw}, cy[4] = {0, part.h, part.h, 0};
  const float us[4] = {part.ul, part.ul, part.ur, part.ur}, vs[4] = {part.vb, part.vt, part.vt, part.vb};
  for (int i = 0; i < 4; ++i) {
    quad_[i] = {0, 0, 0, 0, colour, 0, us[i], vs[i]};
    to_screen(&t, cx[i], cy[i], 0, &quad_[i]);
    quad_[i].specular = fog_of(quad_[i].z);
  }
  const G3dFrustum& f = view_.frustum;
  if (std::min(quad_[0].x, quad_[1].x) > f.right || std::min(quad_[0].y, quad_[1].y) > f.bottom ||
      std::max(quad_[2].x, quad_[3].x) < f.left || std::max(quad_[2].y, quad_[3].y) < f.top ||
      std::min(quad_[2].z, quad_[3].z) > 1.0f || std::max(quad_[2].z, quad_[3].z) < 0.0f)
    return;
  G3dTexture* texture = get_texture(picture_texture_key(key, flags), picture);
  if (device_) device_->set_texture(texture, 0);
  submit(Primitive::TriangleFan, quad_, 4, flags & G3D_BLEND_MASK, texture, false);
}
