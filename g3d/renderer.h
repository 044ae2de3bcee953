#pragma once
// The renderer g3d_renderer, one global: every screen draws through it and ends its frame with
// g3d_renderer::present. It holds the current view, the staging vertices, the device texture
// table, the render and blend mode caches, fog, the override colour and the per-frame counters;
// its drawing operations build pre-transformed vertices and submit them through GRP3Ddraw.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "g3d/g3d_math.h"
#include "g3d/g3d_vertex.h"
#include "g3d/g3d_view.h"
#include "g3d/grp3d_device.h"
#include "g3d/rle_texture_upload.h"
#include "platform/raster/raster.h"

using G3dScreenVertex = platform::raster::ScreenVertex;

struct G3dPoly;
struct G3dSphere;
struct G3dWld;
struct G3dWldObj;

// Bits of the flags argument of the drawing operations.
constexpr std::uint32_t G3D_BLEND_MASK = 0xFFFF;         // the blend mode (only bits 0..3 count)
constexpr std::uint32_t G3D_OUTLINE = 0x10000;           // rectangles and triangles as outlines
constexpr std::uint32_t G3D_KEY_AS_GIVEN = 0x1000000;    // the texture key is not offset by 100000
constexpr std::uint32_t G3D_IMAGE_IN_SCENE = 0x2000000;  // an image drawn as a billboard
constexpr std::uint32_t G3D_FAR_DEPTH = 0x8000000;       // screen depth 0.9999 instead of 0.0001

constexpr std::uint32_t g3d_picture_key_offset = 100000;

// A map's fog: colour 0..1, start, end, bias.
struct ChartRecord {
  float red, green, blue;
  float start, end, bias;
};

struct G3dRect {
  std::int32_t left, top, right, bottom;
};

class g3d_renderer {
 public:
  // 1 on success; 0, with a report, when the staging vertices cannot be had.
  int init(GRP3Ddraw* device);
  // Frees the renderer's buffers and textures; safe when init never ran.
  void release();
  int get_model_count() const { return models_drawn_; }
  int get_texture_count() const { return int(textures_.size()); }
  std::uint32_t get_texture_bytes() const { return texture_bytes_; }
  void flush_textures();

  // The device texture cache.
  // A picture passed without its size (held in memory, checked on loading) is read as it is.
  G3dTexture* get_texture(std::uint32_t key, const void* picture, std::size_t picture_size = picture_size_unknown);
  void release_texture(std::uint32_t key);
  void remove_texture_at(int index);
  void release_textures();
  void set_texture_budget(std::uint32_t bytes) { texture_budget_ = bytes; }
  std::uint32_t texture_budget() const { return texture_budget_; }
  const G3dTexture* texture_at(int index) const { return textures_[std::size_t(index)]; }

  // The back buffer's pixels for 2D drawing, null when the lock fails.
  std::uint16_t* lock_back_buffer();
  void unlock_back_buffer(std::uint16_t* pixels);
  void set_present_rect(int dest_x, int dest_y, int src_x, int src_y, int src_width, int src_height);
  void present();

  void set_render_mode(int mode);
  int render_mode() const { return render_mode_; }
  void set_blend_mode(std::uint32_t flags);
  int blend_mode() const { return blend_mode_; }
  // Paths that set blend or fill states themselves call this, so the next draw sends its own.
  void invalidate_blend_cache() { blend_mode_ = -1; }
  int depth_write_flag() const { return depth_write_; }

  void look_at(float eye_x, float eye_y, float eye_z, float eye_w, float target_x, float target_y, float target_z,
               float target_w);
  void set_viewport(int x, int y, int width, int height, float scale, float near_plane, float far_plane);
  G3dView& view() { return view_; }

  void set_override_color(std::uint32_t argb) { override_colour_ = argb; }
  std::uint32_t override_color() const { return override_colour_; }
  // The specular word of a vertex of screen depth z: its top byte is the fog factor.
  std::uint32_t fog_of(float depth) const;
  void set_vertex_fog(bool on) { vertex_fog_ = on; }
  void set_vertex_fog_range(float start, float end, float bias);

  // Matrix helpers, angles in degrees.
  G3dMatrix* identity_matrix(G3dMatrix* out);
  void make_matrix(G3dMatrix* out, float x, float y, float z, float rx, float ry, float rz);
  void make_scale_matrix(G3dMatrix* out, float x, float y, float z, float sx, float sy, float sz, float rx,
                         float ry, float rz);
  void translate_matrix(G3dMatrix* m, float x, float y, float z);
  void rotate_matrix(G3dMatrix* m, float rx, float ry, float rz);
  void scale_matrix(G3dMatrix* m, float sx, float sy, float sz);
  // The screen transform: (X, Y, Z, W) = combined * (x, y, z, 1), then the view's centre and
  // scales. Writes x, y, z and rhw.
  void to_screen(const G3dMatrix* combined, float x, float y, float z, G3dScreenVertex* out) const;

