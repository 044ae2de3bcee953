#pragma once
// The residents page (top-menu page 2): every exile and every resident in one list, a card of
// the highlighted monster, and the details, exchange and expel commands on a row.
#include <cstdint>

struct HouseRecord;

enum ResidentsState : int {
  residents_list = 0, residents_commands = 1, residents_details = 2, residents_expel = 3, residents_exchange = 4,
};
extern int residents_total;
extern int residents_command;     // 1 details, 2 exchange, 3 expel
extern int exchange_row, exchange_top;
extern int expel_choice;          // 0 yes, 1 no
constexpr int residents_page_rows = 13;
constexpr std::uint16_t debug_exile_first = 133;  // key 99 adds one of 133-154

// The dwelling of the row (exiles first, then the residents dwelling by dwelling) with its slot
// in selected_slot; null for an exile row or past the end.
HouseRecord* find_row_resident(int row);
int count_resident_rows();
// The scroll bar's thumb height for the rows.
int residents_thumb_height(int total);
// Expels the row's exile or resident: 1 when it went (a story character stays: 0).
int expel_row(int row);
// Exchanges the first row with the partner row: 1 when a swap was made or tried, 0 refused
// (two exiles; one dwelling, with its message).
int exchange_rows(int first, int partner);
// The developer key's exile: 1 when the list took it (it refuses when full).
int add_debug_exile();
