// The renderer core: life cycle, frame protocol, render and blend modes, fog, matrices and the
// screen transform.
#include "g3d/renderer.h"

#include <cstdint>

#include "core/log.h"
#include "g3d/display_seam.h"
#include "g3d/texture_source.h"
#include "gfx2d/sprite_blitter.h"
#include "platform/message_box.h"

g3d_renderer renderer;

namespace {

constexpr std::uint32_t default_texture_budget = 0xA00000;
constexpr int staging_vertices = 32768;

}  // namespace

int g3d_renderer::init(GRP3Ddraw* device) {
  device_ = device;
  view_ = G3dView{};
  g3d_view_set_current(&view_);
  look_at(0, 100, -500, 0, 0, 100, 0, 0);
  G3dViewport2 vp{};
  if (device) device->get_view_port(&vp);
  set_viewport(int(vp.x), int(vp.y), int(vp.width), int(vp.height), 10.0f, 400.0f, 10000.0f);
  try {
    scr_vertex_.assign(staging_vertices, G3dScreenVertex{});
  } catch (const std::bad_alloc&) {
    // "無法配制 lpScrVertex 記憶體"
    platform::message_box(nullptr, "\xb5\x4c\xaa\x6b\xb0\x74\xa8\xee lpScrVertex \xb0\x4f\xbe\xd0\xc5\xe9",
                          error_caption, platform::BoxButtons::Ok);
    return 0;
  }
  texture_file_cache_init();
  render_mode_ = 0;
  blend_mode_ = -1;
  models_drawn_ = corners_drawn_ = 0;
  release_textures();
  texture_budget_ = default_texture_budget;
  // The device starts with depth writes on; the flag says so, so the first translucent draw
  // turns them off.
  depth_write_ = 1;
  set_render_mode(6);
  override_colour_ = 0xFFFFFFFF;
  return 1;
}

void g3d_renderer::release() {
  std::vector<G3dScreenVertex>().swap(scr_vertex_);
  texture_file_cache_close();
  release_textures();
  device_ = nullptr;
}

void g3d_renderer::flush_textures() {
  texture_file_cache_clear();
  release_textures();
}

std::uint16_t* g3d_renderer::lock_back_buffer() {
  if (device_) return display_lock_for_2d(device_->display());
  // Without a display the 2D blits get no target, not the pixels of one already released.
  sprite_blitter.blit_dest = nullptr;
  return nullptr;
}

void g3d_renderer::unlock_back_buffer(std::uint16_t* pixels) {
  if (device_) display_unlock_for_2d(device_->display(), pixels);
}

void g3d_renderer::set_present_rect(int dest_x, int dest_y, int src_x, int src_y, int src_width,
                                    int src_height) {
  if (device_ && device_->display())
    device_->display()->set_present_rect(dest_x, dest_y,
                                         platform::Rect{src_x, src_y, src_x + src_width, src_y + src_height});
}

void g3d_renderer::present() {
  if (device_ && device_->display()) device_->display()->present();
  if (device_ && device_->raster()) device_->clear_z_buffer();
  models_drawn_ = corners_drawn_ = 0;
}

void g3d_renderer::set_render_mode(int mode) {
  if (mode == render_mode_) return;
  render_mode_ = mode;
  // The modes set blend states of their own: the blend cache no longer tells the device's.
  blend_mode_ = -1;
  if (!device_) return;
  GRP3Ddraw& d = *device_;
  switch (mode) {
    case 1:
    case 3:
    case 5:
    case 7: d.set_render_state(RS_FILLMODE, 2); return;
    case 4:
      d.set_render_state(RS_FILLMODE, 3);
      d.set_render_state(RS_TEXTUREMAG, 2);
      d.set_render_state(RS_TEXTUREMIN, 2);
      d.set_render_state(RS_SHADEMODE, 2);
      d.set_render_state(RS_ALPHABLENDENABLE, 0);
      d.set_render_state(RS_SRCBLEND, 2);
      d.set_render_state(RS_DESTBLEND, 1);
      return;
    case 6:
      d.set_render_state(RS_FILLMODE, 3);
      d.set_render_state(RS_TEXTUREMAG, 2);
      d.set_render_state(RS_TEXTUREMIN, 2);
      d.set_render_state(RS_COLORKEYENABLE, 0);
      d.set_render_state(RS_DITHERENABLE, 0);
      d.set_render_state(RS_SHADEMODE, 2);
      d.set_render_state(RS_TEXTUREADDRESS, 1);
      d.set_render_state(RS_WRAPU, 0);
      d.set_render_state(RS_WRAPV, 0);
      d.set_render_state(RS_ALPHABLENDENABLE, 0);
      d.set_render_state(RS_ALPHATESTENABLE, 1);
      d.set_render_state(RS_ALPHAFUNC, 7);
      return;
    default:
      d.set_render_state(RS_FILLMODE, 3);
      d.set_render_state(RS_TEXTUREMAG, 1);
      d.set_render_state(RS_TEXTUREMIN, 1);
      d.set_render_state(RS_SHADEMODE, 1);
      d.set_render_state(RS_ALPHABLENDENABLE, 0);
      d.set_render_state(RS_SRCBLEND, 2);
      d.set_render_state(RS_DESTBLEND, 1);
      return;
  }
}

