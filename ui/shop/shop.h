#pragma once
// The shop: its question over the field (game mode 4) and its buy and sell lists (modes 5, 6).
// Unlike other screens the shop leaves SavedGameMode alone: leaving it always returns to the
// field. Its record and rules are in ui/shop/shop_rules.h.
#include <cstdint>

// True while one of the shop's modes is current.
bool shop_is_open();
// MODE_ENTER opens the shop with all the goods given; MODE_RESUME makes mode 4 current; any
// other value leaves the shop for the field.
void call_shop_system(std::uint32_t flags, const std::uint16_t* goods, int count);
// The buy list (mode 5), built from the goods, and the sell list (mode 6), built from the bag.
void open_shop_buy(std::uint32_t flags, const std::uint16_t* goods, int count);
void open_shop_sell(std::uint32_t flags);
// Each frame of modes 4 to 6.
void input_shop_system();
// Each frame of modes 5 and 6 (in mode 4 the field draws and the question box shows).
void draw_shop_system();