  // Primitives and images.
  void draw_line(G3dVector p0, G3dVector p1, std::uint32_t colour);
  void draw_line_2c(G3dVector p0, G3dVector p1, std::uint32_t colour0, std::uint32_t colour1, std::uint32_t flags);
  void draw_triangle(G3dVector p0, G3dVector p1, G3dVector p2, std::uint32_t colour, std::uint32_t flags);
  void draw_triangles(const G3dMatrix* m, const G3dVertex* v, int count, const void* picture, std::uint32_t key,
                      std::uint32_t flags);
  void draw_wire_box(const G3dMatrix* m, const G3dBox* b, std::uint32_t colour, std::uint32_t flags);
  void draw_solid_box(const G3dMatrix* m, const G3dBox* b, std::uint32_t colour, std::uint32_t flags);
  void draw_rect(int x, int y, int w, int h, std::uint32_t colour, std::uint32_t flags);
  void draw_screen_triangle(int x0, int y0, int x1, int y1, int x2, int y2, std::uint32_t colour,
                            std::uint32_t flags);
  void draw_image(const G3dMatrix* m, std::uint32_t key, const void* picture, const G3dRect* source,
                  std::uint32_t colour, std::uint32_t flags);
  void draw_billboard(const G3dMatrix* m, std::uint32_t key, const void* picture, const G3dRect* source,
                      std::uint32_t colour, std::uint32_t flags);

  // Counters of the model drawers, zeroed by present.
  void count_model(int corners) {
    ++models_drawn_;
    corners_drawn_ += corners;
  }
  int corners_drawn() const { return corners_drawn_; }
  GRP3Ddraw* device() const { return device_; }

  // Model drawing, view culling and attachment points. The colour is ARGB, or 0xFFFFFFFF for
  // the vertex colours.
  void draw_model(G3dMatrix* m, unsigned frame, G3dPoly* model, std::uint32_t colour, std::uint32_t flags);
  void draw_model_plain(G3dMatrix* m, unsigned frame, G3dPoly* model, std::uint32_t flags);
  void draw_model_colored(G3dMatrix* m, unsigned frame, G3dPoly* model, std::uint32_t colour, std::uint32_t flags);
  void draw_model_unfaced(G3dMatrix* m, unsigned frame, G3dPoly* model, std::uint32_t flags);
  void draw_model_selected(G3dMatrix* m, unsigned frame, G3dPoly* model, std::uint32_t flags);
  void draw_model_wire(G3dMatrix* m, unsigned frame, G3dPoly* model, std::uint32_t flags);
  void draw_model_ortho(G3dMatrix* m, unsigned frame, G3dPoly* model, std::uint32_t flags);
  void set_cull_box(const G3dVector* angles, const G3dVector* point);
  void set_no_cull(int on) { no_cull_ = on; }
  const G3dBox& cull_box() const { return cull_box_; }
  int box_culled(const G3dMatrix* m, const G3dBox* box) const;
  int sphere_culled(G3dMatrix m, const G3dSphere* sphere) const;
  // The attachment point of the first part tagged tag at a frame; 0, out untouched, when the
  // model has no such part or the frame is not one of its frames.
  int get_part_point(const G3dMatrix* m, const G3dPoly* model, unsigned frame, int tag, G3dVector* out) const;
  int get_part_matrix(const G3dPoly* model, unsigned frame, int tag, float sx, float sy, float sz,
                      G3dMatrix* out) const;
  void draw_fan(const G3dMatrix* m, const G3dVertex* vertices, unsigned count, const void* image, int key,
                std::uint32_t colour, std::uint32_t flags);

  // World drawing, grid mode and see-through occluders.
  void draw_world(G3dMatrix* m, unsigned frame, G3dWld* world, std::uint32_t colour, std::uint32_t flags);
  void draw_world_plain(G3dMatrix* m, unsigned frame, G3dWld* world, std::uint32_t flags);
  void draw_world_colored(G3dMatrix* m, unsigned frame, G3dWld* world, std::uint32_t colour, std::uint32_t flags);
  void draw_world_wire(G3dMatrix* m, unsigned frame, G3dWld* world, std::uint32_t flags);
  void draw_world_grid(G3dMatrix* m, unsigned frame, G3dWld* world, std::uint32_t flags);
  void set_grid_mode(int on) { grid_mode_ = on; }
  void set_occluder_test(int on) { occluder_test_ = on; }
  void set_focus_point(const G3dVector* p) { focus_point_ = {p->x, p->y, p->z, focus_point_.w}; }
  int grid_mode() const { return grid_mode_; }

