// Model drawing: the six paths, the view culling models and worlds share, the attachment
// points and the transformed triangle fan. Every drawn vertex is transformed once into the
// staging buffer, at its model vertex index, and the materials share it through index ranges.
#include <algorithm>
#include <cmath>

#include "g3d/geometry.h"
#include "g3d/ply_model.h"
#include "g3d/renderer.h"

namespace {

using platform::raster::Primitive;

constexpr std::uint32_t kNoColour = 0xFFFFFFFFu;
constexpr std::uint32_t kUnfaced = 0x80, kOrtho = 0x100, kSelected = 0x1000, kWire = 0x10000;
constexpr std::uint32_t kSelectMask = 0xFFFFEFF8u;
constexpr std::uint32_t kNoFog = 0xFF000000u;
constexpr std::uint32_t kDrawFlags = draw_wait | draw_do_not_light;

bool drawn_part(const PlyPart& p) { return (p.id & ply_part_tag_mask) == 0; }
bool drawn_material(const PlyMaterial& m) { return (m.flags & 0xFF000000u) == 0; }
bool selected(std::uint32_t bits, std::uint32_t f) { return (bits & f) != 0 || bits == (f & kSelectMask); }

// The first part carrying an attachment tag (the top byte of its id is the tag + 1).
const PlyPart* tagged_part(const G3dPoly* model, int tag, std::uint32_t* index) {
  const std::uint32_t top = std::uint32_t((tag & 0xFFFF) + 1) & 0xFF;
  for (std::uint32_t k = 0; k < model->part_count(); ++k)
    if (model->parts[k].id >> 24 == top) {
      *index = k;
      return &model->parts[k];
    }
  return nullptr;
}

// Truncation of a distance to a whole number, as the sphere test takes it.
float whole(float v) { return std::isfinite(v) && std::fabs(v) < 2e9f ? float(std::int32_t(v)) : v; }

}  // namespace

G3dScreenVertex* g3d_renderer::staging(std::size_t count) {
  // A model may hold up to 65536 vertices; the buffer grows for it rather than being overrun.
  if (count > scr_vertex_.size()) scr_vertex_.resize(count);
  return scr_vertex_.data();
}

void g3d_renderer::draw_model(G3dMatrix* m, unsigned frame, G3dPoly* model, std::uint32_t colour, std::uint32_t flags) {
  if (!model) return;
  if (override_colour_ != kNoColour) colour = override_colour_;
  if (colour != kNoColour)
    draw_model_colored(m, frame, model, colour, flags);
  else if (flags & kUnfaced)
    draw_model_unfaced(m, frame, model, flags);
  else if (flags & kSelected)
    draw_model_selected(m, frame, model, flags);
  else if (flags & kWire)
    draw_model_wire(m, frame, model, flags);
  else if (flags & kOrtho)
    draw_model_ortho(m, frame, model, flags);
  else
    draw_model_plain(m, frame, model, flags);
}

bool g3d_renderer::model_visible(const G3dMatrix* m, unsigned frame, const G3dPoly* model) {
  if (frame >= model->frame_count) return false;
  if (box_culled(m, &model->box) || sphere_culled(*m, &model->sphere)) return false;
  count_model(0);
  return true;
}

// The inverse rotation of the view with the frame matrix's translation: the part shows its
// face to the screen at its animated position.
void g3d_renderer::billboard_matrix(const G3dMatrix& frame_matrix, G3dMatrix* out) const {
  G3dMatrix view;
  g3d_view_get_view_matrix(&view);
  G3dVector rows[3];
  g3d_mat_inverse_rotation(&view, rows);
  for (int i = 0; i < 3; ++i) {
    out->m[i * 4] = rows[i].x;
    out->m[i * 4 + 1] = rows[i].y;
    out->m[i * 4 + 2] = rows[i].z;
    out->m[i * 4 + 3] = frame_matrix.m[i * 4 + 3];
  }
  out->m[12] = out->m[13] = out->m[14] = 0.0f;
  out->m[15] = 1.0f;
}

