// The minimap.
#include "field/minimap.h"

#include <cstdio>

#include "core/flags.h"
#include "core/game_flags.h"
#include "core/game_state_words.h"
#include "data/saturate.h"
#include "g3d/grp3d_device.h"
#include "g3d/renderer.h"
#include "gfx2d/game_fonts.h"
#include "gfx2d/glyph_font.h"
#include "gfx2d/memoryer.h"
#include "gfx2d/sprite_blitter.h"
#include "ui/text_draw.h"

Minimap minimap;

namespace {

constexpr std::uint32_t outer_frame_colour = 0xFFC0C0C0;
constexpr std::uint32_t inner_frame_colour = 0xFF185070;
constexpr std::uint32_t backdrop_colour = 0x78508250;
constexpr std::uint32_t blend_alpha = 2;
constexpr std::uint32_t picture_blit_level_flags = 20;  // blit mode 5: the one-shot level
constexpr std::uint32_t picture_blit_offset_flags = 4;  // blit mode 1: the one-shot colour offsets
constexpr std::uint16_t label_colour = 0xFFFF;
constexpr int label_rise = 12;

std::uint32_t translucent_mask(int level) { return std::uint32_t(level) * 0x11000000u + 0xFFFFFFu; }

}  // namespace

void Minimap::SetScreenSize(int width, int height) {
  screen_width_ = width;
  screen_height_ = height;
}

void Minimap::SetRect(int left, int top, int right, int bottom) {
  left_ = left;
  top_ = top;
  right_ = right;
  bottom_ = bottom;
  width_ = right - left;
  height_ = bottom - top;
  centre_x_ = left + width_ / 2;
  centre_y_ = top + height_ / 2;
}

void Minimap::SetPicture(std::uint16_t act, std::uint16_t qq) {
  picture_.act = act;
  picture_.qq = qq;
}

void Minimap::SetPictureOffset(int x, int y) {
  offset_x_ = x;
  offset_y_ = y;
}

void Minimap::SetScale(int n) { scale_ = 1.0f / float(n < 1 ? 1 : n); }

void Minimap::Clear() {
  markers_.clear();
  tracked_id_ = -1;
}

void Minimap::SetTracked(int id) { tracked_id_ = id; }

MinimapMarker* Minimap::AddMarker(int id, std::uint32_t colour, float x, float y, float angle, int size,
                                  std::uint8_t kind) {
  auto found = markers_.find(id);
  if (found != markers_.end()) return &found->second;
  MinimapMarker& m = markers_[id];
  m.id = id;
  m.colour = colour;
  m.x = saturate_i32(x * scale_);
  m.y = saturate_i32(y * scale_);
  m.angle = angle;
  m.size = size;
  m.kind = kind;
  return &m;
}

MinimapMarker* Minimap::FindMarker(int id) {
  if (id < 0) return nullptr;
  auto found = markers_.find(id);
  return found == markers_.end() ? nullptr : &found->second;
}

void Minimap::SetMarkerPos(int id, float x, float y, float angle) {
  MinimapMarker* m = FindMarker(id);
  if (!m) return;
  m->x = saturate_i32(x * scale_);
  m->y = saturate_i32(y * scale_);
  m->angle = angle;
}

void Minimap::RemoveMarker(int id) { markers_.erase(id); }

void Minimap::SetMarkerLabel(int id, int label) {
  if (MinimapMarker* m = FindMarker(id)) m->label = label;
}

void Minimap::set_alpha(int level) { alpha_level_ = level; }

void Minimap::set_translucent(std::uint8_t on) { translucent_ = on; }

MarkerPlacement place_marker(const MinimapMarker& m, int tracked_x, int tracked_y, int centre_x, int centre_y,
                             int width, int height) {
  MarkerPlacement p;
  int dx = tracked_x - m.x;
  int dy = tracked_y - m.y;
  const int half_w = width / 2, half_h = height / 2;
  if (m.kind != 0) {
    if (dx > half_w) {
      dx = half_w;
      p.clamped = true;
    } else if (dx - m.size < -half_w) {
      dx = m.size - half_w;
      p.clamped = true;
    }
    if (dy + m.size > half_h) {
      dy = half_h - m.size;
      p.clamped = true;
    } else if (dy < -half_h) {
      dy = -half_h;
      p.clamped = true;
    }
    p.shown = true;
  } else {
    p.shown = dx - m.size >= -half_w && dx <= half_w && dy >= -half_h && dy + m.size <= half_h;
  }
  // The marker's y runs against world z: further along +z is higher on the screen.
  p.x = centre_x - dx;
  p.y = centre_y + dy;
  return p;
}

MarkerPaint marker_paint(std::uint32_t colour, bool translucent, int alpha_level, bool clamped) {
  const std::uint32_t outline = clamped ? G3D_OUTLINE : 0;
  if (translucent) return {colour & translucent_mask(alpha_level), outline | blend_alpha};
  if ((colour >> 24) == 0xFF) return {colour, outline};
  return {colour, outline | blend_alpha};
}