void g3d_renderer::set_blend_mode(std::uint32_t flags) {
  if (int(flags) == blend_mode_) return;
  const int value = int(flags & 15);
  blend_mode_ = value;
  if (!device_) return;
  std::uint32_t src, dst;
  switch (value) {
    case 0: src = 2, dst = 1; break;
    case 1: src = 5, dst = 2; break;
    case 2: src = 5, dst = 6; break;
    case 4: src = 8, dst = 4; break;
    case 8: src = 3, dst = 4; break;
    default: return;
  }
  GRP3Ddraw& d = *device_;
  d.set_render_state(RS_ALPHABLENDENABLE, 1);
  d.set_render_state(RS_SRCBLEND, src);
  d.set_render_state(RS_DESTBLEND, dst);
  if (value == 0) {
    if (depth_write_ != 1) d.set_render_state(RS_ZWRITEENABLE, 1);
    depth_write_ = 1;
  } else {
    if (depth_write_ != 0) d.set_render_state(RS_ZWRITEENABLE, 0);
    depth_write_ = 0;
  }
}

void g3d_renderer::look_at(float ex, float ey, float ez, float ew, float tx, float ty, float tz, float tw) {
  g3d_view_look_at(ex, ey, ez, ew, tx, ty, tz, tw);
}

void g3d_renderer::set_viewport(int x, int y, int width, int height, float scale, float near_plane,
                                float far_plane) {
  if (device_ && device_->raster()) device_->set_view_port(x, y, width, height);
  g3d_view_set_projection(x, y, width, height, scale, near_plane, far_plane);
}

void g3d_renderer::set_vertex_fog_range(float start, float end, float bias) {
  fog_start_ = start;
  fog_end_ = end;
  fog_bias_ = bias;
}

std::uint32_t g3d_renderer::fog_of(float depth) const {
  if (!vertex_fog_) return 0xFF000000u;
  const float c = depth - (1.01f - fog_bias_);
  if (!(c > fog_start_)) return 0xFF000000u;
  // At and beyond the end of the range the fog is full (a factor of 0).
  if (!(c < fog_end_)) return 0;
  const double f = (1.0 - double((c - fog_start_) / (fog_end_ - fog_start_))) * 4278190080.0;
  return std::uint32_t(std::int64_t(f));
}

int set_chart_map(const ChartRecord* record) {
  GRP3Ddraw* d = renderer.device();
  if (record && record->end > 0) {
    if (d) {
      d->set_render_state(RS_FOGENABLE, 1);
      d->set_render_state(RS_FOGTABLEMODE, 0);
      const std::uint32_t colour = 0xFF000000u | (std::uint32_t(int(record->red * 255.0f)) << 16) |
                                   (std::uint32_t(int(record->green * 255.0f)) << 8) |
                                   std::uint32_t(int(record->blue * 255.0f));
      d->set_render_state(RS_FOGCOLOR, colour);
    }
    renderer.set_vertex_fog_range(record->start / record->end, record->end / record->end, record->bias);
    renderer.set_vertex_fog(true);
    return 0;
  }
  if (d) d->set_render_state(RS_FOGENABLE, 0);
  return 0;
}

void g3d_enable_fog(int on) { renderer.set_vertex_fog(on != 0); }

G3dMatrix* g3d_renderer::identity_matrix(G3dMatrix* out) { return g3d_mat_identity(out); }

void g3d_renderer::make_matrix(G3dMatrix* out, float x, float y, float z, float rx, float ry, float rz) {
  g3d_mat_identity(out);
  g3d_mat_rotate_x(rx, out);
  g3d_mat_rotate_y(ry, out);
  g3d_mat_rotate_z(rz, out);
  g3d_mat_set_translation(x, y, z, out);
}

void g3d_renderer::make_scale_matrix(G3dMatrix* out, float x, float y, float z, float sx, float sy, float sz,
                                     float rx, float ry, float rz) {
  g3d_mat_identity(out);
  out->m[0] = sx;
  out->m[5] = sy;
  out->m[10] = sz;
  g3d_mat_rotate_x(rx, out);
  g3d_mat_rotate_y(ry, out);
  g3d_mat_rotate_z(rz, out);
  g3d_mat_set_translation(x, y, z, out);
}

void g3d_renderer::translate_matrix(G3dMatrix* m, float x, float y, float z) {
  const float t[3] = {x, y, z};
  for (int row = 0; row < 3; ++row)
    for (int j = 0; j < 4; ++j) m->m[row * 4 + j] += t[row] * m->m[12 + j];
}

void g3d_renderer::rotate_matrix(G3dMatrix* m, float rx, float ry, float rz) {
  if (rx != 0.0f) g3d_mat_rotate_x(rx, m);
  if (ry != 0.0f) g3d_mat_rotate_y(ry, m);
  if (rz != 0.0f) g3d_mat_rotate_z(rz, m);
}

void g3d_renderer::scale_matrix(G3dMatrix* m, float sx, float sy, float sz) {
  m->m[0] *= sx;
  m->m[5] *= sy;
  m->m[10] *= sz;
}

void g3d_renderer::to_screen(const G3dMatrix* c, float x, float y, float z, G3dScreenVertex* out) const {
  const G3dVector p{x, y, z, 1};
  G3dVector h;
  g3d_mat_transform(c, &p, &h);
  const float rhw = 1.0f / h.w;
  out->x = view_.centre.x + h.x * rhw * view_.screen_scale_x;
  out->y = view_.centre.y - h.y * rhw * view_.screen_scale_y;
  out->z = h.z * rhw;
  out->rhw = rhw;
}

std::uint32_t g3d_sprite_texture_key(std::uint32_t tsw_id, std::uint32_t picture) {
  if (picture < 256) return tsw_id * 256 + picture + g3d_picture_key_offset;
  return 0x80000000u | ((tsw_id & 0x7FFF) << 16) | (picture & 0xFFFF);
}
