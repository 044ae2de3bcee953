// The shop.
#include "ui/shop.h"

#include <algorithm>

#include "core/game_mode.h"
#include "g3d/renderer.h"

std::uint16_t shop_goods[shop_goods_capacity] = {};
int shop_goods_count = 0;

bool shop_is_open() { return GameMode == mode_shop_talk || GameMode == mode_shop_buy || GameMode == mode_shop_sell; }

void call_shop_system(std::uint32_t flags, const std::uint16_t* goods, int count) {
  if (flags == MODE_ENTER) {
    if (shop_is_open()) return;
    shop_goods_count = goods ? std::clamp(count, 0, shop_goods_capacity) : 0;
    std::copy_n(goods, shop_goods_count, shop_goods);
    SavedGameMode = GameMode;
    GameMode = mode_shop_talk;
  } else if (flags == MODE_RESUME) {
    GameMode = mode_shop_talk;
  } else {
    GameMode = SavedGameMode;
  }
}

void input_shop_system() {}
void draw_shop_system() { renderer.present(); }