void Minimap::Draw() {
  renderer.draw_rect(left_ - 1, top_ - 1, width_ + 1, height_ + 1, outer_frame_colour, G3D_OUTLINE);
  renderer.draw_rect(left_, top_, width_ + 1, height_ + 1, inner_frame_colour, G3D_OUTLINE);
  // The tracked marker's position is taken even when the picture cannot be had, so that the
  // player's arrow stays in the middle of the box.
  if (const MinimapMarker* t = FindMarker(tracked_id_)) {
    tracked_x_ = t->x;
    tracked_y_ = t->y;
  }
  if (Take_3dActData(&picture_) == 1) {
    renderer.draw_rect(left_, top_, width_ - 2, height_, backdrop_colour, blend_alpha);
    draw_picture();
  }
  for (const auto& [id, m] : markers_) draw_marker(m);
}

void Minimap::draw_picture() {
  if (picture_.kind != 2) return;
  d3d_device.select_blit_format(0);
  TswPic* pic = Memoryer_GetPic(picture_.resource, picture_.picture);
  std::uint16_t* pixels = pic && pic->image ? renderer.lock_back_buffer() : nullptr;
  if (pixels) {
    if (translucent_) {
      picture_.draw_flags = picture_blit_level_flags;
      picture_.color_bytes[0] = std::uint8_t(alpha_level_);
    }
    if (picture_.draw_flags == picture_blit_level_flags) sprite_blitter.blit_level = picture_.color_bytes[0];
    if (picture_.draw_flags == picture_blit_offset_flags)
      sprite_blitter.blit_add_r = sprite_blitter.blit_add_g = sprite_blitter.blit_add_b = picture_.color_bytes[0];
    set_blit_clip(left_, top_, right_, bottom_);
    set_blit_source(pic->image, PicKind::Rle, pic->size);
    // The picture's width is taken from y as well, also for pictures that are not square.
    put_pic(centre_x_ + offset_x_ - tracked_x_, centre_y_ + tracked_y_ + offset_y_ - pic->width, pic->width,
            pic->height, picture_.draw_flags, 0);
    set_blit_clip(0, 0, screen_width_, screen_height_);
    renderer.unlock_back_buffer(pixels);
  }
  d3d_device.select_blit_format(2);
}

void Minimap::draw_marker(const MinimapMarker& m) {
  const MarkerPlacement p = place_marker(m, tracked_x_, tracked_y_, centre_x_, centre_y_, width_, height_);
  if (!p.shown) return;
  if (m.kind == 0 && m.id == tracked_id_) {
    draw_arrow(m, p.x, p.y, translucent_ ? m.colour & translucent_mask(alpha_level_) : m.colour);
    return;
  }
  const MarkerPaint paint = marker_paint(m.colour, translucent_ != 0, alpha_level_, p.clamped);
  renderer.draw_rect(p.x, p.y, m.size, m.size, paint.colour, paint.flags);
  if (m.kind == 0) draw_label(m, p.x, p.y);
}

void Minimap::draw_arrow(const MinimapMarker& m, int sx, int sy, std::uint32_t colour) {
  const int s = m.size;
  // In a plane whose x is screen x and z is screen y, turned about the vertical axis.
  const G3dVector corners[4] = {{0, 0, float(-s), 1},
                                {float(1 - s), 0, float(s), 1},
                                {float(s - 1), 0, float(s), 1},
                                {0, 0, float(s * 2 / 4), 1}};
  G3dMatrix turn;
  renderer.make_matrix(&turn, 0, 0, 0, 0, -m.angle, 0);
  int x[4], y[4];
  for (int i = 0; i < 4; ++i) {
    G3dVector p;
    g3d_mat_transform(&turn, &corners[i], &p);
    x[i] = sx + saturate_i32(p.x);
    y[i] = sy + saturate_i32(p.z);
  }
  enum { tip, left, right, notch };
  renderer.draw_screen_triangle(x[left], y[left], x[tip], y[tip], x[notch], y[notch], colour, 0);
  renderer.draw_screen_triangle(x[notch], y[notch], x[tip], y[tip], x[right], y[right], colour, 0);
}

void Minimap::draw_label(const MinimapMarker& m, int sx, int sy) {
  if (m.label == 0) return;
  char text[16];
  std::snprintf(text, sizeof text, "%d", m.label - 1);
  draw_text_at(font_12, sx, sy - label_rise, text, label_colour, GLYPH_BOLD_SHADOW);
}

std::uint32_t& minimap_mode() { return game_state_words[state_word_minimap_mode]; }

void apply_minimap_mode() {
  switch (minimap_mode()) {
    case minimap_opaque:
      minimap.set_translucent(0);
      minimap.set_alpha(0);
      clear_flag(flag_minimap_hidden);
      break;
    case minimap_translucent:
      minimap.set_translucent(1);
      minimap.set_alpha(minimap_translucent_level);
      clear_flag(flag_minimap_hidden);
      break;
    case minimap_hidden:
      set_flag(flag_minimap_hidden);
      break;
    default:
      break;
  }
}
