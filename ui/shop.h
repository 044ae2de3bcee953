#pragma once
// The shop: its talk over the field (game mode 4) and its buy and sell lists (modes 5, 6).
#include <cstdint>

constexpr int shop_goods_capacity = 32;
// The goods of the open shop (object numbers).
extern std::uint16_t shop_goods[shop_goods_capacity];
extern int shop_goods_count;

// MODE_ENTER opens the shop with the goods given (at most shop_goods_capacity are kept); the
// shop's modes are current while it is open. Other flags follow the mode-switch convention.
// True while one of the shop's modes is current.
bool shop_is_open();
void call_shop_system(std::uint32_t flags, const std::uint16_t* goods, int count);
void input_shop_system();
void draw_shop_system();
