#pragma once
// The production pages of the four workshop families (weapons, armour, items, magic
// treasures; base sub-modes 2-5): one page driven by a family table, with a state of its own
// for each family. The list holds the unlocked pieces of the workshop's level; an order pays
// its pieces at once and the pieces reach the bag when the completion message closes.
#include <cstdint>
#include <vector>

#include "data/item_data.h"

enum ProductionState : int { production_list = 0, production_order = 1, production_done = 2 };
constexpr int production_page_rows = 12;

struct ProductionRow {
  std::uint16_t object;
  int held;       // pieces in the bag (treasures: or worn) at the last list pass
  bool readable;  // a row whose record cannot be read takes its place and shows nothing
};

struct ProductionScreen {
  int cursor = 1;  // 1-based row on the visible page
  int state = production_list;
  std::int16_t quantity = 0;  // pieces in the open order; 0 none
  std::uint16_t ordered = 0;  // the open order's piece
  int deliver = 0;            // 1: the next list pass hands the order to the bag
  int panel_button = 0;       // 0 confirm, 1 cancel
  int minus_plus[2] = {};     // the mouse is over minus / plus
  int top = 0;
  std::vector<ProductionRow> rows;  // sized by the list, one entry per row
  ItemData piece{};                 // the record under the cursor
  int help = 0;                     // 0 the piece's help, 1 its info
};

struct ProductionFamily {
  int sub_mode;
  std::uint16_t recipe_category;  // maps.dat recipe list
  const char* title;
  const char* heading;  // the order panel's
  int tutorial_flag;    // 0 none
  bool one_piece;       // treasures: one piece an order, never one already held
};

// The family and the state of base sub-mode 2-5.
const ProductionFamily& production_family(int sub_mode);
ProductionScreen& production_screen(int sub_mode);
void reset_production_screens();

// The list pass: rebuilds the rows and the piece record, keeps the ordered piece under the
// cursor, and delivers a finished order.
void list_production_recipes(ProductionScreen& s, const ProductionFamily& f);
// Pieces of the object the party holds: the bag, and for treasures worn ones while the bag
// has none.
int production_held(std::uint16_t object, bool worn_too);
// The order steps (sounds and messages as the page gives them).
void open_production_order(ProductionScreen& s, const ProductionFamily& f);
void production_plus(ProductionScreen& s);
void production_minus(ProductionScreen& s);
void cancel_production_order(ProductionScreen& s);
void confirm_production_order(ProductionScreen& s, const ProductionFamily& f);
// State 2: 1 when the completion message closed this frame (the pieces follow in the list pass).
int finish_production_order(ProductionScreen& s, const ProductionFamily& f);

// The families' named entries.
void input_weapon_workshop();
void draw_weapon_workshop();
void list_weapon_recipes();
void input_armour_workshop();
void draw_armour_workshop();
void list_armour_recipes();
void input_item_workshop();
void draw_item_workshop();
void list_item_recipes();
void input_treasure_workshop();
void draw_treasure_workshop();
void list_treasure_recipes();
