// World drawing: the plain, colour and wireframe paths, and the grid path that draws only the
// objects of the grid cells around the eye, sends only the face bins that can face the viewer,
// and draws the objects between the eye and the focus point last and see-through.
#include <cmath>

#include "g3d/geometry.h"
#include "g3d/renderer.h"
#include "g3d/wld_face_bins.h"
#include "g3d/wld_grid.h"
#include "g3d/wld_world.h"

namespace {

using platform::raster::Primitive;

constexpr std::uint32_t kNoColour = 0xFFFFFFFFu;
constexpr std::uint32_t kWire = 0x10000;
constexpr std::uint32_t kAllBins = 0x7F;
constexpr std::uint32_t kDrawFlags = draw_wait | draw_do_not_light;

// The world's frame count is its first object's; objects with fewer frames are passed over.
bool frame_drawable(const G3dWld* world, unsigned frame) {
  return world && !world->objects.empty() && frame < world->objects[0].frame_count();
}

float xz_distance(const G3dVector& a, const G3dVector& b) {
  const float dx = a.x - b.x, dz = a.z - b.z;
  return std::sqrt(dx * dx + dz * dz);
}

}  // namespace

void g3d_renderer::draw_world(G3dMatrix* m, unsigned frame, G3dWld* world, std::uint32_t colour, std::uint32_t flags) {
  if (!world) return;
  if (override_colour_ != kNoColour) colour = override_colour_;
  // A world without a grid (a battlefield, the base camp) is drawn as in the other paths.
  if (grid_mode_ && world->grid_built)
    draw_world_grid(m, frame, world, flags);
  else if (colour != kNoColour)
    draw_world_colored(m, frame, world, colour, flags);
  else if (flags & kWire)
    draw_world_wire(m, frame, world, flags);
  else
    draw_world_plain(m, frame, world, flags);
}

void g3d_renderer::object_transform(const G3dMatrix* m, const G3dMatrix& c, const G3dWldObj& o, unsigned frame,
                                    bool facing, G3dMatrix* t) const {
  const G3dMatrix& f = o.frames[frame];
  G3dMatrix w, b;
  if (facing && (o.flags & wld_obj_faces_camera)) {
    billboard_matrix(f, &b);
    g3d_mat_multiply_affine(m, &b, &w);
  } else {
    g3d_mat_multiply_affine(m, &f, &w);
  }
  G3dMatrix cc = c;
  g3d_mat_multiply(&cc, &w, t);
}

void g3d_renderer::stage_object(const G3dMatrix& t, const G3dWldObj&, const G3dVertex* v, std::size_t count,
                                std::uint32_t colour, bool vertex_colour, std::uint32_t alpha) {
  G3dScreenVertex* s = staging(count);
  for (std::size_t k = 0; k < count; ++k) {
    to_screen(&t, v[k].x, v[k].y, v[k].z, &s[k]);
    std::uint32_t diffuse = vertex_colour ? v[k].colour : colour;
    if (alpha != kNoColour) diffuse = (diffuse & 0xFFFFFF) | alpha << 24;
    s[k].diffuse = diffuse;
    s[k].specular = fog_of(s[k].z);
    s[k].u = v[k].u;
    s[k].v = v[k].v;
  }
}

void g3d_renderer::submit_object(const G3dWldObj& o, const std::uint16_t* indices, std::size_t count,
                                 std::uint32_t blend, bool own_scene) {
  set_blend_mode(blend);
  if (!device_) return;
  if (own_scene) device_->begin_scene();
  device_->set_texture(get_texture(o.tex_no, nullptr), 0);
  device_->draw_indexed_primitive(Primitive::TriangleList, g3d_vertex_format, scr_vertex_.data(),
                                  int(o.vertices.size()), indices, int(count), kDrawFlags);
  if (own_scene) device_->end_scene();
}

