// The world map's places: the list from the map database, and how the player points at them.
#include <cstdlib>

#include "core/byte_reader.h"
#include "core/flags.h"
#include "data/data_file.h"
#include "field/world_map.h"
#include "gfx2d/memoryer.h"

std::uint16_t game_map_place = game_map_start_place;

namespace {

GameMapPlace* places = nullptr;
constexpr std::size_t place_record_words = 6;
constexpr std::uint16_t table_end = 0xFFFF;
constexpr std::uint8_t sprite_kind = 2;

// The size of the picture an animation shows: its sheet cell when it has one, else the sprite.
void picture_size(const ActInstance& a, int* w, int* h) {
  *w = *h = 0;
  if (a.sheet[4] && a.sheet[5]) {
    *w = a.sheet[4];
    *h = a.sheet[5];
    return;
  }
  if (a.kind != sprite_kind) return;
  if (const TswPic* pic = Memoryer_GetPic(a.resource, a.picture)) {
    *w = pic->width;
    *h = pic->height;
  }
}

bool selectable(const GameMapPlace& p) { return test_flag(p.flag) != 0; }

void highlight(const GameMapPlace& p) {
  game_map.highlighted = p.flag;
  game_map.highlight_x = p.x;
  game_map.highlight_y = p.y;
}

}  // namespace

const GameMapPlace* game_map_places() { return places; }
GameMapPlace* game_map_places_mutable() { return places; }

void free_game_map() {
  while (GameMapPlace* p = places) {
    places = p->next;
    delete p;
  }
}

int read_game_map(std::span<const std::uint8_t> table) {
  free_game_map();
  const ByteReader r(table);
  std::size_t pos = 0;
  // Every record is read against the table's end: a table without its end mark ends with it.
  while (r.has(pos, 2) && r.u16_at(pos) != table_end) {
    if (!r.has(pos, 2 * place_record_words)) return 0;
    auto* p = new GameMapPlace;
    p->anim.act = r.u16_at(pos);
    p->anim.qq = r.u16_at(pos + 2);
    p->x = r.u16_at(pos + 4);
    p->y = r.u16_at(pos + 6);
    p->flag = r.u16_at(pos + 8);
    p->talk = r.u16_at(pos + 10);
    pos += 2 * place_record_words;
    const int used = read_Item_str(r.tail(pos), p->name, sizeof p->name);
    if (used <= 0 || !Take_3dActData(&p->anim)) {
      delete p;
      return 0;
    }
    pos += std::size_t(used);
    picture_size(p->anim, &p->width, &p->height);
    p->next = places;
    places = p;
  }
  return 1;
}

void pick_game_map_place(int x, int y) {
  game_map.highlighted = 0;
  for (const GameMapPlace* p = places; p; p = p->next) {
    if (!selectable(*p)) continue;
    const int left = p->x + game_map.scroll_x, top = p->y + game_map.scroll_y;
    if (x >= left && x <= left + p->width && y >= top && y <= top + p->height) {
      highlight(*p);
      return;
    }
  }
}

void select_nearest_game_map_place(bool left) {
  const GameMapPlace* best = nullptr;
  int best_distance = 0;
  for (const GameMapPlace* p = places; p; p = p->next) {
    if (!selectable(*p)) continue;
    const bool beyond = left ? p->x < game_map.highlight_x : p->x > game_map.highlight_x;
    if (!beyond) continue;
    const int distance = std::abs(p->x - game_map.highlight_x);
    if (!best || distance < best_distance) {
      best = p;
      best_distance = distance;
    }
  }
  if (!best) return;
  highlight(*best);
  const int screen_x = best->x + game_map.scroll_x;
  if (screen_x < 0 || screen_x + best->width > 640) centre_game_map_view(best->x, best->y);
}
