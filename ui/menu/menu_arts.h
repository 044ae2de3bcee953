#pragma once
// The menu's arts page (menu page 3): every present member's arts in one scrolling list of four
// tabs, each member's section under a header row with its name, and recovery arts cast from the
// field on one or all members at their MP and SP cost. While the page is open the party's magic
// is listed with party slot 1's arts. The entry points are in ui/menu/menu_pages.h.
#include <cstdint>

#include "data/item_data.h"
#include "data/party.h"

constexpr int arts_tab_count = 4;
// Tab t lists the arts whose flag byte meets mask t (header rows always).
inline constexpr std::uint16_t arts_tab_masks[arts_tab_count] = {0x40, 0x04, 0x80, 0x20};
constexpr int arts_visible_rows = 9;
constexpr int arts_magic_member = 1;  // the party slot whose list shows the party's magic

// The arts that act at once instead of asking for a member.
constexpr std::uint16_t art_story_talk = 5315;
constexpr std::uint16_t art_travel = 5314;
// The arts that may be cast only on party slot 2.
constexpr std::uint16_t art_slot2_first = 5201, art_slot2_last = 5203;

enum ArtsState : int { arts_closed = 0, arts_choosing_art = 1, arts_choosing_member = 2 };

// The chosen art, kept as its row over all members' rows and its object number; the input step
// finds the node again and drops a choice whose row no longer holds that art.
struct ArtsChoice {
  int row = -1;
  std::uint16_t object = 0;
};

extern int arts_state;
extern int arts_tab;
extern ArtsChoice arts_choice;
extern int arts_caster;  // index into menu_party: the member owning the cursor row
extern int arts_member_rows[3];
extern int arts_total_rows;
extern int arts_cursor_row, arts_top_row;  // the cursor row counts from the top row

// 1 or 2: the art may not be cast on party slot 2.
std::uint8_t art_slot2_restriction(const ItemData& art);
// 1 when party slot s has the MP and SP the art costs.
int can_cast(int party_slot, const ItemData& art);
// Subtracts the cost of the chosen art from the caster when the caster can pay it: 1; else 0
// and nothing changes.
int pay_art_cost();
// The recovery rule on party slot s: 1 when the member changed.
int apply_art_recovery(int party_slot, const ItemData& art);
// Arts 5314 and 5315, right after one is chosen.
void cast_field_art();

// The row's art node and the member index owning it (null past the rows); header rows too.
struct ArtsRow {
  ItemNode* node = nullptr;
  int member = -1;
};
ArtsRow arts_row_at(int row);
// Renews the members' row counts and the total for the current tab.
void count_arts_rows();
// What the draw step renews each frame: the caster from the cursor row and the choice when the
// row's art can be cast now.
void renew_arts_choice();
// The art the choice names, found again; null when the row no longer holds it.
ItemNode* resolve_arts_choice();
// Member choice: confirm on the current target (the step the input runs on Enter or a click).
void confirm_arts_target();
// The name a header row shows (out holds 33 bytes): the header node's name with the member's
// default name in it replaced by the member's current name; the node itself stays as it is.
void arts_header_name(const ItemNode* header, int party_slot, char* out);
// The header row's text: the name between runs of "-" (out holds at least 64 bytes).
void arts_header_text(const char* name, char* out, int out_size);