void g3d_renderer::draw_world_plain(G3dMatrix* m, unsigned frame, G3dWld* world, std::uint32_t flags) {
  if (!frame_drawable(world, frame)) return;
  G3dMatrix c, t;
  g3d_view_get_projection_view(&c);
  if (device_) device_->begin_scene();
  for (const G3dWldObj& o : world->objects) {
    if (frame >= o.frame_count()) continue;
    if (box_culled(m, &o.box) || sphere_culled(*m, &o.sphere)) continue;
    count_model(0);
    object_transform(m, c, o, frame, true, &t);
    // A camera-facing object turns all its vertices, however many it has.
    stage_object(t, o, o.frame_vertices(frame), o.vertices.size(), 0, true);
    submit_object(o, o.indices.data(), o.indices.size(), flags | o.flags, false);
  }
  if (device_) device_->end_scene();
}

void g3d_renderer::draw_world_colored(G3dMatrix* m, unsigned frame, G3dWld* world, std::uint32_t colour,
                                      std::uint32_t flags) {
  if (!frame_drawable(world, frame)) return;
  G3dMatrix c, t;
  g3d_view_get_projection_view(&c);
  if (device_) device_->begin_scene();
  for (const G3dWldObj& o : world->objects) {
    if (frame >= o.frame_count()) continue;
    if (box_culled(m, &o.box) || sphere_culled(*m, &o.sphere)) continue;
    object_transform(m, c, o, frame, false, &t);
    stage_object(t, o, o.frame_vertices(frame), o.vertices.size(), colour, false);
    submit_object(o, o.indices.data(), o.indices.size(), flags | o.flags, false);
  }
  if (device_) device_->end_scene();
}

void g3d_renderer::draw_world_wire(G3dMatrix* m, unsigned frame, G3dWld* world, std::uint32_t flags) {
  if (!frame_drawable(world, frame)) return;
  G3dMatrix c, t;
  g3d_view_get_projection_view(&c);
  if (device_) device_->set_render_state(RS_FILLMODE, 2);
  for (const G3dWldObj& o : world->objects) {
    if (frame >= o.frame_count()) continue;
    if (box_culled(m, &o.box) || sphere_culled(*m, &o.sphere)) continue;
    object_transform(m, c, o, frame, false, &t);
    stage_object(t, o, o.frame_vertices(frame), o.vertices.size(), 0, true);
    submit_object(o, o.indices.data(), o.indices.size(), flags | o.flags, true);
  }
  if (device_) device_->set_render_state(RS_FILLMODE, 3);
}

std::uint32_t g3d_renderer::visible_bins() const {
  const G3dView* v = g3d_view_get_current();
  return v ? wld_visible_bins(v->eye, focus_point_) : kAllBins;
}

// The objects of the cells around the eye; the last query is used again while the eye's x and
// z, the far distance and the world stay the same.
const std::vector<std::uint16_t>& g3d_renderer::grid_objects(G3dWld* world) {
  const G3dView* v = g3d_view_get_current();
  const G3dVector eye = v ? v->eye : G3dVector{};
  const float far = v ? v->centre.far_dist : 0.0f;
  if (!query_result_ || eye.x != query_eye_.x || eye.z != query_eye_.z || far != query_far_ ||
      world->serial != query_world_) {
    query_eye_ = eye;
    query_far_ = far;
    query_world_ = world->serial;
    query_result_ = g3d_wld_query_grid(world, &query_eye_, query_far_);
  }
  return *query_result_;
}