void g3d_renderer::stage_part(const G3dMatrix& t, const G3dPoly* model, unsigned frame, std::uint32_t part,
                              std::uint32_t colour, bool vertex_colour) {
  const PlyPart& p = model->parts[part];
  const G3dVertex* v = model->part_vertices(frame, part);
  G3dScreenVertex* out = scr_vertex_.data() + p.first_vertex;
  for (std::uint32_t k = 0; k < p.end_vertex - p.first_vertex; ++k) {
    G3dScreenVertex& s = out[k];
    to_screen(&t, v[k].x, v[k].y, v[k].z, &s);
    s.diffuse = vertex_colour ? v[k].colour : colour;
    s.specular = fog_of(s.z);
    s.u = v[k].u;
    s.v = v[k].v;
  }
}

// Transforms the drawn parts. A camera-facing part turns all of its vertices (however many it
// has) with the view's inverse rotation.
void g3d_renderer::stage_model(const G3dMatrix* m, unsigned frame, const G3dPoly* model, std::uint32_t colour,
                               bool vertex_colour, bool facing) {
  staging(model->vertices.size());
  G3dMatrix c, w, t, b;
  g3d_view_get_projection_view(&c);
  for (std::uint32_t k = 0; k < model->part_count(); ++k) {
    if (!drawn_part(model->parts[k])) continue;
    const G3dMatrix& p = model->part_matrix(frame, k);
    if (facing && (model->parts[k].id & ply_part_faces_camera)) {
      billboard_matrix(p, &b);
      g3d_mat_multiply_affine(m, &b, &w);
    } else {
      g3d_mat_multiply_affine(m, &p, &w);
    }
    g3d_mat_multiply(&c, &w, &t);
    stage_part(t, model, frame, k, colour, vertex_colour);
  }
}

void g3d_renderer::submit_material(const G3dPoly* model, std::size_t material, std::uint32_t flags, bool own_scene) {
  const PlyMaterial& mat = model->materials[material];
  set_blend_mode(flags | mat.flags);
  if (!device_) return;
  device_->set_texture(get_texture(mat.tex_no, nullptr), 0);
  if (own_scene) device_->begin_scene();
  device_->draw_indexed_primitive(Primitive::TriangleList, g3d_vertex_format, scr_vertex_.data(),
                                  int(model->vertices.size()), model->triangles.data() + mat.first_index,
                                  int(mat.index_count), kDrawFlags);
  if (own_scene) device_->end_scene();
}

void g3d_renderer::draw_model_plain(G3dMatrix* m, unsigned frame, G3dPoly* model, std::uint32_t flags) {
  if (!model_visible(m, frame, model)) return;
  stage_model(m, frame, model, 0, true, true);
  if (device_) device_->begin_scene();
  for (std::size_t i = 0; i < model->materials.size(); ++i)
    if (drawn_material(model->materials[i])) submit_material(model, i, flags, false);
  if (device_) device_->end_scene();
  // Every triangle of the model counts, drawn or skipped.
  corners_drawn_ += int(3 * model->triangle_count());
}

void g3d_renderer::draw_model_colored(G3dMatrix* m, unsigned frame, G3dPoly* model, std::uint32_t colour,
                                      std::uint32_t flags) {
  if (!model_visible(m, frame, model)) return;
  stage_model(m, frame, model, colour, false, true);
  for (std::size_t i = 0; i < model->materials.size(); ++i)
    if (drawn_material(model->materials[i])) submit_material(model, i, flags, true);
}

void g3d_renderer::draw_model_unfaced(G3dMatrix* m, unsigned frame, G3dPoly* model, std::uint32_t flags) {
  if (!model_visible(m, frame, model)) return;
  stage_model(m, frame, model, 0, true, false);
  for (std::size_t i = 0; i < model->materials.size(); ++i)
    if (drawn_material(model->materials[i])) submit_material(model, i, flags, true);
}

void g3d_renderer::draw_model_wire(G3dMatrix* m, unsigned frame, G3dPoly* model, std::uint32_t flags) {
  if (!model_visible(m, frame, model)) return;
  stage_model(m, frame, model, 0, true, false);
  if (device_) device_->set_render_state(RS_FILLMODE, 2);
  for (std::size_t i = 0; i < model->materials.size(); ++i)
    if (drawn_material(model->materials[i])) submit_material(model, i, flags, true);
  if (device_) device_->set_render_state(RS_FILLMODE, 3);
}

