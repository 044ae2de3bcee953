// The world map's clouds: they drift up and to the left, and each one that leaves is replaced.
#include <cmath>

#include "core/random_r250.h"
#include "field/world_map.h"
#include "g3d/act_draw.h"
#include "gfx2d/sprite_blitter.h"

namespace {

GameMapCloud* clouds = nullptr;
constexpr float degree = 0.01745f;
constexpr float leave_edge = -20.0f;
constexpr int cloud_shade = -3;  // the colour offsets of each cloud's blit
constexpr BlitFlags cloud_blit = 4;

void add_cloud_at(std::uint16_t act, std::uint16_t qq, float x, float y) {
  auto* c = new GameMapCloud;
  c->anim.act = act;
  c->anim.qq = qq;
  c->x = x;
  c->y = y;
  // 130-159 degrees at 0.2-0.6 a frame.
  const float a = float((rand_below(30) + 490) % 360) * degree;
  const float s = float(rand_below(5) + 2) / 10.0f;
  c->dx = std::cos(a) * s;
  c->dy = -std::sin(a) * s;
  c->next = clouds;
  clouds = c;
}

}  // namespace

void add_game_map_clouds(std::uint16_t act, std::uint16_t qq) {
  const unsigned n = 4 + rand_below(4);
  for (unsigned i = 0; i < n; ++i) {
    const float x = float(rand_below(640) + 400);
    const float y = float(rand_below(480) + 200);
    add_cloud_at(act, qq, x, y);
  }
}

void add_game_map_cloud(std::uint16_t act, std::uint16_t qq) {
  const float x = float(rand_below(100) + 1290);
  const float y = float(rand_below(100) + 640);
  add_cloud_at(act, qq, x, y);
}

void draw_game_map_clouds(int scroll_x, int scroll_y) {
  for (GameMapCloud* c = clouds; c; c = c->next) {
    if (!Take_3dActData(&c->anim)) return;
    sprite_blitter.blit_add_r = sprite_blitter.blit_add_g = sprite_blitter.blit_add_b = cloud_shade;
    draw_act_instance(&c->anim, scroll_x + int(c->x), scroll_y + int(c->y), cloud_blit);
  }
}

void move_game_map_clouds() {
  int freed = 0;
  std::uint16_t act = game_map_cloud_act, qq = 0;
  for (GameMapCloud** link = &clouds; *link;) {
    GameMapCloud* c = *link;
    act = c->anim.act;
    qq = c->anim.qq;
    c->x += c->dx;
    c->y += c->dy;
    if (c->x < leave_edge || c->y < leave_edge) {
      *link = c->next;
      delete c;
      ++freed;
      continue;
    }
    link = &c->next;
  }
  // One new cloud for each that left: their number never changes while the map is shown.
  for (int i = 0; i < freed; ++i) add_game_map_cloud(act, qq);
}

int game_map_cloud_count() {
  int n = 0;
  for (const GameMapCloud* c = clouds; c; c = c->next) ++n;
  return n;
}

void free_game_map_clouds() {
  while (GameMapCloud* c = clouds) {
    clouds = c->next;
    delete c;
  }
}