// An opaque object that may be an occluder and stands on the line from the eye to the focus.
bool g3d_renderer::is_occluder(const G3dMatrix* m, const G3dWldObj& o) const {
  if (!occluder_test_ || (o.flags & wld_obj_blend_mask) || (o.flags & wld_obj_never_occluder)) return false;
  const G3dView* v = g3d_view_get_current();
  if (!v) return false;
  const G3dVector& eye = v->eye;
  const G3dBox span{{std::fmin(eye.x, focus_point_.x), std::fmin(eye.y, focus_point_.y),
                     std::fmin(eye.z, focus_point_.z), 0},
                    {std::fmax(eye.x, focus_point_.x), std::fmax(eye.y, focus_point_.y),
                     std::fmax(eye.z, focus_point_.z), 0}};
  G3dMatrix identity;
  g3d_mat_identity(&identity);
  if (!g3d_mat_box_overlap(*m, o.box, identity, span)) return false;
  G3dVector centre;
  const G3dVector sc{o.sphere.centre.x, o.sphere.centre.y, o.sphere.centre.z, 1};
  g3d_mat_transform(m, &sc, &centre);
  return g3d_line_hit_box(eye, focus_point_, centre, o.box.min, o.box.max.x, o.box.max.y, o.box.max.z) != 0;
}

void g3d_renderer::draw_grid_object(const G3dMatrix* m, const G3dMatrix& c, const G3dWld* world,
                                    std::uint32_t index, unsigned frame, std::uint32_t bins, std::uint32_t flags,
                                    std::uint32_t alpha) {
  const G3dWldObj& o = world->objects[index];
  G3dMatrix t;
  object_transform(m, c, o, frame, true, &t);
  const bool binned = (o.flags & wld_obj_face_bins) && world->has_face_bins();
  const std::uint16_t* indices = o.indices.data();
  std::size_t count = o.indices.size();
  if (binned) {
    // The visible bins, whole, one after the other; the list grows for a large object.
    stage_object(t, o, o.vertices.data(), o.vertices.size(), 0, true, alpha);
    face_indices_.clear();
    for (int k = 0; k < wld_face_bin_count; ++k)
      if (bins & (1u << k)) {
        const auto& bin = world->face_bins[index].bins[std::size_t(k)];
        face_indices_.insert(face_indices_.end(), bin.begin(), bin.end());
      }
    indices = face_indices_.data();
    count = face_indices_.size();
  } else {
    stage_object(t, o, o.frame_vertices(frame), o.vertices.size(), 0, true, alpha);
  }
  if (count == 0) return;
  const std::uint32_t blend = flags | o.flags | (alpha != kNoColour ? 2u : 0u);
  submit_object(o, indices, count, blend, true);
}

void g3d_renderer::draw_world_grid(G3dMatrix* m, unsigned frame, G3dWld* world, std::uint32_t flags) {
  if (!frame_drawable(world, frame)) return;
  G3dMatrix c;
  g3d_view_get_projection_view(&c);
  const std::uint32_t bins = visible_bins();
  deferred_.clear();
  for (std::uint16_t i : grid_objects(world)) {
    if (i >= world->objects.size()) continue;
    const G3dWldObj& o = world->objects[i];
    if (frame >= o.frame_count()) continue;
    if (box_culled(m, &o.box) || sphere_culled(*m, &o.sphere)) continue;
    count_model(0);
    if (is_occluder(m, o)) {
      deferred_.push_back(i);
      continue;
    }
    draw_grid_object(m, c, world, i, frame, bins, flags, kNoColour);
  }
  if (deferred_.empty()) return;
  // Occluders fade from clear at the eye to 100/255 at the focus distance and beyond.
  const G3dView* v = g3d_view_get_current();
  const G3dVector eye = v ? v->eye : G3dVector{};
  const float focus_distance = xz_distance(eye, focus_point_);
  for (std::uint16_t i : deferred_) {
    const G3dWldObj& o = world->objects[i];
    G3dMatrix w;
    g3d_mat_multiply_affine(m, &o.frames[frame], &w);
    const G3dVector origin{0, 0, 0, 1};
    G3dVector at;
    g3d_mat_transform(&w, &origin, &at);
    const std::uint32_t alpha = wld_occluder_alpha(focus_distance, xz_distance(eye, at), occluder_fade_scale_);
    draw_grid_object(m, c, world, i, frame, bins, flags, alpha & 0xFF);
  }
}
