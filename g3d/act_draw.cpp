// Drawing animation instances.
#include "g3d/act_draw.h"

#include <algorithm>
#include <cmath>

#include "g3d/effects/effect_manager.h"
#include "g3d/effects/particle_emitter.h"
#include "g3d/grp3d_device.h"
#include "g3d/model_cache.h"
#include "gfx2d/memoryer.h"

namespace {

ActSoundPlayer sound_player = nullptr;

// The blit format is the screen's while a sprite is fetched and blitted, the textures' after.
struct ScreenBlitFormat {
  ScreenBlitFormat() { d3d_device.select_blit_format(0); }
  ~ScreenBlitFormat() { d3d_device.select_blit_format(2); }
};

// Blits w x h pixels of the instance's current picture with its hot spot at (x, y); w or h
// below 0 take the picture's own size.
void blit_instance(const ActInstance* a, float x, float y, int w, int h, BlitFlags flags) {
  ScreenBlitFormat format;
  TswPic* pic = Memoryer_GetPic(a->resource, a->picture);
  if (!pic || !pic->image) return;
  if (w < 0) w = pic->width;
  if (h < 0) h = pic->height;
  w = std::min<int>(w, pic->width);
  h = std::min<int>(h, pic->height);
  std::uint16_t* pixels = renderer.lock_back_buffer();
  if (!pixels) return;
  set_blit_source(pic->image, PicKind::Rle, pic->size);
  const int px = int(std::trunc(x - a->hot_spot[0]));
  const int py = int(std::trunc(y - a->hot_spot[1]));
  put_pic(px, py, w, h, flags, 0);
  renderer.unlock_back_buffer(pixels);
}

// A zeroed instance of act/qq advanced once; false when there is nothing to draw.
bool first_picture(ActInstance* a, std::uint16_t act, std::uint16_t qq) {
  a->act = act;
  a->qq = qq;
  return Take_3dActData(a) == 1 && a->resource != 0;
}

std::uint32_t picture_key(const ActInstance* a) { return g3d_sprite_texture_key(a->resource, a->picture); }

}  // namespace

void set_act_sound_player(ActSoundPlayer player) { sound_player = player; }

void play_act_sound(ActInstance* a) {
  if (a->sound == 0) return;
  if (sound_player) sound_player(a->sound);
  a->sound = 0;
}

void draw_act(std::uint16_t act, std::uint16_t qq, int x, int y, BlitFlags flags) {
  ActInstance a;
  if (!first_picture(&a, act, qq)) return;
  blit_instance(&a, float(x), float(y), -1, -1, flags);
  play_act_sound(&a);
}

void draw_act_part(std::uint16_t act, std::uint16_t qq, int x, int y, int w, int h, BlitFlags flags) {
  ActInstance a;
  if (!first_picture(&a, act, qq)) return;
  blit_instance(&a, float(x), float(y), w <= 0 ? 1 : w, h <= 0 ? -1 : h, flags);
  play_act_sound(&a);
}

void draw_act_instance(ActInstance* a, int x, int y, BlitFlags flags) {
  if (a->resource == 0) return;
  blit_instance(a, float(x), float(y), -1, -1, flags);
  play_act_sound(a);
}

void blit_act_picture(const ActInstance* a, float x, float y, BlitFlags flags) {
  if (a->resource == 0) return;
  blit_instance(a, x, y, -1, -1, flags);
}

void get_act_frame_rect(int index, const ActInstance* a, G3dRect* out) {
  *out = {};
  const int cell_w = a->sheet[4], cell_h = a->sheet[5];
  if (cell_w == 0) return;
  const int per_row = a->sheet[2] / cell_w;
  if (per_row == 0) return;
  out->left = cell_w * (index % per_row);
  out->top = cell_h * (index / per_row);
  out->right = out->left + cell_w - 1;
  out->bottom = out->top + cell_h - 1;
}

void draw_act_3d(ActInstance* a, float x, float y, float z, float rx, float, float rz, float sx, float sy,
                 float sz, std::uint32_t colour, std::uint32_t flags) {
  if (a->resource == 0) return;
  TswPic* pic = Memoryer_GetPic(a->resource, a->picture);
  if (!pic || !pic->image) return;
  // A sheet without a whole cell in a row has no rectangle to show.
  if (a->sheet[4] == 0 || a->sheet[2] / a->sheet[4] == 0) return;
  G3dRect rect;
  get_act_frame_rect(a->cell, a, &rect);
  if (a->state & act_state_mirrored) {
    const std::int32_t left = rect.left;
    rect.left = rect.right;
    rect.right = left - 1;
  }
  const float s[3] = {sx + a->scale[0], sy + a->scale[1], sz + a->scale[2]};
  G3dMatrix m;
  renderer.identity_matrix(&m);
  renderer.scale_matrix(&m, s[0], s[1], s[2]);
  renderer.translate_matrix(&m, s[0] * a->offset[0], s[1] * a->offset[1], s[2] * a->offset[2]);
  renderer.rotate_matrix(&m, std::fmod(float(a->rotation[0]) + rx, 360.0f), 0,
                         std::fmod(float(a->rotation[2]) + rz, 360.0f));
  renderer.translate_matrix(&m, x, y, z);
  renderer.draw_image(&m, picture_key(a), pic->image, &rect, colour, flags | G3D_KEY_AS_GIVEN);
  play_act_sound(a);
}

void act_model_matrix(const ActInstance* a, G3dMatrix* m, float x, float y, float z, float rx, float ry, float rz,
                      float sx, float sy, float sz) {
  renderer.identity_matrix(m);
  renderer.scale_matrix(m, sx + a->scale[0], sy + a->scale[1], sz + a->scale[2]);
  // The offset is scaled by the instance's own scale, not the sum.
  renderer.translate_matrix(m, a->offset[0] * a->scale[0], a->offset[1] * a->scale[1], a->offset[2] * a->scale[2]);
  renderer.rotate_matrix(m, std::fmod(float(a->rotation[0]) + rx, 360.0f), std::fmod(float(a->rotation[1]) + ry, 360.0f),
                         std::fmod(float(a->rotation[2]) + rz, 360.0f));
  renderer.translate_matrix(m, x, y, z);
}

void draw_act_model(ActInstance* a, float x, float y, float z, float rx, float ry, float rz, float sx, float sy,
                    float sz, std::uint32_t colour, std::uint32_t flags) {
  if (a->resource == 0) return;
  G3dPoly* model = GetPoly(a->resource);
  if (model) {
    G3dMatrix m;
    act_model_matrix(a, &m, x, y, z, rx, ry, rz, sx, sy, sz);
    renderer.draw_model(&m, a->picture, model, colour, flags);
  }
  play_act_sound(a);
}

void draw_act_quad(const G3dVertex quad[4], ActInstance* a, std::uint32_t colour, std::uint32_t flags) {
  if (a->resource == 0) return;
  TswPic* pic = Memoryer_GetPic(a->resource, a->picture);
  if (!pic || !pic->image) return;
  G3dMatrix m;
  renderer.identity_matrix(&m);
  renderer.draw_fan(&m, quad, 4, pic->image, int(picture_key(a)), colour, flags | G3D_KEY_AS_GIVEN);
  play_act_sound(a);
}

void draw_gauge(std::uint16_t act, std::uint16_t qq, int x, int y, int width) {
  draw_act(act, 0, x, y, 0);
  draw_act_part(act, qq, x, y, width, 0, 0);
}

int get_kind_icon(std::uint16_t kind) { return int(kind) - 110; }