 private:
  // The model drawers' steps.
  G3dScreenVertex* staging(std::size_t count);
  bool model_visible(const G3dMatrix* m, unsigned frame, const G3dPoly* model);
  void stage_part(const G3dMatrix& t, const G3dPoly* model, unsigned frame, std::uint32_t part, std::uint32_t colour,
                  bool vertex_colour);
  void stage_model(const G3dMatrix* m, unsigned frame, const G3dPoly* model, std::uint32_t colour, bool vertex_colour,
                   bool facing);
  void billboard_matrix(const G3dMatrix& frame_matrix, G3dMatrix* out) const;
  void submit_material(const G3dPoly* model, std::size_t material, std::uint32_t flags, bool own_scene);
  // The world drawers' steps.
  void stage_object(const G3dMatrix& t, const G3dWldObj& o, const G3dVertex* v, std::size_t count,
                    std::uint32_t colour, bool vertex_colour, std::uint32_t alpha = 0xFFFFFFFFu);
  void object_transform(const G3dMatrix* m, const G3dMatrix& c, const G3dWldObj& o, unsigned frame, bool facing,
                        G3dMatrix* t) const;
  void submit_object(const G3dWldObj& o, const std::uint16_t* indices, std::size_t count, std::uint32_t blend,
                     bool own_scene);
  const std::vector<std::uint16_t>& grid_objects(G3dWld* world);
  std::uint32_t visible_bins() const;
  bool is_occluder(const G3dMatrix* m, const G3dWldObj& o) const;
  void draw_grid_object(const G3dMatrix* m, const G3dMatrix& c, const G3dWld* world, std::uint32_t index,
                        unsigned frame, std::uint32_t bins, std::uint32_t flags, std::uint32_t alpha);

  G3dTexture* find_or_make_texture(std::uint32_t key, const void* picture, std::size_t picture_size);
  void evict_oldest();
  void submit(platform::raster::Primitive type, const G3dScreenVertex* v, int count, std::uint32_t blend,
              G3dTexture* texture, bool outline);
  void submit_indexed(platform::raster::Primitive type, const G3dScreenVertex* v, int count,
                      const std::uint16_t* indices, int index_count, std::uint32_t blend, bool outline);
  void box_corners(const G3dMatrix* m, const G3dBox* b, std::uint32_t colour, G3dScreenVertex out[8]);
  std::uint32_t picture_texture_key(std::uint32_t key, std::uint32_t flags) const;

  GRP3Ddraw* device_ = nullptr;
  G3dView view_{};
  std::vector<G3dScreenVertex> scr_vertex_;  // lpScrVertex, the staging vertices
  std::uint16_t quad_indices_[8] = {};
  G3dScreenVertex quad_[4] = {};
  std::vector<G3dTexture*> textures_;
  int render_mode_ = 0;
  int blend_mode_ = -1;
  int models_drawn_ = 0, corners_drawn_ = 0;
  std::uint32_t texture_bytes_ = 0, texture_budget_ = 0;
  std::uint32_t override_colour_ = 0xFFFFFFFF;
  int depth_write_ = 1;
  bool vertex_fog_ = false;
  float fog_start_ = 0, fog_end_ = 1, fog_bias_ = 0;
  // Model and world drawing.
  int no_cull_ = 0;
  G3dBox cull_box_{};
  const std::vector<std::uint16_t>* query_result_ = nullptr;
  float query_far_ = 0;
  G3dVector query_eye_{};
  std::uint32_t query_world_ = 0;  // the serial of the world the query was made for
  G3dVector focus_point_{};
  int grid_mode_ = 0;
  int occluder_test_ = 0;
  float occluder_fade_scale_ = 100.0f;
  std::vector<std::uint16_t> face_indices_;  // the grid path's index list of one object
  std::vector<std::uint16_t> deferred_;      // occluders drawn last, see-through
};

extern g3d_renderer renderer;

// Fog of the current map: device fog on with the record's colour and the vertex fog range, or
// device fog off for null or an end not above 0. 0.
int set_chart_map(const ChartRecord* record);
// Vertex fog on or off for the following draws, device fog untouched.
void g3d_enable_fog(int on);

// The device texture key of a sprite picture: the documented TswId x 256 + picture + 100000
// for pictures below 256, a key of its own range above, so that no two pictures share a texture.
std::uint32_t g3d_sprite_texture_key(std::uint32_t tsw_id, std::uint32_t picture);
