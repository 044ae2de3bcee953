// Window frames and selection marks.
#include "ui/window_frame.h"

#include "g3d/act_draw.h"
#include "g3d/ani_matrix.h"
#include "g3d/renderer.h"
#include "gfx2d/memoryer.h"
#include "ui/ui_numbers.h"

namespace {

constexpr std::uint32_t backdrop_colour = 0x96FFFFFF;
constexpr std::uint32_t backdrop_colour_bg = 0xB4FFFFFF;
constexpr std::uint32_t plate_colour = 0x96FFFFFF;
constexpr std::uint32_t backdrop_render_bit = 0x4;  // blend mode 4: the backdrop lightens what lies under it

ActInstance frame_instance;
ActInstance select_instance;
SelectPulse select_pulse;
ActInstance select_act_instance;
SelectPulse select_act_pulse;

void draw_frame(std::uint16_t act, int x, int y, int w, int h, bool backdrop, std::uint32_t backdrop_argb) {
  FramePiece pieces[9];
  const int n = frame_pieces(x, y, w, h, backdrop, pieces);
  frame_instance.act = act;
  for (int i = 0; i < n; ++i) {
    const FramePiece& p = pieces[i];
    frame_instance.qq = p.qq;
    if (Take_3dActData(&frame_instance) != 1) continue;
    const std::uint32_t colour = p.backdrop ? backdrop_argb : frame_instance.color;
    const std::uint32_t flags = frame_instance.draw_flags | (p.backdrop ? backdrop_render_bit : 0);
    draw_act_3d(&frame_instance, float(p.x), float(p.y), 0, 0, 0, 0, p.extra_sx, p.extra_sy, 0, colour, flags);
  }
}

// The instance's picture and its frame rectangle; false when either is missing or the
// rectangle has no right or bottom to scale by.
bool picture_and_rect(const ActInstance* a, TswPic** pic, G3dRect* rect) {
  *pic = Memoryer_GetPic(a->resource, a->picture);
  if (!*pic || !(*pic)->image) return false;
  get_act_frame_rect(a->cell, a, rect);
  return rect->right != 0 && rect->bottom != 0;
}

// Selection marks, bars and plates are drawn every frame and play no frame sound.
void draw_pulsing(ActInstance* a, SelectPulse* pulse, std::uint16_t act, std::uint16_t qq, int x, int y, int w, int h,
                  bool own_colour) {
  const float p = pulse->step();
  a->act = act;
  a->qq = qq;
  if (Take_3dActData(a) != 1) return;
  TswPic* pic = nullptr;
  G3dRect rect;
  if (!picture_and_rect(a, &pic, &rect)) return;
  a->scale[0] = float(w) / float(rect.right) + p;
  a->scale[1] = float(h) / float(rect.bottom) + p;
  G3dMatrix m;
  set_ani_matrix(&m, a, float(x), float(y), 0, 0);
  renderer.draw_image(&m, g3d_sprite_texture_key(a->resource, a->picture), pic->image, &rect,
                      own_colour ? a->color : plate_colour, a->draw_flags | G3D_KEY_AS_GIVEN);
}

}  // namespace

float SelectPulse::step() {
  if (rising) {
    value += 0.005f;
    if (value >= 0.05f) {
      value = 0.05f;
      rising = false;
    }
  } else {
    value -= 0.005f;
    if (value < 0) {
      value = 0;
      rising = true;
    }
  }
  return value;
}

int frame_pieces(int x, int y, int w, int h, bool with_backdrop, FramePiece out[9]) {
  int n = 0;
  const float edge_x = float(w - 32) / 32.0f, edge_y = float(h - 32) / 32.0f;
  if (with_backdrop) out[n++] = {4, x + 2, y + 2, float(w - 34) / 31.0f, float(h - 34) / 31.0f, true};
  out[n++] = {1, x, y, edge_x, 0, false};
  out[n++] = {7, x, y + h - 32, edge_x, 0, false};
  out[n++] = {3, x, y, 0, edge_y, false};
  out[n++] = {5, x + w - 32, y, 0, edge_y, false};
  out[n++] = {0, x, y, 0, 0, false};
  out[n++] = {2, x + w - 32, y, 0, 0, false};
  out[n++] = {6, x, y + h - 32, 0, 0, false};
  out[n++] = {8, x + w - 32, y + h - 32, 0, 0, false};
  return n;
}

void draw_window_frame(std::uint16_t act, int x, int y, int w, int h) {
  draw_frame(act, x, y, w, h, true, backdrop_colour);
}

void draw_window_frame_bg(std::uint16_t act, int x, int y, int w, int h, int backdrop) {
  draw_frame(act, x, y, w, h, backdrop == 1, backdrop_colour_bg);
}

void draw_select_frame(int x, int y, int w, int h) {
  draw_pulsing(&select_instance, &select_pulse, select_mark_act, 0, x, y, w, h, false);
}

void draw_select_frame_act(std::uint16_t act, std::uint16_t qq, int x, int y, int w, int h) {
  draw_pulsing(&select_act_instance, &select_act_pulse, act, qq, x, y, w, h, true);
}

void draw_stretched_picture(std::uint16_t act, std::uint16_t qq, int x, int y, int w, int h, std::uint32_t argb) {
  ActInstance a;
  a.act = act;
  a.qq = qq;
  if (Take_3dActData(&a) != 1) return;
  TswPic* pic = nullptr;
  G3dRect rect;
  if (!picture_and_rect(&a, &pic, &rect)) return;
  G3dMatrix m;
  renderer.identity_matrix(&m);
  renderer.translate_matrix(&m, float(x), float(y), 0);
  renderer.scale_matrix(&m, float(w) / float(rect.right), float(h) / float(rect.bottom), 1);
  renderer.draw_image(&m, g3d_sprite_texture_key(a.resource, a.picture), pic->image, &rect, argb,
                      a.draw_flags | G3D_KEY_AS_GIVEN);
}

void draw_select_bar(int x, int y, int w, int h, std::uint32_t argb) {
  draw_stretched_picture(select_bar_act, select_bar_qq, x, y, w, h, argb);
}

void draw_name_plate(int x, int y, int w, int h) {
  draw_stretched_picture(window_frame_act, name_plate_qq, x, y, w, h, plate_colour);
}
