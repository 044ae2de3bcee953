#pragma once
// The settlement's residents: monsters in the resident slots of the dwellings, and the jobs
// that tie a dwelling slot to a workshop, formation or training slot by a pair of links. The
// occupied slots of every house form one run from slot 0.
#include <cstdint>

struct HouseRecord;

// 1 when an active, placed dwelling has an empty slot among its first capacity slots (the same
// dwellings add_resident fills, so a capture never finds no room after this said yes).
int has_free_resident_slot();
// Puts the monster into the first empty slot of the first active, placed dwelling with room:
// 1, or 0 (nothing changes) without room or for monster 0.
int add_resident(std::uint16_t monster);
// 1 when a dwelling's occupied run holds the monster.
int is_resident(std::uint16_t monster);
// Removes the first resident with the id, ending its job: 1 when found.
int del_resident(std::uint16_t monster);
// Removes the main guard of escort record n (the n-th formation house in list order, as
// build_escort_data numbers them) from the base: 1 when done.
int del_guard_resident(int n);
// Removes the resident in the dwelling's slot for good, refusing story characters: 1 when
// removed. The caller closes the gap.
int expel_resident(HouseRecord* dwelling, int slot);
int swap_residents(HouseRecord* a, int slot_a, HouseRecord* b, int slot_b);
int swap_with_exile(HouseRecord* dwelling, int slot, std::uint16_t* exile);
// The resident in the dwelling's slot starts a job at the workplace (which has room).
void assign_worker(HouseRecord* workplace, HouseRecord* dwelling, int slot);
// Ends the job of the worker in the workplace's slot n - 1 (n from 1 to the capacity): 1 when
// its home slot was found. The caller closes the gap.
int release_worker(HouseRecord* workplace, int n);
void compact_slots(HouseRecord* house);
int promote_reserve(HouseRecord* formation);
// The dwelling of the n-th resident without a job (n from 1); its slot in selected_slot.
HouseRecord* nth_idle_resident(int n);
extern int selected_slot;
// Adds the dwellings' capacities, occupied slots and occupied slots without a job.
void population_count(int* capacity, int* residents, int* idle);

// A formation member's position 1-5 (the link byte of slot i + 5), 0 none.
int formation_position(const HouseRecord* formation, int member);
void set_formation_position(HouseRecord* formation, int member, int position);
