#pragma once
// ExileList: the residents that lost their place while the base is open, waiting for a free
// dwelling slot. Entry 0 is the count, entries 1-255 object ids packed from entry 1. Cleared on
// entering and on leaving the base: exiles are never saved.
#include <cstdint>

constexpr int exile_entries = 256;
extern std::uint16_t ExileList[exile_entries];
// 1: the next exiles_move_in names the first exile that moves in.
extern int exile_refill_notice;

void clear_exiles();
int exile_count();
// Stores the id in the first empty entry: 1, or 0 with a message when all 255 are taken.
int add_exile(std::uint16_t monster);
// Empties entry n (1-255) and lowers the count; an empty entry or one outside changes nothing.
void remove_exile(int n);
void compact_exiles();
// Moves exiles from the front of the list into free dwelling slots until one finds no room.
void exiles_move_in();