// The parts and materials that share a bit with the flags (or equal them without the path and
// blend bits), triangle by triangle with a screen back-face test.
void g3d_renderer::draw_model_selected(G3dMatrix* m, unsigned frame, G3dPoly* model, std::uint32_t f) {
  if (!model_visible(m, frame, model)) return;
  staging(model->vertices.size());
  G3dMatrix c, w, t;
  g3d_view_get_projection_view(&c);
  for (std::uint32_t k = 0; k < model->part_count(); ++k) {
    if (!selected(model->parts[k].id, f)) continue;
    g3d_mat_multiply_affine(m, &model->part_matrix(frame, k), &w);
    g3d_mat_multiply(&c, &w, &t);
    stage_part(t, model, frame, k, 0, true);
  }
  for (const PlyMaterial& mat : model->materials) {
    if (!selected(mat.flags, f)) continue;
    set_blend_mode((f & kSelectMask) | mat.flags);
    if (!device_) continue;
    device_->set_texture(get_texture(mat.tex_no, nullptr), 0);
    device_->begin_scene();
    device_->begin(Primitive::TriangleList);
    const std::uint16_t* idx = model->triangles.data() + mat.first_index;
    for (std::uint32_t i = 0; i + 2 < mat.index_count; i += 3) {
      const G3dScreenVertex &a = scr_vertex_[idx[i]], &b = scr_vertex_[idx[i + 1]], &v = scr_vertex_[idx[i + 2]];
      const float cross = (b.x - a.x) * (b.y - v.y) - (b.y - a.y) * (b.x - v.x);
      if (cross > 0.0f) continue;
      device_->vertex(a);
      device_->vertex(b);
      device_->vertex(v);
    }
    device_->end();
    device_->end_scene();
  }
}

// One unit per pixel with the origin at the screen centre and y upwards; no culling.
void g3d_renderer::draw_model_ortho(G3dMatrix* m, unsigned frame, G3dPoly* model, std::uint32_t flags) {
  if (frame >= model->frame_count) return;
  staging(model->vertices.size());
  G3dMatrix c, w, t;
  g3d_view_set_projection_mode(g3d_projection_ortho);
  g3d_view_get_projection_view(&c);
  g3d_view_set_projection_mode(0);
  const float cx = view_.centre.x, cy = view_.centre.y;
  for (std::uint32_t k = 0; k < model->part_count(); ++k) {
    const PlyPart& p = model->parts[k];
    if (!drawn_part(p)) continue;
    g3d_mat_multiply_affine(m, &model->part_matrix(frame, k), &w);
    g3d_mat_multiply(&c, &w, &t);
    const G3dVertex* v = model->part_vertices(frame, k);
    for (std::uint32_t i = 0; i < p.end_vertex - p.first_vertex; ++i) {
      const G3dVector in{v[i].x, v[i].y, v[i].z, 1};
      G3dVector h;
      g3d_mat_transform(&t, &in, &h);
      G3dScreenVertex& s = scr_vertex_[p.first_vertex + i];
      s.rhw = 1.0f / h.w;
      s.x = 2.0f * cx + h.x * s.rhw * cx;
      s.y = -(h.y * s.rhw * cy);
      s.z = h.z * s.rhw;
      s.diffuse = v[i].colour;
      s.specular = kNoFog;
      s.u = v[i].u;
      s.v = v[i].v;
    }
  }
  for (std::size_t i = 0; i < model->materials.size(); ++i)
    if (drawn_material(model->materials[i])) submit_material(model, i, flags, true);
}

void g3d_renderer::set_cull_box(const G3dVector* angles, const G3dVector* point) {
  const G3dView* v = g3d_view_get_current();
  if (!v) return;
  G3dMatrix l;
  g3d_mat_identity(&l);
  rotate_matrix(&l, angles->x, angles->y, angles->z);
  G3dVector d;
  vec_sub(&d, &v->eye, point);
  const float dist = vec_length(&d);
  const float far = v->centre.far_dist;
  const float h = v->screen_scale_x / v->scale * far / v->width;
  const G3dBox local{{-h, -h, -dist, 0}, {h, h, far - 1000.0f, 0}};
  translate_matrix(&l, point->x, point->y, point->z);
  g3d_transform_box(&l, &local, &cull_box_);
}

int g3d_renderer::box_culled(const G3dMatrix* m, const G3dBox* box) const {
  if (no_cull_ == 1) return 0;
  G3dBox b;
  g3d_transform_box(m, box, &b);
  const G3dBox& k = cull_box_;
  return b.min.z > k.max.z || b.max.z < k.min.z || b.min.x > k.max.x || b.max.x < k.min.x || b.min.y > k.max.y ||
         b.max.y < k.min.y;
}

