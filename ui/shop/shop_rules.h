#pragma once
// The shop's record and the rules that decide what a step does: the rows of a tab, the quantity
// of a row, the total, a purchase and a sale. The screen (ui/shop/shop.cpp) reads keys and plays the
// sounds the rules answer with; ui/shop/shop_draw.cpp draws the record.
#include <array>
#include <cstdint>
#include <vector>

#include "data/item_data.h"
#include "data/party.h"
#include "g3d/act_animation.h"
#include "g3d/motion.h"
#include "ui/scroll_list.h"

constexpr int shop_row_cap = 128;  // rows a tab shows; goods or bag nodes beyond are not listed
constexpr int shop_tab_count = 4;
constexpr std::uint16_t shop_tab_kinds[shop_tab_count] = {201, 202, 203, 204};  // ItemData kind
constexpr std::uint16_t shop_kind_consumable = 201;  // a purchase of any other kind asks to equip
constexpr int shop_max_owned = 99;

// Steps of the lists (mode 4 is step 0).
enum ShopStep : int {
  shop_step_choice = 0,
  shop_step_tab = 1,
  shop_step_quantity = 2,
  shop_step_confirm = 3,
  shop_step_equip_now = 5,
};

enum ShopFlash : int { shop_flash_none = 0, shop_flash_minus = 1, shop_flash_plus = 2 };

struct ShopState {
  std::vector<std::uint16_t> goods;  // the object numbers the talk gave, all of them
  std::vector<ItemData> goods_list;  // the goods read from the object database, in order
  bool selling = false;
  int step = shop_step_choice;
  int tab = 0;
  std::array<std::uint16_t, shop_row_cap> quantity{};    // per row of the current tab
  std::array<std::uint16_t, shop_row_cap> row_object{};  // selling: the bag object of each row
  ScrollList list;
  int total = 0;
  int confirm_choice = 0;  // 0 confirm, 1 cancel
  int confirm_hover = 0;
  int flash = shop_flash_none;
  int flash_frames = 0;
  int equip_now = 0;
  int close_frame = 2;
  int party[party_member_count] = {};  // the present members' party slots
  int party_count = 0;
  BounceMotion tab_bounce;
  int menu_visit = 0;  // "equip now" opened the menu, whose frame placed the help panel for itself
  ActInstance pointer;  // the confirm buttons' pointer
};

extern ShopState shop;

// 1 when the piece's class mask (the byte the equipment page reads too) meets the class bit of
// party slot `slot`.
int shop_can_equip(const ItemData& item, int slot);
// Over the present members and their first six equipment slots: the slots holding the object.
int count_equipped(std::uint16_t object);

// The goods list rebuilt from the goods numbers (objects that cannot be read are left out).
void add_shop_goods(ShopState& s);
// The row count of the current tab (at most shop_row_cap); selling also fills row_object.
int shop_count_rows(ShopState& s);
// The item of a row of the current tab; null past the rows.
const ItemData* shop_row_item(const ShopState& s, int row);
// Pieces the party has of a row's object: the bag's count and new count.
int shop_row_held(const ShopState& s, int row);
// The price of one piece: the sale price is half, cut per piece.
int shop_unit_price(std::int32_t price, bool selling);
// The sum over the rows of quantity x unit price.
int shop_sum_total(const ShopState& s);

// The money left after the deal: money minus the total when buying, plus it when selling.
long long shop_balance(const ShopState& s);

// What a request on a row's quantity did.
enum class ShopChange { changed, unchanged, no_money };
// Minus (-1) or plus (+1) on a row; the total is summed again. Buying, plus: refused with
// no_money when the money does not cover the total and one more piece; undone when the row and
// the pieces already owned would pass 99. Selling, plus: at most the pieces held.
ShopChange shop_change_quantity(ShopState& s, int row, int direction);
void shop_clear_quantities(ShopState& s);

// The money spent that feeds the treasures' growth: the event's amount is 16 bits wide.
constexpr std::uint16_t shop_treasure_event = 5;
int shop_treasure_amount(int total);

// What a confirm did.
enum class ShopDeal { bought, bought_ask_equip, nothing_to_buy, sold, sold_nothing };
// Buying: every row's pieces into the bag, treasure growth for the money spent, the money
// taken; nothing with a total of 0. Selling: the pieces out of the bag, the rows counted again,
// the money given. Quantities and total are cleared afterwards.
ShopDeal shop_confirm(ShopState& s);

// The shop's texts.
constexpr const char* shop_no_money_text = "\xAA\xF7\xBF\xFA\xA4\xA3\xB0\xF7!!%Q";  // 金錢不夠!!%Q
