// The 3D device on the software rasterizer.
#include "g3d/grp3d_device.h"

#include <algorithm>

#include "core/log.h"
#include "g3d/display_seam.h"
#include "platform/message_box.h"

GRP3Ddraw d3d_device;
std::uint32_t g3d_faces_drawn = 0;

namespace {

using platform::raster::Primitive;
using platform::raster::State;


void show(const char* text) {
  platform::message_box(nullptr, text, error_caption, platform::BoxButtons::Ok);
}

void show_and_log(const char* text) {
  show(text);
  log_trace("%s", text);
}

// Faces a primitive adds to the counter: none for lines.
std::uint32_t faces(Primitive type, int count) {
  switch (type) {
    case Primitive::TriangleList: return std::uint32_t(count / 3);
    case Primitive::TriangleFan: return count > 2 ? std::uint32_t(count - 2) : 0;
    default: return 0;
  }
}

// The render states the rasterizer acts on; the others are only kept.
bool raster_state(G3dRenderState s, State& out) {
  switch (s) {
    case RS_ZWRITEENABLE: out = State::ZWriteEnable; return true;
    case RS_FILLMODE: out = State::FillMode; return true;
    case RS_SHADEMODE: out = State::ShadeMode; return true;
    case RS_TEXTUREMAG: out = State::TextureFilter; return true;
    case RS_ALPHABLENDENABLE: out = State::AlphaBlendEnable; return true;
    case RS_SRCBLEND: out = State::SrcBlend; return true;
    case RS_DESTBLEND: out = State::DestBlend; return true;
    case RS_CULLMODE: out = State::CullMode; return true;
    case RS_COLORKEYENABLE: out = State::ColourKeyEnable; return true;
    case RS_FOGENABLE: out = State::FogEnable; return true;
    case RS_FOGCOLOR: out = State::FogColour; return true;
    default: return false;
  }
}

}  // namespace

int GRP3Ddraw::init(platform::Window* window, cDDRAW* ddraw, int driver, int mode, int device_type, int width,
                    int height, int bits_per_pixel) {
  initialised_ = 1;
  ddraw_ = ddraw;
  ddraw->enum_Ddraw_driver();
  if (!ddraw->Init(window, driver, mode, device_type, width, height, bits_per_pixel)) {
    show_and_log("GRP3Ddraw::chose_Ddraw_driver\xa5\xa2\xb1\xd1");  // "...失敗"
    return 0;
  }
  ddraw->get_info(&info_);
  display_init_blitter(ddraw);
  switch (ddraw->get_pixel_format()) {
    case 0: texture_masks_[0] = 0xFC00, texture_masks_[1] = 0x03E0, texture_masks_[2] = 0x001F; break;
    case 1: texture_masks_[0] = 0xF800, texture_masks_[1] = 0x07C0, texture_masks_[2] = 0x003F; break;
    case 2: texture_masks_[0] = 0xF800, texture_masks_[1] = 0x07E0, texture_masks_[2] = 0x001F; break;
    case 3: texture_masks_[0] = 0xF800, texture_masks_[1] = 0x03E0, texture_masks_[2] = 0x001F; break;
    default: break;
  }
  width_ = info_.width;
  height_ = info_.height;
  device_type_ = info_.hardware_3d == 1 ? device_type_hardware : device_type_software;
  // A step that fails leaves the device unusable: init fails with the step's report.
  if (!create_z_buffer(width_, height_) || !create_device(device_type_) || !create_view_port() ||
      !create_default_texture())
    return 0;
  if (!display_blit_format_texture()) {
    // "GRP3Ddraw::Init(...) 無法取得目前顯示卡貼圖格式"
    show_and_log("GRP3Ddraw::Init(...) \xb5\x4c\xaa\x6b\xa8\xfa\xb1\x6f\xa5\xd8\xab\x65\xc5\xe3\xa5\xdc\xa5\x64\xb6\x4b"
                 "\xb9\xcf\xae\xe6\xa6\xa1");
    return 0;
  }
  set_default_states();
  clear_z_buffer();
  return 1;
}

void GRP3Ddraw::release() {
  release_texture(&default_texture_);
  raster_.reset();
  bound_ = nullptr;
  if (initialised_ && ddraw_) {
    ddraw_->release_surfaces();
    ddraw_->release_ddraw();
  }
  initialised_ = 0;
}