int g3d_renderer::sphere_culled(G3dMatrix m, const G3dSphere* sphere) const {
  const G3dView* v = g3d_view_get_current();
  if (!v) v = &view_;
  G3dMatrix c, t;
  g3d_view_get_projection_view(&c);
  g3d_mat_multiply(&c, &m, &t);
  G3dVector centre{sphere->centre.x + m.m[3], sphere->centre.y + m.m[7], sphere->centre.z + m.m[11], 0}, d;
  vec_sub(&d, &centre, &v->eye);
  const float dist = whole(vec_length(&d));
  const float h = sphere->size / 2.0f;
  if (h + v->centre.far_dist < dist || v->centre.near_dist - h > dist) return 1;
  const G3dVector in{sphere->centre.x, sphere->centre.y, sphere->centre.z, 1};
  G3dVector p;
  g3d_mat_transform(&t, &in, &p);
  const float rhw = 1.0f / p.w;
  const float sx = view_.screen_scale_x, sy = view_.screen_scale_y, cx = view_.centre.x, cy = view_.centre.y;
  const float x0 = (p.x - h) * rhw * sx + cx, x1 = (p.x + h) * rhw * sx + cx;
  const float y0 = cy - (p.y - h) * rhw * sy, y1 = cy - (p.y + h) * rhw * sy;
  const float z0 = (p.z - sphere->size) * rhw, z1 = (p.z + sphere->size) * rhw;
  const G3dFrustum& f = view_.frustum;
  return std::min(z0, z1) > 1.0f || std::max(z0, z1) < 0.0f || std::min(x0, x1) > f.right ||
         std::max(x0, x1) < f.left || std::min(y0, y1) > f.bottom || std::max(y0, y1) < f.top;
}

int g3d_renderer::get_part_point(const G3dMatrix* m, const G3dPoly* model, unsigned frame, int tag,
                                 G3dVector* out) const {
  std::uint32_t k = 0;
  const PlyPart* part = tagged_part(model, tag, &k);
  if (!part || frame >= model->frame_count || part->first_vertex >= model->vertices.size()) return 0;
  const G3dVertex& v = model->vertices[part->first_vertex];
  G3dMatrix a, mm = *m;
  g3d_mat_multiply(&mm, &model->part_matrix(frame, k), &a);
  const G3dVector p{v.x, v.y, v.z, 1};
  g3d_mat_transform(&a, &p, out);
  return 1;
}

int g3d_renderer::get_part_matrix(const G3dPoly* model, unsigned frame, int tag, float sx, float sy, float sz,
                                  G3dMatrix* out) const {
  std::uint32_t k = 0;
  if (!tagged_part(model, tag, &k) || frame >= model->frame_count) return 0;
  *out = model->part_matrix(frame, k);
  for (int i : {0, 1, 2, 4, 5, 6, 8, 9, 10}) out->m[i] = -out->m[i];
  for (int i = 0; i < 4; ++i) {
    out->m[i] *= sx;
    out->m[4 + i] *= sy;
    out->m[8 + i] *= sz;
  }
  return 1;
}

void g3d_renderer::draw_fan(const G3dMatrix* m, const G3dVertex* vertices, unsigned count, const void* image, int key,
                            std::uint32_t colour, std::uint32_t flags) {
  if (!vertices || count == 0) return;
  G3dScreenVertex* s = staging(count);
  G3dMatrix c, t;
  g3d_view_get_projection_view(&c);
  g3d_mat_multiply(&c, m, &t);
  for (unsigned i = 0; i < count; ++i) {
    to_screen(&t, vertices[i].x, vertices[i].y, vertices[i].z, &s[i]);
    s[i].diffuse = colour;
    s[i].specular = fog_of(s[i].z);
    s[i].u = vertices[i].u;
    s[i].v = vertices[i].v;
  }
  set_blend_mode(flags & G3D_BLEND_MASK);
  if (!device_) return;
  G3dTexture* texture = image ? get_texture(picture_texture_key(std::uint32_t(key), flags), image) : nullptr;
  device_->set_texture(texture, 0);
  device_->begin_scene();
  device_->draw_primitive(Primitive::TriangleFan, g3d_vertex_format, s, int(count), kDrawFlags);
  device_->end_scene();
}
