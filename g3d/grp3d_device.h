#pragma once
// The Direct3D device GRP3Ddraw (its drawing methods carry the class name GRP3dput): one global
// object, brought up on the display device at start-up and on display restore. It owns the
// software rasterizer's device, the depth buffer, the viewport, the render states and the white
// default texture, and submits the renderer's primitives into the back buffer.
#include <cstdint>
#include <memory>

#include "gfx2d/cddraw.h"
#include "platform/raster/raster.h"

namespace platform {
struct Window;
}

constexpr int display_mode_windowed = 20001;
constexpr int display_mode_fullscreen = 20002;
constexpr int device_type_hardware = 2;
constexpr int device_type_software = 1;

// The render states the game sets, with the values it passes.
enum G3dRenderState {
  RS_TEXTUREPERSPECTIVE,
  RS_ZENABLE,
  RS_ZWRITEENABLE,
  RS_ZFUNC,
  RS_CULLMODE,
  RS_FILLMODE,
  RS_SHADEMODE,
  RS_TEXTUREMAG,
  RS_TEXTUREMIN,
  RS_ALPHABLENDENABLE,
  RS_SRCBLEND,
  RS_DESTBLEND,
  RS_COLORKEYENABLE,
  RS_DITHERENABLE,
  RS_TEXTUREADDRESS,
  RS_WRAPU,
  RS_WRAPV,
  RS_ALPHATESTENABLE,
  RS_ALPHAFUNC,
  RS_FOGENABLE,
  RS_FOGTABLEMODE,
  RS_FOGCOLOR,
  RS_COUNT
};
// Values: FILLMODE 2 wireframe, 3 solid; SHADEMODE 1 flat, 2 Gouraud; TEXTUREMAG/MIN 1 nearest,
// 2 linear; CULLMODE 1 none, 2 clockwise, 3 counter-clockwise; blend factors 1 ZERO, 2 ONE,
// 3 SRCCOLOR, 4 INVSRCCOLOR, 5 SRCALPHA, 6 INVSRCALPHA, 7 DESTALPHA, 8 INVDESTALPHA.

// The viewport record: size 44, x, y, width, height, clip x, y, width, height, min z, max z.
struct G3dViewport2 {
  std::uint32_t size;
  std::uint32_t x, y, width, height;
  float clip_x, clip_y, clip_width, clip_height;
  float min_z, max_z;
};
static_assert(sizeof(G3dViewport2) == 44);

// One device texture; the cache fills width to age.
struct G3dTexture {
  platform::raster::Texture* texture;  // the texture, owned by this record
  std::uint16_t* surface;              // its texels
  std::uint32_t width, height;
  std::uint32_t pitch;  // texels
  std::uint32_t height2;
  std::uint32_t bits;
  std::uint32_t keyed;  // bound with colour keying on
  std::uint32_t key_set;
  std::uint32_t key_colour;
  std::uint32_t key;  // cache key
  std::uint32_t age;
};

// Faces submitted since the screens last zeroed it after presenting.
extern std::uint32_t g3d_faces_drawn;

// The vertex format every draw passes (pre-transformed, diffuse, specular, one texture).
constexpr std::uint32_t g3d_vertex_format = 0x1C4;
constexpr std::uint32_t draw_wait = 1, draw_do_not_light = 0x800;

class GRP3Ddraw {
 public:
  // (window, display device, driver 0, mode 20001 or 20002, device type 2, 640, 480, 16);
  // 1 on success, 0 after a message box and a log line.
  int init(platform::Window* window, cDDRAW* ddraw, int driver, int mode, int device_type, int width,
           int height, int bits_per_pixel);
  // Releases what init set up, the display's surfaces and object too; safe at any time.
  void release();
  // 2 points the 2D blitter's pixel format at the texture format, anything else at the back surface.
  void select_blit_format(int which);

  int create_z_buffer(int width, int height);
  int create_device(int device_type);
  int create_view_port();
  int create_default_texture();
  // A texture of width x height; keyed 1 gives it the key colour and fills it with the key.
  int create_texture_buffer(G3dTexture* record, int width, int height, int bits, std::uint16_t key, int keyed);
  int create_texture(G3dTexture* record);
  void release_texture(G3dTexture* record);
  // 1 when the texels were lost and the texture is usable again (the caller refills it).
  int restore_texture(G3dTexture* record);
  // Null binds the white default texture with colour keying off.
  void set_texture(G3dTexture* record, int stage);
  void set_render_state(G3dRenderState state, std::uint32_t value);
  std::uint32_t render_state(G3dRenderState state) const;
  void set_default_states();
  // 0 (viewport unchanged) for sizes that are not positive.
  int set_view_port(int x, int y, int width, int height);
  int undate_view_port(const G3dViewport2* viewport);
  void get_view_port(G3dViewport2* out) const;
  void clear_z_buffer();
  int begin_scene();
  int end_scene();
  // 1 when drawn; faces are counted by primitive type.
  int draw_primitive(platform::raster::Primitive type, std::uint32_t vertex_format,
                     const platform::raster::ScreenVertex* vertices, int count, std::uint32_t flags);
  int draw_indexed_primitive(platform::raster::Primitive type, std::uint32_t vertex_format,
                             const platform::raster::ScreenVertex* vertices, int vertex_count,
                             const std::uint16_t* indices, int index_count, std::uint32_t flags);
  // The begin/vertex/end form of one primitive.
  void begin(platform::raster::Primitive type);
  void vertex(const platform::raster::ScreenVertex& v);
  int end();

  int initialised() const { return initialised_; }
  cDDRAW* display() const { return ddraw_; }
  int device_type() const { return device_type_; }
  int width() const { return width_; }
  int height() const { return height_; }
  platform::raster::Device* raster() { return raster_.get(); }
  platform::Surface* back_surface() const {
    return ddraw_ ? ddraw_->get_surface(DDRAW_BACK_SURFACE) : nullptr;
  }
  const G3dTexture& default_texture() const { return default_texture_; }
  std::uint32_t texture_mask(int channel) const { return texture_masks_[channel]; }

 private:
  void apply_state(G3dRenderState state, std::uint32_t value);
  void apply_texture_binding();
  template <class Draw>
  int submit(Draw draw);

  cDDRAW* ddraw_ = nullptr;
  int initialised_ = 0;
  DdrawInfo info_{};
  int device_type_ = 0;
  int width_ = 0, height_ = 0;
  G3dViewport2 viewport_{};
  std::uint32_t texture_masks_[3] = {};
  G3dTexture default_texture_{};
  std::unique_ptr<platform::raster::Device> raster_;
  std::uint32_t states_[RS_COUNT] = {};
  G3dTexture* bound_ = nullptr;
};

extern GRP3Ddraw d3d_device;