void GRP3Ddraw::select_blit_format(int which) {
  if (which == 2)
    display_blit_format_texture();
  else
    display_blit_format_screen(ddraw_);
}

int GRP3Ddraw::create_z_buffer(int width, int height) {
  if (!raster_) raster_ = std::make_unique<platform::raster::Device>();
  if (!raster_->create_depth_buffer(width, height)) {
    // "GRP3Ddraw::create_z_buffer(..) 無法建立 surface"
    show_and_log("GRP3Ddraw::create_z_buffer(..) \xb5\x4c\xaa\x6b\xab\xd8\xa5\xdf surface");
    return 0;
  }
  return 1;
}

int GRP3Ddraw::create_device(int device_type) {
  if (!raster_) {
    // "GRP3dput::create_device(..) 無法建立lpD3DDevice3"
    show_and_log("GRP3dput::create_device(..) \xb5\x4c\xaa\x6b\xab\xd8\xa5\xdf" "lpD3DDevice3");
    return 0;
  }
  device_type_ = device_type;
  return 1;
}

int GRP3Ddraw::create_view_port() {
  if (!raster_) {
    // "GRP3dput::create_view_port(..) 無法建立lpD3DViewPort3"
    show_and_log("GRP3dput::create_view_port(..) \xb5\x4c\xaa\x6b\xab\xd8\xa5\xdf" "lpD3DViewPort3");
    return 0;
  }
  return set_view_port(0, 0, width_, height_);
}

int GRP3Ddraw::create_default_texture() {
  if (!create_texture_buffer(&default_texture_, 32, 32, 16, 0, 0)) return 0;
  std::fill_n(default_texture_.surface, 32 * 32, std::uint16_t(0xFFFF));
  default_texture_.width = default_texture_.height = default_texture_.height2 = 32;
  default_texture_.pitch = 32;
  default_texture_.bits = 16;
  return 1;
}

int GRP3Ddraw::create_texture_buffer(G3dTexture* record, int width, int height, int bits, std::uint16_t key,
                                     int keyed) {
  std::unique_ptr<platform::raster::Texture> t;
  if (bits == 16) t = platform::raster::Texture::create(width, height);
  if (!t) {
    // "GRP3dput::create_mipmap_buffer(..) 建立 mipmap 失敗": shown, not logged.
    show("GRP3dput::create_mipmap_buffer(..) \xab\xd8\xa5\xdf mipmap \xa5\xa2\xb1\xd1");
    return 0;
  }
  record->keyed = 0;
  if (keyed == 1) {
    record->keyed = record->key_set = 1;
    record->key_colour = key;
    t->set_colour_key(key);
    std::fill_n(t->texels(), std::size_t(t->pitch()) * std::size_t(t->height()), key);
  }
  record->texture = t.release();
  record->surface = record->texture->texels();
  if (!create_texture(record)) {
    release_texture(record);
    return 0;
  }
  return 1;
}

int GRP3Ddraw::create_texture(G3dTexture* record) {
  if (!record->texture) {
    show_and_log("GRP3dput::create_texture(..) \xa5\xa2\xb1\xd1");  // "...失敗"
    return 0;
  }
  return 1;
}

void GRP3Ddraw::release_texture(G3dTexture* record) {
  if (!record) return;
  if (bound_ == record) set_texture(nullptr, 0);
  delete record->texture;
  record->texture = nullptr;
  record->surface = nullptr;
}

int GRP3Ddraw::restore_texture(G3dTexture* record) {
  if (!record || !record->texture || !record->texture->lost()) return 0;
  record->texture->restore();
  return 1;
}

void GRP3Ddraw::set_texture(G3dTexture* record, int) {
  bound_ = (record && record->texture) ? record : nullptr;
  apply_texture_binding();
  set_render_state(RS_COLORKEYENABLE, bound_ && bound_->keyed == 1 ? 1 : 0);
}

void GRP3Ddraw::apply_texture_binding() {
  // The white default texture multiplies by one: drawn untextured.
  if (raster_) raster_->set_texture(bound_ ? bound_->texture : nullptr);
}

