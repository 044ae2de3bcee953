#pragma once
// Item lists: singly linked lists of ItemNode hanging from an owner block. One set of
// operations serves the bag, the art lists and the temporary lists of menus and the shop.
#include <cstdint>

#include "data/item_node.h"

constexpr int item_count_cap = 99;
constexpr std::uint16_t item_key_new = 60000;  // nodes with a new count
constexpr std::uint16_t item_key_any = 50000;  // every node

// Adds n pieces of an object: mode 1 to the new count, mode 2 to the count, each capped at 99
// (reaching the cap clears the other count). A new node is read from the object database and
// pushed at the head; null when the object cannot be read.
ItemNode* add_item(ItemNode* owner, std::uint16_t object, std::uint16_t n, int mode);
// Takes n pieces (the count first, or the new count first after set_item_new_first); frees a
// node left empty. 1 when the object was in the list.
int del_item(ItemNode* owner, std::uint16_t object, std::uint16_t n);
void set_item_new_first(int on);   // one-shot, for the next del_item that finds its object
void set_item_move_front(int on);  // initially 1: del_item moves a node it leaves to the head

ItemNode* find_item(ItemNode* owner, std::uint16_t object);
int get_item_num(ItemNode* owner, std::uint16_t object);  // count + new count; 0 when absent

int count_item_tab(ItemNode* owner, std::uint16_t key);
int count_item_type(ItemNode* owner, std::uint16_t kind);        // kind 0 counts all
int count_item_type_exact(ItemNode* owner, std::uint16_t kind);
int count_item_flag(ItemNode* owner, std::uint16_t mask);
int count_item_type_flag(ItemNode* owner, std::uint16_t kind, std::uint16_t mask);

// The n-th (from 0) node of a selection, for a user class; null past the end.
ItemNode* get_item_by_type(ItemNode* owner, std::uint16_t kind, std::uint16_t user_class, std::uint16_t n);
ItemNode* get_item_by_flag(ItemNode* owner, std::uint16_t mask, std::uint16_t user_class, std::uint16_t n);
ItemNode* get_item_by_tab(ItemNode* owner, std::uint16_t key, std::uint16_t user_class, std::uint16_t n);
ItemNode* get_item_by_type_flag(ItemNode* owner, std::uint16_t kind, std::uint16_t mask, std::uint16_t user_class,
                                std::uint16_t n);

// Orders the list by ascending object number (equal numbers keep their order).
void sort_item_list(ItemNode* owner);
// Moves every new count into the count (capped at 99).
void merge_new_items(ItemNode* owner);
// Frees every node; the list is empty afterwards.
void free_item_list(ItemNode* owner);
// A node for the empty entry (object 65500, count 1, name "無"), in no list.
ItemNode* new_none_item();
