#pragma once
// The formation screen (base sub-mode 6): the idle residents as candidates, the five positions
// of the formation ground (1 the main guard in the centre, 2-5 the reserves around it), the
// guard card with the escort record's values and a preview of a pending change.
struct HouseRecord;
struct ItemData;

enum FormationState : int { formation_choose = 0, formation_withdraw = 1, formation_place = 2 };
extern int formation_state;
extern int formation_top, formation_count, formation_cursor;
extern int formation_slot;                // the slot nth_formation_candidate found
extern unsigned short formation_candidate;  // the highlighted candidate's monster
constexpr unsigned short never_a_guard = 52;  // a monster the formation never lists

// The dwelling of the n-th candidate (n from 1; idle residents other than monster 52) with
// its slot in formation_slot, or null.
HouseRecord* nth_formation_candidate(int n);
int count_formation_candidates();
// The lowest position 1..capacity no member holds; the member count when all are taken, two
// members share one, or the house is not the picked one.
int next_free_position(HouseRecord* formation);
void add_formation_member(HouseRecord* formation, int position, HouseRecord* dwelling, int slot);
// The member at the cursor's position leaves; the last reserve moves up when the main guard
// went. Back to choosing.
void withdraw_formation_member(HouseRecord* formation);
// The highlighted candidate takes the cursor's position: a free one while there is room, or
// the place of the member there. Refusals are sound 39 with their message; back to choosing.
void place_formation_candidate(HouseRecord* formation);

// The escort values the guard card shows, in the order max HP, max MP, max SP, attack,
// defence, speed (the record's hit word), magic attack, magic defence.
constexpr int formation_values = 8;
void formation_card_values(const ItemData& escort, int out[formation_values]);
// The values after the pending change: incoming and outgoing monsters (null none), d = 1 when
// the outgoing member is the main guard, else 4; promoted: the incoming reserve moves up into
// the main guard's place, its own quarter taken off again.
void formation_preview(const ItemData& escort, const ItemData* incoming, const ItemData* outgoing, int d,
                       bool promoted, int out[formation_values]);