void GRP3Ddraw::set_render_state(G3dRenderState state, std::uint32_t value) {
  if (state < 0 || state >= RS_COUNT) return;
  if (!raster_) {
    // "GRP3dput::set_render_state(..) 失敗"
    show_and_log("GRP3dput::set_render_state(..) \xa5\xa2\xb1\xd1");
    return;
  }
  states_[state] = value;
  State s;
  if (raster_state(state, s)) raster_->set_state(s, value);
}

std::uint32_t GRP3Ddraw::render_state(G3dRenderState state) const {
  return (state >= 0 && state < RS_COUNT) ? states_[state] : 0;
}

void GRP3Ddraw::set_default_states() {
  set_render_state(RS_TEXTUREPERSPECTIVE, 1);
  set_render_state(RS_ZENABLE, 1);
  set_render_state(RS_ZWRITEENABLE, 1);
  set_render_state(RS_ZFUNC, 4);
  set_render_state(RS_CULLMODE, 3);
  set_render_state(RS_FILLMODE, 3);
  set_render_state(RS_SHADEMODE, 1);
  set_render_state(RS_TEXTUREMAG, 1);
}

int GRP3Ddraw::set_view_port(int x, int y, int width, int height) {
  if (width <= 0 || height <= 0) return 0;
  G3dViewport2 v{};
  v.size = sizeof(G3dViewport2);
  v.x = std::uint32_t(x);
  v.y = std::uint32_t(y);
  v.width = std::uint32_t(width);
  v.height = std::uint32_t(height);
  v.clip_x = v.clip_y = 0.0f;
  v.clip_width = float(width);
  v.clip_height = float(height);
  v.min_z = 0.0f;
  v.max_z = 1.0f;
  return undate_view_port(&v);
}

int GRP3Ddraw::undate_view_port(const G3dViewport2* v) {
  if (!raster_ || !v) {
    // "GRP3dput::undate_view_port(..) 設定 ViewPort 失敗"
    show_and_log("GRP3dput::undate_view_port(..) \xb3\x5d\xa9\x77 ViewPort \xa5\xa2\xb1\xd1");
    return 0;
  }
  viewport_ = *v;
  raster_->set_viewport({int(v->x), int(v->y), int(v->width), int(v->height)});
  return 1;
}

void GRP3Ddraw::get_view_port(G3dViewport2* out) const { *out = viewport_; }

void GRP3Ddraw::clear_z_buffer() {
  if (!raster_) {
    // "GRP3Ddraw::clear_z_buffer(..) 清除 z buffer 失敗"
    show_and_log("GRP3Ddraw::clear_z_buffer(..) \xb2\x4d\xb0\xa3 z buffer \xa5\xa2\xb1\xd1");
    return;
  }
  raster_->clear_depth(0, 0, width_, height_);
}

int GRP3Ddraw::begin_scene() { return raster_ ? 1 : 0; }
int GRP3Ddraw::end_scene() { return raster_ ? 1 : 0; }

template <class Draw>
int GRP3Ddraw::submit(Draw draw) {
  BackPixels back;
  if (!raster_ || !display_lock_back(ddraw_, back)) return 0;
  raster_->set_target({back.pixels, back.width, back.height, back.pitch});
  const bool drawn = draw();
  raster_->set_target({});
  display_unlock_back(ddraw_);
  return drawn ? 1 : 0;
}

int GRP3Ddraw::draw_primitive(Primitive type, std::uint32_t, const platform::raster::ScreenVertex* vertices,
                              int count, std::uint32_t) {
  const int ok = submit([&] { return raster_->draw(type, vertices, count); });
  if (ok) g3d_faces_drawn += faces(type, count);
  return ok;
}

int GRP3Ddraw::draw_indexed_primitive(Primitive type, std::uint32_t, const platform::raster::ScreenVertex* vertices,
                                      int vertex_count, const std::uint16_t* indices, int index_count,
                                      std::uint32_t) {
  const int ok =
      submit([&] { return raster_->draw_indexed(type, vertices, vertex_count, indices, index_count); });
  if (ok) g3d_faces_drawn += faces(type, index_count);
  return ok;
}

void GRP3Ddraw::begin(Primitive type) {
  if (raster_) raster_->begin(type);
}

void GRP3Ddraw::vertex(const platform::raster::ScreenVertex& v) {
  if (raster_) raster_->vertex(v);
}

int GRP3Ddraw::end() {
  return submit([&] { return raster_->end(); });
}
