#pragma once
// The shop: its talk over the field (game mode 4) and its buy and sell lists (modes 5, 6).
void input_shop_system();
void draw_shop_system();
